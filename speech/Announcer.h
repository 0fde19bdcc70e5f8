#pragma once
// Speaks the current hour and minute in Russian as a chain of recordings,
// one clip after another, polled by Timer2 for the end of each clip.
#include <cstdint>
#include <string>

#include "core/TimeFields.h"
#include "speech/ClipPlayer.h"

namespace zv {

// Timer2, the announcement poll.
class IPollTimer {
  public:
    virtual ~IPollTimer() = default;
    virtual void SetEnabled(bool on) = 0;
};

class TAnnouncer {
  public:
    // `now` is the program's current time fields, kept up to date by the clock
    // tick; every step reads it afresh.
    TAnnouncer(IClipPlayer& player, IPollTimer& timer2, const TimeFields& now);
    TAnnouncer(const TAnnouncer&) = delete;
    TAnnouncer& operator=(const TAnnouncer&) = delete;

    // Button1Click: begins the chain at the hour, whatever is playing.
    void Start();
    // Timer2Timer: when the clip has finished, moves on to the next one.
    void Poll();
    uint16_t State() const { return state_; }
    // True from Start until the chain has ended or failed.
    bool Polling() const { return polling_; }

  private:
    void Step();
    void PlayClip(const std::string& file);
    void StopPolling();

    IClipPlayer& player_;
    IPollTimer& timer2_;
    const TimeFields& now_;
    uint16_t state_ = 0;
    bool polling_ = false;
};

}  // namespace zv
