#include "app/SingleInstance_win.h"

#include "win32/Utf16.h"

namespace zv::win {

TSingleInstance::TSingleInstance() : mutex_(CreateMutexW(nullptr, FALSE, L"Local\\Zvenoks.Clock")) {
    another_ = mutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

HWND TSingleInstance::FindRunning() {
    return FindWindowW(Widen(kClockClassName).c_str(), L"Zvenoks");
}

UINT TSingleInstance::ComeForwardMessage() {
    // Zero only when the system is out of atoms; then no message matches it
    // and a second start cannot bring the clock up.
    static const UINT message = RegisterWindowMessageW(L"Zvenoks.ComeForward");
    return message;
}

// The running clock may still be making its window, so it is looked for a
// little while.
bool TSingleInstance::ShowRunningClock() {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (HWND clock = FindRunning()) {
            DWORD pid = 0;
            GetWindowThreadProcessId(clock, &pid);
            // This process was just started by the user and may hand the
            // right to take the foreground on; without it the window still
            // shows, only perhaps behind the active one.
            if (pid) (void)AllowSetForegroundWindow(pid);
            // A clock started as administrator drops what a lesser process
            // posts unless it let the message through; an older one did not.
            if (PostMessageW(clock, ComeForwardMessage(), 0, 0)) return true;
            // Any other failure is a clock ending just now: nothing left to show.
            return GetLastError() != ERROR_ACCESS_DENIED;
        }
        Sleep(100);
    }
    return true;
}

}  // namespace zv::win
