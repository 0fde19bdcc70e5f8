#pragma once
// TForm2, the About dialog: product, version, credits and the maker's link.
#include <windows.h>

#include <string_view>
#include <vector>

#include "about/MakerLink.h"
#include "app/Application_win.h"
#include "win32/Handles.h"
#include "win32/Window.h"

namespace zv::win {

class TForm2 final : public TWindow {
  public:
    explicit TForm2(TApplication& application);
    void Create();

    void Show();
    void Hide();
    bool Visible() const { return visible_; }

    void Label3Click();

    // The window of that designer name ("Label1", ...); null if none. Image1
    // is painted by the dialog and has none.
    HWND Control(std::string_view name) const;

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool IsLink(HWND control) const;

    TApplication& application_;
    bool visible_ = false;
    bool placed_ = false;
    std::vector<HWND> controls_;  // by row of the table; null for Image1
    HICON windowIcon_ = nullptr;  // a shared resource icon: not destroyed
    UniqueIcon image1Icon_;
    UniqueFont dialogFont_;
    UniqueFont linkFont_;
};

}  // namespace zv::win
