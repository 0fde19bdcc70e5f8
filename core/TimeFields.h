#pragma once
#include <cstdint>

namespace zv {

// The current time fields, decoded from the local time of day every tick.
struct TimeFields {
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t millisecond = 0;
};

}  // namespace zv
