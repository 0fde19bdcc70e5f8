// The clock's face as the window draws it, at 96 DPI and above: a tick that
// renews only what changed paints what a whole compose paints, text and all,
// and asks to repaint all it changed; scaled, the face is the design's face
// larger, with nothing blended into the colour key.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "app/FaceFrame_win.h"
#include "app/Layout.h"
#include "win32/Handles.h"

namespace zv::win {
namespace {

constexpr uint32_t kKey = Rgb(128, 0, 0);

// What the frame paints over a client of the given size; with `under`, over
// that picture and only where `update` says, as a window repaints.
Image Painted(const TFaceFrame& frame, int w, int h, const Image* under = nullptr,
              const RECT* update = nullptr) {
    BITMAPINFO bi = TopDownDib(w, h);
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemDc dc(CreateCompatibleDC(nullptr));
    Image out(w, h, 0);
    if (!bitmap || !dc) return out;
    if (under) std::copy(under->pixels.begin(), under->pixels.end(), static_cast<uint32_t*>(bits));
    TSelection sel(dc.Get(), bitmap.Get());
    const RECT client{0, 0, w, h};
    // As BeginPaint clips a window's DC to its update region.
    if (update)
        IntersectClipRect(dc.Get(), update->left, update->top, update->right, update->bottom);
    frame.Paint(dc.Get(), client, update ? *update : client);
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
        const int w = ScaledHalfEven(900, dpi), h = ScaledHalfEven(700, dpi);
        const FormLayout layout = ApplyLayout(w, h, dpi);
        TFaceFrame whole;
        whole.Create();
        whole.ShowControls();
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << dpi << " dpi, " << c.what);
            TFaceFrame ticking;
            ticking.Create();
            ticking.SetReadOut(c.ticks[0]);
            ticking.Place(layout);
            ticking.ShowControls();
            Image before = Painted(ticking, w, h);
            for (size_t i = 1; i < c.ticks.size(); ++i) {
                const RECT dirty = ticking.Tick(c.ticks[i]);
                const Image after = Painted(ticking, w, h);
                const Image repainted = Painted(ticking, w, h, &before, &dirty);
                whole.SetReadOut(c.ticks[i]);
                whole.Place(layout);
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
                for (const Image* painted : {&after, &repainted}) {
                    int differing = 0, firstX = -1, firstY = -1;
                    for (int y = 0; y < h; ++y) {
                        for (int x = 0; x < w; ++x) {
                            if (painted->At(x, y) == expected.At(x, y)) continue;
                            if (differing++ == 0) firstX = x, firstY = y;
                        }
                    }
                    ASSERT_EQ(differing, 0)
                        << "tick " << i << (painted == &after ? "" : ", repainted") << ", first at "
                        << firstX << "," << firstY;
                }
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

// Scaled, the face is the design's larger (the dial across the hub's row),
// mixes nothing with the key, and keeps its labels on the skin's dark panels
// (the skin is placed by the hands, the labels by the layout).
TEST(FaceFrameWinTest, ScaledFaceIsTheDesignsLargerWithNoKeyInIt) {
    int designDiameter = 0;
    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        const FormLayout l = ApplyLayout(1700, 1300, dpi);
        TFaceFrame frame;
        frame.Create();
        frame.SetReadOut(At(4, 50, 10));
        frame.Place(l);
        frame.ShowControls();
        const Image& face = frame.Face();
        // The face's area starts at Image1's corner.
        auto at = [&](int x, int y) { return face.At(x - l.image1.left, y - l.image1.top); };
        int left = l.hub.x, right = l.hub.x;
        while (at(left - 1, l.hub.y) != kKey) --left;
        while (at(right + 1, l.hub.y) != kKey) ++right;
        if (dpi == 96) designDiameter = right - left + 1;
        EXPECT_NEAR(right - left + 1, designDiameter * dpi / 96.0,
                    designDiameter * dpi / 96.0 * 0.02);
        EXPECT_EQ(at(l.hub.x, l.hub.y), kHourHandColour);
        for (uint32_t c : face.pixels) {
            const int r = c >> 16, g = c >> 8 & 0xff, b = c & 0xff;
            ASSERT_FALSE(c != kKey && r > g + 24 && r > b + 24) << "reddish " << std::hex << c;
        }
        for (int i = 0; i < 6; ++i) {
            const Bounds& b = LabelBounds(l, i);
            for (int y = b.top; y < b.top + b.height; ++y) {
                for (int x = b.left; x < b.left + b.width; ++x) {
                    const uint32_t c = at(x, y);
                    if (c == kSecondHandColour || c == kMinuteHandColour || c == kHourHandColour)
                        continue;
                    const int r = c >> 16, g = c >> 8 & 0xff, bl = c & 0xff;
                    ASSERT_NE(c, kKey) << "Label" << i + 1 << " at " << x << "," << y;
                    ASSERT_LT(r * 3 + g * 6 + bl, 10 * 70) << "Label" << i + 1 << " too light";
                }
            }
        }
    }
}

uint32_t PixelOf(COLORREF c) {
    return Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

// Whether p lies on the way from a to b alike in every channel, as the
// glyphs' smoothing mixes the text into its background.
bool Between(uint32_t p, uint32_t a, uint32_t b) {
    double lo = 0, hi = 1;
    for (int shift : {0, 8, 16}) {
        const int pc = (p >> shift) & 0xff, ac = (a >> shift) & 0xff, bc = (b >> shift) & 0xff;
        if (ac == bc) {
            if (pc != ac) return false;
            continue;
        }
        const double t = static_cast<double>(pc - ac) / (bc - ac);
        lo = std::max(lo, t - 0.08);
        hi = std::min(hi, t + 0.08);
    }
    return lo <= hi;
}

// In high contrast the captions and the read-out are the system's window
// text on its window colour, and stay so through a tick; back in normal
// contrast the face is what it was, pixel for pixel.
TEST(FaceFrameWinTest, HighContrastLabelsAreTheSystemsWindowColours) {
    const int w = 900, h = 700;
    const FormLayout layout = ApplyLayout(w, h, 96);
    TFaceFrame frame;
    frame.Create();
    frame.SetReadOut(At(10, 9, 5));
    frame.Place(layout);
    frame.ShowControls();
    const Image normal = Painted(frame, w, h);
    EXPECT_FALSE(frame.FollowContrast(false)) << "normal contrast again composes nothing";

    ASSERT_TRUE(frame.FollowContrast(true));
    frame.Tick(At(10, 9, 6));
    const Image high = Painted(frame, w, h);
    const uint32_t text = PixelOf(GetSysColor(COLOR_WINDOWTEXT));
    const uint32_t back = PixelOf(GetSysColor(COLOR_WINDOW));
    ASSERT_NE(text, back);
    for (int l = 0; l < 6; ++l) {
        SCOPED_TRACE(testing::Message() << "Label" << l + 1);
        const Bounds& b = LabelBounds(layout, l);
        int texts = 0, backs = 0, others = 0;
        for (int y = b.top; y < b.top + b.height; ++y) {
            for (int x = b.left; x < b.left + b.width; ++x) {
                const uint32_t p = high.At(x, y);
                texts += p == text;
                backs += p == back;
                others += !Between(p, text, back);
            }
        }
        EXPECT_GT(texts, 5);
        EXPECT_GT(backs, 5);
        EXPECT_EQ(others, 0) << "the skin, a hand or the face's yellow shows through";
    }

    ASSERT_TRUE(frame.FollowContrast(false));
    frame.Tick(At(10, 9, 5));
    const Image again = Painted(frame, w, h);
    int differing = 0;
    for (size_t i = 0; i < again.pixels.size(); ++i)
        differing += again.pixels[i] != normal.pixels[i];
    EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace zv::win
