#pragma once
// A picture in memory, the common currency of the clock face: the skin and
// the composed face.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zv {

// 0x00RRGGBB; the same bytes as a 32-bit top-down DIB row (B, G, R, unused).
constexpr uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return (uint32_t{r} << 16) | (uint32_t{g} << 8) | uint32_t{b};
}

// Pixels row-major, top row first.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    Image() = default;
    Image(int w, int h, uint32_t fill)
        : width(std::max(w, 0)),
          height(std::max(h, 0)),
          pixels(static_cast<size_t>(width) * static_cast<size_t>(height), fill) {}

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    // (x, y) must lie inside.
    uint32_t At(int x, int y) const { return pixels[Index(x, y)]; }
    void Set(int x, int y, uint32_t c) {
        if (Contains(x, y)) pixels[Index(x, y)] = c;
    }

  private:
    size_t Index(int x, int y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
    }
};

}  // namespace zv
