#pragma once
// What a press of the hotkey says: once the time, twice within a second the
// date, a third time the time again. A key held down is one press, however
// many hotkey messages it brings (Wine repeats them for a held key).
#include <cstdint>

namespace zv {

enum class PressAction { Ignore, Time, Date };

// Two presses this close, first to second, are one double press.
inline constexpr int64_t kDoublePressMs = 1000;

class THotkeyPresses {
  public:
    // A hotkey message at `nowMs` (a clock that only grows); `heldSinceLast`:
    // the key has stayed down since the message before.
    PressAction Press(int64_t nowMs, bool heldSinceLast);

  private:
    int64_t timeAtMs_ = 0;      // when the press that said the time came
    bool timeWasLast_ = false;  // the last accepted press said the time
};

}  // namespace zv
