#include "app/FrameComposer.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

namespace zv {
void Fill(Image& image, uint32_t colour) {
    std::fill(image.pixels.begin(), image.pixels.end(), colour);
}

void CopyKeyed(Image& dst, const Image& src, int x, int y) {
    if (src.width <= 0 || src.height <= 0) return;
    const uint32_t key = src.At(0, src.height - 1);

    // In 64 bits, so that a far-off position cannot overflow.
    const long long left = std::max<long long>(x, 0);
    const long long right = std::min<long long>(static_cast<long long>(x) + src.width, dst.width);
    const long long top = std::max<long long>(y, 0);
    const long long bottom =
        std::min<long long>(static_cast<long long>(y) + src.height, dst.height);
    if (left >= right || top >= bottom) return;

    const auto count = static_cast<size_t>(right - left);
    for (long long row = top; row < bottom; ++row) {
        const uint32_t* from = src.pixels.data() + static_cast<size_t>(row - y) * src.width +
                               static_cast<size_t>(left - x);
        uint32_t* to =
            dst.pixels.data() + static_cast<size_t>(row) * dst.width + static_cast<size_t>(left);
        for (size_t i = 0; i < count; ++i) {
            if (from[i] != key) to[i] = from[i];
        }
    }
}

namespace {

// The rectangle `from` of src, which lies inside it, to `to` in dst, which
// has room for it.
void CopyBlock(Image& dst, Point to, const Image& src, const Rect& from) {
    if (from.Empty()) return;
    const size_t bytes = static_cast<size_t>(from.Width()) * sizeof(uint32_t);
    for (int y = 0; y < from.Height(); ++y) {
        std::memcpy(dst.pixels.data() + static_cast<size_t>(to.y + y) * dst.width + to.x,
                    src.pixels.data() + static_cast<size_t>(from.top + y) * src.width + from.left,
                    bytes);
    }
}

}  // namespace

void CopyRect(Image& dst, const Image& src, const Rect& r) {
    const Rect c =
        Intersect(r, Rect{0, 0, std::min(dst.width, src.width), std::min(dst.height, src.height)});
    CopyBlock(dst, Point{c.left, c.top}, src, c);
}

void DirtyRects::Add(const Rect& r) {
    if (r.Empty()) return;
    if (count < kMax) {
        rects[static_cast<size_t>(count++)] = r;
    } else {
        rects[kMax - 1] = Unite(rects[kMax - 1], r);
    }
}

void TFaceComposer::Reset(Image base, const HandsGeometry& hands) {
    hands_ = hands;
    // The second hand is the longest: its round covers every hand's pixels.
    reach_ = Rect{};
    for (uint16_t s = 0; s < 60; ++s) {
        const HandPieces p = HandBoxes(hands, TipsAt(TimeFields{0, 0, s, 0}, hands.dpi).second);
        for (int i = 0; i < p.count; ++i) reach_ = Unite(reach_, p.rects[static_cast<size_t>(i)]);
    }
    reach_ = Intersect(reach_, Rect{0, 0, base.width, base.height});
    under_ = Image(reach_.Width(), reach_.Height(), 0);
    CopyBlock(under_, Point{0, 0}, base, reach_);
    face_ = std::move(base);
    whole_ = true;
}

void TFaceComposer::Restore(const Rect& r) {
    const Rect c = Intersect(r, reach_);
    CopyBlock(face_, Point{c.left, c.top}, under_,
              Rect{c.left - reach_.left, c.top - reach_.top, c.right - reach_.left,
                   c.bottom - reach_.top});
}

void TFaceComposer::ShowBase() {
    Restore(reach_);
    whole_ = true;
}

DirtyRects TFaceComposer::Update(const HandTips& tips) {
    DirtyRects dirty;
    if (whole_) {
        Restore(reach_);
        DrawHands(face_, hands_, tips, reach_);
        dirty.Add(Rect{0, 0, face_.width, face_.height});
    } else {
        // Each moved hand's pieces, old and new: side by side, as a hand
        // moves by a few pixels, one rectangle holds both.
        const Point before[] = {tips_.second, tips_.minute, tips_.hour};
        const Point after[] = {tips.second, tips.minute, tips.hour};
        for (int h = 0; h < 3; ++h) {
            if (before[h] == after[h]) continue;
            const HandPieces o = HandBoxes(hands_, before[h]);
            const HandPieces n = HandBoxes(hands_, after[h]);
            for (int i = 0; i < std::max(o.count, n.count); ++i) {
                const Rect a = i < o.count ? o.rects[static_cast<size_t>(i)] : Rect{};
                const Rect b = i < n.count ? n.rects[static_cast<size_t>(i)] : Rect{};
                const Rect u = Unite(a, b);
                if (2 * u.Area() <= 3 * (a.Area() + b.Area())) {
                    dirty.Add(Intersect(u, reach_));
                } else {
                    dirty.Add(Intersect(a, reach_));
                    dirty.Add(Intersect(b, reach_));
                }
            }
        }
        for (int i = 0; i < dirty.count; ++i) Restore(dirty.rects[static_cast<size_t>(i)]);
        // All hands again within each piece, in their order: a hand that did
        // not move may cross a piece another one left.
        for (int i = 0; i < dirty.count; ++i)
            DrawHands(face_, hands_, tips, dirty.rects[static_cast<size_t>(i)]);
    }
    tips_ = tips;
    whole_ = false;
    return dirty;
}

}  // namespace zv
