// The committed skin picture and icons, as the window and the resource
// compiler will take them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "app/ClockFace.h"
#include "app/FrameComposer.h"
#include "app/Image.h"
#include "app/Layout.h"

namespace zv {
namespace {

constexpr uint32_t kClear = Rgb(7, 7, 7);
constexpr uint32_t kWindowKey = Rgb(128, 0, 0);

std::vector<uint8_t> ReadResource(const std::string& name) {
    std::ifstream in(std::string(ZV_SOURCE_DIR) + "/resources/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t U16(const std::vector<uint8_t>& b, size_t at) {
    return b.at(at) | b.at(at + 1) << 8;
}
uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return U16(b, at) | U16(b, at + 2) << 16;
}

class SkinTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        const std::vector<uint8_t> b = ReadResource("skin.bmp");
        ASSERT_GE(b.size(), 54u);
        ASSERT_EQ(b[0], 'B');
        ASSERT_EQ(b[1], 'M');
        ASSERT_EQ(U32(b, 2), b.size());
        ASSERT_EQ(U32(b, 14), 40u);  // BITMAPINFOHEADER
        const int width = static_cast<int>(U32(b, 18));
        const int height = static_cast<int>(U32(b, 22));  // positive: bottom-up
        ASSERT_EQ(width, 800);
        ASSERT_EQ(height, 600);
        ASSERT_EQ(U16(b, 26), 1u);   // planes
        ASSERT_EQ(U16(b, 28), 24u);  // bits per pixel
        ASSERT_EQ(U32(b, 30), 0u);   // uncompressed
        const size_t offset = U32(b, 10);
        const size_t stride = (width * 3 + 3) & ~3u;
        ASSERT_EQ(offset + stride * height, b.size());

        skin_ = new Image(width, height, 0);
        for (int y = 0; y < height; ++y) {
            const uint8_t* row = &b[offset + (height - 1 - y) * stride];
            for (int x = 0; x < width; ++x)
                skin_->Set(x, y, Rgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]));
        }
    }
    static void TearDownTestSuite() {
        delete skin_;
        skin_ = nullptr;
    }
    void SetUp() override {
        if (!skin_) GTEST_SKIP() << "skin.bmp did not load";
    }

    static const Image& Skin() { return *skin_; }

  private:
    static inline Image* skin_ = nullptr;
};

TEST_F(SkinTest, SurroundingsSeeThroughNothingInTheWindowKey) {
    EXPECT_EQ(Skin().At(0, 599), kClear);
    for (auto [x, y] : {std::pair{0, 0}, {799, 0}, {799, 599}, {400, 0}, {0, 300}})
        EXPECT_EQ(Skin().At(x, y), kClear) << x << "," << y;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            ASSERT_NE(Skin().At(x, y), kWindowKey) << x << "," << y;
            // Nothing drawn outside the dial's round bezel.
            if (std::hypot(x + 0.5 - 419.5, y + 0.5 - 305.5) > 259) {
                ASSERT_EQ(Skin().At(x, y), kClear) << x << "," << y;
            }
        }
    }
}

// Wherever a hand can go, the dial is drawn: no see-through hole under it.
TEST_F(SkinTest, DialDrawnUnderTheHands) {
    for (int y = 305 - 210; y <= 305 + 210; ++y) {
        for (int x = 419 - 210; x <= 419 + 210; ++x) {
            if (std::hypot(x - 419, y - 305) > 205) continue;
            ASSERT_NE(Skin().At(x, y), kClear) << x << "," << y;
        }
    }
}

// The yellow captions and read-out sit on dark panels, whichever way the
// screen size rounds.
TEST_F(SkinTest, DarkPanelsUnderTheLabels) {
    const int sizes[][2] = {{1280, 1024}, {1281, 1023}, {1920, 1080},
                            {1366, 768},  {1025, 769},  {1600, 901}};
    for (const auto& size : sizes) {
        const FormLayout l = ApplyLayout(size[0], size[1]);
        for (const Bounds& label : {l.label1, l.label2, l.label3, l.label4, l.label5, l.label6}) {
            for (int y = label.top; y < label.top + label.height; ++y) {
                for (int x = label.left; x < label.left + label.width; ++x) {
                    const uint32_t c = Skin().At(x - l.image1.left, y - l.image1.top);
                    ASSERT_NE(c, kClear) << size[0] << "x" << size[1] << " at " << x << "," << y;
                    const int r = c >> 16, g = (c >> 8) & 0xff, b = c & 0xff;
                    ASSERT_LT(r * 3 + g * 6 + b, 10 * 70) << "too light for yellow text";
                }
            }
        }
    }
}

