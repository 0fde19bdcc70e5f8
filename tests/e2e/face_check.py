#!/usr/bin/env python3
"""Checks a screenshot of the clock (raw 8-bit RGB of the whole screen).

  face_check.py hub W H        prints the hub's client position for a W x H client
  face_check.py check PNG RGB RESULTS T0 T1 X Y W H
      T0/T1: epoch seconds just before/after the screenshot; X Y W H: the window.
"""
import math
import struct
import sys
import time

MAROON = (128, 0, 0)
BLACK = (0, 0, 0)
# (name, colour, length); drawn in this order, the hour hand on top.
HANDS = [("second", (255, 255, 0), 200), ("minute", (0, 0, 255), 150),
         ("hour", (128, 128, 0), 130)]
TOLERANCE_DEG = 2.5


def hub(w, h):
    # The skin is centred, halves rounded to even (Python's round does so);
    # the hub is at skin pixel (419, 305).
    return round(w / 2 - 801 / 2) + 419, round(h / 2 - 601 / 2) + 305


def label_boxes(w, h):
    """Text boxes (client left, top, right, bottom), padded: their yellow
    text is not the second hand."""
    mx, my = round(w / 2), round(h / 2)
    boxes = [(mx + 130, my - 145, mx + 189, my - 129), (mx - 180, my - 142, mx - 85, my - 126),
             (mx - 174, my + 142, mx - 90, my + 158), (mx + 127, my + 140, mx + 199, my + 156)]
    return [(l - 3, t - 3, r + 3, b + 3) for l, t, r, b in boxes]


def expected(t):
    lt = time.localtime(t)
    h, m, s = lt.tm_hour, lt.tm_min, lt.tm_sec
    deg = {"second": s * 6.0, "minute": (m + s / 60.0) * 6.0,
           "hour": ((h % 12) * 5 + m / 12.0) * 6.0}
    return "%02d:%02d:%02d" % (h, m, s), deg


def diff(a, b):
    return abs((a - b + 180.0) % 360.0 - 180.0)


def direction(angles):
    """Mean direction of the pixels near the densest direction, so that a
    few stray pixels of the same colour elsewhere do not pull it."""
    hist = [0] * 360
    for a in angles:
        hist[int(a) % 360] += 1
    smooth = [sum(hist[(i + k) % 360] for k in range(-5, 6)) for i in range(360)]
    peak = max(range(360), key=smooth.__getitem__) + 0.5
    near = [a for a in angles if diff(a, peak) <= 8.0]
    x = sum(math.sin(math.radians(a)) for a in near)
    y = sum(math.cos(math.radians(a)) for a in near)
    return math.degrees(math.atan2(x, y)) % 360.0, len(near)


