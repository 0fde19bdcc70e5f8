// The dialog's controls by row: the check boxes' ticks and the combo boxes'
// items, read and set the same way in every dialog.
#include <string>

#include "win32/Dialog.h"
#include "win32/Utf16.h"

namespace zv::win {

bool TDialog::Checked(size_t row) const {
    if (!Handle()) return pending_[row].checked;
    return SendMessageW(ControlAt(row), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TDialog::SetChecked(size_t row, bool checked) {
    if (!Handle()) {
        pending_[row].checked = checked;
        return;
    }
    SendMessageW(ControlAt(row), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TDialog::Enable(size_t row, bool enabled) {
    if (!Handle()) {
        pending_[row].enabled = enabled;
        return;
    }
    EnableWindow(ControlAt(row), enabled ? TRUE : FALSE);
}

void TDialog::AddItem(size_t row, std::string_view text) {
    const std::wstring wide = Widen(text);
    SendMessageW(ControlAt(row), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

int TDialog::Selected(size_t row) const {
    if (!Handle()) return pending_[row].selected;
    return static_cast<int>(SendMessageW(ControlAt(row), CB_GETCURSEL, 0, 0));
}

void TDialog::Select(size_t row, int item) {
    SendMessageW(ControlAt(row), CB_SETCURSEL, static_cast<WPARAM>(item), 0);
}

void TDialog::SetComboText(size_t row, std::string_view text, int item) {
    // Selecting an item rewrites the text and selecting none clears it, so the
    // text goes in after the selection.
    if (!Handle()) {
        pending_[row].selected = item;
        pending_[row].comboText = std::string(text);
        return;
    }
    Select(row, item);
    SetWindowTextW(ControlAt(row), Widen(text).c_str());
    if (item >= 0 && Selected(row) != item) Select(row, item);
}

// What was set on the rows before the window was made.
void TDialog::ApplyPending() {
    for (size_t i = 0; i < pending_.size(); ++i) {
        const TRowState& row = pending_[i];
        if (!controls_[i]) continue;
        if (row.checked != design_.controls[i].checked) SetChecked(i, row.checked);
        if (!row.enabled) Enable(i, false);
        if (row.comboText) SetComboText(i, *row.comboText, row.selected);
    }
}

}  // namespace zv::win
