#pragma once
// Where the main window's controls go: their design bounds, and the rule that
// centres the visible ones on the window, at any screen DPI.
#include "core/Dpi.h"
#include "core/Geometry.h"

namespace zv {

struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const Bounds&) const = default;
};

// Design client size of the main window.
constexpr int kDesignClientWidth = 806;
constexpr int kDesignClientHeight = 515;

// Design bounds of the main window's visible controls.
constexpr Bounds kImage1Design{0, 8, 801, 601};
constexpr Bounds kImage2Design{120, 8, 593, 601};
constexpr Bounds kLabel1Design{521, 168, 24, 16};
constexpr Bounds kLabel2Design{545, 168, 24, 16};
constexpr Bounds kLabel3Design{585, 168, 24, 16};
constexpr Bounds kLabel4Design{232, 168, 95, 16};
constexpr Bounds kLabel5Design{224, 448, 84, 16};
constexpr Bounds kLabel6Design{528, 448, 72, 16};

// The hands' hub in Image2's picture.
constexpr Point kDesignHub{300, 290};

// The visible controls, placed and sized for one DPI.
struct FormLayout {
    Bounds image1;
    Bounds image2;
    Bounds label1;
    Bounds label2;
    Bounds label3;
    Bounds label4;
    Bounds label5;
    Bounds label6;
    int dpi = kDesignDpi;
    Point hub;  // the hands' hub pixel, in client coordinates

    bool operator==(const FormLayout&) const = default;
};

// Lays the controls out around the centre of a client area of the given size,
// halves rounded to even; at any other DPI than 96 every design offset and
// size is scaled first.
FormLayout ApplyLayout(int clientWidth, int clientHeight, int dpi = kDesignDpi);

// The sizes the dial may be drawn at, in percent of its size at the DPI.
inline constexpr int kFaceSizes[] = {75, 100, 125, 150, 200};

// The DPI the face is laid out and drawn for: the monitor's, times the size
// chosen, but above 100 % no larger a size than lets the dial (Image1) fit
// the work area of the given size.
int SizedDpi(int dpi, int sizePercent, int workWidth, int workHeight);

// Label1..Label3 are the read-out's right-aligned boxes, Label4..Label6 the
// captions.
inline constexpr int kReadOutLabels = 3;
inline constexpr int kCaptionLabels = 3;
inline constexpr int kLabels = kReadOutLabels + kCaptionLabels;

// Labels in the order Label1..Label6, counted from 0.
const Bounds& LabelBounds(const FormLayout& l, int i);

}  // namespace zv