def check(png, rgb, results, t0, t1, gx, gy, gw, gh):
    with open(png, "rb") as f:
        sw, sh = struct.unpack(">II", f.read(24)[16:24])
    data = open(rgb, "rb").read()
    if len(data) != sw * sh * 3:
        return ["%s holds %d bytes, not %dx%dx3" % (rgb, len(data), sw, sh)], []

    def px(x, y):
        i = (y * sw + x) * 3
        return tuple(data[i:i + 3])

    fails, notes = [], ["screen %dx%d, window %d %d %d %d" % (sw, sh, gx, gy, gw, gh)]
    if (gx, gy, gw, gh) != (0, 0, sw, sh):
        fails.append("the window does not cover the screen")

    # (a) The colour key is never seen.
    maroon = data.count(bytes(MAROON))  # counts byte triples, maybe unaligned
    if maroon:
        n = sum(1 for i in range(0, len(data), 3) if data[i:i + 3] == bytes(MAROON))
        if n:
            fails.append("%d maroon (colour key) pixels on screen" % n)

    hx, hy = hub(gw, gh)
    hx, hy = gx + hx, gy + hy
    notes.append("hub expected at (%d,%d)" % (hx, hy))

    # (b) Far from the dial everything is see-through.
    far = [(x, y) for cx, cy in ((0, 0), (sw - 16, 0), (0, sh - 16), (sw - 16, sh - 16))
           for x in range(cx, cx + 16) for y in range(cy, cy + 16)]
    for y in range(max(0, hy - 400), min(sh, hy + 401)):
        for x in range(max(0, hx - 400), min(sw, hx + 401)):
            if 300 * 300 <= (x - hx) ** 2 + (y - hy) ** 2 <= 400 * 400:
                far.append((x, y))
    drawn = [(x, y) for x, y in far if px(x, y) != BLACK]
    notes.append("far pixels: %d checked, %d not black" % (len(far), len(drawn)))
    if drawn:
        fails.append("%d pixels far outside the dial are drawn, e.g. %s = %s"
                     % (len(drawn), drawn[0], px(*drawn[0])))

    # (c) The hub pixel is the hour hand's, and the dial covers every side of
    # it out to about 200 px (a shifted dial leaves one side black).
    if px(hx, hy) != HANDS[2][1]:
        fails.append("hub pixel (%d,%d) is %s, not the hour hand's %s"
                     % (hx, hy, px(hx, hy), HANDS[2][1]))
    octants = [[0, 0] for _ in range(8)]
    for y in range(hy - 200, hy + 201):
        for x in range(hx - 200, hx + 201):
            r2 = (x - hx) ** 2 + (y - hy) ** 2
            if 20 * 20 <= r2 <= 195 * 195 and 0 <= x < sw and 0 <= y < sh:
                o = int(math.degrees(math.atan2(x - hx, hy - y)) % 360 // 45)
                octants[o][0] += 1
                octants[o][1] += px(x, y) != BLACK
    cover = [d / n for n, d in octants]
    notes.append("dial cover per octant: " + " ".join("%.3f" % c for c in cover))
    if min(cover) < 0.9:
        fails.append("the dial is not all around the hub (octant cover %s)"
                     % " ".join("%.2f" % c for c in cover))

    # (d) The hands point at the time of the screenshot. The face shows the
    # last tick, up to a second before T0.
    boxes = [(l + gx, t + gy, r + gx, b + gy) for l, t, r, b in label_boxes(gw, gh)]
    measured = {}
    for name, colour, length in HANDS:
        angles = []
        for y in range(max(0, hy - length - 2), min(sh, hy + length + 3)):
            for x in range(max(0, hx - length - 2), min(sw, hx + length + 3)):
                r2 = (x - hx) ** 2 + (y - hy) ** 2
                if not 4 * 4 <= r2 <= (length + 2) ** 2 or px(x, y) != colour:
                    continue
                if any(l <= x < r and t <= y < b for l, t, r, b in boxes):
                    continue
                angles.append(math.degrees(math.atan2(x - hx, hy - y)) % 360.0)
        if len(angles) < 20:
            measured[name] = (None, len(angles))
        else:
            measured[name] = direction(angles)
        notes.append("%s hand: %d pixels, direction %s" % (
            name, len(angles),
            "covered" if measured[name][0] is None else "%.2f deg" % measured[name][0]))

    best = None
    for t in range(math.floor(t0) - 1, math.floor(t1) + 1):
        label, deg = expected(t)
        errs, ok, missing = {}, True, []
        for i, (name, _, _) in enumerate(HANDS):
            got = measured[name][0]
            if got is None:
                # Only a later hand lying over it may hide a hand.
                if not any(diff(deg[name], deg[n]) <= 6.0 for n, _, _ in HANDS[i + 1:]):
                    ok, missing = False, missing + [name]
                continue
            errs[name] = diff(got, deg[name])
            ok &= errs[name] <= TOLERANCE_DEG
        worst = max(errs.values(), default=0.0)
        notes.append("candidate %s: expected %s; off by %s" % (
            label, " ".join("%s %.2f" % (n, d) for n, d in deg.items()),
            " ".join("%s %.2f" % (n, e) for n, e in errs.items())))
        if best is None or (ok, -len(missing), -worst) > (best[0], -len(best[3]), -best[2]):
            best = (ok, label, worst, missing)
    if not best[0]:
        fails.append("the hands match no time between the last tick and the screenshot "
                     "(closest %s, off by %.2f deg%s)" % (
                         best[1], best[2],
                         "; not found: " + ", ".join(best[3]) if best[3] else ""))
    else:
        notes.append("hands match %s" % best[1])
    return fails, notes


def main():
    if sys.argv[1] == "hub":
        print(*hub(int(sys.argv[2]), int(sys.argv[3])))
        return 0
    png, rgb, results = sys.argv[2:5]
    t0, t1 = float(sys.argv[5]), float(sys.argv[6])
    gx, gy, gw, gh = map(int, sys.argv[7:11])
    fails, notes = check(png, rgb, results, t0, t1, gx, gy, gw, gh)
    with open(results, "w") as f:
        for line in notes + ["FAIL: " + m for m in fails] + ["PASS" if not fails else "FAILED"]:
            print(line, file=f)
    print("\n".join(notes))
    for m in fails:
        print("error: " + m, file=sys.stderr)
    return 1 if fails else 0


if __name__ == "__main__":
    sys.exit(main())
