#pragma once
// The picture format the program carries its skin in, made at build time by
// tools/pack_skin.py from the BMP: a fraction of the BMP's size, the same
// pixels.
//
//   "ZVSK", width, height, colours (16-bit little-endian each), then one raw
//   DEFLATE stream of the palette (R, G, B per colour) and the pixels' colour
//   numbers, top row first: one byte each with up to 256 colours, else all
//   high bytes, then all low bytes.
#include <cstdint>
#include <span>

#include "app/Image.h"

namespace zv {

// Throws zv::Exception when the data is not such a picture or is damaged.
Image UnpackImage(std::span<const uint8_t> data);

}  // namespace zv
