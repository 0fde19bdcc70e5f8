#include "app/CaptionClicks_win.h"

#include <utility>

#include "app/FaceFrame_win.h"
#include "win32/Window.h"

namespace zv::win {

std::optional<TCaption> TCaptionClicks::CaptionAt(POINT p) const {
    if (!active_) return std::nullopt;
    for (TCaption caption : {TCaption::Time, TCaption::Hide, TCaption::Close}) {
        // LabelBounds counts Label1 as 0.
        RECT r = ToRect(LabelBounds(layout_, static_cast<int>(caption) - 1));
        if (PtInRect(&r, p)) return caption;
    }
    return std::nullopt;
}

bool TCaptionClicks::Message(HWND window, UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    result = 0;
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (msg) {
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT) return false;
            GetCursorPos(&p);
            ScreenToClient(window, &p);
            if (!CaptionAt(p)) return false;
            SetCursor(HandCursor());
            result = TRUE;
            return true;
        case WM_LBUTTONDOWN:
            pressed_ = CaptionAt(p);
            if (pressed_) SetCapture(window);
            return true;
        case WM_LBUTTONUP: {
            const std::optional<TCaption> pressed = std::exchange(pressed_, std::nullopt);
            if (GetCapture() == window) ReleaseCapture();
            if (pressed && CaptionAt(p) == pressed) click_(*pressed);
            return true;
        }
        default:
            return false;
    }
}

}  // namespace zv::win
