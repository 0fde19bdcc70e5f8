#pragma once
// The analog hands and the digital read-out, drawn from the current time
// fields over the dial of the skin.
#include <array>
#include <string>

#include "app/Image.h"
#include "app/Layout.h"
#include "core/Geometry.h"
#include "core/TimeFields.h"

namespace zv {

// The window's colour key: wherever the face has this colour, the desktop
// shows through.
constexpr uint32_t kKeyPixel = Rgb(128, 0, 0);

constexpr uint32_t kSecondHandColour = Rgb(255, 255, 0);
constexpr uint32_t kMinuteHandColour = Rgb(0, 0, 255);
constexpr uint32_t kHourHandColour = Rgb(128, 128, 0);
constexpr int kSecondHandLength = 200;
constexpr int kMinuteHandLength = 150;
constexpr int kHourHandLength = 130;

// The texts of Label1 (hours), Label2 (minutes) and Label3 (seconds). Short
// enough for the small-string buffer, so making them allocates nothing.
struct ReadOut {
    std::string hours;    // "9:", "23:"
    std::string minutes;  // "05:", "42:"
    std::string seconds;  // "07", "59"

    bool operator==(const ReadOut&) const = default;
};

ReadOut MakeReadOut(const TimeFields& t);

// A one-pixel line as the platform's LineTo draws it: the start pixel is
// drawn, the end pixel is not; one pixel per step along the major axis, and a
// point exactly halfway between two pixels takes the one with the smaller
// coordinate, so a line covers the same pixels whichever end it starts from.
// Pixels outside the image, or outside `clip` when given, are skipped.
void DrawLine(Image& image, int x0, int y0, int x1, int y1, uint32_t colour);
void DrawLine(Image& image, int x0, int y0, int x1, int y1, uint32_t colour, const Rect& clip);

// The hands at one DPI. A hand is several one-pixel strokes side by side, a
// plus about three design pixels across: strokes start on the hub and on the
// pixels `before` to the left of and above it and `after` to the right of and
// below it. At 96 DPI that is the hub and its four neighbours.
struct HandsGeometry {
    Point hub = kDesignHub;  // in the target picture's pixels
    int dpi = kDesignDpi;
    int before = 1;
    int after = 1;
};
HandsGeometry HandsAt(Point hub, int dpi);

// Where the hands' centre lines meet, measured from the hub pixel's top-left
// corner along each axis: its centre (0.5) when the plus is odd, else its
// corner. The dial is centred there.
double HandsCentre(const HandsGeometry& g);

// Each hand's tip relative to the hub; the time as the hands show it.
struct HandTips {
    Point second;
    Point minute;
    Point hour;

    bool operator==(const HandTips&) const = default;
};
HandTips TipsAt(const TimeFields& t, int dpi);

// The pixels of one hand pointing at `tip` lie within these few rectangles:
// its length cut into pieces of about kHandPiece pixels, each boxed, so that
// a tick renews little more than the hand itself at any scale.
constexpr int kHandPiece = 48;
struct HandPieces {
    static constexpr int kMax = 24;
    std::array<Rect, kMax> rects{};
    int count = 0;
};
HandPieces HandBoxes(const HandsGeometry& g, Point tip);

// Draws the second, minute and hour hands (in that order, the hour hand on
// top) pointing at `tips`, only within `clip`.
void DrawHands(Image& target, const HandsGeometry& g, const HandTips& tips, const Rect& clip);

}  // namespace zv
