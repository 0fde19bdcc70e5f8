#pragma once
// Plays a scheduled announcement: the bell or the cuckoos, then the same word
// chain as the Time command, spoken for the boundary's time rather than the
// clock's. Shares the clip player and Timer2 with the Time command's
// announcer; the window polls both, and at most one of them is active.
#include <string>
#include <vector>

#include "core/TimeFields.h"
#include "schedule/Schedule.h"
#include "speech/Announcer.h"
#include "speech/ClipPlayer.h"
#include "speech/StallWatch.h"

namespace zv {

class TScheduledChain {
  public:
    TScheduledChain(IClipPlayer& player, IPollTimer& timer2,
                    IMonotonicClock& clock = SteadyClock());
    TScheduledChain(const TScheduledChain&) = delete;
    TScheduledChain& operator=(const TScheduledChain&) = delete;

    // Begins with the first prelude file, or with the speech when there is
    // none; `then` (paths, as VoiceFile gives them) follow the time.
    void Start(const ScheduledAnnouncement& announcement, std::vector<std::string> then = {});
    // Timer2Timer: when the clip has finished, moves on to the next one.
    void Poll();
    // The voice and style the time is spoken in; the bell and the cuckoo are
    // the clock's own.
    void SetVoice(const std::string& voice, SpeechStyle style = SpeechStyle::Official) {
        announcer_.SetVoice(voice, style);
    }
    // The Time command cuts a scheduled chain: call before it starts its own.
    void Cancel() {
        active_ = inPrelude_ = false;
        announcer_.Cancel();
    }
    // The machine has woken from sleep: as TAnnouncer::Resumed.
    void Resumed() {
        stall_.Restart(clock_.NowMs());
        announcer_.Resumed();
    }
    // True from Start until the last word has been started (or a clip failed).
    bool Active() const { return active_ && (inPrelude_ || announcer_.Polling()); }
    // Active, or its last word still playing.
    bool Sounding() { return Active() || announcer_.Sounding(); }

  private:
    void PlayPrelude(size_t index);
    void StartSpeech();

    IClipPlayer& player_;
    IPollTimer& timer2_;
    IMonotonicClock& clock_;
    TStallWatch stall_;
    TimeFields spoken_;
    TAnnouncer announcer_{player_, timer2_, clock_};
    std::vector<std::string> prelude_;
    std::vector<std::string> then_;
    size_t next_ = 0;
    bool inPrelude_ = false;
    bool active_ = false;
};

}  // namespace zv
