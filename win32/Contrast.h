#pragma once
// The system's high-contrast setting, which the program's own colours give
// way to.
#include <windows.h>

namespace zv::win {

// True while the user has high contrast on.
bool HighContrastOn();

// A message that may say the contrast or the system's colours have changed.
inline bool ColoursMayHaveChanged(UINT msg) {
    return msg == WM_SETTINGCHANGE || msg == WM_SYSCOLORCHANGE;
}

}  // namespace zv::win
