#pragma once
// Speaks an hour and minute in Russian as a chain of recordings, one clip
// after another, polled by Timer2 for the end of each clip.
#include <cstdint>
#include <string>
#include <vector>

#include "core/TimeFields.h"
#include "speech/ClipPlayer.h"
#include "speech/Phrasing.h"
#include "speech/StallWatch.h"

namespace zv {

// Timer2, the announcement poll.
class IPollTimer {
  public:
    virtual ~IPollTimer() = default;
    virtual void SetEnabled(bool on) = 0;
};

// Milliseconds that only ever grow; where from is the caller's matter.
class IMonotonicClock {
  public:
    virtual ~IMonotonicClock() = default;
    virtual int64_t NowMs() = 0;
};

// The process's steady clock.
IMonotonicClock& SteadyClock();

// The error text of a recording that never got played.
std::string PlaybackFailedText(const std::string& file);

class TAnnouncer {
  public:
    TAnnouncer(IClipPlayer& player, IPollTimer& timer2, IMonotonicClock& clock = SteadyClock());
    TAnnouncer(const TAnnouncer&) = delete;
    TAnnouncer& operator=(const TAnnouncer&) = delete;

    // Button1Click: begins the chain at the hour, whatever is playing, in the
    // chosen voice. The hour and minute of `at` are taken here, once: the
    // chain speaks them to its end, whenever that is.
    void Start(const TimeFields& at) { StartIn(voice_, style_, at); }
    // The same in another voice and style, for this chain only ("" the
    // standard voice). The voice must have the style's words.
    void StartIn(const std::string& voice, SpeechStyle style, const TimeFields& at);
    // The time as Start says it, then `then`: recordings by the paths
    // VoiceFile gives, in whatever voice they are.
    void StartThen(const TimeFields& at, std::vector<std::string> then);
    // Only the recordings of `paths` (VoiceFile's), one after another.
    void StartFiles(std::vector<std::string> paths);
    // The voice of later chains: "" for the recordings beside the exe, else a
    // pack under voices\ (whose files are opened by their relative path).
    void SetVoice(const std::string& voice, SpeechStyle style = SpeechStyle::Official) {
        voice_ = voice;
        style_ = style;
    }
    // Timer2Timer: when the clip has finished, moves on to the next one. A clip
    // whose position has stood still for longer than its length plus
    // kStallMarginMs (no sound device, a busy or vanished driver) ends the
    // chain and throws PlaybackFailedText once; the next Start tries again.
    void Poll();
    // Another chain takes the player and Timer2: this one stops where it is.
    void Cancel();
    // The machine has woken from sleep: the clip playing gets its whole time
    // to move again, as if it had just started.
    void Resumed() {
        clipStartMs_ = clock_.NowMs();
        stall_.Restart(clipStartMs_);
    }
    uint16_t State() const { return state_; }
    // How later chains say the time: the chosen style, or the official one
    // where the voice lacks its words.
    SpeechStyle Style() const { return style_; }
    // True from Start until the chain has ended or failed.
    bool Polling() const { return polling_; }
    // True while the chain sounds: polled, or its last word still playing. A
    // failed or cancelled chain no longer sounds, nor does a last word past
    // its length plus kStallMarginMs (the device gone in the middle of it).
    bool Sounding();

  private:
    void Begin(const std::string& voice, const TimeFields& at, std::vector<std::string> words);
    void Step();
    void PlayWord();
    void PlayClip(const std::string& file);
    void PlayPath(const std::string& path);
    void StopPolling();
    void CheckStall(int32_t length, int32_t position);

    IClipPlayer& player_;
    IPollTimer& timer2_;
    IMonotonicClock& clock_;
    std::string voice_;  // the chosen voice
    SpeechStyle style_ = SpeechStyle::Official;
    // The paths of a chain in another style than the official one, which is
    // the state machine's, or of one with more than the time; the next of
    // them to play.
    std::vector<std::string> words_;
    size_t nextWord_ = 0;
    std::string chainVoice_;  // the voice of the chain playing now
    std::string clip_;        // the file playing now
    TStallWatch stall_;
    int64_t clipStartMs_ = 0;
    uint16_t hour_ = 0;
    uint16_t minute_ = 0;
    uint16_t state_ = 0;
    bool polling_ = false;
    bool lastWord_ = false;  // the last word has started, and nothing since
};

}  // namespace zv
