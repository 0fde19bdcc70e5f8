#include "core/Geometry.h"

#include <algorithm>

namespace zv {

Point CentreIn(const Rect& area, int width, int height) {
    auto start = [](int from, int room, int size) { return from + std::max(0, (room - size) / 2); };
    return {start(area.left, area.Width(), width), start(area.top, area.Height(), height)};
}

Strips Around(const Rect& whole, const Rect& hole) {
    Strips parts;
    auto add = [&parts](const Rect& r) {
        if (!r.Empty()) parts.rects[static_cast<size_t>(parts.count++)] = r;
    };
    const Rect in{std::max(whole.left, hole.left), std::max(whole.top, hole.top),
                  std::min(whole.right, hole.right), std::min(whole.bottom, hole.bottom)};
    if (hole.Empty() || in.Empty()) {
        add(whole);
        return parts;
    }
    add({whole.left, whole.top, whole.right, in.top});
    add({whole.left, in.bottom, whole.right, whole.bottom});
    add({whole.left, in.top, in.left, in.bottom});
    add({in.right, in.top, whole.right, in.bottom});
    return parts;
}

}  // namespace zv
