// Raw DEFLATE streams as Python's zlib writes them (the build packs the skin
// with it), and damaged ones, which must be refused rather than read past.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/Inflate.h"
#include "core/Errors.h"

namespace zv {
namespace {

using Bytes = std::vector<uint8_t>;

std::string Unpacked(const Bytes& packed, size_t size) {
    const Bytes out = Inflate(packed, size);
    return std::string(out.begin(), out.end());
}

const Bytes kStored = {0x01, 0x07, 0x00, 0xf8, 0xff, 0x5a, 0x76, 0x65, 0x6e, 0x6f, 0x6b, 0x73};
// Fixed codes; "chas " copied over itself.
const Bytes kFixed = {0x4b, 0xce, 0x48, 0x2c, 0x56, 0x48, 0x46, 0x21,
                      0x12, 0xc1, 0x64, 0x7e, 0x19, 0x00};
const std::string kFixedText = "chas chas chas chasa chasov";
// Codes of its own, with repeated code lengths.
const Bytes kDynamic = {
    0x45, 0x8e, 0xe1, 0x0a, 0xc0, 0x20, 0x08, 0x84, 0x5f, 0xc5, 0x57, 0x8b, 0x29, 0x34, 0x46, 0x39,
    0x32, 0x84, 0xde, 0x7e, 0x69, 0xb3, 0xfe, 0xe8, 0x9d, 0x70, 0xdf, 0xc9, 0x78, 0x57, 0x40, 0x4d,
    0xd0, 0xdb, 0x0d, 0x57, 0xa6, 0x3e, 0x1a, 0xc1, 0x3b, 0x52, 0x07, 0xc9, 0x24, 0x73, 0x52, 0x01,
    0x65, 0x9b, 0x48, 0x6a, 0x67, 0x24, 0xb1, 0xc5, 0x33, 0x57, 0x13, 0x76, 0xb1, 0x93, 0x52, 0xc8,
    0x49, 0x09, 0xb9, 0x60, 0xe1, 0x0c, 0x19, 0xda, 0xc9, 0xdb, 0x50, 0x09, 0xe9, 0x3d, 0x1b, 0xea,
    0x75, 0xa7, 0xe2, 0x14, 0xfc, 0x39, 0x6e, 0xfc, 0x38, 0x76, 0x7d, 0xf4, 0x01};
const std::string kDynamicText =
    "odin dva tri chetyre pyat shest sem vosem devyat desyat odinnadtsat dvenadtsat "
    "trinadtsat chetyrnadtsat pyatnadtsat shestnadtsat semnadtsat vosemnadtsat "
    "devyatnadtsat dvadtsat tridtsat sorok pyatdesyat";

Bytes StoredThenFixed() {
    Bytes b = kStored;
    b[0] = 0x00;  // not the last block
    b.insert(b.end(), kFixed.begin(), kFixed.end());
    return b;
}

TEST(InflateTest, UnpacksEveryBlockType) {
    const struct {
        const char* name;
        Bytes packed;
        std::string text;
    } cases[] = {
        {"stored", kStored, "Zvenoks"},
        {"fixed", kFixed, kFixedText},
        {"dynamic", kDynamic, kDynamicText},
        {"stored then fixed", StoredThenFixed(), "Zvenoks" + kFixedText},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Unpacked(c.packed, c.text.size()), c.text);
    }
}

TEST(InflateTest, RefusesDamagedStreams) {
    Bytes truncated = kDynamic;
    truncated.resize(truncated.size() - 3);
    Bytes garbledLength = kStored;
    garbledLength[3] ^= 1;
    const struct {
        const char* name;
        Bytes packed;
        size_t size;
    } cases[] = {
        {"empty", {}, 0},
        {"block type 3", {0x07, 0x00}, 0},
        {"stored length and its complement disagree", garbledLength, 7},
        {"ends inside a block", truncated, kDynamicText.size()},
        {"copy from before the start", {0x03, 0x02, 0x00}, 3},
        {"over-full code table", {0x05, 0xe0, 0x93, 0x24, 0x49, 0x92, 0x24, 0x49, 0x92, 0x00}, 10},
        {"length code 286", {0x73, 0x1c, 0x03}, 10},
        {"more bytes than expected", kFixed, kFixedText.size() - 1},
        {"fewer bytes than expected", kFixed, kFixedText.size() + 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(Inflate(c.packed, c.size), Exception);
    }
}

}  // namespace
}  // namespace zv
