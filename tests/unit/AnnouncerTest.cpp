#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "AnnouncerRig.h"
#include "core/Errors.h"
#include "speech/Announcer.h"

namespace zv {
namespace {

using namespace test::announcing;

TEST(AnnouncerTest, EveryMinuteOfTheDaySpeaksTheRightWords) {
    for (int pollsPerClip : {0, 3}) {
        for (int h = 0; h < 24; ++h) {
            for (int m = 0; m < 60; ++m) {
                Rig rig(h, m, pollsPerClip);
                rig.announcer.Start(rig.now);
                const int polls = rig.RunToEnd();
                const Files expected = ExpectedChain(h, m);
                ASSERT_EQ(Join(rig.player.played), Join(expected)) << h << ":" << m;
                // One step per finished clip, never two in one tick.
                ASSERT_EQ(polls, static_cast<int>(expected.size() - 1) * (pollsPerClip + 1))
                    << h << ":" << m;
                ASSERT_EQ(rig.announcer.State(), 5);
                ASSERT_EQ(rig.player.calls.back(), "play") << "the last clip stays open";
            }
        }
    }
}

TEST(AnnouncerTest, WorkedChains) {
    struct Case {
        int h, m;
        Files files;
    } cases[] = {
        {0, 0, {"0.wav", "chasov.wav", "0.wav", "minut.wav"}},
        {1, 1, {"1.wav", "chas.wav", "odna.wav", "minuta.wav"}},
        {2, 22, {"2.wav", "chasa.wav", "20.wav", "dve.wav", "minuty.wav"}},
        {12, 40, {"12.wav", "chasov.wav", "40.wav", "0_0.wav", "minut.wav"}},
        {14, 15, {"14.wav", "chasov.wav", "15.wav", "minut.wav"}},
        {20, 20, {"20.wav", "chasov.wav", "20.wav", "0_0.wav", "minut.wav"}},
        {21, 5, {"20.wav", "1.wav", "chas.wav", "5.wav", "minut.wav"}},
        {23, 31, {"20.wav", "3.wav", "chasa.wav", "30.wav", "odna.wav", "minuta.wav"}},
    };
    for (const auto& c : cases) {
        Rig rig(c.h, c.m, 1);
        rig.announcer.Start(rig.now);
        rig.RunToEnd();
        EXPECT_EQ(rig.player.played, c.files) << c.h << ":" << c.m;
    }
}

TEST(AnnouncerTest, EachStepClosesThenOpensAndPlaysAndTheLastStopsThePoll) {
    Rig rig(14, 15);
    rig.announcer.Start(rig.now);
    EXPECT_TRUE(rig.timer.enabled);
    EXPECT_EQ(rig.player.calls, (std::vector<std::string>{"open 14.wav", "play"}));
    rig.RunToEnd();
    EXPECT_EQ(rig.player.calls,
              (std::vector<std::string>{"open 14.wav", "play", "close", "open chasov.wav", "play",
                                        "close", "open 15.wav", "play", "close", "open minut.wav",
                                        "play"}));
    EXPECT_FALSE(rig.timer.enabled);
}

TEST(AnnouncerTest, NothingHappensWhileTheClipPlays) {
    Rig rig(3, 3, 40);
    rig.announcer.Start(rig.now);
    for (int i = 0; i < 40; ++i) rig.announcer.Poll();
    EXPECT_EQ(rig.player.played, Files{"3.wav"});
    EXPECT_EQ(rig.announcer.State(), 0);
}

TEST(AnnouncerTest, StartDuringOrAfterAChainBeginsAgainAtTheHour) {
    const Files chain = ExpectedChain(21, 5);
    for (size_t clipsBefore : {1, 3, 5}) {
        Rig rig(21, 5, 2);
        rig.announcer.Start(rig.now);
        bool restarted = false;
        rig.RunToEnd([&] {
            if (!restarted && rig.player.played.size() == clipsBefore) {
                restarted = true;
                rig.announcer.Start(rig.now);
            }
        });
        if (!restarted) {  // the chain had already ended
            rig.announcer.Start(rig.now);
            rig.RunToEnd();
        }
        Files expected(chain.begin(), chain.begin() + static_cast<ptrdiff_t>(clipsBefore));
        expected.insert(expected.end(), chain.begin(), chain.end());
        EXPECT_EQ(Join(rig.player.played), Join(expected)) << clipsBefore;
        EXPECT_EQ(rig.announcer.State(), 5);
    }
}

TEST(AnnouncerTest, TheTimeAskedIsSpokenToTheEnd) {
    // The clock moves on once this many clips have started; the chain still
    // speaks the time it was started for, never a mix of the two.
    struct Case {
        int h, m;
        size_t afterClips;
        int h2, m2;
    } cases[] = {
        {12, 19, 2, 12, 20},  // while the hour word plays: not "двадцать"
        {12, 29, 3, 12, 30},  // while the tens play: not "двадцать ноль"
        {12, 21, 4, 12, 22},  // while the units play: not "одна минуты"
        {20, 59, 1, 21, 0},   // while the hour plays: not "двадцать час"
        {23, 59, 2, 0, 0},    // at midnight
    };
    for (const auto& c : cases) {
        Rig rig(c.h, c.m, 2);
        rig.announcer.Start(rig.now);
        rig.RunToEnd([&] {
            if (rig.player.played.size() == c.afterClips) {
                rig.now.hour = static_cast<uint16_t>(c.h2);
                rig.now.minute = static_cast<uint16_t>(c.m2);
            }
        });
        EXPECT_EQ(rig.player.played, ExpectedChain(c.h, c.m)) << c.h << ":" << c.m;
    }
}

}  // namespace
}  // namespace zv
