// The announcement chain for any time fields, through the real clip player
// over a simulated MCI device, driven by a script of Timer2 polls, Button1
// presses, clock changes and MCI notifications. Also the clock face's
// read-out and hands for the same fields.
//
// Input: flags, hour, minute, second (16 bits each, little-endian), clip
// length, position step, end-of-clip tail, a 40-bit mask of missing
// recordings, then one script byte per step.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/ClockFace.h"
#include "app/FrameComposer.h"
#include "core/Errors.h"
#include "speech/Announcer.h"
#include "speech/MediaPlayer.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/SimulatedMci.h"

namespace zv {
namespace {

using test::kMciFileNotFoundText;
using test::RecordingIndex;

// --- The chain from Russian grammar. ---

std::string Number(unsigned n) {
    return std::to_string(n) + ".wav";
}
std::string Feminine(unsigned n) {
    return n == 1 ? "odna.wav" : n == 2 ? "dve.wav" : Number(n);
}
const char* Agree(unsigned n, const char* one, const char* few, const char* many) {
    if (n % 10 == 1 && n % 100 != 11) return one;
    if (n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 12 || n % 100 > 14)) return few;
    return many;
}

std::vector<std::string> ExpectedChain(unsigned h, unsigned m) {
    std::vector<std::string> files;
    if (h <= 20) {
        files.push_back(Number(h));
    } else {
        files.insert(files.end(), {"20.wav", Number(h - 20)});
    }
    files.emplace_back(Agree(h, "chas.wav", "chasa.wav", "chasov.wav"));
    if (m < 20) {
        files.push_back(Feminine(m));
    } else {
        files.push_back(Number(m / 10 * 10));
        files.push_back(m % 10 == 0 ? "0_0.wav" : Feminine(m % 10));
    }
    files.emplace_back(Agree(m, "minuta.wav", "minuty.wav", "minut.wav"));
    return files;
}

class Timer final : public IPollTimer {
  public:
    void SetEnabled(bool on) override { enabled = on; }
    bool enabled = false;
};

class Input {
  public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ >= size_; }
    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    uint16_t Word() {
        const uint16_t low = Byte();
        return static_cast<uint16_t>(low | Byte() << 8);
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

void CheckFace(const TimeFields& t, bool inDay) {
    const ReadOut r = MakeReadOut(t);
    ZV_CHECK(r.hours == std::to_string(t.hour) + ":");
    ZV_CHECK(r.minutes.size() == 3 && r.minutes[2] == ':' && r.seconds.size() == 2);
    for (char c : r.minutes.substr(0, 2) + r.seconds) ZV_CHECK(c >= '0' && c <= '9');
    if (inDay) {
        char two[8];
        std::snprintf(two, sizeof two, "%02u:", unsigned{t.minute});
        ZV_CHECK(r.minutes == two);
        std::snprintf(two, sizeof two, "%02u", unsigned{t.second});
        ZV_CHECK(r.seconds == two);
    }
    static TFaceComposer face = [] {
        TFaceComposer f;
        f.Reset(Image(2 * kDesignHub.x, 2 * kDesignHub.y, 0), HandsGeometry{});
        return f;
    }();
    face.Update(TipsAt(t, kDesignDpi));
    ZV_CHECK(face.Face().At(kDesignHub.x, kDesignHub.y) ==
             kHourHandColour);  // the hour hand is drawn last
}

class Run {
  public:
    Run(test::TSimulatedMci& mci, const uint8_t* data, size_t size) : in_(data, size), mci_(mci) {
        mci_.onOpen = [this](const std::string& name) { opened_.push_back(name); };
        const uint8_t flags = in_.Byte();
        inDay_ = (flags & 1) == 0;
        face_ = (flags & 2) != 0;
        now_.hour = in_.Word();
        now_.minute = in_.Word();
        now_.second = in_.Word();
        if (inDay_) {
            now_.hour %= 24;
            now_.minute %= 60;
            now_.second %= 60;
        }
        mci_.length = in_.Byte();
        mci_.step = in_.Byte() % 16 + 1U;
        mci_.tail = in_.Byte() % 8;
        for (int i = 0; i < 5; ++i) mci_.missing |= uint64_t{in_.Byte()} << (8 * i);
        if ((flags & 4) == 0) mci_.missing = 0;
        // A style's chain is made for a time of day only.
        if (inDay_) style_ = SpeechStyle((flags >> 3) % 3);
        announcer_.SetVoice("", style_);
    }

    void Go() {
        if (face_) CheckFace(now_, inDay_);
        Press();
        for (int steps = 0; steps < 2000 && !in_.Empty(); ++steps) {
            const uint8_t op = in_.Byte();
            switch (op % 8) {
                case 3:
                    Press();
                    break;
                case 4:
                    Tick();
                    break;
                case 5:
                    now_.minute = inDay_ ? in_.Byte() % 60 : in_.Word();
                    break;
                case 6:
                    now_.hour = inDay_ ? in_.Byte() % 24 : in_.Word();
                    break;
                case 7:
                    player_.OnMciNotify(in_.Byte());
                    break;
                default:
                    Poll();
                    break;
            }
        }
        // Whatever the script did, a chain left running ends by itself.
        int polls = 0;
        while (timer_.enabled) {
            ZV_CHECK(++polls <= 6 * (255 + 8 + 2));
            Poll();
        }
        const size_t traffic = opened_.size();
        for (int i = 0; i < 3; ++i) Poll();
        ZV_CHECK(opened_.size() == traffic);
        ZV_CHECK(mci_.strays == 0 && mci_.doubleOpens == 0 && mci_.badFlags == 0);
    }

  private:
    // Button1.
    void Press() {
        chainStart_ = opened_.size();
        startedAt_ = now_;
        Guard([&] { announcer_.Start(now_); });
        // «полдень» alone is a last word at once: nothing left to poll for.
        ZV_CHECK(failed_ ? !timer_.enabled : timer_.enabled || announcer_.State() == 5);
        AfterStep();
    }

    // Timer2, which only fires while enabled.
    void Poll() {
        if (!timer_.enabled) return;
        Guard([&] { announcer_.Poll(); });
        AfterStep();
    }

    // The clock tick: one second on.
    void Tick() {
        if (!inDay_) {
            if (++now_.second == 0) ++now_.minute;
            return;
        }
        if (++now_.second < 60) return;
        now_.second = 0;
        if (++now_.minute < 60) return;
        now_.minute = 0;
        if (++now_.hour == 24) now_.hour = 0;
    }

    // A failed open is the one error the chain documents; it ends the chain.
    template <class F>
    void Guard(F f) {
        failed_ = false;
        try {
            f();
        } catch (const EMCIDeviceError& e) {
            ZV_CHECK(std::string_view(e.what()) == kMciFileNotFoundText);
            ZV_CHECK(!opened_.empty());
            const int index = RecordingIndex(opened_.back());
            ZV_CHECK(index >= 0 && (mci_.missing >> index & 1) != 0);
            ZV_CHECK(!timer_.enabled);
            failed_ = true;
        }
    }

    void AfterStep() {
        const size_t clips = opened_.size() - chainStart_;
        ZV_CHECK(clips >= 1 && clips <= 6);
        ZV_CHECK(announcer_.State() <= 5);
        ZV_CHECK(mci_.Open() == (player_.DeviceId() != 0));
        if (inDay_) {
            for (size_t i = chainStart_; i < opened_.size(); ++i) {
                ZV_CHECK(RecordingIndex(opened_[i]) >= 0);
            }
        }
        if (failed_ || timer_.enabled) return;
        ZV_CHECK(announcer_.State() == 5);
        ZV_CHECK(mci_.Open());  // the last clip stays open until the next chain
        // However the clock moved meanwhile, the chain speaks the time it
        // was started for.
        if (inDay_) {
            const std::vector<std::string> spoken(
                opened_.begin() + static_cast<ptrdiff_t>(chainStart_), opened_.end());
            ZV_CHECK(spoken == (style_ == SpeechStyle::Official
                                    ? ExpectedChain(startedAt_.hour, startedAt_.minute)
                                    : SpokenChain(style_, startedAt_.hour, startedAt_.minute)));
        }
    }

    Input in_;
    bool inDay_ = true;
    bool face_ = false;
    TimeFields now_;
    test::TSimulatedMci& mci_;
    std::vector<std::string> opened_;
    Timer timer_;
    TMediaPlayer player_{mci_, [] { return uintptr_t{0x1234}; }};
    TAnnouncer announcer_{player_, timer_};
    size_t chainStart_ = 0;
    TimeFields startedAt_;
    SpeechStyle style_ = SpeechStyle::Official;
    bool failed_ = false;
};

void Fuzz(const uint8_t* data, size_t size) {
    test::TSimulatedMci mci;
    {
        Run run(mci, data, size);
        run.Go();
    }
    ZV_CHECK(!mci.Open());  // the player closes its device when it goes
}

}  // namespace
}  // namespace zv

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zv::Fuzz(data, size);
    return 0;
}
