#include "win32/Dpi.h"

namespace zv::win {

namespace {

// Looked up at run time: Windows 7 and 8.1 have neither.
template <class F>
F User32(const char* name) {
    return reinterpret_cast<F>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int SmallIconSize(int dpi) {
    using MetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const auto metricsForDpi = User32<MetricsForDpiFn>("GetSystemMetricsForDpi");
    if (metricsForDpi) {
        if (const int size = metricsForDpi(SM_CXSMICON, static_cast<UINT>(dpi))) return size;
    }
    return GetSystemMetrics(SM_CXSMICON);
}

}  // namespace zv::win
