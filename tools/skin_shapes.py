"""Signed distance functions, negative inside, and the polylines the skin
and the icons are drawn from. Used by make_skin.py."""

import math


def lerp(a, b, t):
    return a + (b - a) * t


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ring(cx, cy, r_in, r_out):
    def f(x, y):
        d = math.hypot(x - cx, y - cy)
        return max(d - r_out, r_in - d)
    return f


def rounded_rect(left, top, right, bottom, radius):
    cx, cy = (left + right) / 2.0, (top + bottom) / 2.0
    hx, hy = (right - left) / 2.0, (bottom - top) / 2.0

    def f(x, y):
        qx = abs(x - cx) - hx + radius
        qy = abs(y - cy) - hy + radius
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius
    return f


def segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / ll))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def strokes(segments, half_width):
    """The union of round-capped strokes along the given segments."""
    def f(x, y):
        best = 1e9
        for ax, ay, bx, by in segments:
            d = segment_distance(x, y, ax, ay, bx, by)
            if d < best:
                best = d
        return best - half_width
    return f


def bbox_of(segments, pad):
    xs = [p for s in segments for p in (s[0], s[2])]
    ys = [p for s in segments for p in (s[1], s[3])]
    return (min(xs) - pad, min(ys) - pad, max(xs) + pad, max(ys) + pad)


def circle_bbox(cx, cy, r):
    return (cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1)


def arc(cx, cy, rx, ry, t0, t1, steps):
    """Points of an ellipse arc, angles in degrees, 0 right, 90 down."""
    pts = []
    for i in range(steps + 1):
        t = math.radians(lerp(t0, t1, i / steps))
        pts.append((cx + rx * math.cos(t), cy + ry * math.sin(t)))
    return pts
