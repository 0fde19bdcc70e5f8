#pragma once
// The analog hands and the digital read-out, drawn from the current time
// fields into a pixel sheet that the window lays over the dial of the skin.
#include <string>

#include "app/Image.h"
#include "core/TimeFields.h"

namespace zv {

// The blank sheet: every pixel the sheet colour, which is its transparent
// colour too (the frame composer keys on the bottom-left pixel).
constexpr int kSheetWidth = 529;
constexpr int kSheetHeight = 546;
constexpr uint32_t kSheetColour = Rgb(0, 0, 128);

// The hands' common hub, in sheet pixels.
constexpr int kHubX = 300;
constexpr int kHubY = 290;

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
};

ReadOut MakeReadOut(const TimeFields& t);

// A sheet of kSheetWidth x kSheetHeight in the sheet colour.
Image MakeBlankSheet();

// Makes the sheet blank again in place, keeping its storage.
void ClearSheet(Image& sheet);

// A one-pixel line as the platform's LineTo draws it: the start pixel is
// drawn, the end pixel is not; one pixel per step along the major axis, and a
// point exactly halfway between two pixels takes the one with the smaller
// coordinate, so a line covers the same pixels whichever end it starts from.
// Pixels outside the image are skipped.
void DrawLine(Image& image, int x0, int y0, int x1, int y1, uint32_t colour);

// Draws the second, minute and hour hands (in that order, the hour hand on
// top) onto a blank sheet.
void DrawHands(Image& sheet, const TimeFields& t);

}  // namespace zv
