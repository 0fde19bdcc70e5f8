#pragma once
// When a scheduled announcement starts, for which boundary, and what is
// played before the speech. The time comes in as an argument: the window
// reads the wall clock, this decides.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/TimeFields.h"
#include "schedule/AnnounceSettings.h"

namespace zv {

// What the schedule asks of the window, only when a boundary is due (both
// may cost a few system calls).
class IScheduleWorld {
  public:
    virtual ~IScheduleWorld() = default;
    // A chain (the Time command's or a scheduled one) is still sounding.
    virtual bool ChainPlaying() = 0;
    // Another program has the screen full-screen.
    virtual bool OtherFullScreen() = 0;
    // A program is recording from the microphone: a call, a recording.
    virtual bool MicrophoneBusy() = 0;
};

struct ScheduledAnnouncement {
    uint16_t hour = 0;
    uint16_t minute = 0;
    // Played in this order before the speech: nothing, "chime.wav", or
    // "kuku.wav" once per hour on a 12-hour dial.
    std::vector<std::string> prelude;
    bool date = false;  // the date follows the time

    bool operator==(const ScheduledAnnouncement&) const = default;
};

// A boundary may be met a little early (a one-shot timer firing before the
// clock reads hh:mm:00) or late (a tick delayed by a busy message loop).
inline constexpr int kBoundaryEarlyMs = 150;
inline constexpr int kBoundaryLateMs = 3000;

// The hour on a 12-hour dial: 0 and 12 give 12, 13 gives 1.
int CuckooCount(int hour);
// Whether the hour lies in [quietFrom, quietTo), wrapping midnight.
bool InQuietHours(const AnnounceSettings& settings, int hour);
std::vector<std::string> PreludeFiles(const AnnounceSettings& settings, int hour, int minute);

class TSchedule {
  public:
    // Call on every clock tick and at the one-shot boundary timer. Returns the
    // announcement to start now; each boundary is decided once, so a boundary
    // skipped (quiet, full-screen, a chain playing) stays skipped.
    std::optional<ScheduledAnnouncement> Tick(const TimeFields& now,
                                              const AnnounceSettings& settings,
                                              IScheduleWorld& world);

  private:
    int decided_ = -1;  // minute of the day of the boundary decided last
    // Minutes since the day began (the quiet hours' end, or midnight) of the
    // last announcement made; -1 before the first.
    int lastMade_ = -1;
};

}  // namespace zv
