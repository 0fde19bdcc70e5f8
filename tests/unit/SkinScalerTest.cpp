// The skin scaled from its master: where the dial lands, and that nothing of
// it is ever blended with the window's colour key or made see-through inside.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "app/SkinScaler.h"

namespace zv {
namespace {

constexpr uint32_t kClear = Rgb(7, 7, 7);
constexpr uint32_t kWindowKey = Rgb(128, 0, 0);
constexpr uint32_t kDisc = Rgb(150, 160, 175);

int R(uint32_t c) {
    return static_cast<int>(c >> 16 & 0xff);
}
int G(uint32_t c) {
    return static_cast<int>(c >> 8 & 0xff);
}
int B(uint32_t c) {
    return static_cast<int>(c & 0xff);
}

// A master in the skin's manner: a disc of radius r about (cx, cy), its edge
// pixels mixed with the clear colour by how much of them it covers.
Image DiscMaster(int w, int h, double cx, double cy, double r) {
    Image m(w, h, kClear);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int in = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    in += std::hypot(x + (sx + 0.5) / 4 - cx, y + (sy + 0.5) / 4 - cy) < r;
            if (in == 0) continue;
            auto mix = [&](int a, int b) {
                return static_cast<uint8_t>((a * in + b * (16 - in)) / 16);
            };
            m.Set(x, y, Rgb(mix(R(kDisc), 7), mix(G(kDisc), 7), mix(B(kDisc), 7)));
        }
    }
    return m;
}

// Every drawn pixel lies between the disc's colour and the dark clear colour
// (the master's own edge blend), never toward anything else.
TEST(SkinScalerTest, EdgesBlendOnlyWithTheDarkSurroundNeverTheKey) {
    const Image master = DiscMaster(200, 160, 100, 80, 60);
    for (double scale : {0.625, 0.75, 0.875, 1.0, 1.25}) {
        SkinPlacement p;
        p.ratio = 1 / scale;
        p.masterX = 100;
        p.masterY = 80;
        p.x = 100 * scale + 0.3;
        p.y = 80 * scale + 0.5;
        p.width = static_cast<int>(200 * scale);
        p.height = static_cast<int>(160 * scale);
        const Image out = ScaleSkin(master, p);
        SCOPED_TRACE(testing::Message() << "scale " << scale);
        EXPECT_EQ(out.At(0, out.height - 1), kClear);
        int drawn = 0;
        for (int y = 0; y < out.height; ++y) {
            for (int x = 0; x < out.width; ++x) {
                const uint32_t c = out.At(x, y);
                ASSERT_NE(c, kWindowKey);
                const double d = std::hypot(x + 0.5 - p.x, y + 0.5 - p.y) / scale;
                if (d < 58) {
                    ASSERT_EQ(c, kDisc) << x << "," << y << " inside the disc";
                }
                if (d > 62) {
                    ASSERT_EQ(c, kClear) << x << "," << y << " outside the disc";
                }
                if (c == kClear) continue;
                ++drawn;
                // c = t * disc + (1 - t) * clear, each channel with the same t.
                const double t = (G(c) - 7.0) / (G(kDisc) - 7.0);
                EXPECT_NEAR(R(c), 7 + t * (R(kDisc) - 7), 2.5) << x << "," << y;
                EXPECT_NEAR(B(c), 7 + t * (B(kDisc) - 7), 2.5) << x << "," << y;
                EXPECT_GT(t, 0.0) << x << "," << y;
            }
        }
        // Neither worn away nor grown by more than its edge pixels.
        EXPECT_NEAR(std::sqrt(drawn / std::numbers::pi), 60 * scale, 1.5) << "the disc's radius";
    }
}

// At the master's own scale, on whole pixels, the master comes out as it is;
// a point of the master lands where it is asked to.
TEST(SkinScalerTest, PlacesTheMasterPointWhereAsked) {
    Image master(40, 30, kClear);
    master.Set(20, 12, Rgb(200, 10, 10));
    master.Set(21, 12, Rgb(10, 200, 10));
    SkinPlacement p{1.0, 20, 12, 7, 9, 30, 20};
    const Image same = ScaleSkin(master, p);
    for (int y = 0; y < same.height; ++y) {
        for (int x = 0; x < same.width; ++x) {
            const int mx = x + 13, my = y + 3;
            ASSERT_EQ(same.At(x, y), master.Contains(mx, my) ? master.At(mx, my) : kClear)
                << x << "," << y;
        }
    }
    // Halved: output (7, 9) holds master (20..21, 12..13), half of it drawn,
    // seen over the clear colour.
    p = SkinPlacement{2.0, 20, 12, 7, 9, 30, 20};
    EXPECT_EQ(ScaleSkin(master, p).At(7, 9), Rgb(56, 56, 9));
}

// Means that would come out as the see-through colours are nudged off them.
TEST(SkinScalerTest, NoDrawnPixelTakesAKeyColour) {
    const struct {
        uint32_t a, b, unwanted;
    } cases[] = {
        {Rgb(129, 0, 0), Rgb(127, 0, 0), kWindowKey},
        {Rgb(6, 6, 6), Rgb(8, 8, 8), kClear},
    };
    for (const auto& c : cases) {
        // Output (0, 0) is the mean of the 2 x 2 block a b / a b, all drawn.
        Image master(4, 3, kClear);
        for (int y = 0; y < 2; ++y) {
            master.Set(0, y, c.a);
            master.Set(1, y, c.b);
        }
        const uint32_t mean = ScaleSkin(master, SkinPlacement{2.0, 0, 0, 0, 0, 2, 2}).At(0, 0);
        EXPECT_NE(mean, c.unwanted);
        EXPECT_LE(std::abs(R(mean) - R(c.unwanted)) + std::abs(G(mean) - G(c.unwanted)) +
                      std::abs(B(mean) - B(c.unwanted)),
                  6);
    }
}

// Halved onto whole pixels, a mean of quarters rounds half up, and the clear
// share of a block counts as the clear colour, never as a hole.
TEST(SkinScalerTest, HalvingRoundsHalfUp) {
    SkinPlacement p;
    p.ratio = 2;
    p.width = kSkinWidth;
    p.height = kSkinHeight;
    const struct {
        uint32_t block[4];  // the 2 x 2 master pixels of design pixel (0, 0)
        uint32_t want;
    } cases[] = {
        {{Rgb(10, 10, 10), Rgb(11, 10, 10), Rgb(10, 10, 10), Rgb(10, 10, 10)}, Rgb(10, 10, 10)},
        {{Rgb(10, 10, 10), Rgb(11, 10, 10), Rgb(11, 10, 10), Rgb(10, 10, 10)}, Rgb(11, 10, 10)},
        {{Rgb(10, 20, 30), Rgb(10, 20, 30), Rgb(10, 20, 30), kClear}, Rgb(9, 17, 24)},
        {{kClear, kClear, kClear, Rgb(9, 9, 9)}, Rgb(8, 8, 8)},
        {{kClear, kClear, kClear, kClear}, kClear},
    };
    for (const auto& c : cases) {
        Image master(kSkinWidth * 2, kSkinHeight * 2, kClear);
        for (int i = 0; i < 4; ++i) master.Set(i % 2, i / 2, c.block[i]);
        const Image skin = ScaleSkin(master, p);
        ASSERT_EQ(skin.width, kSkinWidth);
        EXPECT_EQ(skin.At(0, 0), c.want) << std::hex << c.want;
        EXPECT_EQ(skin.At(1, 0), kClear);
    }
}

}  // namespace
}  // namespace zv
