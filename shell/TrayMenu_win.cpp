#include "shell/TrayMenu_win.h"

#include "core/Errors.h"
#include "win32/Handles.h"
#include "win32/Utf16.h"
#include "win32/Window.h"

namespace zv::win {

TrayCommand TTrayMenu::Track(HWND owner, bool clockShown, POINT at) {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) throw Exception(SystemErrorText(GetLastError()));
    for (const TrayMenuItem& item : TrayMenuItems(clockShown)) {
        const auto id = static_cast<UINT_PTR>(item.command);
        BOOL added = item.command == TrayCommand::None
                         ? AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr)
                         : AppendMenuW(menu.Get(), MF_STRING, id, Widen(item.text).c_str());
        if (!added) throw Exception(SystemErrorText(GetLastError()));
    }
    // A menu whose owner is not in front stays open on a click elsewhere, and
    // the message posted after it lets the next click through at once.
    SetForegroundWindow(owner);
    const auto chosen = static_cast<int>(TrackPopupMenu(
        menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_RIGHTALIGN | TPM_BOTTOMALIGN, at.x, at.y,
        0, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    return static_cast<TrayCommand>(chosen);
}

TrayCommand TTrayMenu::Track(HWND owner, bool clockShown) {
    POINT at{};
    GetCursorPos(&at);
    return Track(owner, clockShown, at);
}

}  // namespace zv::win
