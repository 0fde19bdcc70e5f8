/* The least any such clock costs: a bare window as the clock's (the whole
 * screen, always on top, layered with the colour key RGB(128,0,0)) that
 * draws one line a second and does nothing else. scripts/bench sets the
 * clock's idle CPU and memory beside it. Built with ZV_DIAL it also keeps a
 * disc the size of the clock's dial on the screen: under Wine the colour
 * key is a window shape made again from every row of the window at each
 * repaint, and a dial's outline costs it more than a line does. */
#include <math.h>
#include <windows.h>

#define KEY RGB(128, 0, 0)
#ifdef ZV_DIAL
#define TITLE "Reference clock with a dial"
#else
#define TITLE "Reference clock"
#endif

static int second;

static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER: {
            RECT client, dial;
            GetClientRect(hwnd, &client);
            /* The area a second hand sweeps, as the clock renews its dial. */
            SetRect(&dial, client.right / 2 - 210, client.bottom / 2 - 210, client.right / 2 + 210,
                    client.bottom / 2 + 210);
            second = (second + 1) % 60;
            InvalidateRect(hwnd, &dial, FALSE);
            return 0;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            RECT client;
            HDC dc = BeginPaint(hwnd, &ps);
            HBRUSH key = CreateSolidBrush(KEY);
            HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 255, 0));
            HGDIOBJ old = SelectObject(dc, pen);
            double a = (second - 15) * 2.5 / 24;
            int cx, cy;
            GetClientRect(hwnd, &client);
            cx = client.right / 2;
            cy = client.bottom / 2;
            FillRect(dc, &ps.rcPaint, key);
#ifdef ZV_DIAL
            {
                HBRUSH face = CreateSolidBrush(RGB(150, 160, 175));
                HGDIOBJ oldBrush = SelectObject(dc, face);
                HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
                Ellipse(dc, client.right / 2 - 257, client.bottom / 2 - 257, client.right / 2 + 258,
                        client.bottom / 2 + 258);
                SelectObject(dc, oldPen);
                SelectObject(dc, oldBrush);
                DeleteObject(face);
            }
#endif
            MoveToEx(dc, cx, cy, NULL);
            LineTo(dc, cx + (int)lround(cos(a) * 200), cy + (int)lround(sin(a) * 200));
            SelectObject(dc, old);
            DeleteObject(pen);
            DeleteObject(key);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE prev, LPSTR cmd, int show) {
    WNDCLASSA wc = {0};
    HWND hwnd;
    MSG msg;
    (void)prev;
    (void)cmd;
    (void)show;
    wc.lpfnWndProc = Proc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = "ReferenceClock";
    if (!RegisterClassA(&wc)) return 1;
    hwnd = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOPMOST, "ReferenceClock", TITLE, WS_POPUP, 0, 0,
                           GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), NULL, NULL,
                           inst, NULL);
    if (!hwnd) return 1;
    SetLayeredWindowAttributes(hwnd, KEY, 0, LWA_COLORKEY);
    ShowWindow(hwnd, SW_SHOWMAXIMIZED);
    SetTimer(hwnd, 1, 1000, NULL);
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
