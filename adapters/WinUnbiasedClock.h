#pragma once
// The clips' clock: milliseconds that stand still while the machine sleeps,
// so a clip cut off by a suspend is not taken for a failed device on waking.
#include <windows.h>

#include "speech/Announcer.h"

namespace zv::win {

class TWinUnbiasedClock final : public IMonotonicClock {
  public:
    int64_t NowMs() override {
        ULONGLONG units = 0;  // 100 ns
        if (QueryUnbiasedInterruptTime(&units)) return static_cast<int64_t>(units / 10000);
        return static_cast<int64_t>(GetTickCount64());
    }
};

}  // namespace zv::win
