#pragma once
// Composes the clock window's frame in memory: background, skin, hands. A
// tick renews only the pieces of the face the hands left or reached.
#include <array>
#include <cstdint>

#include "app/ClockFace.h"
#include "app/Image.h"
#include "core/Geometry.h"

namespace zv {

// Every pixel := colour.
void Fill(Image& image, uint32_t colour);

// Copies src onto dst with its top-left corner at (x, y), leaving out the
// pixels of src's transparent colour (the colour of its bottom-left pixel).
// Whatever falls outside dst is clipped.
void CopyKeyed(Image& dst, const Image& src, int x, int y);

// Copies the rectangle `r` of src into the same place of dst (same sizes).
void CopyRect(Image& dst, const Image& src, const Rect& r);

// The rectangles a compose renewed; kept off the heap, as a tick makes them.
struct DirtyRects {
    static constexpr int kMax = 64;
    std::array<Rect, kMax> rects{};
    int count = 0;

    // Empty rectangles are left out; past kMax the last one grows to hold
    // the rest, so nothing is ever lost.
    void Add(const Rect& r);
};

// The face: what lies under the hands (the key colour and the skin), with the
// hands drawn over it. What lies under them is kept apart only where they
// can reach: elsewhere the face is the base for good.
class TFaceComposer {
  public:
    // A new base, the face's size, and the hands in its pixels; the next
    // Update composes the whole face.
    void Reset(Image base, const HandsGeometry& hands);
    // The hands for `tips`: the whole face after a Reset, else only the
    // pieces of every hand that moved, old place and new. Returns what was
    // renewed, in face pixels.
    DirtyRects Update(const HandTips& tips);
    // The base alone, no hands (before the controls are shown).
    void ShowBase();
    // The next Update composes the whole face again, on the same base.
    void Renew() { whole_ = true; }

    const Image& Face() const { return face_; }

  private:
    // The base again within `r` (in face pixels).
    void Restore(const Rect& r);

    Image under_;  // the base within reach_
    Rect reach_;   // of the hands, within the face
    Image face_;
    HandsGeometry hands_;
    HandTips tips_;
    bool whole_ = true;  // the next Update composes everything
};

}  // namespace zv
