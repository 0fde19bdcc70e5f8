#include "app/ClockFace.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "core/Rounding.h"

namespace zv {
namespace {

// Always two digits, "07", then the suffix.
std::string TwoDigits(unsigned v, const char* suffix) {
    std::string s;
    s += static_cast<char>('0' + v / 10 % 10);
    s += static_cast<char>('0' + v % 10);
    s += suffix;
    return s;
}

// One sixtieth of a turn; angle 0 points right and angles grow clockwise on
// the screen, so a position of p sixtieths past twelve is at p - 15.
constexpr double kRadiansPerSixtieth = 2.0 * std::numbers::pi / 60.0;

Point Tip(double sixtieths, int length, double scale) {
    const double angle = (sixtieths - 15.0) * kRadiansPerSixtieth;
    return {static_cast<int>(RoundHalfEven(std::cos(angle) * length * scale)),
            static_cast<int>(RoundHalfEven(std::sin(angle) * length * scale))};
}

void DrawHand(Image& target, const HandsGeometry& g, Point tip, uint32_t colour, const Rect& clip) {
    // Strokes of one colour: the order among them does not matter.
    for (int d = -g.before; d <= g.after; ++d) {
        const int x0 = g.hub.x + d, y0 = g.hub.y;
        DrawLine(target, x0, y0, x0 + tip.x, y0 + tip.y, colour, clip);
        if (d == 0) continue;
        DrawLine(target, g.hub.x, g.hub.y + d, g.hub.x + tip.x, g.hub.y + d + tip.y, colour, clip);
    }
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

ReadOut MakeReadOut(const TimeFields& t) {
    ReadOut r;
    r.hours = std::to_string(t.hour) + ':';
    r.minutes = TwoDigits(t.minute, ":");
    r.seconds = TwoDigits(t.second, "");
    return r;
}

void DrawLine(Image& image, int x0, int y0, int x1, int y1, uint32_t colour) {
    DrawLine(image, x0, y0, x1, y1, colour, Rect{0, 0, image.width, image.height});
}

void DrawLine(Image& image, int x0, int y0, int x1, int y1, uint32_t colour, const Rect& clip) {
    const int dx = std::abs(x1 - x0);
    const int dy = std::abs(y1 - y0);
    const int stepX = x1 < x0 ? -1 : 1;
    const int stepY = y1 < y0 ? -1 : 1;
    const bool xMajor = dx > dy;
    const long long major = xMajor ? dx : dy;
    const long long minor = xMajor ? dy : dx;
    if (major == 0) return;
    // With the error term at zero the ideal line passes exactly halfway; a
    // step towards smaller coordinates is taken then, one towards larger ones
    // is not, which picks the smaller coordinate in every direction.
    const int bias = (xMajor ? stepY : stepX) < 0 ? 1 : 0;

    // Only the steps whose major coordinate lies within the clip and the
    // image are walked: a tick draws every hand into many small pieces.
    const Rect c = Intersect(clip, Rect{0, 0, image.width, image.height});
    const int start = xMajor ? x0 : y0;
    const int step = xMajor ? stepX : stepY;
    const int lo = xMajor ? c.left : c.top;
    const int hi = xMajor ? c.right : c.bottom;
    const long long first =
        std::max<long long>(0, step > 0 ? lo - start : start - (static_cast<long long>(hi) - 1));
    const long long last =
        std::min<long long>(major, step > 0 ? static_cast<long long>(hi) - start : start - lo + 1);
    if (first >= last || c.Empty()) return;
    // The minor steps taken before step `first`, and the error term then.
    long long m = (2 * minor * first + bias + major - 1) / (2 * major);
    long long err = 2 * minor * (first + 1) - major - 2 * major * m;
    int x = x0 + static_cast<int>(xMajor ? first * stepX : m * stepX);
    int y = y0 + static_cast<int>(xMajor ? m * stepY : first * stepY);
    for (long long i = first; i < last; ++i) {
        if (x >= c.left && x < c.right && y >= c.top && y < c.bottom)
            image.pixels[static_cast<size_t>(y) * static_cast<size_t>(image.width) +
                         static_cast<size_t>(x)] = colour;
        if (err + bias > 0) {
            (xMajor ? y : x) += xMajor ? stepY : stepX;
            err += 2 * (minor - major);
        } else {
            err += 2 * minor;
        }
        (xMajor ? x : y) += xMajor ? stepX : stepY;
    }
}

HandsGeometry HandsAt(Point hub, int dpi) {
    // Three pixels across at 96 DPI; an even width puts the extra pixel
    // before the hub.
    const int across = std::max(ScaledHalfEven(3, dpi), 1);
    const int before = across / 2;
    return {hub, dpi, before, across - 1 - before};
}

double HandsCentre(const HandsGeometry& g) {
    return 0.5 + (g.after - g.before) / 2.0;
}

HandTips TipsAt(const TimeFields& t, int dpi) {
    const double scale = static_cast<double>(dpi) / kDesignDpi;
    const double second = t.second;
    const double minute = t.minute + second / 60.0;
    const double hour = (t.hour % 12) * 5.0 + t.minute / 12.0;
    return {Tip(second, kSecondHandLength, scale), Tip(minute, kMinuteHandLength, scale),
            Tip(hour, kHourHandLength, scale)};
}

HandPieces HandBoxes(const HandsGeometry& g, Point tip) {
    HandPieces p;
    const int major = std::max(std::abs(tip.x), std::abs(tip.y));
    if (major == 0) return p;
    const bool xMajor = std::abs(tip.x) > std::abs(tip.y);
    const int majorDelta = xMajor ? tip.x : tip.y;
    const int minorDelta = xMajor ? tip.y : tip.x;
    const int pieces = std::clamp(
        static_cast<int>(std::ceil(std::hypot(tip.x, tip.y) / kHandPiece)), 1, HandPieces::kMax);
    for (int j = 0; j < pieces; ++j) {
        // The line's pixels from step i0 to step i1 - 1 (its end is not drawn).
        const int i0 = j * major / pieces;
        const int i1 = (j + 1) * major / pieces;
        if (i1 <= i0) continue;
        const int sign = majorDelta < 0 ? -1 : 1;
        const int a0 = sign * i0, a1 = sign * (i1 - 1);
        // A pixel lies within half a pixel of the ideal line.
        const double m0 = static_cast<double>(minorDelta) * i0 / major;
        const double m1 = static_cast<double>(minorDelta) * (i1 - 1) / major;
        const int lo = static_cast<int>(std::floor(std::min(m0, m1) - 0.5));
        const int hi = static_cast<int>(std::ceil(std::max(m0, m1) + 0.5));
        const int minA = std::min(a0, a1), maxA = std::max(a0, a1);
        Rect r = xMajor ? Rect{minA, lo, maxA + 1, hi + 1} : Rect{lo, minA, hi + 1, maxA + 1};
        // The strokes beside the centre line.
        r = {g.hub.x + r.left - g.before, g.hub.y + r.top - g.before, g.hub.x + r.right + g.after,
             g.hub.y + r.bottom + g.after};
        p.rects[static_cast<size_t>(p.count++)] = r;
    }
    return p;
}

void DrawHands(Image& target, const HandsGeometry& g, const HandTips& tips, const Rect& clip) {
    const struct {
        Point tip;
        uint32_t colour;
    } hands[] = {{tips.second, kSecondHandColour},
                 {tips.minute, kMinuteHandColour},
                 {tips.hour, kHourHandColour}};
    for (const auto& hand : hands) {
        // Only the pieces that reach the clip are drawn.
        const HandPieces pieces = HandBoxes(g, hand.tip);
        for (int i = 0; i < pieces.count; ++i) {
            if (Overlap(pieces.rects[static_cast<size_t>(i)], clip)) {
                DrawHand(target, g, hand.tip, hand.colour, clip);
                break;
            }
        }
    }
}

}  // namespace zv
