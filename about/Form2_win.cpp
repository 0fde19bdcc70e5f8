#include "about/Form2_win.h"

#include <shellapi.h>

#include "about/Form2Controls.h"
#include "win32/Utf16.h"

namespace zv::win {
namespace {

constexpr size_t kLabel3 = RowOf(kForm2Controls, "Label3");
constexpr size_t kImage1 = RowOf(kForm2Controls, "Image1");

}  // namespace

TForm2::TForm2(HWND owner, int dpi, TDialogMaking making) : TDialog(kForm2Design, owner, dpi) {
    if (making == TDialogMaking::Now) Create();
}

void TForm2::LoadImage1Picture() {
    // The file has a frame for 32 pixels at 100 % to 64 at 200 %; in between
    // the system scales the nearest. Without a picture the box stays empty.
    const int side = AtDpi(32);
    image1Icon_.Reset(static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ABOUT_IMAGE), IMAGE_ICON, side, side, 0)));
}

void TForm2::Label3Click() {
    // A missing browser or handler changes nothing: the user sees the address.
    ShellExecuteW(Handle(), nullptr, Widen(kMakerUrl).c_str(), nullptr, nullptr, SW_RESTORE);
}

void TForm2::Command(size_t row, int code) {
    if (row == kLabel3 && code == STN_CLICKED) Label3Click();
}

LRESULT TForm2::OtherMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT) return TDialog::OtherMessage(msg, wParam, lParam);
    TPaintDc dc(Handle());
    const ControlDesign& d = kForm2Controls[kImage1];
    DrawIconEx(dc.Get(), AtDpi(d.left), AtDpi(d.top), image1Icon_.Get(), AtDpi(d.width),
               AtDpi(d.height), 0, nullptr, DI_NORMAL);
    return 0;
}

}  // namespace zv::win
