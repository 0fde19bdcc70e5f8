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

struct Offset {
    int dx;
    int dy;
};

// Several one-pixel strokes side by side make a hand about three pixels wide.
// The last stroke of each starts on the hub itself, so the hub pixel belongs
// to the hand drawn last.
constexpr Offset kSecondStrokes[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {0, 0}};
constexpr Offset kHandStrokes[] = {{0, 0}, {0, -1}, {0, 1}, {-1, 0}, {1, 0}, {0, 0}};

// One sixtieth of a turn; angle 0 points right and angles grow clockwise on
// the screen, so a position of p sixtieths past twelve is at p - 15.
constexpr double kRadiansPerSixtieth = 2.0 * std::numbers::pi / 60.0;

template <size_t N>
void DrawHand(Image& sheet, const Offset (&strokes)[N], double sixtieths, int length,
              uint32_t colour) {
    const double angle = (sixtieths - 15.0) * kRadiansPerSixtieth;
    const int dx = static_cast<int>(RoundHalfEven(std::cos(angle) * length));
    const int dy = static_cast<int>(RoundHalfEven(std::sin(angle) * length));
    for (const Offset& s : strokes) {
        const int x0 = kHubX + s.dx;
        const int y0 = kHubY + s.dy;
        DrawLine(sheet, x0, y0, x0 + dx, y0 + dy, colour);
    }
}

}  // namespace

ReadOut MakeReadOut(const TimeFields& t) {
    ReadOut r;
    r.hours = std::to_string(t.hour) + ':';
    r.minutes = TwoDigits(t.minute, ":");
    r.seconds = TwoDigits(t.second, "");
    return r;
}

Image MakeBlankSheet() {
    return Image(kSheetWidth, kSheetHeight, kSheetColour);
}

void ClearSheet(Image& sheet) {
    std::fill(sheet.pixels.begin(), sheet.pixels.end(), kSheetColour);
}

void DrawLine(Image& image, int x0, int y0, int x1, int y1, uint32_t colour) {
    const int dx = std::abs(x1 - x0);
    const int dy = std::abs(y1 - y0);
    const int stepX = x1 < x0 ? -1 : 1;
    const int stepY = y1 < y0 ? -1 : 1;
    const bool xMajor = dx > dy;
    const int major = xMajor ? dx : dy;
    const int minor = xMajor ? dy : dx;
    // With the error term at zero the ideal line passes exactly halfway; a
    // step towards smaller coordinates is taken then, one towards larger ones
    // is not, which picks the smaller coordinate in every direction.
    const int bias = (xMajor ? stepY : stepX) < 0 ? 1 : 0;
    int err = 2 * minor - major;
    int x = x0;
    int y = y0;
    for (int i = 0; i < major; ++i) {
        image.Set(x, y, colour);
        if (err + bias > 0) {
            (xMajor ? y : x) += xMajor ? stepY : stepX;
            err += 2 * (minor - major);
        } else {
            err += 2 * minor;
        }
        (xMajor ? x : y) += xMajor ? stepX : stepY;
    }
}

void DrawHands(Image& sheet, const TimeFields& t) {
    const double second = t.second;
    const double minute = t.minute + second / 60.0;
    const double hour = (t.hour % 12) * 5.0 + t.minute / 12.0;
    DrawHand(sheet, kSecondStrokes, second, kSecondHandLength, kSecondHandColour);
    DrawHand(sheet, kHandStrokes, minute, kMinuteHandLength, kMinuteHandColour);
    DrawHand(sheet, kHandStrokes, hour, kHourHandLength, kHourHandColour);
}

}  // namespace zv
