#include "app/KeyPresses_win.h"

#include "app/ClockMenus_win.h"
#include "settings/Hotkey.h"

namespace zv::win {

bool TKeyPresses::Message(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_HOTKEY:
            HotkeyMessage(kWmHotkey, wParam, [&] { Pressed(window, HIWORD(lParam)); });
            return true;
        case WM_COMMAND:
            if (LOWORD(wParam) != TClockMenus::kN1) return false;
            Pressed(window, VK_F11);
            return true;
        case WM_TIMER:
            if (wParam != kWatchTimer) return false;
            if ((GetAsyncKeyState(static_cast<int>(vk_)) & 0x8000) == 0) {
                keyUp_ = true;
                KillTimer(window, kWatchTimer);
            }
            return true;
        default:
            return false;
    }
}

void TKeyPresses::Pressed(HWND window, unsigned vk) {
    const bool held = !keyUp_ && vk == vk_;
    vk_ = vk;
    keyUp_ = false;
    // Without a timer (the system out of them) the key never counts as up
    // again and later presses would all be ignored: count it as up instead.
    if (!SetTimer(window, kWatchTimer, kWatchMs, nullptr)) keyUp_ = true;
    switch (presses_.Press(static_cast<int64_t>(GetTickCount64()), held)) {
        case PressAction::Time:
            time_();
            break;
        case PressAction::Date:
            date_();
            break;
        case PressAction::Ignore:
            break;
    }
}

}  // namespace zv::win
