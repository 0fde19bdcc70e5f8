#pragma once
// The announcer on a fake player, timer and clock, and the chains it must
// play, worked out from the Russian words and their grammar.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/Errors.h"
#include "speech/Announcer.h"

namespace zv::test::announcing {

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
        if (!closeFails) opened_ = false;
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
    bool closeFails = false;  // a driver that holds on to its clip
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

inline const char* const kNumbers[] = {"ноль",        "один",       "два",          "три",
                                       "четыре",      "пять",       "шесть",        "семь",
                                       "восемь",      "девять",     "десять",       "одиннадцать",
                                       "двенадцать",  "тринадцать", "четырнадцать", "пятнадцать",
                                       "шестнадцать", "семнадцать", "восемнадцать", "девятнадцать"};
inline const char* const kTens[] = {"", "", "двадцать", "тридцать", "сорок", "пятьдесят"};

// "час" and "минута" agree with the number: 1, 21, 31... take the singular;
// 2-4 (but not 12-14) the genitive singular; the rest the genitive plural.
inline std::string Agree(int n, const char* one, const char* few, const char* many) {
    if (n % 10 == 1 && n % 100 != 11) return one;
    if (n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 12 || n % 100 > 14)) return few;
    return many;
}

inline std::vector<std::string> Number(int n, bool feminine) {
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

inline std::vector<std::string> Phrase(int h, int m) {
    auto words = Number(h, false);
    words.push_back(Agree(h, "час", "часа", "часов"));
    for (auto& w : Number(m, true)) words.push_back(w);
    words.push_back(Agree(m, "минута", "минуты", "минут"));
    return words;
}

inline std::string FileOf(const std::string& word) {
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

inline Files ExpectedChain(int h, int m) {
    Files files;
    for (const auto& w : Phrase(h, m)) files.push_back(FileOf(w));
    // The recordings fill the empty units slot of a round minute (20, 30...)
    // with a clip of their own, just before the minute word.
    if (m >= 20 && m % 10 == 0) files.insert(files.end() - 1, "0_0.wav");
    return files;
}

inline std::string Join(const Files& f) {
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
    TAnnouncer announcer{player, timer, clock};

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

}  // namespace zv::test::announcing
