#!/usr/bin/env python3
"""Checks a screenshot of the clock (raw 8-bit RGB of the whole screen).

  face_check.py hub W H [DPI]  prints the hub's client position for a W x H client
  face_check.py check PNG RGB RESULTS T0 T1 X Y W H [DPI]
      T0/T1: epoch seconds just before/after the screenshot; X Y W H: the window;
      DPI: what the clock was drawn for (96 unless given).
  face_check.py compare RESULTS96 RESULTS
      the sizes measured at 96 DPI and at another, in the ratio of the DPIs.
"""
import math
import os
import struct
import sys
import time

MAROON = (128, 0, 0)
BLACK = (0, 0, 0)
# (name, colour, length); drawn in this order, the hour hand on top.
HANDS = [("second", (255, 255, 0), 200), ("minute", (0, 0, 255), 150),
         ("hour", (128, 128, 0), 130)]
TOLERANCE_DEG = 2.5


def scaled(v, dpi):
    """A design length at DPI, halves to even (Python's round does so)."""
    return v if dpi == 96 else round(v * dpi / 96)


def hub(w, h, dpi=96):
    # Image2 is centred, halves rounded to even, then moved 15 right and down;
    # the hub is its pixel (300, 290). At 96 DPI that is skin pixel (419, 305).
    s = lambda v: scaled(v, dpi)
    return (round(w / 2 - s(593) / 2) + s(15) + s(300),
            round(h / 2 - s(601) / 2) + s(15) + s(290))


def label_boxes(w, h, dpi=96):
    """Text boxes (client left, top, right, bottom): the read-out (Label1 to
    Label3 as one), the three captions; padded, their yellow text is not the
    second hand."""
    s = lambda v: scaled(v, dpi)
    mx, my = round(w / 2), round(h / 2)
    boxes = [(mx + s(130), my + s(-145), mx + s(165) + s(24), my + s(-145) + s(16)),
             (mx + s(-180), my + s(-142), mx + s(-180) + s(95), my + s(-142) + s(16)),
             (mx + s(-174), my + s(142), mx + s(-174) + s(84), my + s(142) + s(16)),
             (mx + s(127), my + s(140), mx + s(127) + s(72), my + s(140) + s(16))]
    pad = s(3)
    return [(l - pad, t - pad, r + pad, b + pad) for l, t, r, b in boxes]


