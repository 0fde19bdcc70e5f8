#include "about/Form2_win.h"

#include <shellapi.h>

#include <string>

#include "resources/resource.h"
#include "win32/Fonts.h"
#include "win32/Monitors.h"

namespace zv::win {

namespace {

constexpr char kClassName[] = "TForm2";
constexpr int kLink = 3;  // Label3
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;

struct LabelDesign {
    int left, top;
    std::string_view text;
};
// Label1..Label5 by designer number.
const LabelDesign kLabels[5] = {
    {80, 16, "Zvenoks v.1.1"}, {64, 128, "Екатеринбург, 2026"}, {56, 88, LinkText(kMakerUrl)},
    {104, 56, "Zvenoks"},      {96, 112, "Россия, Урал"},
};

}  // namespace

TForm2::TForm2(TApplication& application) : application_(application) {}

void TForm2::Create() {
    HINSTANCE inst = GetModuleHandleA(nullptr);
    windowIcon_ = LoadIconA(inst, MAKEINTRESOURCEA(IDI_ABOUT_WINDOW));
    image1Icon_.Reset(static_cast<HICON>(
        LoadImageA(inst, MAKEINTRESOURCEA(IDI_ABOUT_IMAGE), IMAGE_ICON, 32, 32, 0)));
    RegisterClassOnce(kClassName, 0, windowIcon_, LoadCursorA(nullptr, IDC_ARROW),
                      reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));

    RECT frame{0, 0, 253, 160};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    CreateHandle(kClassName, "О программе", kExStyle, kStyle, 351, 220, frame.right - frame.left,
                 frame.bottom - frame.top, reinterpret_cast<HWND>(application_.WindowHandle()));
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(windowIcon_));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(windowIcon_));

    dialogFont_ = CreateCyrillicFont({"MS Sans Serif", 11});
    linkFont_ = CreateCyrillicFont({"Times New Roman", 16, false, true});
    WindowDc dc(Handle());
    for (int n = 1; n <= 5; ++n) {
        const LabelDesign& d = kLabels[n - 1];
        HFONT font = n == kLink ? linkFont_.Get() : dialogFont_.Get();
        // Labels size themselves to their text.
        const std::string text(d.text);
        SIZE size{};
        {
            Selection sel(dc.Get(), font);
            int wn = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
            std::wstring w(static_cast<size_t>(wn > 0 ? wn - 1 : 0), L'\0');
            MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, w.data(), wn);
            GetTextExtentPoint32W(dc.Get(), w.c_str(), static_cast<int>(w.size()), &size);
        }
        DWORD style = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | (n == kLink ? SS_NOTIFY : 0);
        labels_[n - 1] = CreateWindowExA(
            0, "STATIC", text.c_str(), style, d.left, d.top, size.cx, size.cy, Handle(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(n)), inst, nullptr);
        SendMessageA(labels_[n - 1], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    application_.AddDialog(Handle());
}

void TForm2::Show() {
    if (!placed_) {
        // Centred where the clock is the first time, not across monitors;
        // left where the user put it afterwards.
        CentreOnPrimaryWorkArea(Handle());
        placed_ = true;
    }
    if (visible_) return;
    visible_ = true;
    application_.FormShowing();
    ShowWindow(Handle(), SW_SHOW);
}

void TForm2::Hide() {
    if (!visible_) return;
    visible_ = false;
    ShowWindow(Handle(), SW_HIDE);
}

void TForm2::Label3Click() {
    // A missing browser or handler changes nothing: the user sees the address.
    ShellExecuteA(Handle(), nullptr, kMakerUrl, nullptr, nullptr, SW_RESTORE);
}

LRESULT TForm2::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CLOSE:
            Hide();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kLink && HIWORD(wParam) == STN_CLICKED) {
                Label3Click();
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC: {
            auto dc = reinterpret_cast<HDC>(wParam);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, reinterpret_cast<HWND>(lParam) == labels_[kLink - 1]
                                 ? RGB(0, 0, 255)
                                 : GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == labels_[kLink - 1]) {
                SetCursor(LoadCursorA(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        case WM_PAINT: {
            PaintDc dc(Handle());
            // Image1: the icon stretched to its 33 x 33 box, proportions kept.
            DrawIconEx(dc.Get(), kImage1.left, kImage1.top, image1Icon_.Get(), 33, 33, 0, nullptr,
                       DI_NORMAL);
            return 0;
        }
        default:
            break;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace zv::win
