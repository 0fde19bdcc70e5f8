#pragma once
// Full-screen detection: the shell's notification state (Vista and later,
// looked up at run time) or a foreground window that covers its monitor.
#include <windows.h>

#include "schedule/FullScreenRule.h"

namespace zv::win {

class TWinFullScreen {
  public:
    TWinFullScreen() = default;
    TWinFullScreen(const TWinFullScreen&) = delete;
    TWinFullScreen& operator=(const TWinFullScreen&) = delete;

    // What is in front now. Windows of this process count as the clock's own.
    ForegroundFacts Facts();
    bool OtherProgramFullScreen() { return zv::OtherProgramFullScreen(Facts()); }
};

}  // namespace zv::win
