#pragma once
#include <cmath>

namespace zv {

// Rounding to the nearest integer with halves to even, independent of the
// floating-point environment's current mode.
inline long RoundHalfEven(double v) {
    double floor = std::floor(v);
    double diff = v - floor;
    auto f = static_cast<long>(floor);
    if (diff > 0.5) return f + 1;
    if (diff < 0.5) return f;
    return (f % 2 == 0) ? f : f + 1;
}

}  // namespace zv
