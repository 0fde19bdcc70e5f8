#pragma once
// The tray icon's pop-up menu, opened on a right click on the icon.
#include <windows.h>

#include "shell/TrayMenuItems.h"

namespace zv::win {

class TTrayMenu final {
  public:
    // Opens the menu at a screen point for the owner window and returns the
    // command chosen; None when the user clicked elsewhere or pressed Esc.
    // `sizes`, when given, is the "Размер" submenu; the menu takes it over,
    // and what is chosen in it comes back as its item's identifier.
    static TrayCommand Track(HWND owner, bool clockShown, POINT at, HMENU sizes = nullptr);
    // The same at the mouse cursor.
    static TrayCommand Track(HWND owner, bool clockShown, HMENU sizes = nullptr);
};

}  // namespace zv::win
