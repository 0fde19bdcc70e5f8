#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/Errors.h"
#include "speech/Announcer.h"

namespace zv {
namespace {

using Files = std::vector<std::string>;

// A clip "finishes" when Position has been read pollsPerClip times after Play.
// Like the real player, Length raises when nothing is open.
class FakePlayer : public IClipPlayer {
  public:
    void SetFileName(const std::string& name) override { name_ = name; }
    void Open() override {
        opened_ = false;  // the real player closes the previous clip first
        if (missing.count(name_)) throw EMCIDeviceError("The specified file was not found.");
        opened_ = true;
        playing_ = false;
        reads_ = 0;
        calls.push_back("open " + name_);
    }
    void Play() override {
        if (!opened_) throw EMCIDeviceError("No MCI device open");
        played.push_back(name_);
        calls.push_back("play");
        playing_ = !playFails;
    }
    void Close() override {
        if (opened_) calls.push_back("close");
        opened_ = false;
    }
    int32_t Length() override {
        if (!opened_) throw EMCIDeviceError("No MCI device open");
        return kLength;
    }
    int32_t Position() override {
        if (positionAt) return opened_ ? positionAt(reads_++) : 0;
        if (!opened_ || !playing_) return 0;
        return reads_++ >= pollsPerClip ? kLength : kLength / 2;
    }

    int pollsPerClip = 0;
    bool playFails = false;
    // When set: the position at the n-th read since Open, n from 0.
    std::function<int32_t(int)> positionAt;
    std::set<std::string> missing;
    Files played;
    std::vector<std::string> calls;

  private:
    static constexpr int32_t kLength = 800;
    std::string name_;
    bool opened_ = false, playing_ = false;
    int reads_ = 0;
};

class FakeClock : public IMonotonicClock {
  public:
    int64_t NowMs() override { return ms; }
    int64_t ms = 1'000'000;
};

class FakeTimer : public IPollTimer {
  public:
    void SetEnabled(bool on) override { enabled = on; }
    bool enabled = false;
};

// --- The expected chains, from the Russian words and their grammar. ---

const char* const kNumbers[] = {"ноль",        "один",       "два",          "три",
                                "четыре",      "пять",       "шесть",        "семь",
                                "восемь",      "девять",     "десять",       "одиннадцать",
                                "двенадцать",  "тринадцать", "четырнадцать", "пятнадцать",
                                "шестнадцать", "семнадцать", "восемнадцать", "девятнадцать"};
const char* const kTens[] = {"", "", "двадцать", "тридцать", "сорок", "пятьдесят"};

// "час" and "минута" agree with the number: 1, 21, 31... take the singular;
// 2-4 (but not 12-14) the genitive singular; the rest the genitive plural.
std::string Agree(int n, const char* one, const char* few, const char* many) {
    if (n % 10 == 1 && n % 100 != 11) return one;
    if (n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 12 || n % 100 > 14)) return few;
    return many;
}

std::vector<std::string> Number(int n, bool feminine) {
    std::vector<std::string> words;
    if (n < 20) {
        words.push_back(kNumbers[n]);
    } else {
        words.push_back(kTens[n / 10]);
        if (n % 10 != 0) words.push_back(kNumbers[n % 10]);
    }
    if (feminine && words.back() == "один") words.back() = "одна";
    if (feminine && words.back() == "два") words.back() = "две";
    return words;
}

std::vector<std::string> Phrase(int h, int m) {
    auto words = Number(h, false);
    words.push_back(Agree(h, "час", "часа", "часов"));
    for (auto& w : Number(m, true)) words.push_back(w);
    words.push_back(Agree(m, "минута", "минуты", "минут"));
    return words;
}

std::string FileOf(const std::string& word) {
    for (int i = 0; i < 20; ++i) {
        if (word == kNumbers[i]) return std::to_string(i) + ".wav";
    }
    for (int t = 2; t <= 5; ++t) {
        if (word == kTens[t]) return std::to_string(t * 10) + ".wav";
    }
    static const std::pair<const char*, const char*> kWords[] = {
        {"одна", "odna.wav"},     {"две", "dve.wav"},      {"час", "chas.wav"},
        {"часа", "chasa.wav"},    {"часов", "chasov.wav"}, {"минута", "minuta.wav"},
        {"минуты", "minuty.wav"}, {"минут", "minut.wav"}};
    for (auto [w, f] : kWords) {
        if (word == w) return f;
    }
    ADD_FAILURE() << "no recording for " << word;
    return {};
}

Files ExpectedChain(int h, int m) {
    Files files;
    for (const auto& w : Phrase(h, m)) files.push_back(FileOf(w));
    // The recordings fill the empty units slot of a round minute (20, 30...)
    // with a clip of their own, just before the minute word.
    if (m >= 20 && m % 10 == 0) files.insert(files.end() - 1, "0_0.wav");
    return files;
}

std::string Join(const Files& f) {
    std::string s;
    for (const auto& x : f) s += x + " ";
    return s;
}

// --- Driving the announcer. ---

struct Rig {
    FakePlayer player;
    FakeTimer timer;
    TimeFields now;
    FakeClock clock;  // stands still unless a test moves it
    TAnnouncer announcer{player, timer, now, clock};

