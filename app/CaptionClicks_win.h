#pragma once
// The clock's three captions ("ВРЕМЯ (F11)", "СВЕРНУТЬ", "ЗАКРЫТЬ") act as
// buttons: a hand cursor over them, and a click is a press and a release on
// the same caption.
#include <windows.h>

#include <functional>

#include "app/Layout.h"

namespace zv::win {

class TCaptionClicks {
  public:
    // `click` gets the caption's designer number: 4, 5 or 6 (Label4..Label6).
    explicit TCaptionClicks(std::function<void(int)> click) : click_(std::move(click)) {}

    void SetLayout(const FormLayout& layout) { layout_ = layout; }
    // The captions act only once they are shown.
    void SetActive(bool active) { active_ = active; }

    // WM_SETCURSOR, WM_LBUTTONDOWN and WM_LBUTTONUP of `window`; true when
    // the message was used, with its result.
    bool Message(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

  private:
    int LabelAt(POINT client) const;

    std::function<void(int)> click_;
    FormLayout layout_{};
    bool active_ = false;
    int pressed_ = -1;
};

}  // namespace zv::win
