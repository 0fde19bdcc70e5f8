#include "app/PackedImage.h"

#include <cstring>

#include "app/Inflate.h"
#include "core/Errors.h"

namespace zv {

namespace {
constexpr size_t kHeaderSize = 10;
constexpr int kMaxSide = 4096;

uint32_t U16(std::span<const uint8_t> b, size_t at) { return b[at] | uint32_t{b[at + 1]} << 8; }
}  // namespace

Image UnpackImage(std::span<const uint8_t> data) {
    if (data.size() < kHeaderSize || std::memcmp(data.data(), "ZVSK", 4) != 0)
        throw Exception("The packed picture has no header");
    const int width = static_cast<int>(U16(data, 4));
    const int height = static_cast<int>(U16(data, 6));
    const size_t colours = U16(data, 8);
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide || colours == 0)
        throw Exception("The packed picture has an impossible size");
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    const bool wide = colours > 256;
    const std::vector<uint8_t> raw =
        Inflate(data.subspan(kHeaderSize), colours * 3 + count * (wide ? 2 : 1));

    std::vector<uint32_t> palette(colours);
    for (size_t c = 0; c < colours; ++c)
        palette[c] = Rgb(raw[c * 3], raw[c * 3 + 1], raw[c * 3 + 2]);
    const uint8_t* low = raw.data() + colours * 3 + (wide ? count : 0);
    const uint8_t* high = raw.data() + colours * 3;
    Image img(width, height, 0);
    for (size_t i = 0; i < count; ++i) {
        const size_t index = wide ? (size_t{high[i]} << 8 | low[i]) : low[i];
        if (index >= colours) throw Exception("The packed picture names a colour it lacks");
        img.pixels[i] = palette[index];
    }
    return img;
}

}  // namespace zv
