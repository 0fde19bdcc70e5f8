#pragma once
#include <windows.h>

#include "speech/MediaPlayer.h"
#include "win32/Window.h"

namespace zv::win {

// The clip player's own hidden window: MCI posts its notifications there.
class TMediaPlayerWindow final : public TWindow {
  public:
    explicit TMediaPlayerWindow(TMediaPlayer*& player) : player_(player) {}
    HWND Ensure(HWND parent);

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    TMediaPlayer*& player_;
};

}  // namespace zv::win
