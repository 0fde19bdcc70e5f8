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

TEST(AnnouncerTest, AMissingRecordingIsReportedOnceAndTheNextStartIsClean) {
    for (const char* missing : {"5.wav", "chasov.wav", "0.wav", "minut.wav"}) {
        Rig rig(5, 0);
        rig.player.missing = {missing};
        int errors = 0;
        auto guarded = [&](auto&& f) {
            try {
                f();
            } catch (const EMCIDeviceError&) {
                ++errors;
                EXPECT_FALSE(rig.timer.enabled) << "the poll is off before the error is shown";
            }
        };
        guarded([&] { rig.announcer.Start(rig.now); });
        for (int i = 0; i < 20; ++i) guarded([&] { rig.announcer.Poll(); });
        EXPECT_EQ(errors, 1) << missing;
        EXPECT_FALSE(rig.timer.enabled) << missing;

        rig.player.missing.clear();
        rig.player.played.clear();
        rig.announcer.Start(rig.now);
        EXPECT_TRUE(rig.timer.enabled);
        rig.RunToEnd();
        EXPECT_EQ(rig.player.played, ExpectedChain(5, 0)) << missing;
    }
}

TEST(AnnouncerTest, APlayThatFailsKeepsThePollRunning) {
    Rig rig(7, 7);
    rig.player.playFails = true;
    rig.announcer.Start(rig.now);
    for (int i = 0; i < 50; ++i) EXPECT_NO_THROW(rig.announcer.Poll());
    EXPECT_TRUE(rig.timer.enabled);
    EXPECT_EQ(rig.player.played, Files{"7.wav"});
    EXPECT_EQ(rig.announcer.State(), 0);
}

TEST(AnnouncerTest, AClipThatStandsStillEndsTheChainOnceAndTheNextStartTriesAgain) {
    // The clips are 800 ms long: a clip may stand still for 2800 ms. A poll
    // every 10 ms; the n-th poll after Play reads position n.
    struct Case {
        const char* what;
        std::function<int32_t(int)> positionAt;
        int errorAfterMs;   // -1: the chain plays to its end
        int sleepsAt = -1;  // the poll before which the machine sleeps an hour and wakes
    } cases[] = {
        {"no sound device: the position never moves", [](int) { return 0; }, 2820},
        {"moves, then sticks at 400", [](int n) { return std::min(n * 10, 400); }, 3220},
        {"one poll short of the limit, then at the end", [](int n) { return n <= 280 ? 0 : 800; },
         -1},
        {"one poll over the limit", [](int n) { return n <= 281 ? 0 : 800; }, 2820},
        {"a slow device that creeps on", [](int n) { return std::min(n, 800); }, -1},
        {"the machine sleeps in the middle of a clip", [](int n) { return n <= 100 ? 0 : 800; }, -1,
         100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig(7, 7);
        rig.player.positionAt = c.positionAt;
        const int64_t start = rig.clock.ms;
        int errors = 0;
        int64_t errorAt = -1;
        rig.announcer.Start(rig.now);
        for (int i = 0; i < 3000 && rig.timer.enabled; ++i) {
            rig.clock.ms += 10;
            if (i + 1 == c.sleepsAt) {
                rig.clock.ms += 3600 * 1000;
                rig.announcer.Resumed();
            }
            try {
                rig.announcer.Poll();
            } catch (const EMCIDeviceError& e) {
                ++errors;
                errorAt = rig.clock.ms - start;
                EXPECT_EQ(e.what(), PlaybackFailedText("7.wav"));
                EXPECT_FALSE(rig.timer.enabled);
            }
        }
        EXPECT_EQ(errorAt, c.errorAfterMs);
        EXPECT_EQ(errors, c.errorAfterMs < 0 ? 0 : 1);
        if (c.errorAfterMs < 0) {
            EXPECT_EQ(rig.player.played, ExpectedChain(7, 7));
            continue;
        }
        // The device is let go, and the poll stays quiet.
        EXPECT_EQ(rig.player.calls.back(), "close");
        const auto calls = rig.player.calls;
        for (int i = 0; i < 5; ++i) rig.announcer.Poll();
        EXPECT_EQ(rig.player.calls, calls);

        rig.player.positionAt = nullptr;
        rig.player.played.clear();
        rig.announcer.Start(rig.now);
        rig.RunToEnd();
        EXPECT_EQ(rig.player.played, ExpectedChain(7, 7));
    }
}

// A pack's words are opened by their path under the program folder; the
// standard voice keeps the bare names, so its traffic is what it always was.
TEST(AnnouncerTest, TheVoiceChoosesTheFolderAndListeningDoesNotChangeIt) {
    auto under = [](const std::string& folder, Files files) {
        for (auto& f : files) f = folder + f;
        return files;
    };
    struct Case {
        const char* chosen;
        const char* listenedTo;  // nullptr: a plain Start
        std::string folder;      // what the chain is played from
    } cases[] = {
        {"", nullptr, ""},
        {"anna", nullptr, "voices\\anna\\"},
        {"anna", "", ""},
        {"", "aleksandr", "voices\\aleksandr\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.chosen) + " / " + (c.listenedTo ? c.listenedTo : "-"));
        Rig rig(21, 5);
        rig.announcer.SetVoice(c.chosen);
        if (c.listenedTo) {
            rig.announcer.StartIn(c.listenedTo, SpeechStyle::Official, rig.now);
        } else {
            rig.announcer.Start(rig.now);
        }
        rig.RunToEnd();
        EXPECT_EQ(rig.player.played, under(c.folder, ExpectedChain(21, 5)));
        // The next chain is in the chosen voice again.
        rig.player.played.clear();
        rig.announcer.Start(rig.now);
        rig.RunToEnd();
        EXPECT_EQ(rig.player.played,
                  under(*c.chosen ? "voices\\" + std::string(c.chosen) + "\\" : "",
                        ExpectedChain(21, 5)));
    }
}

// What the schedule counts as still playing at a boundary: a chain polled or
// its last word sounding, not a word the device never plays to its end. (A
// failed chain counts for nothing: see the Chains tests.)
TEST(AnnouncerTest, SoundingIsAChainOrItsLastWordStillPlaying) {
    struct Case {
        const char* what;
        int pollsPerClip;
        std::function<void(Rig&)> after;  // once the chain has been run
        bool sounding;
    } cases[] = {
        {"the last word plays", 1000, nullptr, true},
        {"the last word has ended", 0, nullptr, false},
        {"the last word stands still past its length and the margin", 1000,
         [](Rig& r) { r.clock.ms += 800 + kStallMarginMs + 1; }, false},
        {"cancelled in its last word", 1000, [](Rig& r) { r.announcer.Cancel(); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig(10, 10, c.pollsPerClip);
        rig.announcer.Start(rig.now);
        EXPECT_TRUE(rig.announcer.Sounding());
        // The minute word is the last: start it and poll no more.
        while (rig.announcer.Polling()) {
            rig.player.positionAt = [](int) { return 800; };
            rig.announcer.Poll();
            rig.player.positionAt = nullptr;
        }
        if (c.after) c.after(rig);
        EXPECT_EQ(rig.announcer.Sounding(), c.sounding);
    }
}

TEST(AnnouncerTest, PollsAfterTheEndDoNothing) {
    Rig rig(9, 9);
    rig.announcer.Start(rig.now);
    rig.RunToEnd();
    const auto calls = rig.player.calls;
    for (int i = 0; i < 5; ++i) rig.announcer.Poll();
    EXPECT_EQ(rig.player.calls, calls);
    EXPECT_EQ(rig.announcer.State(), 5);
}

}  // namespace
}  // namespace zv
