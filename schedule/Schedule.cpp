#include "schedule/Schedule.h"

namespace zv {
namespace {

constexpr int kMinuteMs = 60 * 1000;
constexpr int kDayMinutes = 24 * 60;

int MsOfDay(const TimeFields& t) {
    return ((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond;
}

}  // namespace

int CuckooCount(int hour) {
    const int h = hour % 12;
    return h == 0 ? 12 : h;
}

bool InQuietHours(const AnnounceSettings& s, int hour) {
    if (!s.quiet || s.quietFrom == s.quietTo) return false;
    if (s.quietFrom < s.quietTo) return hour >= s.quietFrom && hour < s.quietTo;
    return hour >= s.quietFrom || hour < s.quietTo;  // across midnight
}

std::vector<std::string> PreludeFiles(const AnnounceSettings& s, int hour, int minute) {
    if (s.chime == Chime::Cuckoo && minute == 0)
        return std::vector<std::string>(CuckooCount(hour), "kuku.wav");
    if (s.chime == Chime::Bell || s.chime == Chime::Cuckoo) return {"chime.wav"};
    return {};
}

std::optional<ScheduledAnnouncement> TSchedule::Tick(const TimeFields& now,
                                                     const AnnounceSettings& settings,
                                                     IScheduleWorld& world) {
    // The nearest minute start, and how far past it the clock is (negative: early).
    const int ms = MsOfDay(now);
    int minute = ms / kMinuteMs;
    int past = ms % kMinuteMs;
    if (past >= kMinuteMs - kBoundaryEarlyMs) {
        ++minute;
        past -= kMinuteMs;
    }
    minute %= kDayMinutes;
    if (past < -kBoundaryEarlyMs || past >= kBoundaryLateMs) {
        // Out of every boundary's window: the next meeting with this one is a
        // day away (or the clock was set back), and then it is due again.
        decided_ = -1;
        return std::nullopt;
    }
    if (settings.every <= 0 || minute % settings.every != 0 || minute == decided_) {
        return std::nullopt;
    }
    decided_ = minute;

    ScheduledAnnouncement a;
    a.hour = static_cast<uint16_t>(minute / 60);
    a.minute = static_cast<uint16_t>(minute % 60);
    if (InQuietHours(settings, a.hour)) return std::nullopt;
    // A scheduled announcement never cuts one already playing: it is dropped.
    if (world.ChainPlaying()) return std::nullopt;
    if (settings.fullscreen && world.OtherFullScreen()) return std::nullopt;
    if (settings.mic && world.MicrophoneBusy()) return std::nullopt;
    a.prelude = PreludeFiles(settings, a.hour, a.minute);
    // The first made since the day began: a day without one, or one whose
    // previous announcement lies before the day's start.
    const int dayStart =
        settings.quiet && settings.quietFrom != settings.quietTo ? settings.quietTo * 60 : 0;
    const int sinceStart = (minute - dayStart + kDayMinutes) % kDayMinutes;
    a.date = settings.date && (lastMade_ < 0 || sinceStart <= lastMade_);
    lastMade_ = sinceStart;
    return a;
}

}  // namespace zv
