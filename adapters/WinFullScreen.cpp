#include "adapters/WinFullScreen.h"

#include <string>

#include "win32/SystemFunctions.h"

namespace zv::win {
namespace {

ScreenRect ToRect(const RECT& r) {
    return ScreenRect{r.left, r.top, r.right, r.bottom};
}

bool IsDesktop(HWND w) {
    if (w == GetDesktopWindow() || w == GetShellWindow()) return true;
    // The desktop's own windows, in front after a click on the wallpaper.
    wchar_t name[16] = {};
    GetClassNameW(w, name, 16);
    const std::wstring cls = name;
    return cls == L"Progman" || cls == L"WorkerW";
}

}  // namespace

ForegroundFacts TWinFullScreen::Facts() {
    ForegroundFacts f;
    int state = 0;
    const auto queryState = SystemFunction<kSHQueryUserNotificationState>();
    if (queryState && queryState(&state) == S_OK) f.notificationState = state;

    const HWND w = GetForegroundWindow();
    if (!w) return f;
    f.exists = true;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    f.own = pid == GetCurrentProcessId();
    f.desktop = IsDesktop(w);
    f.minimized = IsIconic(w) || !IsWindowVisible(w);
    RECT r{};
    if (GetWindowRect(w, &r)) f.window = ToRect(r);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    // Without a monitor the rectangle stays empty, which never counts as covered.
    if (GetMonitorInfoW(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &info))
        f.monitor = ToRect(info.rcMonitor);
    return f;
}

}  // namespace zv::win
