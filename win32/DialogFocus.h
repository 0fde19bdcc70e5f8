#pragma once
// A non-modal dialog's keyboard focus across activations: the control that
// had it when the dialog was left gets it back, else the first tab stop.
#include <windows.h>

namespace zv::win {

class TDialogFocus {
  public:
    // WM_ACTIVATE of `dialog`.
    void OnActivate(HWND dialog, WPARAM wParam);

  private:
    HWND last_ = nullptr;
};

}  // namespace zv::win
