#include "win32/Dpi.h"

#include <algorithm>

#include "core/Dpi.h"
#include "win32/SystemFunctions.h"

namespace zv::win {

int WindowDpi(HWND window) {
    // Windows 7 and 8.1 have no DPI of a window's own.
    const auto getDpiForWindow = SystemFunction<kGetDpiForWindow>();
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDesignDpi;
}

namespace {

// Before Windows 10 1607 every window has the system's DPI, which the plain
// calls answer for.
int MetricForDpi(int metric, int dpi) {
    const auto metricsForDpi = SystemFunction<kGetSystemMetricsForDpi>();
    if (metricsForDpi) {
        if (const int size = metricsForDpi(metric, static_cast<UINT>(dpi))) return size;
    }
    return GetSystemMetrics(metric);
}

}  // namespace

int SmallIconSize(int dpi) {
    return MetricForDpi(SM_CXSMICON, dpi);
}

int LargeIconSize(int dpi) {
    return MetricForDpi(SM_CXICON, dpi);
}

int ScrollBarWidth(int dpi) {
    return MetricForDpi(SM_CXVSCROLL, dpi);
}

int CheckMarkSize(int dpi) {
    // The classic box is 13 pixels at 96 DPI; a theme's may be larger.
    return std::max(ScaledHalfAway(13, dpi), MetricForDpi(SM_CXMENUCHECK, dpi));
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
    const auto adjustForDpi = SystemFunction<kAdjustWindowRectExForDpi>();
    if (adjustForDpi && adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) return;
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

}  // namespace zv::win
