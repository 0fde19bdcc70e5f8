// The tick composes only where the hands moved; after any tick the face must
// be what composing it whole gives.
#include <gtest/gtest.h>

#include <vector>

#include "app/ClockFace.h"
#include "app/FrameComposer.h"

namespace zv {
namespace {

// A base with something different in every pixel, so that a piece restored
// from the wrong place shows.
Image PatternBase(int w, int h) {
    Image base(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            base.Set(x, y, Rgb(static_cast<uint8_t>(x), static_cast<uint8_t>(y), 200));
    return base;
}

Image WholeFace(const Image& base, const HandsGeometry& g, const TimeFields& t) {
    TFaceComposer whole;
    whole.Reset(base, g);
    whole.Update(TipsAt(t, g.dpi));
    return whole.Face();
}

TEST(FaceComposerTest, ATickRedrawsInTheSameStorage) {
    const Image base = PatternBase(529, 546);
    TFaceComposer face;
    face.Reset(base, HandsGeometry{});
    face.Update(TipsAt(TimeFields{10, 8, 37, 0}, kDesignDpi));
    const uint32_t* storage = face.Face().pixels.data();
    face.Update(TipsAt(TimeFields{10, 8, 38, 0}, kDesignDpi));
    EXPECT_EQ(face.Face().pixels.data(), storage);
    EXPECT_EQ(face.Face().pixels,
              WholeFace(base, HandsGeometry{}, TimeFields{10, 8, 38, 0}).pixels);
}

TEST(FaceComposerTest, EveryTickEqualsTheWholeCompose) {
    struct Case {
        const char* what;
        std::vector<TimeFields> ticks;
    };
    const Case cases[] = {
        {"seconds in a row", {{10, 8, 35, 0}, {10, 8, 36, 0}, {10, 8, 37, 0}, {10, 8, 38, 0}}},
        {"a minute ends: the hour hand moves too", {{7, 41, 58, 0}, {7, 41, 59, 0}, {7, 42, 0, 0}}},
        {"the hour ends", {{11, 59, 59, 0}, {12, 0, 0, 0}, {12, 0, 1, 0}}},
        {"second hand over and off the others",
         {{3, 15, 14, 0}, {3, 15, 15, 0}, {3, 15, 16, 0}, {3, 15, 17, 0}}},
        {"all three up, then apart", {{11, 59, 59, 0}, {0, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 2, 0}}},
        {"the same second twice", {{5, 5, 5, 0}, {5, 5, 5, 0}}},
        {"a jump (the clock set, a wake from sleep)", {{1, 2, 3, 0}, {17, 48, 33, 0}}},
        {"under the minute hand", {{8, 20, 19, 0}, {8, 20, 20, 0}, {8, 20, 21, 0}}},
    };
    for (int dpi : {96, 144, 192}) {
        const HandsGeometry g =
            HandsAt(Point{ScaledHalfEven(300, dpi), ScaledHalfEven(290, dpi)}, dpi);
        const Image base = PatternBase(ScaledHalfEven(529, dpi), ScaledHalfEven(546, dpi));
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << dpi << " dpi, " << c.what);
            TFaceComposer ticking;
            ticking.Reset(base, g);
            TimeFields last{};
            for (size_t i = 0; i < c.ticks.size(); ++i) {
                const DirtyRects dirty = ticking.Update(TipsAt(c.ticks[i], dpi));
                ASSERT_EQ(ticking.Face().pixels, WholeFace(base, g, c.ticks[i]).pixels)
                    << "after tick " << i;
                if (i == 0) {
                    EXPECT_EQ(dirty.count, 1);  // the whole face
                    // No hand is cut short where the composer stops keeping the base.
                    Image drawn = base;
                    DrawHands(drawn, g, TipsAt(c.ticks[i], dpi),
                              Rect{0, 0, base.width, base.height});
                    ASSERT_EQ(ticking.Face().pixels, drawn.pixels);
                } else if (TipsAt(c.ticks[i], dpi) == TipsAt(last, dpi)) {
                    EXPECT_EQ(dirty.count, 0) << "nothing moved, nothing to paint";
                } else {
                    long area = 0;
                    for (int k = 0; k < dirty.count; ++k)
                        area += dirty.rects[static_cast<size_t>(k)].Width() *
                                dirty.rects[static_cast<size_t>(k)].Height();
                    EXPECT_LT(area, base.width * base.height / 3) << "tick " << i;
                }
                last = c.ticks[i];
            }
        }
    }
}

TEST(DirtyRectsTest, PastItsRoomTheLastGrowsToHoldTheRest) {
    DirtyRects d;
    d.Add(Rect{5, 5, 5, 9});  // empty: left out
    for (int i = 0; i < DirtyRects::kMax + 3; ++i) d.Add(Rect{i, 0, i + 1, 1});
    ASSERT_EQ(d.count, DirtyRects::kMax);
    EXPECT_EQ(d.rects[DirtyRects::kMax - 1],
              (Rect{DirtyRects::kMax - 1, 0, DirtyRects::kMax + 3, 1}));
}

}  // namespace
}  // namespace zv
