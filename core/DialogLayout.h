#pragma once
// Where a dialog's controls go at a DPI: the design scaled, then widened
// wherever a text needs more room than the design gave it. Fonts differ from
// system to system, so the width a text needs is measured, not assumed.
#include <span>
#include <vector>

#include "core/DialogDesign.h"
#include "core/Dpi.h"
#include "core/Geometry.h"

namespace zv {

// The room a control's text needs, in pixels.
struct TextSize {
    int width = 0;
    int height = 0;
};

struct FittedDialog {
    int clientWidth = 0;
    int clientHeight = 0;
    std::vector<Rect> controls;  // by row, in the parent's client area
};

// `needed` holds, by row, the size its text needs at `dpi` (0 x 0: nothing
// to fit). A control only grows, to the right; a control it would then
// reach on its row moves right; a frame or group box, and the dialog, widen
// to hold what grew, and what reached their right margin in the design
// reaches it again. Nothing else moves. A label fitted to its text (0 x 0
// in the design) takes the needed size.
FittedDialog FitDialog(const DialogDesign& design, int dpi, std::span<const TextSize> needed);

}  // namespace zv
