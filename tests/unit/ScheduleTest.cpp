#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "schedule/Schedule.h"

namespace zv {
namespace {

struct FakeWorld : IScheduleWorld {
    bool ChainPlaying() override { return ++asked, playing; }
    bool OtherFullScreen() override { return ++asked, fullScreen; }
    bool MicrophoneBusy() override { return ++asked, mic; }
    bool playing = false, fullScreen = false, mic = false;
    int asked = 0;
};

TimeFields At(int h, int m, int s = 0, int ms = 0) {
    return TimeFields{static_cast<uint16_t>(h), static_cast<uint16_t>(m), static_cast<uint16_t>(s),
                      static_cast<uint16_t>(ms)};
}

AnnounceSettings Every(int every) {
    AnnounceSettings s;
    s.every = every;
    s.quiet = false;
    return s;
}

std::string Fired(const std::optional<ScheduledAnnouncement>& a) {
    if (!a) return "-";
    return std::to_string(a->hour) + ":" + (a->minute < 10 ? "0" : "") + std::to_string(a->minute);
}

TEST(Schedule, EachEveryFiresOnItsMultiplesOnceThroughADay) {
    for (int every : {0, 1, 5, 10, 15, 30, 60}) {
        SCOPED_TRACE(every);
        TSchedule schedule;
        FakeWorld world;
        std::vector<int> fired;
        // A tick a little after every second of the day, as the clock's tick lands.
        for (int second = 0; second < 24 * 3600; ++second) {
            const auto a = schedule.Tick(At(second / 3600, second / 60 % 60, second % 60, 40),
                                         Every(every), world);
            if (a) fired.push_back(a->hour * 60 + a->minute);
        }
        const size_t want = every == 0 ? 0 : 24 * 60 / every;
        ASSERT_EQ(fired.size(), want);
        for (size_t i = 0; i < fired.size(); ++i) EXPECT_EQ(fired[i], static_cast<int>(i) * every);
    }
}

struct TickRow {
    const char* what;
    int every;
    std::vector<TimeFields> ticks;
    std::string fired;  // what each tick gives, joined
};

TEST(Schedule, TicksEarlyLateTwiceOrAfterAJump) {
    const TickRow rows[] = {
        {"two ticks in one second fire once",
         15,
         {At(10, 15, 0, 5), At(10, 15, 0, 900), At(10, 15, 1, 10)},
         "10:15 - -"},
        {"a tick 2.9 s late still fires", 1, {At(10, 14, 58), At(10, 15, 2, 900)}, "- 10:15"},
        {"a tick 3 s late does not", 1, {At(10, 14, 59), At(10, 15, 3)}, "- -"},
        {"a one-shot timer just early fires for the coming minute",
         60,
         {At(10, 59, 59, 900), At(11, 0, 0, 50)},
         "11:00 -"},
        {"too early waits for the boundary",
         60,
         {At(10, 59, 59, 800), At(11, 0, 0, 30)},
         "- 11:00"},
        {"across midnight", 30, {At(23, 59, 59, 950), At(0, 0, 1)}, "0:00 -"},
        {"not on a multiple", 15, {At(10, 14, 0), At(10, 16, 0), At(10, 20, 1)}, "- - -"},
        {"a jump far past the boundary", 5, {At(10, 4, 59), At(10, 7, 30), At(10, 9, 59)}, "- - -"},
        {"the same boundary a day later",
         60,
         {At(9, 0, 0), At(9, 0, 5), At(9, 0, 1)},
         "9:00 - 9:00"},
        {"set back within the window: no repeat", 1, {At(8, 0, 2), At(8, 0, 0, 500)}, "8:00 -"},
    };
    for (const TickRow& row : rows) {
        SCOPED_TRACE(row.what);
        TSchedule schedule;
        FakeWorld world;
        std::string got;
        for (const TimeFields& t : row.ticks) {
            if (!got.empty()) got += " ";
            got += Fired(schedule.Tick(t, Every(row.every), world));
        }
        EXPECT_EQ(got, row.fired);
    }
}

TEST(Schedule, QuietHoursWrapMidnight) {
    struct Row {
        const char* quiet;
        std::string silent;  // one character per hour 0..23: 'q' quiet
    };
    const Row rows[] = {
        {"23-7", "qqqqqqq................q"}, {"7-23", ".......qqqqqqqqqqqqqqqq."},
        {"0-1", "q......................."},  {"22-0", "......................qq"},
        {"5-5", "........................"},  {"", "........................"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.quiet);
        AnnounceSettings s = Every(60);
        s.quiet = row.quiet[0] != '\0';
        if (s.quiet) std::sscanf(row.quiet, "%d-%d", &s.quietFrom, &s.quietTo);
        std::string silent;
        for (int h = 0; h < 24; ++h) silent += InQuietHours(s, h) ? 'q' : '.';
        EXPECT_EQ(silent, row.silent);
        // The schedule follows it, and a quiet hour asks the window nothing.
        TSchedule schedule;
        FakeWorld world;
        for (int h = 0; h < 24; ++h) {
            const bool quiet = row.silent[h] == 'q';
            EXPECT_EQ(schedule.Tick(At(h, 0, 0, 20), s, world).has_value(), !quiet) << h;
        }
        EXPECT_EQ(world.asked, 3 * static_cast<int>(std::count(silent.begin(), silent.end(), '.')));
    }
}

TEST(Schedule, SkipsWhileAChainPlaysOrAnotherProgramIsFullScreen) {
    struct Row {
        const char* what;
        bool playing, fullScreen, fullscreenSetting;
        bool fires;
        bool mic = false, micSetting = true;
    };
    const Row rows[] = {
        {"nothing in the way", false, false, true, true},
        {"a chain playing", true, false, true, false},
        {"a chain playing, full-screen allowed", true, false, false, false},
        {"another program full-screen", false, true, true, false},
        {"full-screen, but told to speak anyway", false, true, false, true},
        {"the microphone in use", false, false, true, false, true, true},
        {"the microphone in use, but told to speak anyway", false, false, true, true, true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TSchedule schedule;
        FakeWorld world;
        AnnounceSettings s = Every(5);
        s.fullscreen = row.fullscreenSetting;
        world.playing = row.playing;
        world.fullScreen = row.fullScreen;
        s.mic = row.micSetting;
        world.mic = row.mic;
        EXPECT_EQ(schedule.Tick(At(12, 5, 0, 10), s, world).has_value(), row.fires);
        // A skipped boundary is not made up for when the chain ends a second later.
        world.playing = world.fullScreen = world.mic = false;
        EXPECT_FALSE(schedule.Tick(At(12, 5, 1, 10), s, world).has_value());
        EXPECT_TRUE(schedule.Tick(At(12, 10, 0, 10), s, world).has_value());
    }
}

// The date goes with the first announcement made after the day's start: the
// quiet hours' end, or midnight without them; one skipped passes it on.
TEST(Schedule, TheFirstAnnouncementOfTheDaySaysTheDate) {
    struct Row {
        const char* what;
        bool quiet;
        std::vector<int> hours;  // a boundary each; negative: skipped, full-screen
        std::string dated;       // per boundary: 'd' with the date, '.' without, '-' skipped
    };
    const Row rows[] = {
        {"quiet 23-7", true, {20, 22, 7, 8, 9}, "d.d.."},
        {"no quiet hours", false, {22, 23, 0, 1}, "d.d."},
        {"the first of the day skipped", true, {22, -7, 8, 9}, "d-d."},
        {"a start in the quiet hours", true, {7, 8}, "d."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TSchedule schedule;
        FakeWorld world;
        AnnounceSettings s = Every(60);
        s.quiet = row.quiet;
        s.date = true;
        std::string got;
        for (int h : row.hours) {
            world.fullScreen = h < 0;
            const auto a = schedule.Tick(At(h < 0 ? -h : h, 0, 0, 10), s, world);
            got += !a ? '-' : a->date ? 'd' : '.';
        }
        EXPECT_EQ(got, row.dated);
        s.date = false;
        EXPECT_FALSE(schedule.Tick(At(10, 0, 0, 10), s, world)->date) << "off by default";
    }
}

TEST(Schedule, CuckooCountAndPrelude) {
    const int cuckoos[24] = {12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11,
                             12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    for (int h = 0; h < 24; ++h) EXPECT_EQ(CuckooCount(h), cuckoos[h]) << h;

    using Files = std::vector<std::string>;
    struct Row {
        Chime chime;
        int hour, minute;
        Files prelude;
    };
    const Row rows[] = {
        {Chime::None, 12, 0, {}},
        {Chime::None, 12, 30, {}},
        {Chime::Bell, 12, 0, {"chime.wav"}},
        {Chime::Bell, 9, 45, {"chime.wav"}},
        {Chime::Cuckoo, 15, 0, Files(3, "kuku.wav")},
        {Chime::Cuckoo, 0, 0, Files(12, "kuku.wav")},
        {Chime::Cuckoo, 15, 30, {"chime.wav"}},
    };
    for (const Row& row : rows) {
        AnnounceSettings s = Every(15);
        s.chime = row.chime;
        EXPECT_EQ(PreludeFiles(s, row.hour, row.minute), row.prelude)
            << static_cast<int>(row.chime) << " " << row.hour << ":" << row.minute;
    }
}

}  // namespace
}  // namespace zv
