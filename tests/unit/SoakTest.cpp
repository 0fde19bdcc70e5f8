// Long runs of the platform-free tick work: a whole day of clock ticks, and
// announcements back to back, with the heap in use measured as they go. The
// program runs for weeks in the tray; whatever grows per tick or per chain
// would show here.
#include <gtest/gtest.h>
#include <malloc.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <map>
#include <string>
#include <utility>

#include "app/ClockFace.h"
#include "app/FrameComposer.h"
#include "app/Layout.h"
#include "core/Errors.h"
#include "settings/FileStore.h"
#include "settings/Form3Handlers.h"
#include "settings/Hotkey.h"
#include "settings/Memo.h"
#include "shell/AutoRunner.h"
#include "speech/Announcer.h"
#include "speech/MediaPlayer.h"
#include "tests/fuzz/SimulatedMci.h"
#include "tests/unit/FakeRegistry.h"

#if defined(__SANITIZE_ADDRESS__)
#define ZV_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZV_ASAN 1
#endif
#endif

#ifdef ZV_ASAN
// Exact under ASan, where mallinfo2 sees only the sanitizer's own use.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace zv {
namespace {

using test::TSimulatedMci;

// Bytes the program holds on the heap right now.
size_t HeapInUse() {
#ifdef ZV_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

// Room for an allocator's own bookkeeping; a leak per minute of the day, or
// per few announcements, is far above it.
constexpr size_t kSlack = 4096;

// Heap samples after a warm-up: the largest rise over the first sample.
class HeapWatch {
  public:
    void Sample() {
        const size_t now = HeapInUse();
        if (samples_++ == 0) first_ = now;
        if (now > first_ && now - first_ > rise_) rise_ = now - first_;
    }
    size_t Rise() const { return rise_; }
    int Samples() const { return samples_; }

  private:
    size_t first_ = 0;
    size_t rise_ = 0;
    int samples_ = 0;
};

class TPollTimer final : public IPollTimer {
  public:
    void SetEnabled(bool on) override { enabled = on; }
    bool enabled = false;
};

// The speech side: Timer2, the clip player over a simulated device, the announcer.
struct Speech {
    explicit Speech(const TimeFields& now) : now(now) {
        mci.onOpen = [this](const std::string& name) {
            if (test::RecordingIndex(name) < 0) ++unknownClips;
            ++clipsThisChain;
        };
    }

    void Button1() {
        clipsThisChain = 0;
        announcer.Start(now);
        ++chains;
    }
    void Timer2() {
        if (timer2.enabled) announcer.Poll();
    }
    // A chain that has ended: every clip spoken, the poll off.
    bool Ended() const { return !timer2.enabled && announcer.State() == 5; }

    const TimeFields& now;  // the clock's, read at each Button1
    TSimulatedMci mci;
    TPollTimer timer2;
    TMediaPlayer player{mci, [] { return uintptr_t{0x1234}; }};
    TAnnouncer announcer{player, timer2};
    int chains = 0;
    int clipsThisChain = 0;
    int unknownClips = 0;
};

void ExpectCleanDevice(const TSimulatedMci& mci) {
    EXPECT_EQ(mci.doubleOpens, 0);
    EXPECT_EQ(mci.strays, 0);
    EXPECT_EQ(mci.badFlags, 0);
}

// --- A day of the main window's clock tick. ---

class MemFiles final : public IFileStore {
  public:
    std::string ReadAll(const std::string& name) override { return files.at(name); }
    void WriteAll(const std::string& name, std::string_view bytes) override {
        files[name] = std::string(bytes);
    }
    std::string FullPath(const std::string& name) override { return name; }
    std::map<std::string, std::string> files;
};

using C = TForm3Control;

// The settings dialog's controls; an Apply takes whatever they hold.
class TControls final : public IForm3Controls {
  public:
    bool Checked(C c) const override { return c == Form3Control("CheckBox1") ? hotkeyOn : false; }
    void SetCheckState(C c, bool on) override {
        if (c == Form3Control("CheckBox1")) hotkeyOn = on;
    }
    void SetEnabled(C, bool) override {}
    int ItemIndex(C c) const override { return c == Form3Control("ComboBox1") ? keyItem : 0; }
    void SetComboText(C c, const std::string&, int index) override {
        if (c == Form3Control("ComboBox1")) keyItem = index;
    }
    void HideDialog() override {}

    bool hotkeyOn = true;
    int keyItem = 0;
};

class TKeys final : public IHotkeyPlatform {
  public:
    void Unregister(int) override { ++unregisters; }
    void Register(int, unsigned, unsigned vk) override {
        ++registers;
        lastVk = vk;
    }
    int unregisters = 0;
    int registers = 0;
    unsigned lastVk = 0;
};

struct Clock {
    Clock() : speech(now) {
        Image base{kDesignClientWidth, kDesignClientHeight, kBackground};
        CopyKeyed(base, skin, 0, 0);
        face.Reset(std::move(base), HandsAt(kHub, kDesignDpi));
        memo1.Clear();
        memo1.Add("Hotkey=1");
        memo1.Add("Key=1");
        memo1.Add("Run=1");
    }

    // DecodeTime: the system clock one second on.
    void NextSecond() {
        if (++now.second < 60) return;
        now.second = 0;
        if (++now.minute < 60) return;
        now.minute = 0;
        if (++now.hour == 24) now.hour = 0;
    }

    // Timer1Timer. The hands move once a minute only: pieces of the face cost
    // time in a sanitizer build, and they are the same buffers every time.
    void Tick() {
        settingsText = memo1.Text();
        hotkey.Reregistration(startupPhase, settingsText, memo1.Text(), form3);
        NextSecond();
        readOut = MakeReadOut(now);
        if (now.second == 0) {
            face.Update(TipsAt(now, kDesignDpi));
            ++frames;
        }
    }

    static constexpr uint32_t kBackground = Rgb(0, 0, 0);
    static constexpr Point kHub{kImage2Design.left + kDesignHub.x,
                                kImage2Design.top + kDesignHub.y};

    TimeFields now;
    Speech speech;
    MemFiles files;
    TMemo memo1{files};
    std::string settingsText;
    uint16_t startupPhase = 0;
    test::TFakeRegistry registry;
    TAutoRunner autoRunner1{nullptr, registry, "C:\\Zvenoks\\Zvenoks.exe"};
    TControls controls;
    TForm3Handlers form3{controls, memo1, autoRunner1, startupPhase};
    TKeys keys;
    std::string tip;
    THotkeyRegistration hotkey{keys, [this](const std::string& t) { tip = t; }};
    ReadOut readOut;
    Image skin{kDesignClientWidth, kDesignClientHeight, Rgb(255, 0, 255)};
    TFaceComposer face;
    int frames = 0;
};

TEST(Soak, ADayOfTicksKeepsTheHeapFlat) {
    // The Applies of the day, with what the dialog then holds; besides, every
    // minute starts with Button1.
    struct Apply {
        int tick;
        bool hotkeyOn;
        int keyItem;
    };
    const Apply applies[] = {
        {8 * 3600 + 17, false, 0},       // hotkey off: every tick unregisters
        {9 * 3600 + 1, true, 2},         // on again: PrintScreen
        {13 * 3600 + 30 * 60, true, 4},  // Pause/Break
        {22 * 3600 + 5, false, 4},
    };
    constexpr int kTicks = 24 * 60 * 60;
    constexpr int kPollsPerTick = 8;  // Timer2 runs far faster than Timer1

    Clock clock;
    clock.now = {23, 59, 59, 0};                       // the first tick is midnight
    clock.face.Update(TipsAt(clock.now, kDesignDpi));  // the whole face, once
    const uint32_t* facePixels = clock.face.Face().pixels.data();
    HeapWatch heap;
    int unfinished = 0;
    const Apply* next = applies;
    const auto t0 = std::chrono::steady_clock::now();
    for (int tick = 0; tick < kTicks; ++tick) {
        if (next != std::end(applies) && next->tick == tick) {
            clock.controls.hotkeyOn = next->hotkeyOn;
            clock.controls.keyItem = next->keyItem;
            clock.form3.Button1Click();
            ++next;
        }
        clock.Tick();
        if (clock.now.second == 0) {
            if (tick > 0 && !clock.speech.Ended()) ++unfinished;
            clock.speech.Button1();
        }
        for (int i = 0; i < kPollsPerTick; ++i) clock.speech.Timer2();
        // The first hour is the warm-up: every path has run by then.
        if (tick % 3600 == 3599) heap.Sample();
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    std::printf("[   SOAK   ] day of %d ticks: %.2f s, heap rise %zu bytes over %d samples\n",
                kTicks, seconds, heap.Rise(), heap.Samples());

    EXPECT_LE(heap.Rise(), kSlack);
    EXPECT_EQ(clock.face.Face().pixels.data(), facePixels) << "the face was reallocated";
    EXPECT_EQ(clock.now.hour, 23);
    EXPECT_EQ(clock.now.minute, 59);
    EXPECT_EQ(clock.now.second, 59);
    EXPECT_EQ(clock.readOut.hours, "23:");
    EXPECT_EQ(clock.frames, 24 * 60);
    EXPECT_EQ(clock.speech.chains, 24 * 60);
    EXPECT_EQ(unfinished, 0) << "a chain outlasted its minute";
    EXPECT_EQ(clock.speech.unknownClips, 0);
    ExpectCleanDevice(clock.speech.mci);
    // Hotkey off from 08:00 to 09:00 and from 22:00 on: one unregistration
    // per tick there, one more per registration.
    EXPECT_EQ(clock.keys.registers, 2);
    EXPECT_EQ(clock.keys.lastVk, kVkPause);
    EXPECT_EQ(clock.tip, "Время (Pause/Break)");
    EXPECT_EQ(clock.keys.unregisters, (3600 - 17 + 1) + (2 * 3600 - 5) + clock.keys.registers);
    EXPECT_EQ(clock.startupPhase, 2);
}

// --- Announcements back to back. ---

TEST(Soak, AThousandAnnouncementsKeepTheHeapFlat) {
    struct Case {
        const char* device;
        uint32_t length, step, tail;
    };
    const Case cases[] = {
        {"the clip ends at its length", 20, 5, 0},
        {"playing on after the data, as under Wine", 20, 7, 3},
        {"a clip of no length", 0, 1, 0},
    };
    constexpr int kAnnouncements = 1000;
    constexpr int kWarmUp = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.device);
        TimeFields now;
        Speech speech(now);
        speech.mci.length = c.length;
        speech.mci.step = c.step;
        speech.mci.tail = c.tail;
        HeapWatch heap;
        int unfinished = 0, shortChains = 0, longChains = 0;
        const auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < kAnnouncements; ++i) {
            // Seven minutes on each time: every hour and minute word comes up.
            const int minuteOfDay = i * 7 % (24 * 60);
            now.hour = static_cast<uint16_t>(minuteOfDay / 60);
            now.minute = static_cast<uint16_t>(minuteOfDay % 60);
            speech.Button1();
            for (int polls = 0; polls < 1000 && !speech.Ended(); ++polls) speech.Timer2();
            if (!speech.Ended()) ++unfinished;
            if (speech.clipsThisChain < 4) ++shortChains;
            if (speech.clipsThisChain > 6) ++longChains;
            if (i >= kWarmUp && i % 100 == 0) heap.Sample();
        }
        heap.Sample();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        std::printf("[   SOAK   ] %d announcements (%s): %.2f s, heap rise %zu bytes\n",
                    kAnnouncements, c.device, seconds, heap.Rise());

        EXPECT_LE(heap.Rise(), kSlack);
        EXPECT_EQ(unfinished, 0);
        EXPECT_EQ(shortChains, 0);
        EXPECT_EQ(longChains, 0);
        EXPECT_EQ(speech.unknownClips, 0);
        ExpectCleanDevice(speech.mci);
        EXPECT_TRUE(speech.mci.Open()) << "the last clip stays open";
    }
}

}  // namespace
}  // namespace zv
