// The clock's volume on the real wave-out devices, and what it does to a clip
// played through MCI, heard back from the sound server's monitor (under the
// harness: PulseAudio's null sink, which is the default capture source).
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "adapters/WinFullScreen.h"
#include "adapters/WinMciDriver.h"
#include "adapters/WinVolume.h"
#include "speech/MediaPlayer.h"
#include "tests/win/WinTestSupport.h"

namespace zv::win {
namespace {

using test::PumpMessages;
using test::WriteTone;

constexpr int kRate = 16000;
constexpr int kFrame = kRate / 50;  // 20 ms

TEST(WinVolume, EveryDeviceTakesTheLevel) {
    TWinVolume volume;
    const std::pair<int, uint32_t> rows[] = {{50, 0x80008000u}, {0, 0u}, {100, 0xFFFFFFFFu}};
    for (const auto& [percent, level] : rows) {
        ASSERT_TRUE(volume.Apply(percent)) << percent;
        uint32_t read = 0;
        ASSERT_TRUE(volume.Read(read));
        // A device may keep fewer bits than 16 per channel.
        EXPECT_NEAR(read & 0xFFFF, level & 0xFFFF, 0x200) << percent;
        EXPECT_NEAR(read >> 16, level >> 16, 0x200) << percent;
    }
}

// Records the default capture source in 100 ms buffers while the test plays.
class TCapture {
  public:
    explicit TCapture(int seconds)
        : headers_(static_cast<size_t>(seconds) * 10), samples_(headers_.size() * kRate / 10) {
        WAVEFORMATEX format{};
        format.wFormatTag = WAVE_FORMAT_PCM;
        format.nChannels = 1;
        format.nSamplesPerSec = kRate;
        format.wBitsPerSample = 16;
        format.nBlockAlign = 2;
        format.nAvgBytesPerSec = kRate * 2;
        if (waveInOpen(&in_, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
            in_ = nullptr;
            return;
        }
        ok_ = true;
        for (size_t i = 0; i < headers_.size(); ++i) {
            WAVEHDR& h = headers_[i];
            h.lpData = reinterpret_cast<LPSTR>(samples_.data() + i * kRate / 10);
            h.dwBufferLength = kRate / 10 * 2;
            ok_ = ok_ && waveInPrepareHeader(in_, &h, sizeof h) == MMSYSERR_NOERROR &&
                  waveInAddBuffer(in_, &h, sizeof h) == MMSYSERR_NOERROR;
        }
        ok_ = ok_ && waveInStart(in_) == MMSYSERR_NOERROR;
    }
    ~TCapture() {
        if (!in_) return;
        waveInReset(in_);
        for (WAVEHDR& h : headers_) waveInUnprepareHeader(in_, &h, sizeof h);
        waveInClose(in_);
    }
    TCapture(const TCapture&) = delete;
    TCapture& operator=(const TCapture&) = delete;

    // True once the first buffer is full: the recording really runs.
    bool Running(DWORD boundMs) {
        const DWORD t0 = GetTickCount();
        while (ok_ && !(headers_[0].dwFlags & WHDR_DONE) && GetTickCount() - t0 < boundMs)
            Sleep(10);
        return ok_ && (headers_[0].dwFlags & WHDR_DONE);
    }
    // Stops and hands back what was recorded.
    std::vector<int16_t> Stop() {
        waveInStop(in_);
        waveInReset(in_);
        std::vector<int16_t> got;
        for (const WAVEHDR& h : headers_) {
            const auto* p = reinterpret_cast<const int16_t*>(h.lpData);
            got.insert(got.end(), p, p + h.dwBytesRecorded / 2);
        }
        return got;
    }

  private:
    HWAVEIN in_ = nullptr;
    std::vector<WAVEHDR> headers_;
    std::vector<int16_t> samples_;
    bool ok_ = false;
};

// RMS in dBFS of each 20 ms frame.
std::vector<double> FrameLevels(const std::vector<int16_t>& s) {
    std::vector<double> levels;
    for (size_t i = 0; i + kFrame <= s.size(); i += kFrame) {
        double sum = 0;
        for (size_t k = i; k < i + kFrame; ++k) sum += double(s[k]) * s[k];
        levels.push_back(10 * std::log10(std::max(sum / kFrame, 1e-3) / (32768.0 * 32768.0)));
    }
    return levels;
}

// The median level of each run of frames above the threshold that lasts at
// least minFrames: one value per clip heard.
std::vector<double> Bursts(const std::vector<double>& levels, double threshold, size_t minFrames) {
    std::vector<double> medians;
    std::vector<double> run;
    auto flush = [&] {
        if (run.size() >= minFrames) {
            std::sort(run.begin(), run.end());
            medians.push_back(run[run.size() / 2]);
        }
        run.clear();
    };
    for (double l : levels) {
        if (l > threshold) {
            run.push_back(l);
        } else {
            flush();
        }
    }
    flush();
    return medians;
}

TEST(WinVolume, HalfIsSixDecibelsDownAndZeroIsSilentYetPlays) {
    char temp[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    const std::string path = std::string(temp) + "zv_volume_tone.wav";
    ASSERT_TRUE(WriteTone(path, 1000, 0.4));

    TWinMciDriver driver;
    ASSERT_TRUE(driver.Loaded());
    TWinVolume volume;
    TCapture capture(12);
    if (!capture.Running(5000)) GTEST_SKIP() << "no capture source to hear the clips with";

    std::vector<int> played;
    for (int percent : {100, 50, 0}) {
        ASSERT_TRUE(volume.Apply(percent));
        TMediaPlayer player(driver, [] { return uintptr_t{0}; });
        player.SetFileName(path);
        player.Open();
        player.Play();
        const DWORD t0 = GetTickCount();
        while (player.Length() != player.Position() && GetTickCount() - t0 < 4000) {
            PumpMessages();
            Sleep(10);
        }
        // At 0 % the clip still runs to its end: the chain goes on silently.
        played.push_back(static_cast<int>(GetTickCount() - t0));
        player.Close();
        Sleep(600);
    }
    volume.Apply(100);
    const std::vector<int16_t> heard = capture.Stop();
    DeleteFileA(path.c_str());

    for (int ms : played) EXPECT_GE(ms, 800) << "the clip ended early";
    const std::vector<double> levels = FrameLevels(heard);
    const std::vector<double> bursts = Bursts(levels, -60.0, 25);
    std::printf("[  VOLUME  ] %.1f s recorded, loudest frame %.1f dBFS; %zu clips heard:",
                heard.size() / double(kRate),
                levels.empty() ? -999.0 : *std::max_element(levels.begin(), levels.end()),
                bursts.size());
    for (double b : bursts) std::printf(" %.2f dBFS", b);
    std::printf("\n");
    ASSERT_EQ(bursts.size(), 2u) << "100 % and 50 % heard, 0 % silent";
    EXPECT_NEAR(bursts[0] - bursts[1], 6.02, 1.0);
}

struct TOwnWindow {
    HWND hwnd;
    ~TOwnWindow() {
        if (hwnd) DestroyWindow(hwnd);
    }
};

TEST(FullScreen, TheClocksOwnCoveringWindowNeverCounts) {
    const HMONITOR monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoW(monitor, &info));
    const RECT& m = info.rcMonitor;
    const TOwnWindow own{CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"own", WS_POPUP | WS_VISIBLE,
                                         m.left, m.top, m.right - m.left, m.bottom - m.top, nullptr,
                                         nullptr, GetModuleHandleW(nullptr), nullptr)};
    ASSERT_TRUE(own.hwnd);
    SetForegroundWindow(own.hwnd);
    PumpMessages();
    TWinFullScreen fullScreen;
    const ForegroundFacts facts = fullScreen.Facts();
    if (facts.exists) {
        EXPECT_TRUE(facts.own);
        EXPECT_EQ(facts.monitor.right - facts.monitor.left, m.right - m.left);
    }
    EXPECT_FALSE(fullScreen.OtherProgramFullScreen());
}

}  // namespace
}  // namespace zv::win
