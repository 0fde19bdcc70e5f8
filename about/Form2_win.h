#pragma once
// TForm2, the About dialog: product, version, credits and the maker's link.
#include <windows.h>

#include "win32/Dialog.h"
#include "win32/Handles.h"

namespace zv::win {

class TForm2 final : public TDialog {
  public:
    // Owned by the application window (may be null), at `dpi` (0: the
    // owner's); made hidden now or when first shown.
    explicit TForm2(HWND owner, int dpi = 0, TDialogMaking making = TDialogMaking::Now);

    void Label3Click();
    // The picture Image1 shows.
    HICON Image1Picture() const { return image1Icon_.Get(); }

  private:
    void Command(size_t row, int code) override;
    LRESULT OtherMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Takes the icon's frame for the dialog's DPI; again after the DPI changes.
    void LoadImage1Picture();
    void DpiChanged() override { LoadImage1Picture(); }
    void WindowMade() override { LoadImage1Picture(); }

    UniqueIcon image1Icon_;
};

}  // namespace zv::win
