#pragma once
// MCI through winmm, looked up at run time from the system folder only, so a
// winmm.dll placed beside the program is never loaded.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "speech/MciDriver.h"
#include "win32/SystemLibrary.h"

namespace zv {

class TWinMciDriver final : public IMciDriver {
  public:
    TWinMciDriver();
    TWinMciDriver(const TWinMciDriver&) = delete;
    TWinMciDriver& operator=(const TWinMciDriver&) = delete;

    uint32_t SendCommand(const MciRequest& request, MciReply& reply) override;
    std::optional<std::string> ErrorString(uint32_t code) override;

    // False when winmm could not be loaded: every command then fails.
    bool Loaded() const;

  private:
    // Every clip opens and closes a waveaudio device, and the last close
    // unloads its driver while Wine's play thread may still be leaving it (a
    // crash seen after some hundreds of clips). Held here for the process, it
    // stays loaded. Without it the driver is loaded per device as usual, so a
    // failure is left alone. Loaded after winmm, which it needs.
    win::TSystemLibrary waveDriver_;
};

}  // namespace zv
