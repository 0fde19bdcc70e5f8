#include <gtest/gtest.h>

#include <vector>

#include "core/Geometry.h"

namespace zv {
namespace {

TEST(GeometryTest, CentresInTheWorkAreaWithItsOrigin) {
    struct Case {
        const char* what;
        Rect area;
        int width, height;
        Point at;
    };
    const Case cases[] = {
        {"primary monitor, taskbar below", {0, 0, 1280, 984}, 259, 189, {510, 397}},
        {"halves truncated", {0, 0, 1281, 1025}, 260, 190, {510, 417}},
        {"taskbar on the left", {60, 0, 1920, 1080}, 331, 286, {824, 397}},
        // Work areas of a primary monitor never start below 0, but a
        // negative origin must be kept as it is.
        {"negative origin", {-1024, -200, 0, 568}, 100, 100, {-562, 134}},
        {"exactly the area's size", {0, 0, 300, 200}, 300, 200, {0, 0}},
        {"larger than the area: caption reachable", {0, 30, 640, 480}, 800, 600, {0, 30}},
    };
    for (const Case& c : cases) EXPECT_EQ(CentreIn(c.area, c.width, c.height), c.at) << c.what;
}

TEST(GeometryTest, AroundCoversAllButTheHoleOnce) {
    struct Case {
        const char* what;
        Rect whole, hole;
        std::vector<Rect> parts;
    };
    const Case cases[] = {
        {"hole inside",
         {0, 0, 100, 80},
         {10, 20, 60, 50},
         {{0, 0, 100, 20}, {0, 50, 100, 80}, {0, 20, 10, 50}, {60, 20, 100, 50}}},
        {"hole at the top-left corner",
         {0, 0, 100, 80},
         {0, 0, 40, 30},
         {{0, 30, 100, 80}, {40, 0, 100, 30}}},
        {"hole sticking out left and up",
         {0, 0, 100, 80},
         {-80, -60, 40, 30},
         {{0, 30, 100, 80}, {40, 0, 100, 30}}},
        {"hole larger than the whole", {0, 0, 640, 480}, {-80, -60, 721, 541}, {}},
        {"hole outside", {0, 0, 100, 80}, {200, 0, 300, 80}, {{0, 0, 100, 80}}},
        {"no hole", {0, 0, 100, 80}, {}, {{0, 0, 100, 80}}},
        {"nothing to cover (a minimized window)", {0, 0, 0, 0}, {10, 10, 20, 20}, {}},
    };
    for (const Case& c : cases) {
        const Strips got = Around(c.whole, c.hole);
        std::vector<Rect> parts(got.rects.begin(), got.rects.begin() + got.count);
        EXPECT_EQ(parts, c.parts) << c.what;
        // Pixel by pixel: each one outside the hole exactly once.
        for (int y = c.whole.top; y < c.whole.bottom; ++y) {
            for (int x = c.whole.left; x < c.whole.right; ++x) {
                const bool inHole =
                    x >= c.hole.left && x < c.hole.right && y >= c.hole.top && y < c.hole.bottom;
                int covered = 0;
                for (const Rect& r : parts) {
                    covered += x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                }
                ASSERT_EQ(covered, inHole ? 0 : 1) << c.what << " at " << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace zv
