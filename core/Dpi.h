#pragma once
// Lengths of a design drawn at 96 dots per inch, at another DPI. Two rules,
// each pinned pixel for pixel by its tests: at 144 DPI an 11-pixel length
// is 16 on the face (halves to even) and 17 in a dialog (halves away from
// zero, as Windows' MulDiv rounds).
#include "core/Rounding.h"

namespace zv {

// Every design is drawn for this DPI; every other DPI scales it.
inline constexpr int kDesignDpi = 96;

// The face's rule: halves rounded to even; 96 gives the length unchanged.
inline int ScaledHalfEven(int designPixels, int dpi) {
    if (dpi == kDesignDpi) return designPixels;
    return static_cast<int>(RoundHalfEven(static_cast<double>(designPixels) * dpi / kDesignDpi));
}

// The dialogs' rule: halves rounded away from zero, as MulDiv does.
constexpr int ScaledHalfAway(int designPixels, int dpi) {
    const long long product = static_cast<long long>(designPixels) * dpi;
    const long long half = kDesignDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi
                                         : (product - half) / kDesignDpi);
}

}  // namespace zv
