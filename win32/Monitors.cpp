#include "win32/Monitors.h"

namespace zv::win {

namespace {

// The primary monitor always holds the origin of the virtual screen's
// coordinates.
bool PrimaryInfo(MONITORINFO& mi) {
    mi = MONITORINFO{};
    mi.cbSize = sizeof mi;
    return GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi) != FALSE;
}

}  // namespace

Rect PrimaryMonitorRect() {
    MONITORINFO mi;
    if (PrimaryInfo(mi)) return ToGeometry(mi.rcMonitor);
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

Rect PrimaryWorkArea() {
    MONITORINFO mi;
    if (PrimaryInfo(mi)) return ToGeometry(mi.rcWork);
    RECT work{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) return ToGeometry(work);
    return PrimaryMonitorRect();
}

void CentreOnPrimaryWorkArea(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    const Point at = CentreIn(PrimaryWorkArea(), r.right - r.left, r.bottom - r.top);
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace zv::win
