#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <utility>
#include <vector>

#include "app/ClockFace.h"
#include "app/FrameComposer.h"

namespace zv {
namespace {

using Pixels = std::vector<std::pair<int, int>>;

constexpr uint32_t kInk = Rgb(1, 2, 3);

Pixels LinePixels(int x0, int y0, int x1, int y1) {
    Image image(40, 40, 0);
    DrawLine(image, x0, y0, x1, y1, kInk);
    Pixels drawn;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.At(x, y) == kInk) drawn.emplace_back(x, y);
    return drawn;
}

Pixels Sorted(Pixels p) {
    std::sort(p.begin(), p.end(), [](auto a, auto b) {
        return a.second != b.second ? a.second < b.second : a.first < b.first;
    });
    return p;
}

TEST(ReadOutTest, HoursBareMinutesAndSecondsInTwoDigits) {
    struct Case {
        TimeFields t;
        const char* hours;
        const char* minutes;
        const char* seconds;
    };
    const Case cases[] = {
        {{9, 5, 7, 0}, "9:", "05:", "07"},
        {{23, 59, 59, 999}, "23:", "59:", "59"},
        {{0, 0, 0, 0}, "0:", "00:", "00"},
        {{10, 10, 10, 0}, "10:", "10:", "10"},
    };
    for (const Case& c : cases) {
        const ReadOut r = MakeReadOut(c.t);
        EXPECT_EQ(r.hours, c.hours);
        EXPECT_EQ(r.minutes, c.minutes);
        EXPECT_EQ(r.seconds, c.seconds);
    }
}

// Where the ideal line passes exactly between two pixels the one with the
// smaller coordinate is taken, in every octant.
TEST(DrawLineTest, StartDrawnEndLeftOutTiesToSmallerCoordinate) {
    struct Case {
        int x0, y0, x1, y1;
        Pixels expected;
    };
    const Case cases[] = {
        {2, 5, 6, 5, {{2, 5}, {3, 5}, {4, 5}, {5, 5}}},
        {6, 5, 2, 5, {{6, 5}, {5, 5}, {4, 5}, {3, 5}}},
        {3, 1, 3, 4, {{3, 1}, {3, 2}, {3, 3}}},
        {3, 4, 3, 1, {{3, 4}, {3, 3}, {3, 2}}},
        {1, 1, 4, 4, {{1, 1}, {2, 2}, {3, 3}}},
        {4, 4, 1, 1, {{4, 4}, {3, 3}, {2, 2}}},
        {4, 1, 1, 4, {{4, 1}, {3, 2}, {2, 3}}},
        {5, 5, 5, 5, {}},
        {0, 0, 5, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},
        // x-major: right-down, left-up, right-up, left-down
        {10, 10, 14, 12, {{10, 10}, {11, 10}, {12, 11}, {13, 11}}},
        {14, 12, 10, 10, {{14, 12}, {13, 11}, {12, 11}, {11, 10}}},
        {10, 10, 14, 8, {{10, 10}, {11, 9}, {12, 9}, {13, 8}}},
        {14, 8, 10, 10, {{14, 8}, {13, 8}, {12, 9}, {11, 9}}},
        // y-major: down-right, up-left, down-left, up-right
        {10, 10, 12, 14, {{10, 10}, {10, 11}, {11, 12}, {11, 13}}},
        {12, 14, 10, 10, {{12, 14}, {11, 13}, {11, 12}, {10, 11}}},
        {12, 10, 10, 14, {{12, 10}, {11, 11}, {11, 12}, {10, 13}}},
        {10, 14, 12, 10, {{10, 14}, {10, 13}, {11, 12}, {11, 11}}},
        // partly outside: clipped, not wrapped
        {-3, 2, 2, 2, {{0, 2}, {1, 2}}},
        {38, 39, 42, 39, {{38, 39}, {39, 39}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LinePixels(c.x0, c.y0, c.x1, c.y1), Sorted(c.expected))
            << "(" << c.x0 << "," << c.y0 << ")-(" << c.x1 << "," << c.y1 << ")";
    }
}

TEST(DrawLineTest, ReversibleConnectedAndCloseToTheIdealLine) {
    const int x0 = 20, y0 = 20;
    for (int dy = -9; dy <= 9; ++dy) {
        for (int dx = -9; dx <= 9; ++dx) {
            const int x1 = x0 + dx, y1 = y0 + dy;
            Pixels forward = LinePixels(x0, y0, x1, y1);
            Pixels backward = LinePixels(x1, y1, x0, y0);
            ASSERT_EQ(forward.size(), static_cast<size_t>(std::max(std::abs(dx), std::abs(dy))));
            if (dx == 0 && dy == 0) continue;
            forward.emplace_back(x1, y1);
            backward.emplace_back(x0, y0);
            ASSERT_EQ(Sorted(forward), Sorted(backward)) << dx << "," << dy;
            // Every pixel lies within half a pixel of the ideal line along the
            // minor axis; one pixel per step of the major axis makes it connected.
            for (auto [x, y] : forward) {
                if (std::abs(dx) >= std::abs(dy)) {
                    const double ideal = y0 + static_cast<double>(dy) * (x - x0) / dx;
                    EXPECT_LE(std::abs(y - ideal), 0.5) << dx << "," << dy;
                } else {
                    const double ideal = x0 + static_cast<double>(dx) * (y - y0) / dy;
                    EXPECT_LE(std::abs(x - ideal), 0.5) << dx << "," << dy;
                }
            }
        }
    }
}

// Clipped, a line draws exactly its unclipped pixels inside the clip: a tick
// draws the hands piece by piece, and a gap or a stray pixel at a piece's
// edge would stay on the face.
TEST(DrawLineTest, ClippedDrawsTheSamePixelsInsideTheClip) {
    const Rect clips[] = {{0, 0, 40, 40},  {10, 10, 30, 30}, {0, 17, 40, 18},
                          {23, 0, 24, 40}, {-5, 12, 15, 50}, {31, 31, 33, 33}};
    for (const Rect& clip : clips) {
        for (int i = 0; i < 400; ++i) {
            // Ends spread over and beyond the image, every octant.
            const int x0 = (i * 7) % 46 - 3, y0 = (i * 13) % 46 - 3;
            const int x1 = (i * 29 + 11) % 46 - 3, y1 = (i * 17 + 5) % 46 - 3;
            Image whole(40, 40, 0), clipped(40, 40, 0);
            DrawLine(whole, x0, y0, x1, y1, kInk);
            DrawLine(clipped, x0, y0, x1, y1, kInk, clip);
            for (int y = 0; y < 40; ++y) {
                for (int x = 0; x < 40; ++x) {
                    const bool in =
                        x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
                    ASSERT_EQ(clipped.At(x, y), in ? whole.At(x, y) : 0u)
                        << "(" << x0 << "," << y0 << ")-(" << x1 << "," << y1 << ") at " << x << ","
                        << y;
                }
            }
        }
    }
}

// A plain face the size of the design's hands picture, in a colour no hand has.
constexpr int kFaceWidth = 529;
constexpr int kFaceHeight = 546;
constexpr uint32_t kBack = Rgb(0, 0, 128);

TimeFields At(int h, int m, int s) {
    return TimeFields{static_cast<uint16_t>(h), static_cast<uint16_t>(m), static_cast<uint16_t>(s),
                      0};
}

// The hands as the clock draws them at 96 DPI.
Image HandsAt(int h, int m, int s) {
    TFaceComposer face;
    face.Reset(Image(kFaceWidth, kFaceHeight, kBack), HandsGeometry{});
    face.Update(TipsAt(At(h, m, s), kDesignDpi));
    return face.Face();
}

TEST(DrawHandsTest, SecondFifteenPointsExactlyRight) {
    // The hour and minute hands point down and left, away from the row.
    const Image sheet = HandsAt(6, 45, 15);
    for (int x = 302; x <= 500; ++x) EXPECT_EQ(sheet.At(x, 290), kSecondHandColour) << x;
    EXPECT_EQ(sheet.At(501, 290), kBack);
    for (int y : {289, 291}) {
        for (int x = 302; x <= 499; ++x) EXPECT_EQ(sheet.At(x, y), kSecondHandColour) << x;
        EXPECT_EQ(sheet.At(500, y), kBack);
    }
    for (int y = 0; y < sheet.height; ++y) {
        for (int x = 0; x < sheet.width; ++x) {
            if (sheet.At(x, y) == kSecondHandColour) {
                ASSERT_TRUE(y >= 289 && y <= 291) << x << "," << y;
            }
        }
    }
}

TEST(DrawHandsTest, SecondZeroPointsStraightUp) {
    const Image sheet = HandsAt(6, 30, 0);
    for (int y = 90; y <= 288; ++y) EXPECT_EQ(sheet.At(300, y), kSecondHandColour) << y;
    EXPECT_EQ(sheet.At(300, 89), kBack);
    for (int x : {299, 301}) {
        for (int y = 91; y <= 289; ++y) EXPECT_EQ(sheet.At(x, y), kSecondHandColour) << y;
        EXPECT_EQ(sheet.At(x, 90), kBack);
    }
}

TEST(DrawHandsTest, ThreeOClockHourHandExactlyRightAndOnTopAtTheHub) {
    const Image sheet = HandsAt(3, 0, 0);
    for (int x = 299; x <= 430; ++x) EXPECT_EQ(sheet.At(x, 290), kHourHandColour) << x;
    EXPECT_EQ(sheet.At(431, 290), kBack);
    for (int y : {289, 291}) {
        for (int x = 300; x <= 429; ++x) EXPECT_EQ(sheet.At(x, y), kHourHandColour) << x;
        EXPECT_EQ(sheet.At(430, y), kBack);
    }
}

struct Tip {
    double angle = 0;  // clockwise from twelve, radians
    double length = 0;
};

// The pixel of the colour farthest from the hub.
Tip TipOf(const Image& sheet, uint32_t colour) {
    Tip tip;
    for (int y = 0; y < sheet.height; ++y) {
        for (int x = 0; x < sheet.width; ++x) {
            if (sheet.At(x, y) != colour) continue;
            const double dx = x - kDesignHub.x, dy = y - kDesignHub.y;
            const double len = std::hypot(dx, dy);
            if (len > tip.length) tip = {std::atan2(dx, -dy), len};
        }
    }
    return tip;
}

double AngleBetween(double a, double b) {
    const double d = std::remainder(a - b, 2 * std::numbers::pi);
    return std::abs(d);
}

TEST(DrawHandsTest, HandsPointAtTheTime) {
    // Dial positions in minutes of the dial (0..60, clockwise from twelve).
    struct Case {
        int h, m, s;
        double hour, minute, second;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0, 0},
        {6, 30, 0, 32.5, 30, 0},  // the hour hand halfway between 6 and 7
        {10, 8, 37, 50 + 8 / 12.0, 8 + 37 / 60.0, 37},
        {13, 0, 0, 5, 0, 0},  // afternoon hours on the same dial
        {12, 15, 45, 1.25, 15.75, 45},
        {23, 59, 59, 55 + 59 / 12.0, 59 + 59 / 60.0, 59},
        {11, 59, 58, 55 + 59 / 12.0, 59 + 58 / 60.0, 58},
        {4, 44, 22, 20 + 44 / 12.0, 44 + 22 / 60.0, 22},
    };
    for (const Case& c : cases) {
        const Image sheet = HandsAt(c.h, c.m, c.s);
        const struct {
            uint32_t colour;
            int length;
            double position;
        } hands[] = {
            {kHourHandColour, kHourHandLength, c.hour},
            {kMinuteHandColour, kMinuteHandLength, c.minute},
            {kSecondHandColour, kSecondHandLength, c.second},
        };
        for (const auto& hand : hands) {
            const Tip tip = TipOf(sheet, hand.colour);
            const double expected = hand.position / 60.0 * 2 * std::numbers::pi;
            // The strokes beside the centre line and the rounding put the tip
            // up to two pixels off the ideal one.
            EXPECT_LE(AngleBetween(tip.angle, expected), 2.0 / hand.length)
                << c.h << ":" << c.m << ":" << c.s << " hand " << hand.length;
            EXPECT_NEAR(tip.length, hand.length, 1.5) << c.h << ":" << c.m << ":" << c.s;
        }
        EXPECT_EQ(sheet.At(kDesignHub.x, kDesignHub.y), kHourHandColour);
    }
}

TEST(DrawHandsTest, AfternoonDrawsLikeMorning) {
    for (int h = 0; h < 12; ++h) {
        EXPECT_EQ(HandsAt(h + 12, 25, 40).pixels, HandsAt(h, 25, 40).pixels) << h;
    }
}

TEST(DrawHandsTest, HandsStayInsideTheirCircleAndOffTheKeyPixel) {
    Image sheet(kFaceWidth, kFaceHeight, kBack);
    const Rect all{0, 0, sheet.width, sheet.height};
    for (int h = 0; h < 24; ++h)
        for (int m = 0; m < 60; ++m)
            DrawHands(sheet, HandsGeometry{}, TipsAt(At(h, m, (h * 7 + m) % 60), kDesignDpi), all);
    EXPECT_EQ(sheet.At(0, kFaceHeight - 1), kBack);
    for (int y = 0; y < sheet.height; ++y) {
        for (int x = 0; x < sheet.width; ++x) {
            if (sheet.At(x, y) == kBack) continue;
            ASSERT_LE(std::hypot(x - kDesignHub.x, y - kDesignHub.y), kSecondHandLength + 1.5)
                << x << "," << y;
        }
    }
}

// At any DPI the hands are the design's scaled: as long, as thick, and
// their centre lines cross where the dial's centre is put.
TEST(DrawHandsTest, ScaleWithTheDpi) {
    for (int dpi : {96, 120, 144, 192}) {
        const double s = dpi / 96.0;
        const Point hub{ScaledHalfEven(300, dpi), ScaledHalfEven(290, dpi)};
        const HandsGeometry g = HandsAt(hub, dpi);
        Image sheet(ScaledHalfEven(kFaceWidth, dpi), ScaledHalfEven(kFaceHeight, dpi), kBack);
        const Rect all{0, 0, sheet.width, sheet.height};
        // The second hand points right, the others left and down.
        DrawHands(sheet, g, TipsAt(TimeFields{9, 30, 15, 0}, dpi), all);
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        // Across the second hand, halfway out: as many rows as the design's
        // three, scaled; their middle is the centre line.
        const int x = hub.x + static_cast<int>(100 * s);
        int first = -1, rows = 0;
        for (int y = 0; y < sheet.height; ++y) {
            if (sheet.At(x, y) != kSecondHandColour) continue;
            if (first < 0) first = y;
            ++rows;
        }
        EXPECT_EQ(rows, ScaledHalfEven(3, dpi));
        EXPECT_DOUBLE_EQ(first + rows / 2.0, hub.y + HandsCentre(g));
        // Along it: the tip at the scaled length.
        int tip = x;
        while (sheet.At(tip + 1, hub.y) == kSecondHandColour) ++tip;
        EXPECT_NEAR(tip - hub.x, 200 * s, 1.0);
        EXPECT_EQ(sheet.At(hub.x, hub.y), kHourHandColour);
    }
}

// Every pixel a hand draws lies in one of its pieces, at every angle and DPI;
// and the pieces grow about as the hand's length does, so that a tick at
// 200 % renews not four times what it does at 100 %, as whole boxes would.
TEST(HandBoxesTest, PiecesHoldTheWholeHandAndGrowWithItsLength) {
    long area[2] = {0, 0};
    const int dpis[] = {96, 192};
    for (int k = 0; k < 2; ++k) {
        const int dpi = dpis[k];
        const HandsGeometry g = HandsAt(Point{450, 450}, dpi);
        Image image(900, 900, 0);
        for (int step = 0; step < 40; ++step) {
            for (int length : {kSecondHandLength, kHourHandLength}) {
                const double angle = step * std::numbers::pi / 20 + 0.013 * length;
                const Point tip{static_cast<int>(std::lround(std::cos(angle) * length * dpi / 96)),
                                static_cast<int>(std::lround(std::sin(angle) * length * dpi / 96))};
                Fill(image, 0);
                DrawHands(image, g, HandTips{tip, {0, 0}, {0, 0}}, Rect{0, 0, 900, 900});
                const HandPieces p = HandBoxes(g, tip);
                ASSERT_GE(p.count, 1);
                for (int y = 0; y < image.height; ++y) {
                    for (int x = 0; x < image.width; ++x) {
                        if (image.At(x, y) == 0) continue;
                        bool inside = false;
                        for (int i = 0; i < p.count && !inside; ++i) {
                            const Rect& r = p.rects[static_cast<size_t>(i)];
                            inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                        }
                        ASSERT_TRUE(inside) << dpi << " dpi, step " << step << ", length " << length
                                            << ": pixel " << x << "," << y;
                    }
                }
                for (int i = 0; i < p.count; ++i) {
                    area[k] += p.rects[static_cast<size_t>(i)].Width() *
                               p.rects[static_cast<size_t>(i)].Height();
                }
            }
        }
    }
    EXPECT_LT(area[1], 2.6 * area[0]) << area[0] << " px at 96 dpi, " << area[1] << " at 192";
}

TEST(CopyKeyedTest, MatchesPixelByPixelCopyAtEveryPlacement) {
    constexpr uint32_t kKey = Rgb(7, 7, 7);
    Image src(4, 3, 0);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            src.Set(x, y, Rgb(10, static_cast<uint8_t>(x), static_cast<uint8_t>(y)));
    src.Set(0, 2, kKey);  // bottom-left: the transparent colour
    src.Set(2, 1, kKey);
    src.Set(0, 0, Rgb(0, 0, 128));  // not the key: copied like any other

    for (int oy = -4; oy <= 6; ++oy) {
        for (int ox = -5; ox <= 7; ++ox) {
            Image dst(6, 5, Rgb(128, 0, 0));
            Image expected = dst;
            for (int y = 0; y < src.height; ++y)
                for (int x = 0; x < src.width; ++x)
                    if (src.At(x, y) != kKey) expected.Set(ox + x, oy + y, src.At(x, y));
            CopyKeyed(dst, src, ox, oy);
            ASSERT_EQ(dst.pixels, expected.pixels) << ox << "," << oy;
        }
    }
}

TEST(CopyKeyedTest, EmptySourceOrFarAwayChangesNothing) {
    Image dst(3, 3, Rgb(128, 0, 0));
    const Image before = dst;
    CopyKeyed(dst, Image(), 0, 0);
    CopyKeyed(dst, Image(2, 2, 1), 2147483600, -2147483600);
    EXPECT_EQ(dst.pixels, before.pixels);

    Fill(dst, Rgb(1, 2, 3));
    EXPECT_EQ(dst.pixels, std::vector<uint32_t>(9, Rgb(1, 2, 3)));
}

}  // namespace
}  // namespace zv
