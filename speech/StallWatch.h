#pragma once
// Tells a clip that will never end (no sound device, a busy or vanished
// driver: the position stands still) from one that is still playing.
#include <algorithm>
#include <cstdint>

namespace zv {

// How much longer than its length a clip may stand still before it is given up.
inline constexpr int64_t kStallMarginMs = 2000;

class TStallWatch {
  public:
    // A clip has just been started.
    void Restart(int64_t nowMs) {
        lastPosition_ = -1;
        stillSince_ = nowMs;
    }
    // True once the position has not moved for longer than the clip's length
    // plus the margin.
    bool Stalled(int32_t length, int32_t position, int64_t nowMs) {
        if (position != lastPosition_) {
            lastPosition_ = position;
            stillSince_ = nowMs;
            return false;
        }
        return nowMs - stillSince_ > std::max<int64_t>(length, 0) + kStallMarginMs;
    }

  private:
    int32_t lastPosition_ = -1;  // -1: none read since the start
    int64_t stillSince_ = 0;     // when the position last moved, or the start
};

}  // namespace zv
