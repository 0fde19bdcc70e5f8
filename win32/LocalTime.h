#pragma once
// The local time of day as the clock reads it: now, not at the last tick.
#include <windows.h>

#include "core/TimeFields.h"

namespace zv::win {

inline TimeFields LocalTime() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return {st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

}  // namespace zv::win
