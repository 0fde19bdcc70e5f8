#pragma once
// The tray component's platform: the shell's notification icons, window
// visibility, and hooks on a window's procedure (TWinWindowHook). It keeps no
// state of its own.
#include <windows.h>

#include <memory>

#include "shell/TrayPlatform.h"

namespace zv::win {

class TWinTrayPlatform : public ITrayPlatform {
  public:
    TWinTrayPlatform();
    ~TWinTrayPlatform() override;
    TWinTrayPlatform(const TWinTrayPlatform&) = delete;
    TWinTrayPlatform& operator=(const TWinTrayPlatform&) = delete;

    // Shell_NotifyIconW with the record in its first form, the tip widened;
    // true when the shell took it.
    static bool Notify(unsigned action, const TrayIconRecord& record);

    bool NotifyIcon(unsigned action, const TrayIconRecord& record) override;
    bool UseVersion4(const TrayIconRecord& record) override;
    std::unique_ptr<IWindowHook> HookWindow(std::uintptr_t window,
                                            std::function<void(WindowMessage&)> handler) override;
    void ShowWindow(std::uintptr_t window, int command) override;
    bool IsWindowVisible(std::uintptr_t window) override;
    unsigned RegisterMessage(std::string_view name) override;
    void AllowMessage(std::uintptr_t window, unsigned message) override;
    void SetTimer(std::uintptr_t window, std::uintptr_t id, unsigned ms) override;
    void KillTimer(std::uintptr_t window, std::uintptr_t id) override;
};

}  // namespace zv::win
