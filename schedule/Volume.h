#pragma once
// The clock's own volume as the wave-out device wants it.
#include <cstdint>

namespace zv {

// waveOutSetVolume's value for a percentage (clamped to 0..100): the left
// channel in the low word, the right in the high, 0xFFFF full. The scale is
// linear in amplitude, so 50 % is 6 dB below 100 % and 0 % is silence.
constexpr uint32_t WaveOutVolume(int percent) {
    const int p = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    const uint32_t level = static_cast<uint32_t>((0xFFFF * p + 50) / 100);
    return level << 16 | level;
}

}  // namespace zv
