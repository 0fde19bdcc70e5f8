#include "about/Form2_win.h"

#include <shellapi.h>

#include "about/Form2Controls.h"
#include "win32/Utf16.h"

namespace zv::win {
namespace {

constexpr size_t kLabel3 = RowOf(kForm2Controls, "Label3");
constexpr size_t kImage1 = RowOf(kForm2Controls, "Image1");

}  // namespace

TForm2::TForm2(HWND owner)
    : TDialog(kForm2Design, owner),
      image1Icon_(static_cast<HICON>(LoadImageW(
          GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ABOUT_IMAGE), IMAGE_ICON, 32, 32, 0))) {}

void TForm2::Label3Click() {
    // A missing browser or handler changes nothing: the user sees the address.
    ShellExecuteW(Handle(), nullptr, Widen(kMakerUrl).c_str(), nullptr, nullptr, SW_RESTORE);
}

void TForm2::Command(size_t row, int code) {
    if (row == kLabel3 && code == STN_CLICKED) Label3Click();
}

LRESULT TForm2::OtherMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT) return TDialog::OtherMessage(msg, wParam, lParam);
    PaintDc dc(Handle());
    const TControlDesign& d = kForm2Controls[kImage1];
    DrawIconEx(dc.Get(), Scaled(d.left), Scaled(d.top), image1Icon_.Get(), Scaled(d.width),
               Scaled(d.height), 0, nullptr, DI_NORMAL);
    return 0;
}

}  // namespace zv::win
