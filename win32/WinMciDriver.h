#pragma once
// MCI through winmm, looked up at run time from the system folder only, so a
// winmm.dll placed beside the program is never loaded.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "speech/MciDriver.h"

namespace zv {

// A loaded module, freed with the owner.
class TModule {
  public:
    explicit TModule(HMODULE module = nullptr) : module_(module) {}
    ~TModule() {
        if (module_) FreeLibrary(module_);
    }
    TModule(const TModule&) = delete;
    TModule& operator=(const TModule&) = delete;

    HMODULE Get() const { return module_; }
    explicit operator bool() const { return module_ != nullptr; }
    void Reset(HMODULE module) {
        if (module_) FreeLibrary(module_);
        module_ = module;
    }

  private:
    HMODULE module_;
};

class TWinMciDriver final : public IMciDriver {
  public:
    TWinMciDriver();
    TWinMciDriver(const TWinMciDriver&) = delete;
    TWinMciDriver& operator=(const TWinMciDriver&) = delete;

    uint32_t SendCommand(const MciRequest& request, MciReply& reply) override;
    std::optional<std::string> ErrorString(uint32_t code) override;

    // False when winmm could not be loaded: every command then fails.
    bool Loaded() const { return send_ != nullptr && getErrorString_ != nullptr; }

  private:
    using SendCommandFn = DWORD(WINAPI*)(UINT, UINT, DWORD_PTR, DWORD_PTR);
    using GetErrorStringFn = BOOL(WINAPI*)(DWORD, LPWSTR, UINT);

    TModule winmm_;
    TModule waveDriver_;  // held for the process: see the constructor
    DWORD loadError_ = 0;
    SendCommandFn send_ = nullptr;
    GetErrorStringFn getErrorString_ = nullptr;
};

}  // namespace zv
