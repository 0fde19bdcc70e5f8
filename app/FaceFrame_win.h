#pragma once
// What the clock window shows: the skin, the hands' sheet and the labels,
// composed into one persistent DIB section that each tick renews in part and
// paints with one BitBlt, so that a tick makes no GDI object.
#include <windows.h>

#include "app/ClockFace.h"
#include "app/Image.h"
#include "app/Layout.h"
#include "core/TimeFields.h"
#include "win32/Handles.h"

namespace zv::win {

// The see-through colour of the clock window.
inline constexpr COLORREF kKeyColour = RGB(128, 0, 0);

inline RECT ToRect(const Bounds& b) {
    return RECT{b.left, b.top, b.left + b.width, b.top + b.height};
}

// Labels in the order Label1..Label6; 1..3 are right-aligned read-out boxes.
const Bounds& LabelBounds(const FormLayout& l, int i);

class TFaceFrame {
  public:
    // Loads the skin, makes the blank sheet, the fonts and the key brush.
    void Create();
    // Puts the controls where `layout` says; the frame is made again only
    // when the size of their area changes.
    void Place(const FormLayout& layout, HWND window);
    // The skin, hands and labels are drawn from now on.
    void ShowControls();
    bool ControlsVisible() const { return controlsVisible_; }
    void SetReadOut(const TimeFields& now) { readOut_ = MakeReadOut(now); }
    // The read-out and the hands for `now`; returns what changed, in the
    // window's coordinates.
    RECT Tick(const TimeFields& now);
    // Everything outside the face is the colour key.
    void Paint(HDC dc, const RECT& client) const;
    const Image& Face() const { return face_; }

  private:
    void CreateFrame(HWND window);
    void ComposeBase();
    void Compose(bool whole);

    FormLayout layout_{};
    bool controlsVisible_ = false;
    ReadOut readOut_;

    Image skin_;    // Image1's picture
    Image image3_;  // the blank sheet
    Image sheet_;   // Image2's picture
    Image base_;    // the key colour and the skin
    Image face_;    // everything the controls show, renewed each tick
    RECT dirty_{};  // what a tick renews, in face coordinates
    RECT faceRect_{};

    // Declared before the DC they are selected into, so they outlive it.
    UniqueFont labelFont_;
    UniqueFont readOutFont_;
    UniqueBitmap frameBitmap_;
    void* frameBits_ = nullptr;
    UniqueMemDc frameDc_;
    UniqueBrush keyBrush_;
};

}  // namespace zv::win
