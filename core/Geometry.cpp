#include "core/Geometry.h"

#include <algorithm>

namespace zv {

Point CentreIn(const Rect& area, int width, int height) {
    auto start = [](int from, int room, int size) { return from + std::max(0, (room - size) / 2); };
    return {start(area.left, area.Width(), width), start(area.top, area.Height(), height)};
}

Rect Intersect(const Rect& a, const Rect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

Rect Unite(const Rect& a, const Rect& b) {
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

Strips Around(const Rect& whole, const Rect& hole) {
    Strips parts;
    auto add = [&parts](const Rect& r) {
        if (!r.Empty()) parts.rects[static_cast<size_t>(parts.count++)] = r;
    };
    const Rect in = Intersect(whole, hole);
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
