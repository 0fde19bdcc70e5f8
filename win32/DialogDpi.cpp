// A dialog at a new DPI: the size it asks for and the move that lays it out.
#include <utility>

#include "core/Dpi.h"
#include "win32/Dialog.h"

namespace zv::win {
namespace {

// Windows 10 1703 asks it; the headers for Windows 7 do not name it.
constexpr UINT kGetDpiScaledSize = 0x02E4;

// What a DPI message may carry: Windows scales from 100 % to 500 %.
bool SaneDpi(int dpi) {
    return dpi >= kDesignDpi / 2 && dpi <= kDesignDpi * 8;
}

// A rectangle of some size that the virtual screen could hold twice over.
bool SaneRect(const RECT& r) {
    const LONG w = r.right - r.left, h = r.bottom - r.top;
    return w > 0 && h > 0 && w <= 2 * GetSystemMetrics(SM_CXVIRTUALSCREEN) &&
           h <= 2 * GetSystemMetrics(SM_CYVIRTUALSCREEN);
}

}  // namespace

bool TDialog::DpiMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // From another thread or process, the pointers are nobody's to trust.
    if ((msg != kGetDpiScaledSize && msg != WM_DPICHANGED) || InSendMessage()) return false;
    const int dpi = msg == WM_DPICHANGED ? LOWORD(wParam) : static_cast<int>(wParam);
    if (!SaneDpi(dpi)) return false;
    if (msg == kGetDpiScaledSize) {
        // Windows asks the size at the new DPI before it suggests where the
        // dialog goes: the laid-out size, not the old one scaled.
        *reinterpret_cast<SIZE*>(lParam) = WindowSizeFor(dpi, LayoutFor(dpi, MakeFonts(dpi)));
        result = TRUE;
        return true;
    }
    RECT suggested = *reinterpret_cast<const RECT*>(lParam);
    if (!SaneRect(suggested)) {
        // Where the dialog is, at its size laid out for the new DPI.
        const SIZE size = WindowSizeFor(dpi, LayoutFor(dpi, MakeFonts(dpi)));
        GetWindowRect(Handle(), &suggested);
        suggested.right = suggested.left + size.cx;
        suggested.bottom = suggested.top + size.cy;
    }
    ChangeDpi(dpi, suggested);
    result = 0;
    return true;
}

void TDialog::ChangeDpi(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    // The old fonts live until no control holds them.
    const TDialogFonts old = std::exchange(fonts_, MakeFonts(dpi));
    for (size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i])
            SendMessageW(controls_[i], WM_SETFONT,
                         reinterpret_cast<WPARAM>(FontOf(design_.controls[i], fonts_)), FALSE);
    }
    Lay(false);
    SetIcons();
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    DpiChanged();
    InvalidateRect(Handle(), nullptr, TRUE);
}

}  // namespace zv::win
