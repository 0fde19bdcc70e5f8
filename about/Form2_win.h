#pragma once
// TForm2, the About dialog: product, version, credits and the maker's link.
#include <windows.h>

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

    // For tests: the label controls by designer number (1..5), Image1's box.
    HWND Label(int n) const { return labels_[n - 1]; }
    static constexpr RECT kImage1{48, 48, 48 + 33, 48 + 33};

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    TApplication& application_;
    bool visible_ = false;
    bool placed_ = false;
    HWND labels_[5] = {};
    HICON windowIcon_ = nullptr;  // a shared resource icon: not destroyed
    UniqueIcon image1Icon_;
    UniqueFont dialogFont_;
    UniqueFont linkFont_;
};

}  // namespace zv::win
