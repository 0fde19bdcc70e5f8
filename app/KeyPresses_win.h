#pragma once
// The hotkey and the in-window F11 as presses: once the time, twice within a
// second the date. A key held down is one press: Wine repeats the hotkey
// message while its key is held, MOD_NOREPEAT or not, and the accelerator
// repeats everywhere; so the key is watched until it is up again.
#include <windows.h>

#include <functional>

#include "settings/HotkeyPresses.h"

namespace zv::win {

class TKeyPresses {
  public:
    // The window's timer that watches the key while it is down.
    static constexpr UINT_PTR kWatchTimer = 3;
    // How often the watch looks: well under any two presses of a finger.
    static constexpr UINT kWatchMs = 20;

    TKeyPresses(std::function<void()> time, std::function<void()> date)
        : time_(std::move(time)), date_(std::move(date)) {}
    TKeyPresses(const TKeyPresses&) = delete;
    TKeyPresses& operator=(const TKeyPresses&) = delete;

    // WM_HOTKEY, the F11 shortcut's WM_COMMAND and the watch's WM_TIMER:
    // true when the message was one of them, and handled.
    bool Message(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

  private:
    void Pressed(HWND window, unsigned vk);

    std::function<void()> time_;
    std::function<void()> date_;
    THotkeyPresses presses_;
    unsigned vk_ = 0;    // the key watched
    bool keyUp_ = true;  // it has been up since its last message
};

}  // namespace zv::win
