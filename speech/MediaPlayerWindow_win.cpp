#include "speech/MediaPlayerWindow_win.h"

namespace zv::win {

namespace {
constexpr char kPlayerClass[] = "TMediaPlayer";
constexpr UINT kMciNotify = 0x03B9;
}  // namespace

HWND TMediaPlayerWindow::Ensure(HWND parent) {
    if (!Handle()) {
        RegisterClassOnce(kPlayerClass, 0, nullptr, nullptr, nullptr);
        CreateHandle(kPlayerClass, "", 0, WS_CHILD, 8, 88, 253, 30, parent);
    }
    return Handle();
}

LRESULT TMediaPlayerWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kMciNotify && player_) {
        player_->OnMciNotify(static_cast<uint32_t>(wParam));
        return 0;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace zv::win
