#pragma once
// The primary monitor, where the clock lives and the dialogs first appear.
#include <windows.h>

#include "core/Geometry.h"

namespace zv::win {

inline Rect ToGeometry(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// The primary monitor's whole rectangle.
Rect PrimaryMonitorRect();
// Its work area: the monitor without the taskbar and docked bars.
Rect PrimaryWorkArea();
// Moves a top-level window, keeping its size, to the centre of the primary
// monitor's work area.
void CentreOnPrimaryWorkArea(HWND window);

}  // namespace zv::win
