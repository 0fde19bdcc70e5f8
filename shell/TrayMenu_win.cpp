#include "shell/TrayMenu_win.h"

#include <string>

#include "core/Errors.h"
#include "win32/Handles.h"
#include "win32/SystemError.h"
#include "win32/Utf16.h"

namespace zv::win {

TrayCommand TTrayMenu::Track(HWND owner, bool clockShown, POINT at, HMENU sizes) {
    UniqueMenu sizeMenu(sizes);  // until the menu holds it
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) throw Exception(SystemErrorText(GetLastError()));
    for (const TrayMenuItem& item : TrayMenuItems(clockShown)) {
        const auto id = static_cast<UINT_PTR>(item.command);
        const std::wstring text = Widen(item.text);
        BOOL added = TRUE;
        if (item.command == TrayCommand::None) {
            added = AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
        } else if (item.command != TrayCommand::Size) {
            added = AppendMenuW(menu.Get(), MF_STRING, id, text.c_str());
        } else if (sizeMenu) {
            added = AppendMenuW(menu.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(sizeMenu.Get()),
                                text.c_str());
            if (added) (void)sizeMenu.Release();
        }
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

TrayCommand TTrayMenu::Track(HWND owner, bool clockShown, HMENU sizes) {
    POINT at{};
    GetCursorPos(&at);
    return Track(owner, clockShown, at, sizes);
}

}  // namespace zv::win
