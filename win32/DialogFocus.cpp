#include "win32/DialogFocus.h"

namespace zv::win {

void TDialogFocus::OnActivate(HWND dialog, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(dialog, focus)) last_ = focus;
        return;
    }
    HWND target =
        last_ && IsWindowEnabled(last_) ? last_ : GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (target) SetFocus(target);
}

}  // namespace zv::win
