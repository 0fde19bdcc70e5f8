#pragma once
// Answers a screen reader's WM_GETOBJECT for a control with the system's own
// accessible object and what the program tells over it. oleacc.dll (no
// KnownDLL) comes from the system folder and COM starts on this thread only
// once somebody asks.
#include <windows.h>

#include "win32/AccessibleControl.h"

namespace zv::win {

class TAccessibleServer {
  public:
    TAccessibleServer() = default;
    ~TAccessibleServer();
    TAccessibleServer(const TAccessibleServer&) = delete;
    TAccessibleServer& operator=(const TAccessibleServer&) = delete;

    // WM_GETOBJECT's result for `control`; false leaves the question to the
    // system, as where oleacc cannot be had.
    bool Answer(HWND control, TAccessibleControl::Told told, WPARAM wParam, LRESULT& result);

  private:
    bool comStarted_ = false;
};

}  // namespace zv::win
