#pragma once
// The program's icon at the small-icon size of a DPI, for the tray; loaded
// again whenever that size changes.
#include <windows.h>

#include "resources/resource.h"
#include "win32/Dpi.h"
#include "win32/Handles.h"

namespace zv::win {

class TTrayIconPicture {
  public:
    HICON For(int dpi) const {
        const int size = SmallIconSize(dpi);
        if (size != size_ || !icon_) {
            // The shell keeps its own copy of the icon it was given, so the
            // old one can go now.
            icon_.Reset(
                static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAIN),
                                              IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
            size_ = size;
        }
        return icon_.Get();
    }

  private:
    mutable UniqueIcon icon_;
    mutable int size_ = 0;
};

}  // namespace zv::win
