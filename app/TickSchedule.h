#pragma once
// When the clock tick fires next. A fixed 1000 ms timer drifts against the
// wall clock and every few minutes skips or repeats a second; instead each
// tick arms the next one for just after the next second starts.
#include <cstdint>
#include <optional>

#include "core/TimeFields.h"

namespace zv {

// How long after a second starts the tick is aimed. Small: a timer that
// fires a little early only waits for the rest of its second (OnTimer), and
// every millisecond of lead is one more of the read-out's lag.
inline constexpr uint32_t kTickLeadMs = 5;

// Milliseconds from a moment `millisecond` into its second to the lead past
// the start of the next second.
uint32_t DelayToNextSecond(uint16_t millisecond);

struct TickPlan {
    bool run = false;      // false: the timer came early, this second is shown
    uint32_t delayMs = 0;  // arm the timer for this long
};

class TTickSchedule {
  public:
    // The timer fired at local time `now`.
    TickPlan OnTimer(const TimeFields& now);
    // The tick read the clock again and shows `now`: a tick that crossed into
    // the next second while it worked has shown that one, so it is not shown
    // twice.
    void Shown(const TimeFields& now);

  private:
    std::optional<uint32_t> lastSecond_;  // second of the day last ticked
};

}  // namespace zv
