#include "app/TickSchedule.h"

#include <algorithm>

namespace zv {

uint32_t DelayToNextSecond(uint16_t millisecond) {
    const uint32_t into = std::min<uint32_t>(millisecond, 999);
    return 1000 - into + kTickLeadMs;
}

namespace {

uint32_t SecondOfDay(const TimeFields& t) {
    return (t.hour * 60u + t.minute) * 60u + t.second;
}

}  // namespace

void TTickSchedule::Shown(const TimeFields& now) {
    lastSecond_ = SecondOfDay(now);
}

TickPlan TTickSchedule::OnTimer(const TimeFields& now) {
    const uint32_t second = SecondOfDay(now);
    TickPlan plan;
    plan.delayMs = DelayToNextSecond(now.millisecond);
    // A timer that fires before the second it was aimed at has begun would
    // show the same second twice: wait for the rest of it instead.
    plan.run = lastSecond_ != second;
    if (plan.run) lastSecond_ = second;
    return plan;
}

}  // namespace zv
