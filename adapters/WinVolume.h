#pragma once
// The clock's volume: every clip plays through MCI's waveaudio device, which
// opens a wave-out stream of its own for each clip, so the level is set where
// every such stream takes it from: the master volume of each wave-out
// device's mixer and the device's own volume. Since Vista both are this
// program's own audio session: other programs keep their volume.
#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <cstdint>

namespace zv::win {

class TWinVolume {
  public:
    TWinVolume() = default;
    TWinVolume(const TWinVolume&) = delete;
    TWinVolume& operator=(const TWinVolume&) = delete;

    // Sets every wave-out device (and the mapper) to the percentage. False
    // when no device took it (no winmm, no device); the sound then plays at
    // whatever level it had.
    bool Apply(int percent);
    // The level device 0 reports: waveOutGetVolume's value, else its mixer's
    // master volume in the same form.
    bool Read(uint32_t& value);

  private:
    // The master volume of wave-out device `id`'s mixer: set it to the
    // fraction (0..1) of its range, or read it back as that fraction.
    bool MixerVolume(UINT id, double* set, double* get);
};

}  // namespace zv::win
