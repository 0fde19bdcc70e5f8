#pragma once
// Composes the clock window's frame in memory: background, skin, hands sheet.
#include <cstdint>

#include "app/Image.h"

namespace zv {

// Every pixel := colour.
void Fill(Image& image, uint32_t colour);

// Copies src onto dst with its top-left corner at (x, y), leaving out the
// pixels of src's transparent colour (the colour of its bottom-left pixel).
// Whatever falls outside dst is clipped.
void CopyKeyed(Image& dst, const Image& src, int x, int y);

}  // namespace zv
