#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/TickSchedule.h"

namespace zv {
namespace {

TimeFields At(uint16_t h, uint16_t m, uint16_t s, uint16_t ms) {
    return {h, m, s, ms};
}

TEST(TickScheduleTest, DelayAimsJustPastTheNextSecond) {
    struct Case {
        uint16_t millisecond;
        uint32_t delay;
    };
    const Case cases[] = {
        {0, 1000 + kTickLeadMs},  // on the second: a whole one
        {5, 1000},                // where the ticks land: exactly a second
        {500, 500 + kTickLeadMs},
        {999, 1 + kTickLeadMs},   // just before: the lead only, never 0
        {1000, 1 + kTickLeadMs},  // a leap-second reading stays in range
    };
    for (const Case& c : cases)
        EXPECT_EQ(DelayToNextSecond(c.millisecond), c.delay) << c.millisecond;
}

TEST(TickScheduleTest, EachSecondTicksOnceAnEarlyTimerWaits) {
    struct Step {
        TimeFields now;
        bool run;
        uint32_t delay;
    };
    const Step steps[] = {
        {At(12, 0, 0, 437), true, 568},               // the first, whenever it comes
        {At(12, 0, 1, 5), true, 1000},                // on time
        {At(12, 0, 1, 998), false, 2 + kTickLeadMs},  // early: second 1 is shown already
        {At(12, 0, 2, 3), true, 1002},                // then the next one
        {At(12, 0, 3, 700), true, 305},               // late (the thread was busy): still shown
        {At(12, 0, 5, 20), true, 985},                // a second lost to a busy thread is skipped
        {At(23, 59, 59, 16), true, 989},
        {At(0, 0, 0, 16), true, 989},  // midnight is a new second, not an old one
        {At(0, 0, 0, 990), false, 15},
    };
    TTickSchedule schedule;
    for (const Step& s : steps) {
        const TickPlan plan = schedule.OnTimer(s.now);
        EXPECT_EQ(plan.run, s.run)
            << s.now.hour << ":" << s.now.minute << ":" << s.now.second << "." << s.now.millisecond;
        EXPECT_EQ(plan.delayMs, s.delay) << s.now.second << "." << s.now.millisecond;
    }
}

// A timer that fires anywhere from a system tick early to a few ticks late,
// as Windows' does, over ten minutes: every second is shown once, in order,
// close after it starts.
TEST(TickScheduleTest, TenMinutesOfAJitteryTimerShowEverySecondOnce) {
    struct Case {
        int64_t start;  // ms of the day when the first timer fires
        int earliest;   // how early (<0) or late the timer may fire, ms
        int latest;
        int64_t maxOffset;  // the largest offset of a tick from its second
    };
    const Case cases[] = {
        {43'200'437, 0, 0, kTickLeadMs},
        {43'200'437, -16, 16, kTickLeadMs + 16},
        {86'399'000 - 300'000, -16, 32, kTickLeadMs + 32},  // across midnight
        {1'000, 0, 30, kTickLeadMs + 30},
    };
    for (const Case& c : cases) {
        TTickSchedule schedule;
        uint32_t seed = 12345;
        auto jitter = [&] {
            seed = seed * 1103515245u + 12345u;
            return c.earliest + static_cast<int>((seed >> 16) %
                                                 static_cast<uint32_t>(c.latest - c.earliest + 1));
        };
        std::vector<int64_t> shown;  // seconds of the day, unwrapped
        int64_t worst = 0;
        int64_t t = c.start;
        while (t < c.start + 600'000) {
            const int64_t day = t % 86'400'000;
            const TimeFields now{
                static_cast<uint16_t>(day / 3'600'000), static_cast<uint16_t>(day / 60'000 % 60),
                static_cast<uint16_t>(day / 1000 % 60), static_cast<uint16_t>(day % 1000)};
            const TickPlan plan = schedule.OnTimer(now);
            if (plan.run) {
                shown.push_back(t / 1000);
                if (shown.size() > 1) worst = std::max(worst, t % 1000);
            }
            t += static_cast<int64_t>(plan.delayMs) + jitter();
        }
        ASSERT_GE(shown.size(), 599u) << c.start;
        for (size_t i = 1; i < shown.size(); ++i) {
            ASSERT_EQ(shown[i], shown[i - 1] + 1) << "tick " << i << " from " << c.start;
        }
        EXPECT_LE(worst, c.maxOffset) << c.start;
        EXPECT_LE(worst, 50) << c.start;
    }
}

// A tick that fires just before its second ends and reads the clock again
// after the next one began (a slow start-up, a loaded machine) shows the new
// second: the timer that comes a moment later must not show it again.
TEST(TickScheduleTest, ATickThatCrossedIntoTheNextSecondIsNotShownTwice) {
    auto at = [](int second, int ms) {
        return TimeFields{12, 0, static_cast<uint16_t>(second), static_cast<uint16_t>(ms)};
    };
    TTickSchedule schedule;
    ASSERT_TRUE(schedule.OnTimer(at(1, 5)).run);
    schedule.Shown(at(1, 5));
    ASSERT_TRUE(schedule.OnTimer(at(2, 990)).run);
    schedule.Shown(at(3, 2));  // the clock read again once the work was done
    EXPECT_FALSE(schedule.OnTimer(at(3, 15)).run) << "second 3 shown twice";
    EXPECT_TRUE(schedule.OnTimer(at(4, 5)).run);
}

}  // namespace
}  // namespace zv
