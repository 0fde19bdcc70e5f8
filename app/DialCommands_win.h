#pragma once
// The dial's own ways to its commands besides the captions: the right click
// and, for those who cannot use the mouse, the keyboard. Enter and Space
// speak the time as "ВРЕМЯ (F11)" does, Esc hides the clock as "СВЕРНУТЬ"
// does, Shift+F10 and the Applications key open the dial's menu at its centre.
#include <windows.h>

#include <functional>
#include <utility>

#include "app/Layout.h"

namespace zv::win {

class TDialCommands {
  public:
    struct Actions {
        std::function<void()> time;
        std::function<void()> hide;
        std::function<void(POINT screen)> menu;  // the dial's menu at a screen point
    };

    explicit TDialCommands(Actions actions) : actions_(std::move(actions)) {}

    void SetLayout(const FormLayout& layout) { layout_ = layout; }
    // The commands act only once the face is shown.
    void SetActive(bool active) { active_ = active; }

    // WM_RBUTTONUP, WM_CONTEXTMENU or a key message of `window`; true when it
    // was used (its result is 0).
    bool Message(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

  private:
    // The menu over the dial's picture only; the rest of the face has none.
    void MenuAt(HWND window, POINT client);
    bool KeyDown(HWND window, UINT msg, WPARAM key, LPARAM lParam);

    Actions actions_;
    FormLayout layout_{};
    bool active_ = false;
};

}  // namespace zv::win
