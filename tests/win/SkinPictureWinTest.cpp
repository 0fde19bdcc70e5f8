// The skin decoded by WIC from the exe's resources, against the committed BMP
// it was made from; damaged pictures; COM left as it was found.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <objbase.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "app/SkinPicture_win.h"
#include "app/SkinScaler.h"
#include "core/Errors.h"
#include "resources/resource.h"

namespace zv::win {
namespace {

std::vector<uint8_t> ReadSource(const std::string& relative) {
    // Wine shows the Unix root as drive Z:.
    std::ifstream in(std::string("Z:") + ZV_SOURCE_DIR + "/" + relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t{b[at + 3]} << 24;
}

// A bottom-up 24-bit BMP, as tools/make_skin.py writes it.
Image ReadBmp(const std::vector<uint8_t>& b) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return {};
    const int width = static_cast<int>(U32(b, 18));
    const int height = static_cast<int>(U32(b, 22));
    const size_t offset = U32(b, 10);
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    if (offset + stride * height != b.size()) return {};
    Image image(width, height, 0);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = &b[offset + (height - 1 - y) * stride];
        for (int x = 0; x < width; ++x)
            image.Set(x, y, Rgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]));
    }
    return image;
}

// The clock shows this picture at 96 DPI as it is.
TEST(SkinPictureWinTest, ResourceDecodesToTheBmpPixelForPixel) {
    const Image bmp = ReadBmp(ReadSource("resources/skin.bmp"));
    ASSERT_EQ(bmp.width, kSkinWidth) << "resources/skin.bmp did not load";
    const Image skin = TSkinPicture().FromResource(IDB_SKIN);
    ASSERT_EQ(skin.width, bmp.width);
    ASSERT_EQ(skin.height, bmp.height);
    int differing = 0;
    for (int y = 0; y < bmp.height; ++y) {
        for (int x = 0; x < bmp.width; ++x) {
            if (skin.At(x, y) != bmp.At(x, y) && ++differing <= 5) {
                ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << skin.At(x, y)
                              << " instead of " << bmp.At(x, y);
            }
        }
    }
    EXPECT_EQ(differing, 0);
}

// The master in the exe is the same drawing at twice the size, its dial
// where the scaler takes it to be: halved onto the design's dial centre it is
// the design skin but for rounding, the palette and the edges' smoothing.
TEST(SkinPictureWinTest, MasterHalvedIsTheDesignSkin) {
    const Image bmp = ReadBmp(ReadSource("resources/skin.bmp"));
    ASSERT_EQ(bmp.width, kSkinWidth) << "resources/skin.bmp did not load";
    const Image master = TSkinPicture().FromResource(IDB_SKIN_MASTER);
    ASSERT_EQ(master.width, kSkinWidth * kSkinMasterScale);
    ASSERT_EQ(master.height, kSkinHeight * kSkinMasterScale);
    SkinPlacement p;
    p.ratio = kSkinMasterScale;
    p.masterX = kSkinDialX * kSkinMasterScale;
    p.masterY = kSkinDialY * kSkinMasterScale;
    p.x = kSkinDialX;
    p.y = kSkinDialY;
    p.width = kSkinWidth;
    p.height = kSkinHeight;
    const Image halved = ScaleSkin(master, p);
    const uint32_t clear = bmp.At(0, kSkinHeight - 1);
    long differing = 0, total = 0, drawnApart = 0;
    for (int y = 0; y < kSkinHeight; ++y) {
        for (int x = 0; x < kSkinWidth; ++x) {
            const uint32_t a = halved.At(x, y), b = bmp.At(x, y);
            if ((a == clear) != (b == clear)) {
                // Only on the bezel's outer edge.
                EXPECT_NEAR(std::hypot(x + 0.5 - kSkinDialX, y + 0.5 - kSkinDialY), 257, 1.5)
                    << x << "," << y;
                ++drawnApart;
                continue;
            }
            if (a == clear) continue;
            for (int shift : {16, 8, 0}) {
                differing += std::abs(static_cast<int>(a >> shift & 0xff) -
                                      static_cast<int>(b >> shift & 0xff));
            }
            total += 3;
        }
    }
    EXPECT_LT(static_cast<double>(differing) / static_cast<double>(total), 4.0)
        << "mean difference per channel";
    EXPECT_LT(drawnApart, 400);
}

TEST(SkinPictureWinTest, DamagedPicturesEndInAnException) {
    const std::vector<uint8_t> png = ReadSource("resources/skin2x.png");
    ASSERT_GT(png.size(), 1000u);
    std::vector<uint8_t> badCrc = png;
    badCrc[png.size() / 2] ^= 0x55;                                    // inside the pixel data
    const std::vector<uint8_t> header(png.begin(), png.begin() + 33);  // signature and IHDR
    const struct {
        const char* name;
        std::vector<uint8_t> data;
    } cases[] = {
        {"empty", {}},
        {"not a picture", {'Z', 'V', 'S', 'K', 0x20, 0x03, 0x58, 0x02}},
        {"header only", header},
        {"cut in half", {png.begin(), png.begin() + png.size() / 2}},
        {"a damaged byte", badCrc},
    };
    TSkinPicture picture;
    for (const auto& c : cases) {
        try {
            picture.Decode(c.data);
            ADD_FAILURE() << c.name << ": decoded";
        } catch (const Exception& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Не удалось прочитать картинку циферблата (", 0),
                      0u)
                << c.name << ": " << e.what();
        }
    }
}

// The thread's COM state after the decode is what it was before: nothing
// left initialised, nothing ended that was another's. On a thread of its own,
// which no other test has touched.
TEST(SkinPictureWinTest, LeavesComAsItFoundIt) {
    std::thread([] {
        { TSkinPicture().FromResource(IDB_SKIN_MASTER); }
        // Still initialised, this would answer S_FALSE.
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
        CoUninitialize();

        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        EXPECT_EQ(TSkinPicture().FromResource(IDB_SKIN_MASTER).width,
                  kSkinWidth * kSkinMasterScale);
        // The multithreaded apartment is still there: the decode did not end it.
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
        CoUninitialize();
        CoUninitialize();
    }).join();
}

}  // namespace
}  // namespace zv::win
