#pragma once
// Answers a screen reader's WM_GETOBJECT for the clock window with the
// accessible dial, and tells it when the minute turns. Nothing is made, nor
// oleacc.dll loaded, until somebody asks.
#include <windows.h>

#include <functional>

#include "app/CaptionClicks_win.h"
#include "app/DialAccessible_win.h"
#include "app/Layout.h"
#include "core/TimeFields.h"
#include "speech/Phrasing.h"

namespace zv::win {

class TDialAccess final : private IDialFacts {
  public:
    // `style` gives the way the clock says the time now; `captions` take the
    // captions' clicks.
    TDialAccess(std::function<SpeechStyle()> style, TCaptionClicks& captions);
    ~TDialAccess() override;
    TDialAccess(const TDialAccess&) = delete;
    TDialAccess& operator=(const TDialAccess&) = delete;

    void SetLayout(const FormLayout& layout) { layout_ = layout; }
    void SetCaptionsShown(bool shown) { captionsShown_ = shown; }

    // WM_GETOBJECT of `window`; true when answered, with the result.
    bool Message(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Every tick: the name changes once a minute, and is said to change then.
    void Tick(const TimeFields& now);

  private:
    // IDialFacts
    HWND Window() const override { return window_; }
    std::string Name() const override;
    std::string Value() const override;
    RECT DialRect() const override;
    RECT CaptionRect(long child) const override;
    bool CaptionsShown() const override { return captionsShown_; }
    void Click(long child) override;
    HRESULT Parent(IDispatch** parent) const override;

    // oleacc.dll and the object, at the first request; false without them.
    bool Ensure(HWND window);

    std::function<SpeechStyle()> style_;
    TCaptionClicks& captions_;
    FormLayout layout_{};
    bool captionsShown_ = false;
    HWND window_ = nullptr;
    bool comStarted_ = false;
    TDialAccessible* object_ = nullptr;  // one reference ours, while made
    int minuteOfDay_ = -1;               // of the last tick, once asked
};

}  // namespace zv::win
