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

// The hands' hub, pixel (300, 290) of the sheet, must fall on the dial's
// centre, pixel (419, 305) of the skin, whatever the screen size.
TEST(LayoutTest, HubStaysOnTheDialCentre) {
    for (int size = 300; size <= 4000; ++size) {
        const FormLayout wide = ApplyLayout(size, 1024);
        ASSERT_EQ(wide.image2.left + 300, wide.image1.left + 419) << size;
        const FormLayout tall = ApplyLayout(1280, size);
        ASSERT_EQ(tall.image2.top + 290, tall.image1.top + 305) << size;
    }
}

}  // namespace
}  // namespace zv