def skin_diameter():
    """The dial's width across the hub's row of the 96 DPI skin, which the
    clock shows unscaled: every pixel not of the skin's clear colour."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources",
                        "skin.bmp")
    b = open(path, "rb").read()
    offset, = struct.unpack_from("<I", b, 10)
    w, h = struct.unpack_from("<ii", b, 18)
    stride = (w * 3 + 3) & ~3
    row = b[offset + (h - 1 - 305) * stride:][:w * 3]
    drawn = [x for x in range(w) if row[x * 3:x * 3 + 3] != b"\x07\x07\x07"]
    return drawn[-1] - drawn[0] + 1


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


def check(png, rgb, results, t0, t1, gx, gy, gw, gh, dpi=96):
    with open(png, "rb") as f:
        sw, sh = struct.unpack(">II", f.read(24)[16:24])
    data = open(rgb, "rb").read()
    if len(data) != sw * sh * 3:
        return ["%s holds %d bytes, not %dx%dx3" % (rgb, len(data), sw, sh)], []

    def px(x, y):
        i = (y * sw + x) * 3
        return tuple(data[i:i + 3])

    k = dpi / 96.0
    hands = [(n, c, length * k) for n, c, length in HANDS]
    fails, notes = [], ["screen %dx%d, window %d %d %d %d, %d dpi" % (sw, sh, gx, gy, gw, gh, dpi)]
    if (gx, gy, gw, gh) != (0, 0, sw, sh):
        fails.append("the window does not cover the screen")

    # (a) The colour key is never seen.
    maroon = data.count(bytes(MAROON))  # counts byte triples, maybe unaligned
    if maroon:
        n = sum(1 for i in range(0, len(data), 3) if data[i:i + 3] == bytes(MAROON))
        if n:
            fails.append("%d maroon (colour key) pixels on screen" % n)

    hx, hy = hub(gw, gh, dpi)
    hx, hy = gx + hx, gy + hy
    notes.append("hub expected at (%d,%d)" % (hx, hy))

    # (b) Far from the dial everything is see-through.
    far = [(x, y) for cx, cy in ((0, 0), (sw - 16, 0), (0, sh - 16), (sw - 16, sh - 16))
           for x in range(cx, cx + 16) for y in range(cy, cy + 16)]
    r0, r1 = 300 * k, 400 * k
    for y in range(max(0, hy - int(r1)), min(sh, hy + int(r1) + 1)):
        for x in range(max(0, hx - int(r1)), min(sw, hx + int(r1) + 1)):
            if r0 * r0 <= (x - hx) ** 2 + (y - hy) ** 2 <= r1 * r1:
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
    for y in range(hy - int(200 * k), hy + int(200 * k) + 1):
        for x in range(hx - int(200 * k), hx + int(200 * k) + 1):
            r2 = (x - hx) ** 2 + (y - hy) ** 2
            if (20 * k) ** 2 <= r2 <= (195 * k) ** 2 and 0 <= x < sw and 0 <= y < sh:
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
    boxes = [(l + gx, t + gy, r + gx, b + gy) for l, t, r, b in label_boxes(gw, gh, dpi)]
    measured, reach = {}, {}
    for name, colour, length in hands:
        angles, far_out = [], 0.0
        span = int(length) + 3
        for y in range(max(0, hy - span), min(sh, hy + span + 1)):
            for x in range(max(0, hx - span), min(sw, hx + span + 1)):
                r2 = (x - hx) ** 2 + (y - hy) ** 2
                if not (4 * k) ** 2 <= r2 <= (length + 2) ** 2 or px(x, y) != colour:
                    continue
                if any(l <= x < r and t <= y < b for l, t, r, b in boxes):
                    continue
                angles.append(math.degrees(math.atan2(x - hx, hy - y)) % 360.0)
                far_out = max(far_out, math.sqrt(r2))
        if len(angles) < 20 * k:
            measured[name] = (None, len(angles))
        else:
            measured[name] = direction(angles)
        # A tip under a yellow caption cannot be told from the caption.
        if measured[name][0] is not None:
            a = math.radians(measured[name][0])
            tx, ty = hx + math.sin(a) * length, hy - math.cos(a) * length
            if any(l - 6 <= tx < r + 6 and t - 6 <= ty < b + 6 for l, t, r, b in boxes):
                far_out = 0.0
        reach[name] = (far_out, len(angles))
        notes.append("%s hand: %d pixels, reaching %.1f px, direction %s" % (
            name, len(angles), far_out,
            "covered" if measured[name][0] is None else "%.2f deg" % measured[name][0]))

    best = None
    for t in range(math.floor(t0) - 1, math.floor(t1) + 1):
        label, deg = expected(t)
        errs, ok, missing = {}, True, []
        for i, (name, _, _) in enumerate(hands):
            got = measured[name][0]
            if got is None:
                # Only a later hand lying over it may hide a hand.
                if not any(diff(deg[name], deg[n]) <= 6.0 for n, _, _ in hands[i + 1:]):
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

    # (e) The dial across the hub's row, from its first drawn pixel to its
    # last: the skin's at 96 DPI, scaled.
    left, right = hx, hx
    while left > 0 and px(left - 1, hy) != BLACK:
        left -= 1
    while right + 1 < sw and px(right + 1, hy) != BLACK:
        right += 1
    diameter, want = right - left + 1, skin_diameter() * k
    notes.append("dial diameter %d px (the skin's at 96 dpi, scaled: %.1f)" % (diameter, want))
    if abs(diameter - want) > 0.02 * want:
        fails.append("the dial is %d px across, not %.1f" % (diameter, want))

    # (f) No fringe: nothing drawn is a mix with the colour key, which would
    # be reddish (the skin is blue-grey, the hands yellow, olive and blue).
    # The labels' smoothed yellow text lies on dark panels and is left out.
    fringe = [(x, y) for y in range(max(0, hy - int(330 * k)), min(sh, hy + int(330 * k)))
              for x in range(max(0, hx - int(330 * k)), min(sw, hx + int(330 * k)))
              if not any(l <= x < r and t <= y < b for l, t, r, b in boxes)
              and (lambda c: c[0] > c[1] + 24 and c[0] > c[2] + 24)(px(x, y))]
    notes.append("reddish pixels about the face: %d" % len(fringe))
    if fringe:
        fails.append("%d pixels blended with the colour key, e.g. %s = %s"
                     % (len(fringe), fringe[0], px(*fringe[0])))

    # (g) The read-out's text: how tall its yellow is.
    l, t, r, b = boxes[0]
    rows = [y for y in range(max(0, t), min(sh, b))
            if any(px(x, y) == (255, 255, 0) for x in range(max(0, l), min(sw, r)))]
    text = rows[-1] - rows[0] + 1 if rows else 0
    notes.append("read-out text %d px tall" % text)
    notes.append("measured diameter=%d readout=%d %s" % (
        diameter, text, " ".join("%s=%.1f/%d" % (n, reach[n][0], reach[n][1]) for n, _, _ in hands)))
    return fails, notes


def compare(results96, results):
    """Lines "measured ..." of two check runs, at 96 DPI and at another."""
    def load(path):
        dpi, got = None, {}
        for line in open(path):
            if line.startswith("screen "):
                dpi = int(line.split(", ")[-1].split()[0])
            if line.startswith("measured "):
                for item in line.split()[1:]:
                    k, v = item.split("=")
                    got[k] = float(v.split("/")[0])
        return dpi, got
    (d0, a), (d1, b) = load(results96), load(results)
    k = d1 / d0
    fails, notes = [], ["%d dpi against %d dpi: %.3f" % (d1, d0, k)]
    # The dial within 2 %; each hand's reach within 2 % and a pixel or two of
    # rounding; the read-out's text height to a pixel of the font's rounding.
    limits = {"diameter": (0.02, 0), "second": (0.02, 2), "minute": (0.02, 2), "hour": (0.02, 2),
              "readout": (0.0, 2.5 * k)}
    for name, (share, pixels) in limits.items():
        if a.get(name, 0) == 0:
            notes.append("%s not measured at %d dpi (covered by another hand)" % (name, d0))
            continue
        if b.get(name, 0) == 0:
            notes.append("%s not measured at %d dpi (covered by another hand)" % (name, d1))
            continue
        want = a[name] * k
        notes.append("%s: %.1f at %d dpi, %.1f at %d dpi (%.3f times; want %.1f)"
                     % (name, a[name], d0, b[name], d1, b[name] / a[name], want))
        if abs(b[name] - want) > share * want + pixels:
            fails.append("%s is %.1f at %d dpi, not %.1f" % (name, b[name], d1, want))
    return fails, notes


def main():
    if sys.argv[1] == "hub":
        print(*hub(*map(int, sys.argv[2:5])))
        return 0
    if sys.argv[1] == "compare":
        fails, notes = compare(sys.argv[2], sys.argv[3])
        results = sys.argv[3] + ".compare"
    else:
        png, rgb, results = sys.argv[2:5]
        t0, t1 = float(sys.argv[5]), float(sys.argv[6])
        gx, gy, gw, gh = map(int, sys.argv[7:11])
        dpi = int(sys.argv[11]) if len(sys.argv) > 11 else 96
        fails, notes = check(png, rgb, results, t0, t1, gx, gy, gw, gh, dpi)
    with open(results, "w") as f:
        for line in notes + ["FAIL: " + m for m in fails] + ["PASS" if not fails else "FAILED"]:
            print(line, file=f)
    print("\n".join(notes))
    for m in fails:
        print("error: " + m, file=sys.stderr)
    return 1 if fails else 0


if __name__ == "__main__":
    sys.exit(main())
