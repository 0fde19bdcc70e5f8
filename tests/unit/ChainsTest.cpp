#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "AnnouncerRig.h"
#include "core/Errors.h"
#include "schedule/Chains.h"

namespace zv {
namespace {

using namespace test::announcing;

class FakeFolders final : public IVoiceFolders {
  public:
    std::vector<std::string> ListFolders(const std::string&) override { return {}; }
    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    std::set<std::string> files;
};

// An error box that stays open for as long as `whileOpen` runs.
class FakeHost final : public IChainsHost {
  public:
    bool OtherFullScreen() override { return false; }
    bool MicrophoneBusy() override { return false; }
    CalendarDate Today() override { return {2026, 12, 9}; }
    void ShowError(const std::string& text) override {
        shown.push_back(text);
        if (whileOpen) std::exchange(whileOpen, nullptr)();
    }
    std::vector<std::string> shown;
    std::function<void()> whileOpen;
};

struct World {
    FakePlayer player;
    FakeTimer timer;
    FakeClock clock;
    FakeFolders folders;
    FakeHost host;
    TAnnouncer announcer{player, timer, clock};
    TChains chains{player, timer, announcer, folders, host, clock};
    int errors = 0;  // shown by the window's error box

    explicit World(AnnounceSettings s) {
        player.pollsPerClip = 2;
        for (const char* f : kVoiceFiles) folders.files.insert(VoiceFile(s.voice, f));
        chains.Use(s);
    }
    template <class F>
    void Guarded(F f) {
        try {
            f();
        } catch (const EMCIDeviceError&) {
            ++errors;
        }
    }
    void Tick(int h, int m) {
        Guarded([&] { chains.Tick(TimeFields{uint16_t(h), uint16_t(m), 0, 10}); });
    }
    // Timer2, every 10 ms, until it stops; then the last word's time.
    void RunToEnd() {
        for (int i = 0; i < 1000 && timer.enabled; ++i) {
            clock.ms += 10;
            Guarded([&] { chains.Poll(); });
        }
        clock.ms += 5000;
    }
};

// A schedule of every `minutes`, without quiet hours, in `voice`.
AnnounceSettings ScheduledIn(const std::string& voice, int minutes) {
    AnnounceSettings s;
    s.every = minutes;
    s.quiet = false;
    s.voice = voice;
    return s;
}

Files Chains(std::initializer_list<std::pair<int, int>> times) {
    Files files;
    for (auto [h, m] : times) {
        for (const auto& f : ExpectedChain(h, m)) files.push_back(f);
    }
    return files;
}

// A night without a sound device: one box, and still a try at every boundary.
TEST(Chains, AScheduledFailureIsShownOnceAndTheScheduleKeepsTrying) {
    struct Step {
        int minute;
        bool sound;
        bool userAsks;  // the Time command, just before the boundary
        int errors;     // boxes shown for this step
    } steps[] = {
        {1, false, false, 1}, {2, false, false, 0},
        {3, false, false, 0}, {4, true, false, 0},  // spoken to its end
        {5, false, false, 1}, {6, false, false, 0},
        {7, false, true, 2},  // the user's own failure, and the next scheduled one
        {8, false, false, 0},
    };
    World w(ScheduledIn("", 1));
    for (const Step& step : steps) {
        SCOPED_TRACE(step.minute);
        // No sound device: the position never moves, and the driver keeps
        // the clip it could not play.
        w.player.positionAt =
            step.sound ? nullptr : std::function<int32_t(int)>([](int) { return 0; });
        w.player.closeFails = !step.sound;
        const int before = w.errors;
        if (step.userAsks) {
            w.Guarded([&] { w.chains.SpeakNow(TimeFields{3, uint16_t(step.minute - 1), 30, 0}); });
            w.RunToEnd();
        }
        w.player.played.clear();
        w.Tick(3, step.minute);
        w.RunToEnd();
        EXPECT_EQ(w.errors - before, step.errors);
        const Files whole = ExpectedChain(3, step.minute);
        EXPECT_EQ(w.player.played, step.sound ? whole : Files{whole.front()}) << "tried";
    }
}

// The style reaches the Time command, the schedule and «Прослушать»; a pack
// made before the styles speaks officially.
TEST(Chains, EveryChainSpeaksTheStyleItsVoiceHasTheWordsFor) {
    const TimeFields at{14, 45, 0, 0};
    struct Row {
        const char* what;
        bool words;  // the pack has the styles' recordings
        std::function<void(World&)> speak;
        SpeechStyle spoken;
    } rows[] = {
        {"the Time command", true, [&](World& w) { w.chains.SpeakNow(at); },
         SpeechStyle::Colloquial},
        {"the schedule", true, [](World& w) { w.Tick(14, 45); }, SpeechStyle::Colloquial},
        {"«Прослушать»", true,
         [&](World& w) { w.chains.Listen("anna", SpeechStyle::OfficialExact, at); },
         SpeechStyle::OfficialExact},
        {"the Time command, an old pack", false, [&](World& w) { w.chains.SpeakNow(at); },
         SpeechStyle::Official},
        {"«Прослушать», an old pack", false,
         [&](World& w) { w.chains.Listen("anna", SpeechStyle::Colloquial, at); },
         SpeechStyle::Official},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        AnnounceSettings s = ScheduledIn("anna", 15);
        s.style = SpeechStyle::Colloquial;
        World w(s);
        if (row.words) {
            for (const char* f : kStyleFiles) w.folders.files.insert(VoiceFile("anna", f));
        }
        row.speak(w);
        w.RunToEnd();
        Files want;
        for (const auto& f : SpokenChain(row.spoken, 14, 45)) want.push_back(VoiceFile("anna", f));
        EXPECT_EQ(w.player.played, want);
    }
}

// The date in the voice in use when it has every word of it, else whole in the
// standard voice; at the day's first boundary, after the time.
TEST(Chains, TheDateComesWholeInAVoiceThatHasItsWords) {
    struct Row {
        const char* what;
        bool dateWords;  // the pack has them
        bool scheduled;  // the first boundary, else the date command
        const char* dateVoice;
    } rows[] = {
        {"the date command", true, false, "anna"},
        {"the date command, an old pack", false, false, ""},
        {"the first boundary", true, true, "anna"},
        {"the first boundary, an old pack", false, true, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        AnnounceSettings s = ScheduledIn("anna", 60);
        s.date = true;
        World w(s);
        if (row.dateWords) {
            for (const char* f : kDateFiles) w.folders.files.insert(VoiceFile("anna", f));
        }
        Files want;
        if (row.scheduled) {
            w.Tick(7, 0);
            for (const auto& f : ExpectedChain(7, 0)) want.push_back(VoiceFile("anna", f));
        } else {
            w.chains.SpeakDate({2026, 12, 9});
        }
        w.RunToEnd();
        for (const auto& f : DateChain({2026, 12, 9})) want.push_back(VoiceFile(row.dateVoice, f));
        EXPECT_EQ(w.player.played, want);
        EXPECT_EQ(w.errors, 0);
    }
}

// The chosen voice found gone at a boundary: its box stays open for hours,
// boundaries and a Time command pass meanwhile, and closing it starts nothing.
TEST(Chains, ABoxOpenAcrossBoundariesStartsNothingStale) {
    struct Row {
        const char* what;
        std::function<void(World&)> trigger;
        Files before;  // spoken before the box opened
    } rows[] = {
        {"a scheduled announcement", [](World& w) { w.Tick(12, 0); }, Chains({{12, 0}})},
        {"the Time command",
         [](World& w) { w.Guarded([&] {
                            w.chains.SpeakNow(TimeFields{12, 7, 3, 0});
                        }); },
         Chains({{12, 7}})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        World w(ScheduledIn("anna", 60));
        w.folders.files.clear();
        w.host.whileOpen = [&] {
            w.RunToEnd();
            w.Tick(13, 0);
            w.RunToEnd();
            // The hotkey, and the box closed while that chain plays.
            w.Guarded([&] { w.chains.SpeakNow(TimeFields{13, 30, 0, 0}); });
        };
        row.trigger(w);
        w.RunToEnd();
        w.Tick(14, 0);
        w.RunToEnd();
        Files want = row.before;
        for (const auto& f : Chains({{13, 0}, {13, 30}, {14, 0}})) want.push_back(f);
        EXPECT_EQ(Join(w.player.played), Join(want));
        EXPECT_EQ(w.host.shown, (std::vector<std::string>{FellBackText("anna", "0.wav")}));
        EXPECT_EQ(w.errors, 0);
        EXPECT_FALSE(w.timer.enabled);
    }
}

}  // namespace
}  // namespace zv
