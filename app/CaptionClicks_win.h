#pragma once
// The clock's three captions ("ВРЕМЯ (F11)", "СВЕРНУТЬ", "ЗАКРЫТЬ") act as
// buttons: a hand cursor over them, and a click is a press and a release on
// the same caption.
#include <windows.h>

#include <functional>
#include <optional>

#include "app/Layout.h"

namespace zv::win {

// The captions by their designer numbers (Label4 to Label6).
enum class TCaption : int { Time = 4, Hide = 5, Close = 6 };

class TCaptionClicks {
  public:
    explicit TCaptionClicks(std::function<void(TCaption)> click) : click_(std::move(click)) {}

    void SetLayout(const FormLayout& layout) { layout_ = layout; }
    // The captions act only once they are shown.
    void SetActive(bool active) { active_ = active; }
    // What a click on a caption does, asked for another way.
    void Click(TCaption caption) const { click_(caption); }

    // WM_SETCURSOR, WM_LBUTTONDOWN and WM_LBUTTONUP of `window`; true when
    // the message was used, with its result.
    bool Message(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

  private:
    std::optional<TCaption> CaptionAt(POINT client) const;

    std::function<void(TCaption)> click_;
    FormLayout layout_{};
    bool active_ = false;
    std::optional<TCaption> pressed_;
};

}  // namespace zv::win
