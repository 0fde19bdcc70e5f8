#pragma once
// What the clock window shows: the skin and the hands, composed in memory and
// renewed in part by each tick, with the labels' text drawn over them as
// they are painted; a tick makes no GDI object. Only the face is kept: the
// skin is made again when the layout changes. Drawn for the DPI of the
// layout: at 96 the design's pixels, at any other the design scaled.
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
    // Makes the key brush and takes the system's contrast.
    void Create();
    // Puts the controls where `layout` says, at its DPI, and composes the
    // whole face.
    void Place(const FormLayout& layout);
    // The skin, hands and labels are drawn from now on; when they are
    // already, the whole face is composed again.
    void ShowControls();
    bool ControlsVisible() const { return controlsVisible_; }
    void SetReadOut(const TimeFields& now);
    // The read-out and the hands for `now`, composed where they changed;
    // returns the rectangle round all of that, in the window's coordinates:
    // one repaint is far cheaper than one for each piece (under Wine each is
    // a round trip to its server), and the face is kept whole.
    RECT Tick(const TimeFields& now);
    // The part `update` of the client area: the face and the labels' text
    // over it; everything outside the face is the colour key.
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
    void MakeFonts();
    std::array<Rect, kLabels> MeasureLabels() const;
    Image Skin();
    void ComposeBase();
    // The window's rectangle round `dirty` and the labels whose text changed.
    RECT Changed(const DirtyRects& dirty) const;
    void DrawLabels(HDC dc, const RECT& update) const;

    FormLayout layout_{};
    bool controlsVisible_ = false;
    TimeFields now_{};
    ReadOut readOut_;
    ReadOut shownReadOut_;  // as the window was last asked to show it

    Image designSkin_;  // Image1's picture at 96 DPI, until first composed
    TFaceComposer composer_;
    RECT faceRect_{};
    // Each label's box grown to hold its text, in face coordinates.
    std::array<Rect, kLabels> ink_{};

    UniqueFont labelFont_;
    UniqueFont readOutFont_;
    int fontDpi_ = 0;
    UniqueBrush keyBrush_;
    bool highContrast_ = false;
    COLORREF labelColour_;
    UniqueBrush labelBack_;  // in high contrast only
};

}  // namespace zv::win
