#include "settings/HotkeyPresses.h"

namespace zv {

PressAction THotkeyPresses::Press(int64_t nowMs, bool heldSinceLast) {
    if (heldSinceLast) return PressAction::Ignore;
    if (timeWasLast_ && nowMs - timeAtMs_ <= kDoublePressMs) {
        timeWasLast_ = false;
        return PressAction::Date;
    }
    timeWasLast_ = true;
    timeAtMs_ = nowMs;
    return PressAction::Time;
}

}  // namespace zv
