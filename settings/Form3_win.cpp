#include "settings/Form3_win.h"

namespace zv::win {

TForm3::TForm3(HWND owner, TMemo& memo1, TAutoRunner& autoRunner1, uint16_t& startupPhase,
               TDialogMaking making)
    : TDialog(kForm3Design, owner), handlers_(*this, memo1, autoRunner1, startupPhase) {
    if (making == TDialogMaking::Now) Create();
    FormCreate();
}

void TForm3::Command(size_t row, int code) {
    if (code == BN_CLICKED) handlers_.UserClicked(static_cast<TForm3Control>(row));
}

bool TForm3::Checked(TForm3Control control) const {
    return TDialog::Checked(IndexOf(control));
}

void TForm3::SetCheckState(TForm3Control control, bool checked) {
    SetChecked(IndexOf(control), checked);
}

void TForm3::SetEnabled(TForm3Control control, bool enabled) {
    Enable(IndexOf(control), enabled);
}

int TForm3::ItemIndex(TForm3Control combo) const {
    return Selected(IndexOf(combo));
}

void TForm3::SetComboText(TForm3Control combo, const std::string& text, int itemIndex) {
    TDialog::SetComboText(IndexOf(combo), text, itemIndex);
}

}  // namespace zv::win
