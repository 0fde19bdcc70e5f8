#pragma once
// Rectangles without Windows headers: where a dialog first goes, the strips
// of the clock window around its face, the pieces a tick renews.
#include <array>

namespace zv {

// Edges as the platform keeps them: right and bottom are just outside.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    long long Area() const { return Empty() ? 0 : static_cast<long long>(Width()) * Height(); }
    bool Contains(const Rect& inner) const {
        return left <= inner.left && top <= inner.top && inner.right <= right &&
               inner.bottom <= bottom;
    }
    bool operator==(const Rect&) const = default;
};

// Where both lie; Empty() when they do not meet.
Rect Intersect(const Rect& a, const Rect& b);

// The smallest rectangle that holds both; an empty one adds nothing.
Rect Unite(const Rect& a, const Rect& b);

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// The top-left corner that centres a window of the given size in `area`
// (halves truncated). A window larger than the area keeps its top-left
// corner inside, so that its caption stays within reach.
Point CentreIn(const Rect& area, int width, int height);

// The parts of `whole` outside `hole`: at most four rectangles that do not
// overlap, top and bottom strips across the whole width first. Kept off the
// heap: the clock window paints with it every second.
struct Strips {
    std::array<Rect, 4> rects{};
    int count = 0;
};
Strips Around(const Rect& whole, const Rect& hole);

}  // namespace zv
