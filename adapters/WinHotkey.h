#pragma once
// The global hotkey of a window: RegisterHotKey / UnregisterHotKey. What this
// registered and has not unregistered yet is unregistered on destruction.
#include <windows.h>

#include <utility>
#include <vector>

#include "settings/Hotkey.h"
#include "win32/Window.h"

namespace zv::win {

class TWinHotkey : public IHotkeyPlatform {
  public:
    // The window's handle is read at each call, so this can be made before it.
    explicit TWinHotkey(const TWindow& window) : window_(window) {}
    ~TWinHotkey() override;
    TWinHotkey(const TWinHotkey&) = delete;
    TWinHotkey& operator=(const TWinHotkey&) = delete;

    void Unregister(int id) override;
    void Register(int id, unsigned modifiers, unsigned vk) override;

    // Whether a registration under id was accepted and still holds.
    bool Registered(int id) const;

  private:
    const TWindow& window_;
    std::vector<std::pair<HWND, int>> registered_;
};

}  // namespace zv::win
