#include "app/FrameComposer.h"

#include <algorithm>
#include <cstddef>

namespace zv {

void Fill(Image& image, uint32_t colour) {
    std::fill(image.pixels.begin(), image.pixels.end(), colour);
}

void CopyKeyed(Image& dst, const Image& src, int x, int y) {
    if (src.width <= 0 || src.height <= 0) return;
    const uint32_t key = src.At(0, src.height - 1);

    // In 64 bits, so that a far-off position cannot overflow.
    const long long left = std::max<long long>(x, 0);
    const long long right = std::min<long long>(static_cast<long long>(x) + src.width, dst.width);
    const long long top = std::max<long long>(y, 0);
    const long long bottom =
        std::min<long long>(static_cast<long long>(y) + src.height, dst.height);
    if (left >= right || top >= bottom) return;

    const auto count = static_cast<size_t>(right - left);
    for (long long row = top; row < bottom; ++row) {
        const uint32_t* from = src.pixels.data() + static_cast<size_t>(row - y) * src.width +
                               static_cast<size_t>(left - x);
        uint32_t* to =
            dst.pixels.data() + static_cast<size_t>(row) * dst.width + static_cast<size_t>(left);
        for (size_t i = 0; i < count; ++i) {
            if (from[i] != key) to[i] = from[i];
        }
    }
}

}  // namespace zv
