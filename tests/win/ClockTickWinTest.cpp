// The real clock window and its real timer, left to run: every tick must
// come just after a wall-clock second starts, and no second may be skipped
// or shown twice. About 75 s here; ZV_TICK_SECONDS=600 runs ten minutes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/win/ProgramFixture.h"

namespace zv::win {
namespace {

using test::Program;

long SecondsToRun() {
    char buffer[32] = {};
    DWORD n = GetEnvironmentVariableA("ZV_TICK_SECONDS", buffer, sizeof buffer);
    long v = n > 0 && n < sizeof buffer ? std::strtol(buffer, nullptr, 10) : 0;
    return v > 0 ? v : 75;
}

class ClockTickWinTest : public test::ProgramFolderTest {};

TEST_F(ClockTickWinTest, EveryTickComesJustAfterItsSecondAndNoneIsSkippedOrRepeated) {
    const long seconds = SecondsToRun();
    Program program;
    TForm1& form1 = program.form1;
    HWND clock = form1.Handle();

    // What each tick decoded (the time the display shows), one entry per tick.
    struct Tick {
        long second;  // of the day
        int millisecond;
    };
    std::vector<Tick> ticks;
    ticks.reserve(static_cast<size_t>(seconds) + 16);
    TimeFields last = form1.Now();
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    while (GetTickCount64() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            if (msg.hwnd != clock || msg.message != WM_TIMER || msg.wParam != TForm1::kTimer1)
                continue;
            const TimeFields now = form1.Now();
            if (now.hour == last.hour && now.minute == last.minute && now.second == last.second &&
                now.millisecond == last.millisecond)
                continue;  // came early: nothing ticked
            last = now;
            ticks.push_back({(now.hour * 60L + now.minute) * 60L + now.second, now.millisecond});
        }
    }
    ASSERT_EQ(form1.StartupPhase(), 0) << "the start-up work did not run";
    ASSERT_GE(ticks.size(), static_cast<size_t>(seconds) - 2) << "the clock ticked too seldom";

    // The first tick follows a start at any moment; from the second on they
    // are aimed.
    int largest = 0, skipped = 0, repeated = 0;
    double sum = 0;
    for (size_t i = 1; i < ticks.size(); ++i) {
        largest = std::max(largest, ticks[i].millisecond);
        sum += ticks[i].millisecond;
        const long step = (ticks[i].second - ticks[i - 1].second + 86400) % 86400;
        if (step == 0) ++repeated;
        if (step > 1) skipped += static_cast<int>(step - 1);
    }
    const size_t n = ticks.size() - 1;
    std::printf(
        "[  TICKS   ] %zu ticks in %ld s; offset from the second: first %d ms, last %d ms, "
        "mean %.1f ms, largest %d ms; %d seconds skipped, %d shown twice\n",
        n, seconds, ticks[1].millisecond, ticks.back().millisecond, n ? sum / n : 0.0, largest,
        skipped, repeated);
    RecordProperty("largest_offset_ms", largest);
    RecordProperty("skipped", skipped);
    RecordProperty("repeated", repeated);
    EXPECT_LE(largest, 50) << "a tick came more than 50 ms after its second started";
    EXPECT_EQ(skipped, 0);
    EXPECT_EQ(repeated, 0);
}

}  // namespace
}  // namespace zv::win
