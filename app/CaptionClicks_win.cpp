#include "app/CaptionClicks_win.h"

#include <utility>

#include "app/FaceFrame_win.h"

namespace zv::win {

int TCaptionClicks::LabelAt(POINT p) const {
    if (!active_) return -1;
    for (int i = 3; i < 6; ++i) {
        RECT r = ToRect(LabelBounds(layout_, i));
        if (PtInRect(&r, p)) return i + 1;
    }
    return -1;
}

bool TCaptionClicks::Message(HWND window, UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    result = 0;
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (msg) {
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT) return false;
            GetCursorPos(&p);
            ScreenToClient(window, &p);
            if (LabelAt(p) < 0) return false;
            SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
            result = TRUE;
            return true;
        case WM_LBUTTONDOWN:
            pressed_ = LabelAt(p);
            if (pressed_ >= 0) SetCapture(window);
            return true;
        case WM_LBUTTONUP: {
            const int pressed = std::exchange(pressed_, -1);
            if (GetCapture() == window) ReleaseCapture();
            if (pressed >= 0 && LabelAt(p) == pressed) click_(pressed);
            return true;
        }
        default:
            return false;
    }
}

}  // namespace zv::win
