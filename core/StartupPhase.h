#pragma once
// The start-up phase: what the clock's next tick has to do besides ticking.
// A 16-bit integer, as it has always been kept; these are its values.
#include <cstdint>

namespace zv {

// Nothing pending.
inline constexpr uint16_t kPhaseIdle = 0;
// Set when the clock is created: the first tick runs the start-up work.
inline constexpr uint16_t kPhaseStartup = 1;
// Set by the settings dialog's Apply: the ticks make the hotkey follow the
// new settings.
inline constexpr uint16_t kPhaseApplied = 2;

}  // namespace zv
