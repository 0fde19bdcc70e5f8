#pragma once
// What the clock window shows: the skin, the hands and the labels, composed
// into one persistent DIB section that each tick renews in part and paints
// with one BitBlt, so that a tick makes no GDI object. Drawn for the DPI of
// the layout: at 96 the design's pixels, at any other the design scaled.
#include <windows.h>

#include <array>

#include "app/ClockFace.h"
#include "app/FrameComposer.h"
#include "app/Image.h"
#include "app/Layout.h"
#include "core/TimeFields.h"
#include "win32/Handles.h"

namespace zv::win {

// The see-through colour of the clock window.
inline constexpr COLORREF kKeyColour =
    RGB(kKeyPixel >> 16, kKeyPixel >> 8 & 0xff, kKeyPixel & 0xff);

// Makes every pixel of the key colour see-through in the window.
void ApplyColourKey(HWND window);

inline RECT ToRect(const Bounds& b) {
    return RECT{b.left, b.top, b.left + b.width, b.top + b.height};
}

class TFaceFrame {
  public:
    // Loads the skin, makes the key brush.
    void Create();
    // Puts the controls where `layout` says, at its DPI, and composes the
    // whole face; the frame is made again only when its size changes.
    void Place(const FormLayout& layout, HWND window);
    // The skin, hands and labels are drawn from now on.
    void ShowControls();
    bool ControlsVisible() const { return controlsVisible_; }
    void SetReadOut(const TimeFields& now);
    // The read-out and the hands for `now`, composed where they changed;
    // returns the rectangle round all of that, in the window's coordinates:
    // one repaint is far cheaper than one for each piece (under Wine each is
    // a round trip to its server), and the frame holds the whole face.
    RECT Tick(const TimeFields& now);
    // The part `update` of the client area; everything outside the face is
    // the colour key.
    void Paint(HDC dc, const RECT& client, const RECT& update) const;
    // The face without its labels' text, for tests.
    const Image& Face() const { return composer_.Face(); }
    // Takes the system's contrast again (after WM_SETTINGCHANGE or
    // WM_SYSCOLORCHANGE): in high contrast the captions and the read-out are
    // its window text on its window colour. True when the face was composed
    // again and wants a repaint.
    bool FollowContrast(bool highContrast);
    // The same for a message of `window` that may say so; repaints it.
    void SystemMessage(HWND window, UINT msg);

  private:
    void CreateFrame(HWND window);
    void MakeFonts();
    void MeasureLabels();
    const Image& Skin();
    void ComposeBase();
    // Copies `face` rectangles into the frame and draws the labels they
    // touch (and those whose text changed) again.
    void Render(DirtyRects dirty);

    FormLayout layout_{};
    bool controlsVisible_ = false;
    TimeFields now_{};
    ReadOut readOut_;
    ReadOut drawnReadOut_;  // what the frame shows

    Image designSkin_;  // Image1's picture at 96 DPI
    Image scaledSkin_;  // at another DPI, made of the master
    int scaledDpi_ = 0;
    double scaledX_ = 0, scaledY_ = 0;  // where its dial centre is
    TFaceComposer composer_;
    RECT faceRect_{};
    // Each label's box grown to hold its text, in face coordinates.
    std::array<Rect, kLabels> ink_{};
    RECT changed_{};  // by the last Tick, in window coordinates

    // Declared before the DC they are selected into, so they outlive it.
    UniqueFont labelFont_;
    UniqueFont readOutFont_;
    int fontDpi_ = 0;
    UniqueBitmap frameBitmap_;
    void* frameBits_ = nullptr;
    UniqueMemDc frameDc_;
    UniqueBrush keyBrush_;
    bool highContrast_ = false;
    COLORREF labelColour_;
    UniqueBrush labelBack_;  // in high contrast only
};

}  // namespace zv::win