TEST_F(SkinTest, FrameShowsHandsOnTheDialAndKeyElsewhere) {
    const FormLayout l = ApplyLayout(1280, 1024);
    Image base(1280, 1024, kWindowKey);
    CopyKeyed(base, Skin(), l.image1.left, l.image1.top);
    TFaceComposer face;
    face.Reset(std::move(base), HandsAt(l.hub, l.dpi));
    face.Update(TipsAt(TimeFields{3, 0, 0, 0}, l.dpi));
    const Image& frame = face.Face();

    const int hubX = l.image1.left + 419, hubY = l.image1.top + 305;
    EXPECT_EQ(frame.At(hubX, hubY), kHourHandColour);
    EXPECT_EQ(frame.At(hubX + 100, hubY), kHourHandColour);
    EXPECT_EQ(frame.At(hubX, hubY - 180), kSecondHandColour);
    // Off the hands the dial shows, outside it the window key.
    EXPECT_EQ(frame.At(hubX - 100, hubY + 20), Skin().At(319, 325));
    EXPECT_EQ(frame.At(l.image1.left, l.image1.top + 599), kWindowKey);
    EXPECT_EQ(frame.At(0, 0), kWindowKey);
}

// The program's icon holds a frame for each small-icon size from 96 to 192
// DPI and the large ones; the About dialog's icons a frame for each of its
// large-icon sizes from 96 to 192 DPI.
TEST(IconTest, SquareSixteenColourFramesOfTheirSizes) {
    const struct {
        const char* name;
        std::vector<int> sizes;
    } files[] = {
        {"zvenoks.ico", {16, 20, 24, 32, 40, 48}},
        {"about_window.ico", {32, 40, 48, 64}},
        {"about_image.ico", {32, 40, 48, 64}},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        const std::vector<uint8_t> b = ReadResource(file.name);
        ASSERT_GE(b.size(), 6u);
        EXPECT_EQ(U16(b, 0), 0u);  // reserved
        EXPECT_EQ(U16(b, 2), 1u);  // icon
        ASSERT_EQ(U16(b, 4), file.sizes.size());
        size_t end = 6 + 16 * file.sizes.size();
        for (size_t i = 0; i < file.sizes.size(); ++i) {
            const int n = file.sizes[i];
            SCOPED_TRACE(n);
            const size_t entry = 6 + 16 * i;
            const size_t xorRow = (n / 2 + 3) / 4 * 4, maskRow = (n + 31) / 32 * 4;
            const size_t size = 40 + 16 * 4 + (xorRow + maskRow) * n;
            EXPECT_EQ(b[entry], n);
            EXPECT_EQ(b[entry + 1], n);
            EXPECT_EQ(b[entry + 2], 16);  // colours
            EXPECT_EQ(U16(b, entry + 4), 1u);
            EXPECT_EQ(U16(b, entry + 6), 4u);
            ASSERT_EQ(U32(b, entry + 8), size);
            const size_t at = U32(b, entry + 12);
            ASSERT_EQ(at, end) << "frames follow one another";
            ASSERT_LE(at + size, b.size());
            end = at + size;
            EXPECT_EQ(U32(b, at), 40u);
            EXPECT_EQ(U32(b, at + 4), static_cast<uint32_t>(n));
            EXPECT_EQ(U32(b, at + 8), static_cast<uint32_t>(2 * n));  // colour and mask halves
            EXPECT_EQ(U16(b, at + 12), 1u);
            EXPECT_EQ(U16(b, at + 14), 4u);
            EXPECT_EQ(U32(b, at + 16), 0u);

            // Opaque at the middle, see-through in the corners.
            const size_t mask = at + 40 + 64 + xorRow * n;
            auto transparent = [&](int x, int y) {
                return (b[mask + (n - 1 - y) * maskRow + x / 8] >> (7 - x % 8) & 1) != 0;
            };
            EXPECT_FALSE(transparent(n / 2, n / 2));
            EXPECT_TRUE(transparent(0, n - 1));
            EXPECT_TRUE(transparent(n - 1, n - 1));
        }
        EXPECT_EQ(end, b.size());
    }
}

}  // namespace
}  // namespace zv
