// The clock's face as the window draws it, at 96 DPI and above: a tick that
// renews only what changed paints what a whole compose paints, text and all,
// and asks to repaint all it changed; scaled, the face is the design's face
// larger, with nothing blended into the colour key.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <vector>

#include "app/FaceFrame_win.h"
#include "app/Layout.h"
#include "win32/Handles.h"

namespace zv::win {
namespace {

constexpr uint32_t kKey = Rgb(128, 0, 0);

// What the frame paints over a client of the given size.
Image Painted(const TFaceFrame& frame, int w, int h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemDc dc(CreateCompatibleDC(nullptr));
    Image out(w, h, 0);
    if (!bitmap || !dc) return out;
    Selection sel(dc.Get(), bitmap.Get());
    const RECT client{0, 0, w, h};
    frame.Paint(dc.Get(), client, client);
    GdiFlush();
    const auto* p = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < out.pixels.size(); ++i) out.pixels[i] = p[i] & 0xffffff;
    return out;
}

TimeFields At(int h, int m, int s) {
    return {static_cast<uint16_t>(h), static_cast<uint16_t>(m), static_cast<uint16_t>(s), 0};
}

TEST(FaceFrameWinTest, TicksPaintWhatAWholeComposePaintsAndAskForAllTheyChanged) {
    struct Case {
        const char* what;
        std::vector<TimeFields> ticks;
    };
    // The second hand passes under the read-out at 6 to 8 s, under
    // "ЗАКРЫТЬ" at 21 to 23 and under "СВЕРНУТЬ" at 36 to 39.
    const Case cases[] = {
        {"across the read-out", {At(0, 0, 5), At(0, 0, 6), At(0, 0, 7), At(0, 0, 8), At(0, 0, 9)}},
        {"across ЗАКРЫТЬ", {At(9, 40, 20), At(9, 40, 21), At(9, 40, 22), At(9, 40, 23)}},
        {"across СВЕРНУТЬ", {At(2, 10, 35), At(2, 10, 36), At(2, 10, 37), At(2, 10, 38)}},
        {"a new minute", {At(7, 0, 58), At(7, 0, 59), At(7, 1, 0), At(7, 1, 1)}},
        {"the hours' text grows", {At(9, 59, 59), At(10, 0, 0)}},
    };
    for (int dpi : {96, 144}) {
        const int w = Scaled(900, dpi), h = Scaled(700, dpi);
        const FormLayout layout = ApplyLayout(w, h, dpi);
        TFaceFrame whole;
        whole.Create();
        whole.ShowControls();
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << dpi << " dpi, " << c.what);
            TFaceFrame ticking;
            ticking.Create();
            ticking.SetReadOut(c.ticks[0]);
            ticking.Place(layout, nullptr);
            ticking.ShowControls();
            Image before = Painted(ticking, w, h);
            for (size_t i = 1; i < c.ticks.size(); ++i) {
                const RECT dirty = ticking.Tick(c.ticks[i]);
                const Image after = Painted(ticking, w, h);
                whole.SetReadOut(c.ticks[i]);
                whole.Place(layout, nullptr);
                const Image expected = Painted(whole, w, h);
                // The captions' and read-out's text is there to be kept.
                for (int l = 0; l < 6; ++l) {
                    const Bounds& b = LabelBounds(layout, l);
                    int yellow = 0;
                    for (int y = b.top; y < b.top + b.height; ++y)
                        for (int x = b.left; x < b.left + b.width; ++x)
                            yellow += (expected.At(x, y) & 0xc0c000) == 0xc0c000;
                    ASSERT_GT(yellow, 5) << "Label" << l + 1 << " has no text";
                }
                int differing = 0, firstX = -1, firstY = -1;
                for (int y = 0; y < h; ++y) {
                    for (int x = 0; x < w; ++x) {
                        if (after.At(x, y) == expected.At(x, y)) continue;
                        if (differing++ == 0) firstX = x, firstY = y;
                    }
                }
                ASSERT_EQ(differing, 0) << "tick " << i << ", first at " << firstX << "," << firstY;
                for (int y = 0; y < h; ++y) {
                    for (int x = 0; x < w; ++x) {
                        const POINT p{x, y};
                        ASSERT_TRUE(after.At(x, y) == before.At(x, y) || PtInRect(&dirty, p))
                            << "tick " << i << " changed " << x << "," << y
                            << " without asking for a repaint there";
                    }
                }
                before = after;
            }
        }
    }
}

struct Measured {
    int diameter = 0;  // of the dial, across the hub's row
    int reddish = 0;   // pixels drawn in a mix with the colour key
    int secondHand = 0;
};

Measured Measure(const Image& face, const FormLayout& l, const Rect& faceRect) {
    Measured m;
    const int hubX = l.hub.x - faceRect.left, hubY = l.hub.y - faceRect.top;
    int left = hubX, right = hubX;
    while (left > 0 && face.At(left - 1, hubY) != kKey) --left;
    while (right + 1 < face.width && face.At(right + 1, hubY) != kKey) ++right;
    m.diameter = right - left + 1;
    for (uint32_t c : face.pixels) {
        const int r = c >> 16, g = c >> 8 & 0xff, b = c & 0xff;
        if (c != kKey && r > g + 24 && r > b + 24) ++m.reddish;
        if (c == kSecondHandColour) ++m.secondHand;
    }
    return m;
}

TEST(FaceFrameWinTest, ScaledFaceIsTheDesignsLargerWithNoKeyInIt) {
    const TimeFields t = At(4, 50, 10);
    Measured design;
    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        const double s = dpi / 96.0;
        const FormLayout l = ApplyLayout(1700, 1300, dpi);
        TFaceFrame frame;
        frame.Create();
        frame.SetReadOut(t);
        frame.Place(l, nullptr);
        frame.ShowControls();
        const Image& face = frame.Face();
        // The face's area is the union of the controls, Image1 first.
        const Rect faceRect{l.image1.left, l.image1.top, l.image1.left + face.width,
                            l.image1.top + face.height};
        const Measured m = Measure(face, l, faceRect);
        if (dpi == 96) design = m;
        EXPECT_NEAR(m.diameter, design.diameter * s, design.diameter * s * 0.02);
        // As long and as thick, each rounded to whole pixels.
        EXPECT_NEAR(m.secondHand, design.secondHand * s * s, design.secondHand * s * s * 0.15);
        EXPECT_EQ(m.reddish, 0);
        EXPECT_EQ(face.At(l.hub.x - faceRect.left, l.hub.y - faceRect.top), kHourHandColour);
        // The labels' yellow text goes on dark panels, never on the key.
        for (int i = 0; i < 6; ++i) {
            const Bounds& b = LabelBounds(l, i);
            for (int y = b.top; y < b.top + b.height; ++y) {
                for (int x = b.left; x < b.left + b.width; ++x) {
                    const uint32_t c = face.At(x - faceRect.left, y - faceRect.top);
                    const int r = c >> 16, g = c >> 8 & 0xff, bl = c & 0xff;
                    if (c == kSecondHandColour || c == kMinuteHandColour || c == kHourHandColour)
                        continue;
                    ASSERT_NE(c, kKey) << "Label" << i + 1 << " at " << x << "," << y;
                    ASSERT_LT(r * 3 + g * 6 + bl, 10 * 70) << "Label" << i + 1 << " too light";
                }
            }
        }
    }
}

}  // namespace
}  // namespace zv::win