    Rig(int h, int m, int pollsPerClip = 0) {
        now.hour = static_cast<uint16_t>(h);
        now.minute = static_cast<uint16_t>(m);
        player.pollsPerClip = pollsPerClip;
    }

    // Polls while the timer is on; `each` runs before every poll. Returns the
    // number of polls, bounded so a broken chain cannot hang the test.
    int RunToEnd(const std::function<void()>& each = {}) {
        int polls = 0;
        while (timer.enabled && polls < 500) {
            if (each) each();
            announcer.Poll();
            ++polls;
        }
        return polls;
    }
};

TEST(AnnouncerTest, EveryMinuteOfTheDaySpeaksTheRightWords) {
    for (int pollsPerClip : {0, 3}) {
        for (int h = 0; h < 24; ++h) {
            for (int m = 0; m < 60; ++m) {
                Rig rig(h, m, pollsPerClip);
                rig.announcer.Start();
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
        rig.announcer.Start();
        rig.RunToEnd();
        EXPECT_EQ(rig.player.played, c.files) << c.h << ":" << c.m;
    }
}

TEST(AnnouncerTest, EachStepClosesThenOpensAndPlaysAndTheLastStopsThePoll) {
    Rig rig(14, 15);
    rig.announcer.Start();
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
    rig.announcer.Start();
    for (int i = 0; i < 40; ++i) rig.announcer.Poll();
    EXPECT_EQ(rig.player.played, Files{"3.wav"});
    EXPECT_EQ(rig.announcer.State(), 0);
}

TEST(AnnouncerTest, StartDuringOrAfterAChainBeginsAgainAtTheHour) {
    const Files chain = ExpectedChain(21, 5);
    for (size_t clipsBefore : {1, 3, 5}) {
        Rig rig(21, 5, 2);
        rig.announcer.Start();
        bool restarted = false;
        rig.RunToEnd([&] {
            if (!restarted && rig.player.played.size() == clipsBefore) {
                restarted = true;
                rig.announcer.Start();
            }
        });
        if (!restarted) {  // the chain had already ended
            rig.announcer.Start();
            rig.RunToEnd();
        }
        Files expected(chain.begin(), chain.begin() + static_cast<ptrdiff_t>(clipsBefore));
        expected.insert(expected.end(), chain.begin(), chain.end());
        EXPECT_EQ(Join(rig.player.played), Join(expected)) << clipsBefore;
        EXPECT_EQ(rig.announcer.State(), 5);
    }
}

TEST(AnnouncerTest, TheTimeIsReadAtEveryStep) {
    struct Case {
        int h, m;
        size_t afterClips;  // the clock moves once this many clips have started
        int h2, m2;
        Files files;
    } cases[] = {
        // The minute moves on while the hour is spoken.
        {12, 19, 2, 12, 20, {"12.wav", "chasov.wav", "20.wav", "0_0.wav", "minut.wav"}},
        // ... while the tens are spoken: the units are those of the new minute.
        {12, 29, 3, 12, 30, {"12.wav", "chasov.wav", "20.wav", "0_0.wav", "minut.wav"}},
        // ... while the units are spoken: the word agrees with the new minute.
        {12, 21, 4, 12, 22, {"12.wav", "chasov.wav", "20.wav", "odna.wav", "minuty.wav"}},
        // The hour moves on while its number is spoken.
        {20, 59, 1, 21, 0, {"20.wav", "chas.wav", "0.wav", "minut.wav"}},
    };
    for (const auto& c : cases) {
        Rig rig(c.h, c.m, 2);
        rig.announcer.Start();
        rig.RunToEnd([&] {
            if (rig.player.played.size() == c.afterClips) {
                rig.now.hour = static_cast<uint16_t>(c.h2);
                rig.now.minute = static_cast<uint16_t>(c.m2);
            }
        });
        EXPECT_EQ(rig.player.played, c.files) << c.h << ":" << c.m;
    }
}

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
        guarded([&] { rig.announcer.Start(); });
        for (int i = 0; i < 20; ++i) guarded([&] { rig.announcer.Poll(); });
        EXPECT_EQ(errors, 1) << missing;
        EXPECT_FALSE(rig.timer.enabled) << missing;

        rig.player.missing.clear();
        rig.player.played.clear();
        rig.announcer.Start();
        EXPECT_TRUE(rig.timer.enabled);
        rig.RunToEnd();
        EXPECT_EQ(rig.player.played, ExpectedChain(5, 0)) << missing;
    }
}

TEST(AnnouncerTest, APlayThatFailsKeepsThePollRunning) {
    Rig rig(7, 7);
    rig.player.playFails = true;
    rig.announcer.Start();
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
        int errorAfterMs;  // -1: the chain plays to its end
    } cases[] = {
        {"no sound device: the position never moves", [](int) { return 0; }, 2820},
        {"moves, then sticks at 400", [](int n) { return std::min(n * 10, 400); }, 3220},
        {"one poll short of the limit, then at the end", [](int n) { return n <= 280 ? 0 : 800; },
         -1},
        {"one poll over the limit", [](int n) { return n <= 281 ? 0 : 800; }, 2820},
        {"a slow device that creeps on", [](int n) { return std::min(n, 800); }, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig(7, 7);
        rig.player.positionAt = c.positionAt;
        const int64_t start = rig.clock.ms;
        int errors = 0;
        int64_t errorAt = -1;
        rig.announcer.Start();
        for (int i = 0; i < 3000 && rig.timer.enabled; ++i) {
            rig.clock.ms += 10;
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
        rig.announcer.Start();
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
            rig.announcer.StartIn(c.listenedTo);
        } else {
            rig.announcer.Start();
        }
        rig.RunToEnd();
        EXPECT_EQ(rig.player.played, under(c.folder, ExpectedChain(21, 5)));
        // The next chain is in the chosen voice again.
        rig.player.played.clear();
        rig.announcer.Start();
        rig.RunToEnd();
        EXPECT_EQ(rig.player.played,
                  under(*c.chosen ? "voices\\" + std::string(c.chosen) + "\\" : "",
                        ExpectedChain(21, 5)));
    }
}

TEST(AnnouncerTest, PollsAfterTheEndDoNothing) {
    Rig rig(9, 9);
    rig.announcer.Start();
    rig.RunToEnd();
    const auto calls = rig.player.calls;
    for (int i = 0; i < 5; ++i) rig.announcer.Poll();
    EXPECT_EQ(rig.player.calls, calls);
    EXPECT_EQ(rig.announcer.State(), 5);
}

}  // namespace
}  // namespace zv
