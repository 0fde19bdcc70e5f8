#pragma once
// TForm2, the About dialog: product, version, credits and the maker's link.
#include <windows.h>

#include "win32/Dialog.h"
#include "win32/Handles.h"

namespace zv::win {

class TForm2 final : public TDialog {
  public:
    // Created hidden, owned by the application window (may be null).
    explicit TForm2(HWND owner);

    void Label3Click();

  private:
    void Command(size_t row, int code) override;
    LRESULT OtherMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    UniqueIcon image1Icon_;
};

}  // namespace zv::win
