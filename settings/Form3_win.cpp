#include "settings/Form3_win.h"

#include "win32/Utf16.h"

namespace zv::win {

TForm3::TForm3(HWND owner, TMemo& memo1, TAutoRunner& autoRunner1, uint16_t& startupPhase)
    : TDialog(kForm3Design, owner), handlers_(*this, memo1, autoRunner1, startupPhase) {
    FormCreate();
}

void TForm3::Command(size_t row, int code) {
    if (code == BN_CLICKED) handlers_.UserClicked(static_cast<TForm3Control>(row));
}

bool TForm3::Checked(TForm3Control control) const {
    return SendMessageW(ControlOf(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TForm3::SetCheckState(TForm3Control control, bool checked) {
    SendMessageW(ControlOf(control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TForm3::SetEnabled(TForm3Control control, bool enabled) {
    EnableWindow(ControlOf(control), enabled ? TRUE : FALSE);
}

int TForm3::ItemIndex(TForm3Control combo) const {
    return static_cast<int>(SendMessageW(ControlOf(combo), CB_GETCURSEL, 0, 0));
}

void TForm3::SetComboText(TForm3Control combo, const std::string& text, int itemIndex) {
    HWND h = ControlOf(combo);
    // Selecting an item rewrites the text and selecting none clears it, so the
    // text goes in after the selection.
    SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(itemIndex), 0);
    SetWindowTextW(h, Widen(text).c_str());
    if (itemIndex >= 0 && SendMessageW(h, CB_GETCURSEL, 0, 0) != itemIndex)
        SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(itemIndex), 0);
}

}  // namespace zv::win
