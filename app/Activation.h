#pragma once
// Which of the program's windows comes forward when its application window
// is activated (a click on the taskbar button, which exists only while a
// dialog is open).
#include <cstdint>
#include <span>

namespace zv {

struct OwnedWindow {
    uintptr_t handle = 0;
    bool visible = false;
    bool minimized = false;
};

// `windows`: the application window's own windows, topmost first. The open
// dialog the user reached for, that is the highest one shown other than the
// clock; else the clock if it is shown; else 0 (nothing to bring forward).
uintptr_t WindowToActivate(std::span<const OwnedWindow> windows, uintptr_t clock);

}  // namespace zv
