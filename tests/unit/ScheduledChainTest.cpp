#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/Errors.h"
#include "schedule/ScheduledChain.h"

namespace zv {
namespace {

using Calls = std::vector<std::string>;

// A clip ends at the second Position read after Play; Play on an ended clip
// starts it again, as the real player's rewind does.
class FakePlayer : public IClipPlayer {
  public:
    void SetFileName(const std::string& name) override { name_ = name; }
    void Open() override {
        opened_ = false;
        if (missing.count(name_)) throw EMCIDeviceError("missing " + name_);
        opened_ = true;
        calls.push_back("open " + name_);
    }
    void Play() override {
        if (!opened_) throw EMCIDeviceError("No MCI device open");
        reads_ = 0;
        calls.push_back("play");
    }
    void Close() override {
        if (opened_) calls.push_back("close");
        opened_ = false;
    }
    int32_t Length() override {
        if (!opened_) throw EMCIDeviceError("No MCI device open");
        return 100;
    }
    int32_t Position() override { return stuck ? 0 : ++reads_ >= 2 ? 100 : 50; }

    bool stuck = false;  // no sound device: the position never moves
    std::set<std::string> missing;
    Calls calls;

  private:
    std::string name_;
    bool opened_ = false;
    int reads_ = 0;
};

struct FakeTimer : IPollTimer {
    void SetEnabled(bool on) override { enabled = on; }
    bool enabled = false;
};

// Polls until the chain is done (or gives up), counting the polls.
Calls RunToEnd(TScheduledChain& chain, FakePlayer& player, FakeTimer& timer) {
    for (int i = 0; i < 200 && timer.enabled; ++i) chain.Poll();
    return player.calls;
}

Calls Opened(const Calls& calls) {
    Calls files;
    for (const std::string& c : calls)
        if (c.rfind("open ", 0) == 0) files.push_back(c.substr(5));
    return files;
}

TEST(ScheduledChain, PreludeThenTheBoundarysWords) {
    struct Row {
        const char* what;
        ScheduledAnnouncement a;
        Calls opened;
        int plays;
    };
    const Row rows[] = {
        {"no prelude: the Time command's chain",
         {21, 5, {}},
         {"20.wav", "1.wav", "chas.wav", "5.wav", "minut.wav"},
         5},
        {"a bell",
         {14, 15, {"chime.wav"}},
         {"chime.wav", "14.wav", "chasov.wav", "15.wav", "minut.wav"},
         5},
        {"three cuckoos: one open, three plays",
         {15, 0, Calls(3, "kuku.wav")},
         {"kuku.wav", "15.wav", "chasov.wav", "0.wav", "minut.wav"},
         7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        FakePlayer player;
        FakeTimer timer;
        TScheduledChain chain(player, timer);
        chain.Start(row.a);
        EXPECT_TRUE(chain.Active());
        const Calls calls = RunToEnd(chain, player, timer);
        EXPECT_FALSE(chain.Active());
        EXPECT_FALSE(timer.enabled);
        EXPECT_EQ(Opened(calls), row.opened);
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "play"), row.plays);
        // Every clip but the first is closed before the next one opens.
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "close"),
                  static_cast<long>(row.opened.size()) - 1);
    }
}

TEST(ScheduledChain, TheTimeCommandCutsIt) {
    FakePlayer player;
    FakeTimer timer;
    TScheduledChain chain(player, timer);
    chain.Start({12, 0, Calls(12, "kuku.wav")});
    chain.Poll();
    chain.Cancel();
    EXPECT_FALSE(chain.Active());
    const size_t before = player.calls.size();
    for (int i = 0; i < 10; ++i) chain.Poll();
    EXPECT_EQ(player.calls.size(), before);
}

TEST(ScheduledChain, AMissingBellIsReportedOnceAndTheTimeIsStillSpoken) {
    FakePlayer player;
    FakeTimer timer;
    player.missing = {"chime.wav"};
    TScheduledChain chain(player, timer);
    EXPECT_THROW(chain.Start({9, 30, {"chime.wav"}}), EMCIDeviceError);
    EXPECT_TRUE(chain.Active());
    EXPECT_EQ(Opened(RunToEnd(chain, player, timer)),
              (Calls{"9.wav", "chasov.wav", "30.wav", "0_0.wav", "minut.wav"}));
}

struct FakeClock : IMonotonicClock {
    int64_t NowMs() override { return ms; }
    int64_t ms = 0;
};

// The bell and the cuckoo are the clock's own; the words come from the voice.
TEST(ScheduledChain, TheWordsComeFromTheVoiceTheBellFromBeside) {
    FakePlayer player;
    FakeTimer timer;
    TScheduledChain chain(player, timer);
    chain.SetVoice("anna");
    chain.Start({1, 0, {"kuku.wav"}});
    EXPECT_EQ(Opened(RunToEnd(chain, player, timer)),
              (Calls{"kuku.wav", "voices\\anna\\1.wav", "voices\\anna\\chas.wav",
                     "voices\\anna\\0.wav", "voices\\anna\\minut.wav"}));
}

// Without a sound device the bell never ends: the announcement is given up
// once, after the clip's length plus the margin, and the poll stops.
TEST(ScheduledChain, ABellThatNeverSoundsEndsTheAnnouncementOnce) {
    FakePlayer player;
    FakeTimer timer;
    FakeClock clock;
    player.stuck = true;
    TScheduledChain chain(player, timer, clock);
    chain.Start({9, 30, {"chime.wav"}});
    int errors = 0;
    int64_t errorAt = -1;
    for (int i = 0; i < 1000 && timer.enabled; ++i) {
        clock.ms += 10;
        try {
            chain.Poll();
        } catch (const EMCIDeviceError&) {
            ++errors;
            errorAt = clock.ms;
        }
    }
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(errorAt, 100 + kStallMarginMs + 20);  // the first read, then past the limit
    EXPECT_FALSE(timer.enabled);
    EXPECT_FALSE(chain.Active());
    EXPECT_EQ(player.calls.back(), "close");
}

// What the schedule counts as playing: the chain until its last word has
// ended, and nothing once it is cut.
TEST(ScheduledChain, SoundsUntilItsLastWordHasEnded) {
    FakePlayer player;
    FakeTimer timer;
    TScheduledChain chain(player, timer);
    EXPECT_FALSE(chain.Sounding());
    chain.Start({1, 0, {"kuku.wav"}});
    EXPECT_TRUE(chain.Sounding());
    RunToEnd(chain, player, timer);
    EXPECT_TRUE(chain.Sounding()) << "the last word plays";
    EXPECT_FALSE(chain.Sounding()) << "and has ended";
    chain.Start({2, 0, {}});
    chain.Cancel();
    EXPECT_FALSE(chain.Sounding());
}

}  // namespace
}  // namespace zv
