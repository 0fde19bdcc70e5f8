#include "app/SkinScaler.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/ClockFace.h"

namespace zv {
namespace {

// Below this share of drawn master pixels an output pixel stays see-through:
// it would be almost all the dark surround anyway.
constexpr float kDrawnAtLeast = 0.125f;

// Master pixels [first, first + weights.size()) and how much of each one
// output pixel covers, summing to 1.
struct Span {
    int first = 0;
    std::vector<float> weights;
};

std::vector<Span> Spans(int outSize, double ratio, double masterAt, double at) {
    std::vector<Span> spans(static_cast<size_t>(outSize));
    for (int o = 0; o < outSize; ++o) {
        const double a = (o - at) * ratio + masterAt;
        const double b = a + ratio;
        Span& s = spans[static_cast<size_t>(o)];
        s.first = static_cast<int>(std::floor(a));
        for (int m = s.first; m < b; ++m) {
            const double cover = std::min<double>(m + 1, b) - std::max<double>(m, a);
            // Outside the master counts as see-through: weight, no colour.
            s.weights.push_back(static_cast<float>(cover / ratio));
        }
    }
    return spans;
}

uint8_t Channel(float v) {
    return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

}  // namespace

Image ScaleSkin(const Image& master, const SkinPlacement& p) {
    Image out(p.width, p.height, 0);
    if (master.width <= 0 || master.height <= 0 || out.pixels.empty()) return out;
    const uint32_t clear = master.At(0, master.height - 1);
    const float clearRgb[3] = {static_cast<float>(clear >> 16 & 0xff),
                               static_cast<float>(clear >> 8 & 0xff),
                               static_cast<float>(clear & 0xff)};
    const std::vector<Span> columns = Spans(p.width, p.ratio, p.masterX, p.x);
    const std::vector<Span> rows = Spans(p.height, p.ratio, p.masterY, p.y);

    // One output row: the master rows it covers summed per master column
    // (colour premultiplied by the mask, and the mask), then the columns.
    std::vector<float> sum(static_cast<size_t>(master.width) * 4);
    for (int y = 0; y < p.height; ++y) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        const Span& r = rows[static_cast<size_t>(y)];
        for (size_t k = 0; k < r.weights.size(); ++k) {
            const int my = r.first + static_cast<int>(k);
            if (my < 0 || my >= master.height) continue;
            const float w = r.weights[k];
            const uint32_t* from = master.pixels.data() + static_cast<size_t>(my) * master.width;
            for (int mx = 0; mx < master.width; ++mx) {
                const uint32_t c = from[mx];
                if (c == clear) continue;
                float* s = &sum[static_cast<size_t>(mx) * 4];
                s[0] += w * static_cast<float>(c >> 16 & 0xff);
                s[1] += w * static_cast<float>(c >> 8 & 0xff);
                s[2] += w * static_cast<float>(c & 0xff);
                s[3] += w;
            }
        }
        for (int x = 0; x < p.width; ++x) {
            const Span& c = columns[static_cast<size_t>(x)];
            float v[4] = {0, 0, 0, 0};
            for (size_t k = 0; k < c.weights.size(); ++k) {
                const int mx = c.first + static_cast<int>(k);
                if (mx < 0 || mx >= master.width) continue;
                const float* s = &sum[static_cast<size_t>(mx) * 4];
                for (int ch = 0; ch < 4; ++ch) v[ch] += c.weights[k] * s[ch];
            }
            uint32_t pixel = clear;
            if (v[3] >= kDrawnAtLeast) {
                // Seen over the dark surround, as the master's own edges are.
                const float rest = std::max(0.0f, 1.0f - v[3]);
                pixel = Rgb(Channel(v[0] + rest * clearRgb[0]), Channel(v[1] + rest * clearRgb[1]),
                            Channel(v[2] + rest * clearRgb[2]));
                if (pixel == clear) pixel = clear ^ Rgb(2, 2, 2);
                if (pixel == kKeyPixel) pixel = kKeyPixel ^ Rgb(1, 2, 2);
            }
            out.pixels[static_cast<size_t>(y) * p.width + x] = pixel;
        }
    }
    // The composer keys on the bottom-left pixel, which the dial never reaches.
    out.pixels[static_cast<size_t>(p.height - 1) * p.width] = clear;
    return out;
}

}  // namespace zv
