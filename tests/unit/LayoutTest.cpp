#include <gtest/gtest.h>

#include <utility>

#include "app/Layout.h"

namespace zv {
namespace {

TEST(LayoutTest, CentresTheControlsHalvesToEven) {
    struct Case {
        int w, h;
        int image1Left, image1Top, image2Left, image2Top;
        int labelLeft[6];
        int labelTop[6];
    };
    const Case cases[] = {
        // W/2 - 400.5 = 239.5 -> 240, H/2 - 300.5 = 211.5 -> 212
        {1280,
         1024,
         240,
         212,
         359,
         227,
         {770, 790, 805, 460, 466, 767},
         {367, 367, 367, 370, 654, 652}},
        // W/2 = 640.5 -> 640, H/2 = 511.5 -> 512, the pictures land exactly
        {1281,
         1023,
         240,
         211,
         359,
         226,
         {770, 790, 805, 460, 466, 767},
         {367, 367, 367, 370, 654, 652}},
        // 282.5 -> 282 and 83.5 -> 84
        {1366,
         768,
         282,
         84,
         401,
         99,
         {813, 833, 848, 503, 509, 810},
         {239, 239, 239, 242, 526, 524}},
        // W/2 = 641.5 -> 642, H/2 = 512.5 -> 512
        {1283,
         1025,
         241,
         212,
         360,
         227,
         {772, 792, 807, 462, 468, 769},
         {367, 367, 367, 370, 654, 652}},
        // smaller than the skin: -80.5 -> -80, -60.5 -> -60
        {640, 480, -80, -60, 39, -45, {450, 470, 485, 140, 146, 447}, {95, 95, 95, 98, 382, 380}},
    };
    for (const Case& c : cases) {
        const FormLayout l = ApplyLayout(c.w, c.h);
        const Bounds* labels[] = {&l.label1, &l.label2, &l.label3, &l.label4, &l.label5, &l.label6};
        EXPECT_EQ(l.image1, (Bounds{c.image1Left, c.image1Top, 801, 601})) << c.w << "x" << c.h;
        EXPECT_EQ(l.image2, (Bounds{c.image2Left, c.image2Top, 593, 601})) << c.w << "x" << c.h;
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(labels[i]->left, c.labelLeft[i]) << c.w << "x" << c.h << " Label" << i + 1;
            EXPECT_EQ(labels[i]->top, c.labelTop[i]) << c.w << "x" << c.h << " Label" << i + 1;
        }
    }
}

TEST(LayoutTest, KeepsTheDesignSizes) {
    const FormLayout l = ApplyLayout(1000, 700);
    const std::pair<Bounds, Bounds> placedAndDesign[] = {
        {l.image1, kImage1Design}, {l.image2, kImage2Design}, {l.label1, kLabel1Design},
        {l.label2, kLabel2Design}, {l.label3, kLabel3Design}, {l.label4, kLabel4Design},
        {l.label5, kLabel5Design}, {l.label6, kLabel6Design},
    };
    for (const auto& [placed, design] : placedAndDesign) {
        EXPECT_EQ(placed.width, design.width);
        EXPECT_EQ(placed.height, design.height);
    }
}

// At another DPI every design offset from the centre and every size is
// scaled, halves to even, before the controls are placed.
TEST(LayoutTest, ScalesOffsetsAndSizesWithTheDpi) {
    struct Case {
        int dpi;
        int w, h;
        Bounds image1, image2, label1, label3, label4, label6;
        Point hub;
    };
    const Case cases[] = {
        // 801 x 601 -> 1201.5 x 901.5 -> 1202 x 902 (halves to even), left
        // 640 - 601; Image2 640 - 445 + 22 (15 -> 22.5 -> 22); -145 -> -218
        {144,
         1280,
         1024,
         {39, 61, 1202, 902},
         {217, 83, 890, 902},
         {835, 294, 36, 24},
         {888, 294, 36, 24},
         {370, 299, 142, 24},
         {830, 722, 108, 24},
         {667, 518}},
        {192,
         1920,
         1440,
         {159, 119, 1602, 1202},
         {397, 149, 1186, 1202},
         {1220, 430, 48, 32},
         {1290, 430, 48, 32},
         {600, 436, 190, 32},
         {1214, 1000, 144, 32},
         {997, 729}},
        // 601 -> 751.25 -> 751, top 384 - 375.5 -> 8; 24 -> 30, 16 -> 20
        {120,
         1366,
         768,
         {182, 8, 1001, 751},
         {331, 27, 741, 751},
         {845, 203, 30, 20},
         {889, 203, 30, 20},
         {458, 206, 119, 20},
         {842, 559, 90, 20},
         {706, 389}},
    };
    for (const Case& c : cases) {
        const FormLayout l = ApplyLayout(c.w, c.h, c.dpi);
        SCOPED_TRACE(testing::Message() << c.dpi << " dpi, " << c.w << "x" << c.h);
        EXPECT_EQ(l.dpi, c.dpi);
        EXPECT_EQ(l.image1, c.image1);
        EXPECT_EQ(l.image2, c.image2);
        EXPECT_EQ(l.label1, c.label1);
        EXPECT_EQ(l.label3, c.label3);
        EXPECT_EQ(l.label4, c.label4);
        EXPECT_EQ(l.label6, c.label6);
        EXPECT_EQ(l.hub, c.hub);
    }
}

// The hands' hub, pixel (300, 290) of the sheet, must fall on the dial's
// centre, pixel (419, 305) of the skin, whatever the screen size.
TEST(LayoutTest, HubStaysOnTheDialCentre) {
    for (int size = 300; size <= 4000; ++size) {
        const FormLayout wide = ApplyLayout(size, 1024);
        ASSERT_EQ(wide.image2.left + 300, wide.image1.left + 419) << size;
        const FormLayout tall = ApplyLayout(1280, size);
        ASSERT_EQ(tall.image2.top + 290, tall.image1.top + 305) << size;
        ASSERT_EQ(wide.hub, (Point{wide.image1.left + 419, wide.image1.top + 305})) << size;
    }
    // Scaled, the skin is made to fit the hub; the hub stays within a pixel
    // of the scaled dial centre, so that the skin's panels stay under the
    // labels and its dial inside its picture.
    for (int dpi : {110, 120, 144, 168, 192, 240, 288}) {
        for (int size = 1000; size <= 1100; ++size) {
            const FormLayout l = ApplyLayout(size, size - 3, dpi);
            const double s = dpi / 96.0;
            ASSERT_NEAR(l.hub.x + 0.5 - l.image1.left, 419.5 * s, 1.0) << dpi << " " << size;
            ASSERT_NEAR(l.hub.y + 0.5 - l.image1.top, 305.5 * s, 1.0) << dpi << " " << size;
        }
    }
}

// The dial's size on top of the DPI, no larger above 100 % than the work area
// holds the dial (801 x 601 at 96 DPI); 100 % and below as chosen.
TEST(LayoutTest, SizedDpiFitsTheWorkArea) {
    const struct {
        int dpi, size, w, h, want;
    } cases[] = {
        {96, 100, 1920, 1040, 96},   {96, 200, 1920, 1250, 192},  {96, 200, 1920, 1040, 144},
        {96, 150, 1366, 728, 96},    {96, 125, 1280, 760, 120},   {96, 75, 800, 560, 72},
        {144, 200, 3840, 2100, 288}, {144, 125, 1920, 1040, 144}, {96, 100, 640, 480, 96},
        {120, 150, 1920, 1080, 150},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SizedDpi(c.dpi, c.size, c.w, c.h), c.want)
            << c.dpi << " dpi, " << c.size << " %, " << c.w << "x" << c.h;
    }
}

}  // namespace
}  // namespace zv
