#pragma once
// Whether another program has the screen full-screen, or Windows asks for
// quiet, from what the window side can learn: the shell's notification state
// and the foreground window.
#include <optional>

namespace zv {

struct ScreenRect {
    long left = 0, top = 0, right = 0, bottom = 0;
};

struct ForegroundFacts {
    // SHQueryUserNotificationState's answer; nullopt where it is missing or failed.
    std::optional<int> notificationState;
    bool exists = false;     // there is a foreground window
    bool own = false;        // it belongs to this program (the clock covers its screen)
    bool desktop = false;    // the desktop or the shell's own window
    bool minimized = false;  // iconic, or not visible
    ScreenRect window;       // its rectangle
    ScreenRect monitor;      // the whole monitor it is on
};

// QUERY_USER_NOTIFICATION_STATE values that mean a full-screen program.
inline constexpr int kQunsBusy = 2;
inline constexpr int kQunsRunningD3dFullScreen = 3;
inline constexpr int kQunsPresentationMode = 4;
// Windows' own quiet time (the first hour after setup, focus assist).
inline constexpr int kQunsQuietTime = 6;

// Also true in Windows' quiet time, which is no program's.
bool OtherProgramFullScreen(const ForegroundFacts& facts);

}  // namespace zv
