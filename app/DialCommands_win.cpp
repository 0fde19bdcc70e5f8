#include "app/DialCommands_win.h"

#include "app/FaceFrame_win.h"

namespace zv::win {

namespace {

constexpr LPARAM kRepeat = LPARAM{1} << 30;  // the key was down already
constexpr LPARAM kAltDown = LPARAM{1} << 29;

POINT ClientPoint(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

void TDialCommands::MenuAt(HWND window, POINT client) {
    RECT image2 = ToRect(layout_.image2);
    if (!active_ || !PtInRect(&image2, client)) return;
    ClientToScreen(window, &client);
    actions_.menu(client);
}

bool TDialCommands::KeyDown(HWND window, UINT msg, WPARAM key, LPARAM lParam) {
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool menuKey = (key == VK_F10 && shift && (lParam & kAltDown) == 0) ||
                         (key == VK_APPS && msg == WM_KEYDOWN);
    const bool timeKey = msg == WM_KEYDOWN && (key == VK_RETURN || key == VK_SPACE);
    const bool hideKey = msg == WM_KEYDOWN && key == VK_ESCAPE;
    if (!menuKey && !timeKey && !hideKey) return false;
    // Held down, a key acts once: a repeat would start the speech again.
    if ((lParam & kRepeat) != 0) return true;
    if (timeKey) actions_.time();
    if (hideKey) actions_.hide();
    // As the system asks for a menu from the keyboard.
    if (menuKey) SendMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), -1);
    return true;
}

bool TDialCommands::Message(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_RBUTTONUP:
            MenuAt(window, ClientPoint(lParam));
            return true;
        case WM_CONTEXTMENU: {
            // From the keyboard (-1): at the hub; else where it was asked.
            POINT at{layout_.hub.x, layout_.hub.y};
            if (lParam != -1) {
                at = ClientPoint(lParam);
                ScreenToClient(window, &at);
            }
            MenuAt(window, at);
            return true;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (!active_) return false;
            return KeyDown(window, msg, wParam, lParam);
        case WM_KEYUP:
            // The window procedure would open the menu a second time on it.
            return active_ && wParam == VK_APPS;
        default:
            return false;
    }
}

}  // namespace zv::win
