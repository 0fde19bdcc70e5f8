#pragma once
// The skin at any scale, made from a master drawn larger: each pixel the
// mean of the master's pixels it covers. The master's see-through colour is
// a mask, not a colour, so no pixel comes out blended with the window's
// colour key; pixels mostly see-through become see-through whole.
#include "app/Image.h"

namespace zv {

// The skin's dial is centred on this point of its design pixels, the middle
// of the hub pixel (419, 305); the master is drawn at twice the design size.
constexpr double kSkinDialX = 419.5;
constexpr double kSkinDialY = 305.5;
constexpr int kSkinMasterScale = 2;
constexpr int kSkinWidth = 800;  // Image1's picture at 96 DPI
constexpr int kSkinHeight = 600;

struct SkinPlacement {
    double ratio = 1;  // master pixels per output pixel
    // A point of the master (pixel edges at whole numbers) and where it
    // lands in the output.
    double masterX = 0;
    double masterY = 0;
    double x = 0;
    double y = 0;
    int width = 0;  // of the output
    int height = 0;
};

// The master's see-through colour is its bottom-left pixel's, and so is the
// output's. No output pixel that is drawn has that colour or the window's
// colour key: those are nudged by a level or two.
Image ScaleSkin(const Image& master, const SkinPlacement& p);

}  // namespace zv
