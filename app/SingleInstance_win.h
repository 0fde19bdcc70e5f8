#pragma once
// One clock per session: the first start holds a named mutex; a second start
// finds the running clock's window, asks it to come forward and ends.
#include <windows.h>

#include "win32/Handles.h"

namespace zv::win {

// The clock window's class: TForm1 registers it, a second start looks for it.
inline constexpr char kClockClassName[] = "TForm1";

inline constexpr char kElevatedClockText[] =
    "Zvenoks уже запущен от имени администратора, и этот запуск не может вывести его на экран. "
    "Запустите Zvenoks от имени администратора, чтобы показать часы.";

class TSingleInstance {
  public:
    // Takes the session's mutex. Without it (no rights, out of resources)
    // there is no telling whether another clock runs: this one then runs,
    // as better a second clock than none.
    TSingleInstance();
    TSingleInstance(const TSingleInstance&) = delete;
    TSingleInstance& operator=(const TSingleInstance&) = delete;

    // Another clock holds the mutex.
    bool AnotherRuns() const { return another_; }
    // Asks the running clock to show itself and come forward. False when the
    // system refused the request: the clock runs as administrator and this
    // start does not (kElevatedClockText says so).
    static bool ShowRunningClock();

    // The running clock's window, or null.
    static HWND FindRunning();
    // What a second start posts to the running clock's window.
    static UINT ComeForwardMessage();

  private:
    UniqueHandle mutex_;  // held until the process ends
    bool another_ = false;
};

}  // namespace zv::win
