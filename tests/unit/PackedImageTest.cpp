// The packed picture the program carries: the format read as documented, and
// the build's packer run on the committed skin giving back every pixel.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/PackedImage.h"
#include "core/Errors.h"

namespace zv {
namespace {

using Bytes = std::vector<uint8_t>;

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Put16(Bytes& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

// A picture whose DEFLATE part is one stored block of `body`.
Bytes Packed(int width, int height, int colours, const Bytes& body) {
    Bytes b = {'Z', 'V', 'S', 'K'};
    Put16(b, static_cast<uint32_t>(width));
    Put16(b, static_cast<uint32_t>(height));
    Put16(b, static_cast<uint32_t>(colours));
    b.push_back(0x01);
    Put16(b, static_cast<uint32_t>(body.size()));
    Put16(b, static_cast<uint32_t>(body.size()) ^ 0xFFFF);
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

TEST(PackedImageTest, ByteNumbersUpTo256Colours) {
    // 2 x 2, colours (1,2,3) and (250,251,252).
    const Image img = UnpackImage(Packed(2, 2, 2, {1, 2, 3, 250, 251, 252, 1, 0, 0, 1}));
    ASSERT_EQ(img.width, 2);
    ASSERT_EQ(img.height, 2);
    EXPECT_EQ(img.At(0, 0), Rgb(250, 251, 252));
    EXPECT_EQ(img.At(1, 0), Rgb(1, 2, 3));
    EXPECT_EQ(img.At(0, 1), Rgb(1, 2, 3));
    EXPECT_EQ(img.At(1, 1), Rgb(250, 251, 252));
}

TEST(PackedImageTest, HighBytesThenLowBytesAbove256Colours) {
    Bytes body;
    for (int c = 0; c < 300; ++c) {
        body.push_back(static_cast<uint8_t>(c));
        body.push_back(static_cast<uint8_t>(c >> 8));
        body.push_back(7);
    }
    // Colours 299, 0 and 256 in a row.
    body.insert(body.end(), {1, 0, 1, 299 & 0xFF, 0, 0});
    const Image img = UnpackImage(Packed(3, 1, 300, body));
    EXPECT_EQ(img.At(0, 0), Rgb(299 & 0xFF, 1, 7));
    EXPECT_EQ(img.At(1, 0), Rgb(0, 0, 7));
    EXPECT_EQ(img.At(2, 0), Rgb(0, 1, 7));
}

TEST(PackedImageTest, RefusesWhatIsNoPicture) {
    Bytes badMagic = Packed(1, 1, 1, {1, 2, 3, 0});
    badMagic[0] = 'B';
    const struct {
        const char* name;
        Bytes data;
    } cases[] = {
        {"too short", {'Z', 'V', 'S', 'K', 1, 0}},
        {"another format", badMagic},
        {"no width", Packed(0, 1, 1, {1, 2, 3})},
        {"no colours", Packed(1, 1, 0, {0})},
        {"too wide", Packed(5000, 1, 1, {})},
        {"a colour number past the palette", Packed(2, 1, 1, {1, 2, 3, 0, 1})},
        {"pixels missing", Packed(2, 1, 1, {1, 2, 3, 0})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(UnpackImage(c.data), Exception);
    }
}

// What the program shows is what skin.bmp holds, pixel for pixel.
TEST(PackedImageTest, PackedSkinIsTheBmp) {
    const std::filesystem::path source = ZV_SOURCE_DIR;
    const std::filesystem::path out =
        std::filesystem::temp_directory_path() / ("zvenoks-skin-" + std::to_string(getpid()));
    const std::string command = "python3 '" + (source / "tools/pack_skin.py").string() + "' '" +
                                (source / "resources/skin.bmp").string() + "' '" + out.string() +
                                "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const Bytes packed = ReadFile(out);
    std::filesystem::remove(out);
    // The program's size budget: the BMP is 1.4 MB.
    EXPECT_LT(packed.size(), 100u * 1024);
    const Image img = UnpackImage(packed);

    const Bytes bmp = ReadFile(source / "resources/skin.bmp");
    ASSERT_GE(bmp.size(), 54u);
    auto u32 = [&](size_t at) {
        return uint32_t{bmp[at]} | uint32_t{bmp[at + 1]} << 8 | uint32_t{bmp[at + 2]} << 16 |
               uint32_t{bmp[at + 3]} << 24;
    };
    const int width = static_cast<int>(u32(18)), height = static_cast<int>(u32(22));
    ASSERT_EQ(img.width, width);
    ASSERT_EQ(img.height, height);
    const size_t offset = u32(10), stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = &bmp.at(offset + (height - 1 - y) * stride);
        for (int x = 0; x < width; ++x) {
            ASSERT_EQ(img.At(x, y), Rgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]))
                << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace zv
