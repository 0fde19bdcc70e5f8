#pragma once
// A waveaudio device behind the MCI interface, for driving the real clip
// player without Windows: one device open at a time, a position that moves
// while the clip plays, and optionally a "playing" mode that outlasts the
// data, as Wine's does. Misuse is counted, not thrown, so that a fuzzer and
// a unit test can each judge it. Allocates nothing per command.
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "speech/MciDriver.h"
#include "speech/Phrasing.h"
#include "voices/VoiceList.h"

namespace zv::test {

// Those of the official chains first: only they can be made to fail.
inline constexpr std::array<std::string_view, 33 + kStyleFiles.size()> kRecordings = [] {
    std::array<std::string_view, 33 + kStyleFiles.size()> all = {
        "0.wav",     "1.wav",      "2.wav",      "3.wav",      "4.wav",    "5.wav",   "6.wav",
        "7.wav",     "8.wav",      "9.wav",      "10.wav",     "11.wav",   "12.wav",  "13.wav",
        "14.wav",    "15.wav",     "16.wav",     "17.wav",     "18.wav",   "19.wav",  "20.wav",
        "30.wav",    "40.wav",     "50.wav",     "0_0.wav",    "odna.wav", "dve.wav", "chas.wav",
        "chasa.wav", "chasov.wav", "minuta.wav", "minuty.wav", "minut.wav"};
    for (size_t i = 0; i < kStyleFiles.size(); ++i) all[33 + i] = kStyleFiles[i];
    return all;
}();

// The recording's index in kRecordings, or -1.
inline int RecordingIndex(std::string_view name) {
    const auto* it = std::find(kRecordings.begin(), kRecordings.end(), name);
    return it == kRecordings.end() ? -1 : static_cast<int>(it - kRecordings.begin());
}

inline constexpr uint32_t kMciFileNotFound = 275;
inline constexpr uint32_t kMciInvalidDeviceId = 257;
inline constexpr const char* kMciFileNotFoundText = "The file was not found.";

class TSimulatedMci final : public IMciDriver {
  public:
    uint32_t SendCommand(const MciRequest& r, MciReply& reply) override {
        if (r.command == mci::kOpen) {
            if (r.flags != (mci::kWait | mci::kOpenElement)) ++badFlags;
            if (open_) ++doubleOpens;
            ++opens;
            if (onOpen) onOpen(r.elementName);
            const int index = RecordingIndex(r.elementName);
            if (index >= 0 && index < 64 && (missing >> index & 1) != 0) return kMciFileNotFound;
            open_ = true;
            id_ = static_cast<uint16_t>(id_ % 1000 + 1);
            position_ = 0;
            playing_ = false;
            reply.deviceId = id_;
            return 0;
        }
        if (!open_ || r.deviceId != id_) {
            ++strays;
            return kMciInvalidDeviceId;
        }
        switch (r.command) {
            case mci::kClose:
                open_ = false;
                break;
            case mci::kPlay:
                if (r.flags != mci::kNotify) ++badFlags;
                playing_ = true;
                tailLeft_ = tail;
                break;
            case mci::kSeek:
                position_ = 0;
                break;
            case mci::kStatus:
                reply.value = Status(r.item);
                break;
            default:
                break;
        }
        return 0;
    }

    std::optional<std::string> ErrorString(uint32_t code) override {
        if (code != kMciFileNotFound) ++badFlags;
        return kMciFileNotFoundText;
    }

    bool Open() const { return open_; }

    uint32_t length = 20;
    uint32_t step = 5;     // position gained per position query while playing
    uint32_t tail = 0;     // "playing" answers after the end of the data
    uint64_t missing = 0;  // bit i: kRecordings[i] does not open
    std::function<void(const std::string&)> onOpen;

    int opens = 0;
    int doubleOpens = 0;  // an open while a device is still open
    int strays = 0;       // a command for a device that is not open
    int badFlags = 0;

  private:
    uint32_t Status(uint32_t item) {
        if (item == mci::kStatusLength) return length;
        if (item == mci::kStatusPosition) {
            if (playing_) position_ = std::min(position_ + step, length);
            return position_;
        }
        if (item == mci::kStatusMode) {
            if (!playing_) return mci::kModeStop;
            if (position_ < length) return mci::kModePlay;
            if (tailLeft_ > 0) {
                --tailLeft_;
                return mci::kModePlay;
            }
            playing_ = false;
            return mci::kModeStop;
        }
        return 0;
    }

    bool open_ = false;
    uint16_t id_ = 0;
    uint32_t position_ = 0;
    bool playing_ = false;
    uint32_t tailLeft_ = 0;
};

}  // namespace zv::test
