#!/usr/bin/env python3
"""Draws the clock skin and the program's icons.

Writes resources/skin.bmp (800 x 600, 24-bit), skin.png (the same pixels,
which the exe carries and shows at 96 DPI), skin2x.png (the same drawing at
twice the size in 255 colours and the clear one, which the exe scales down
to every other DPI), resources/zvenoks.ico (16 to 48 pixels square),
about_window.ico and about_image.ico (32 to 64), all of 16 colours. The
output is committed; run this again after changing the drawing:

    python3 tools/make_skin.py [output-dir]
    python3 tools/make_skin.py --png BMP PNG   # only the PNG, from a BMP

Standard library only. Shapes are signed distance functions (skin_shapes.py),
the icons are drawn in skin_icons.py; pixels near an edge are supersampled
4 x 4, the rest are taken whole.
"""

import math
import os
import struct
import sys
import zlib

from skin_icons import icon_about_image, icon_about_window, icon_main, write_ico
from skin_raster import quantize, write_png8
from skin_shapes import arc, bbox_of, circle, circle_bbox, lerp, ring, rounded_rect, strokes

# ---------------------------------------------------------------- the skin

SKIN_W, SKIN_H = 800, 600
MASTER_SCALE = 2
# The tray takes the small icon size of its DPI: 16 at 100 % to 32 at 200 %;
# Explorer and the Alt+Tab list take the larger ones.
MAIN_ICON_SIZES = (16, 20, 24, 32, 40, 48)
# The About dialog's picture and its window's large icon are 32 pixels at
# 100 % to 64 at 200 %; the small one is scaled down from these.
ABOUT_ICON_SIZES = (32, 40, 48, 64)
CLEAR = (7, 7, 7)  # the skin's "not drawn" colour, also its bottom-left pixel
FORBIDDEN = {(128, 0, 0): (129, 2, 2),  # the window's colour key: see-through
             (7, 7, 7): (9, 9, 9),  # would punch a hole into the drawing
             (0, 0, 128): (2, 2, 129)}  # the sheet's key; harmless, kept out

# The hands' hub is pixel (419, 305); its centre is the dial's centre.
CX, CY = 419.5, 305.5

FACE_R = 224.0  # the dial face
BEZEL_R = 257.0  # the outer edge of the bezel ring
TRACK_OUT = 214.0  # minute track, outer edge of the ticks
MINUTE_TICK_IN = 204.0  # just beyond the second hand's tip at 200
HOUR_TICK_IN = 194.0
NUMERAL_R = 164.0
NUMERAL_H = 22.0

INK = (28, 33, 45)  # ticks and numerals

SS = [(i + 0.5) / 4.0 for i in range(4)]


def mix(c0, c1, t):
    t = min(max(t, 0.0), 1.0)
    return (lerp(c0[0], c1[0], t), lerp(c0[1], c1[1], t), lerp(c0[2], c1[2], t))


class Canvas:
    """Pixels of a picture drawn in design units: `scale` pixels a unit."""

    def __init__(self, w, h, colour, scale=1):
        self.w, self.h = w * scale, h * scale
        self.k = scale
        w, h = self.w, self.h
        self.r = [float(colour[0])] * (w * h)
        self.g = [float(colour[1])] * (w * h)
        self.b = [float(colour[2])] * (w * h)
        self.drawn = [0.0] * (w * h)  # how much of each pixel the drawing covers

    def paint(self, sdf, bbox, shade):
        """Blends shade(x, y) into the pixels inside sdf (< 0), anti-aliased."""
        k = self.k
        if k != 1:
            # The shapes stay in design units; distances come back in pixels.
            sdf = (lambda f: lambda x, y: f(x / k, y / k) * k)(sdf)
            shade = (lambda f: lambda x, y: f(x / k, y / k))(shade)
            bbox = tuple(v * k for v in bbox)
        x0, y0, x1, y1 = bbox
        x0, y0 = max(int(math.floor(x0)), 0), max(int(math.floor(y0)), 0)
        x1, y1 = min(int(math.ceil(x1)) + 1, self.w), min(int(math.ceil(y1)) + 1, self.h)
        for y in range(y0, y1):
            row = y * self.w
            for x in range(x0, x1):
                d = sdf(x + 0.5, y + 0.5)
                if d >= 0.75:
                    continue
                if d <= -0.75:
                    a = 1.0
                else:
                    n = 0
                    for sy in SS:
                        for sx in SS:
                            if sdf(x + sx, y + sy) < 0.0:
                                n += 1
                    if n == 0:
                        continue
                    a = n / 16.0
                c = shade(x + 0.5, y + 0.5)
                i = row + x
                self.r[i] += (c[0] - self.r[i]) * a
                self.g[i] += (c[1] - self.g[i]) * a
                self.b[i] += (c[2] - self.b[i]) * a
                self.drawn[i] = 1.0 - (1.0 - self.drawn[i]) * (1.0 - a)

    def pixel(self, x, y):
        i = y * self.w + x
        if self.drawn[i] < 1.0 / 16.0:
            return CLEAR
        c = (int(round(self.r[i])), int(round(self.g[i])), int(round(self.b[i])))
        c = tuple(min(max(v, 0), 255) for v in c)
        return FORBIDDEN.get(c, c)


# ---------------------------------------------------------------- numerals

# Digits as polylines in a box one unit high; x runs over the digit's width.
DIGIT_WIDTH = {"1": 0.36}
DEFAULT_DIGIT_WIDTH = 0.58


def digit_paths(ch):
    if ch == "0":
        return [arc(0.5, 0.5, 0.5, 0.5, -90, 270, 32)]
    if ch == "1":
        return [[(0.0, 0.22), (0.72, 0.0), (0.72, 1.0)]]
    if ch == "2":
        return [arc(0.5, 0.27, 0.48, 0.27, 185, 380, 16) + [(0.0, 1.0), (1.0, 1.0)]]
    if ch == "3":
        return [arc(0.48, 0.25, 0.44, 0.25, 200, 450, 18)
                + arc(0.48, 0.74, 0.5, 0.26, 270, 520, 18)]
    if ch == "4":
        return [[(0.76, 1.0), (0.76, 0.0), (0.0, 0.7), (1.0, 0.7)]]
    if ch == "5":
        return [[(0.94, 0.0), (0.16, 0.0), (0.08, 0.46)]
                + arc(0.5, 0.68, 0.5, 0.32, 228, 515, 20)]
    if ch == "6":
        return [arc(1.15, 0.68, 1.15, 0.66, 262, 180, 12), arc(0.5, 0.68, 0.5, 0.32, 180, 540, 28)]
    if ch == "7":
        return [[(0.0, 0.0), (1.0, 0.0), (0.32, 1.0)]]
    if ch == "8":
        return [arc(0.5, 0.245, 0.42, 0.245, 90, 450, 24), arc(0.5, 0.735, 0.5, 0.265, -90, 270, 28)]
    if ch == "9":
        return [[(1.0 - x, 1.0 - y) for x, y in p] for p in digit_paths("6")]
    # the few capitals of the maker's mark
    if ch == "Z":
        return [[(0.0, 0.0), (1.0, 0.0), (0.0, 1.0), (1.0, 1.0)]]
    if ch == "V":
        return [[(0.0, 0.0), (0.5, 1.0), (1.0, 0.0)]]
    if ch == "E":
        return [[(1.0, 0.0), (0.0, 0.0), (0.0, 1.0), (1.0, 1.0)], [(0.0, 0.5), (0.8, 0.5)]]
    if ch == "N":
        return [[(0.0, 1.0), (0.0, 0.0), (1.0, 1.0), (1.0, 0.0)]]
    if ch == "O":
        return [arc(0.5, 0.5, 0.5, 0.5, -90, 270, 32)]
    if ch == "K":
        return [[(0.0, 0.0), (0.0, 1.0)], [(1.0, 0.0), (0.0, 0.6)], [(0.3, 0.38), (1.0, 1.0)]]
    if ch == "S":
        return [arc(0.5, 0.25, 0.5, 0.25, -20, -270, 16) + arc(0.5, 0.75, 0.5, 0.25, -90, 160, 16)]
    raise ValueError(ch)


def text_segments(text, cx, cy, height, stroke, gap=0.16, width=None):
    """Segments of a row of glyphs centred on (cx, cy); stroke keeps the ink inside the box."""
    gap *= height
    widths = [(width or DIGIT_WIDTH.get(ch, DEFAULT_DIGIT_WIDTH)) * height for ch in text]
    total = sum(widths) + gap * (len(text) - 1)
    x = cx - total / 2.0
    top = cy - height / 2.0
    inner_h = height - stroke
    segs = []
    for ch, w in zip(text, widths):
        inner_w = w - stroke
        for path in digit_paths(ch):
            pts = [(x + stroke / 2 + px * inner_w, top + stroke / 2 + py * inner_h)
                   for px, py in path]
            for (ax, ay), (bx, by) in zip(pts, pts[1:]):
                segs.append((ax, ay, bx, by))
        x += w + gap
    return segs


# ---------------------------------------------------------------- panels

def layout_panels():
    """Boxes under the labels, relative to the skin's top-left corner.

    The window centres the skin and places the labels around the window's
    centre, each rounded half to even, so a label lands one pixel apart
    depending on the parity of the screen size: take the union over both.
    """
    labels = {  # x offset from the centre, y offset, width, height
        "readout": [(130, -145, 24, 16), (150, -145, 24, 16), (165, -145, 24, 16)],
        "time": [(-180, -142, 95, 16)],
        "hide": [(-174, 142, 84, 16)],
        "close": [(127, 140, 72, 16)],
    }
    boxes = {}
    for name, parts in labels.items():
        left = top = 10 ** 9
        right = bottom = -10 ** 9
        for size in range(640, 644):
            skin_x = round(size / 2 - 801 / 2)
            skin_y = round(size / 2 - 601 / 2)
            mid = round(size / 2)
            for dx, dy, w, h in parts:
                left = min(left, mid + dx - skin_x)
                right = max(right, mid + dx - skin_x + w)
                top = min(top, mid + dy - skin_y)
                bottom = max(bottom, mid + dy - skin_y + h)
        boxes[name] = (left, top, right, bottom)
    return boxes


PANEL_MARGIN_X, PANEL_MARGIN_Y = 5, 4


# ---------------------------------------------------------------- drawing

def light(x, y):
    """0..1: how much a surface at (x, y) faces the light from the upper left."""
    a = math.atan2(y - CY, x - CX)
    return 0.5 + 0.5 * math.cos(a + math.radians(135))


def draw_skin(scale=1):
    c = Canvas(SKIN_W, SKIN_H, CLEAR, scale)
    bezel_dark, bezel_light = (34, 38, 46), (118, 126, 140)

    def bezel(x, y):
        r = math.hypot(x - CX, y - CY)
        # a rounded ring: brightest along its middle, lit from the upper left
        t = (r - FACE_R) / (BEZEL_R - FACE_R)
        crown = math.sin(math.pi * min(max(t, 0.0), 1.0))
        return mix(bezel_dark, bezel_light, light(x, y) * (0.35 + 0.65 * crown))

    c.paint(circle(CX, CY, BEZEL_R), circle_bbox(CX, CY, BEZEL_R), bezel)
    # a bright lip on the outer edge
    c.paint(ring(CX, CY, BEZEL_R - 2.2, BEZEL_R), circle_bbox(CX, CY, BEZEL_R),
            lambda x, y: mix((60, 66, 76), (176, 184, 196), light(x, y)))
    # the recess the face sits in: shaded the other way round
    c.paint(ring(CX, CY, FACE_R - 1, FACE_R + 5), circle_bbox(CX, CY, FACE_R + 5),
            lambda x, y: mix((150, 158, 170), (22, 25, 31), light(x, y)))

    face_centre, face_edge = (188, 194, 204), (154, 162, 175)

    def face(x, y):
        r = math.hypot(x - CX, y - CY) / FACE_R
        base = mix(face_centre, face_edge, r * r)
        lift = (light(x, y) - 0.5) * 10 * r
        return (base[0] + lift, base[1] + lift, base[2] + lift)

    c.paint(circle(CX, CY, FACE_R), circle_bbox(CX, CY, FACE_R), face)

    ink = lambda x, y: INK
    # minute track: a fine circle and sixty ticks, the hours bolder and longer
    c.paint(ring(CX, CY, TRACK_OUT - 0.6, TRACK_OUT + 0.6), circle_bbox(CX, CY, TRACK_OUT + 1), ink)
    c.paint(ring(CX, CY, MINUTE_TICK_IN - 0.5, MINUTE_TICK_IN + 0.5),
            circle_bbox(CX, CY, MINUTE_TICK_IN + 1), lambda x, y: mix(INK, face(x, y), 0.45))
    for i in range(60):
        a = math.radians(i * 6)
        sx, sy = math.sin(a), -math.cos(a)
        inner = HOUR_TICK_IN if i % 5 == 0 else MINUTE_TICK_IN
        half = 2.3 if i % 5 == 0 else 0.8
        seg = [(CX + sx * inner, CY + sy * inner, CX + sx * TRACK_OUT, CY + sy * TRACK_OUT)]
        c.paint(strokes(seg, half), bbox_of(seg, half + 1), ink)

    numeral_boxes = []
    stroke = 2.7
    for hour in range(1, 13):
        a = math.radians(hour * 30)
        nx, ny = CX + math.sin(a) * NUMERAL_R, CY - math.cos(a) * NUMERAL_R
        segs = text_segments(str(hour), nx, ny, NUMERAL_H, stroke)
        box = bbox_of(segs, stroke / 2 + 1)
        numeral_boxes.append(box)
        c.paint(strokes(segs, stroke / 2), box, ink)

    # the maker's mark under the twelve
    segs = text_segments("ZVENOKS", CX, CY - 92, 9.0, 1.3, gap=0.45, width=0.62)
    c.paint(strokes(segs, 0.65), bbox_of(segs, 2), lambda x, y: (84, 92, 108))

    # the hub: a small dark cap under the hands
    c.paint(circle(CX, CY, 9.0), circle_bbox(CX, CY, 9), lambda x, y: mix((20, 23, 29), (96, 104, 118), light(x, y)))
    c.paint(circle(CX, CY, 6.5), circle_bbox(CX, CY, 7), lambda x, y: (40, 45, 55))

    # calm dark panels under the captions and the read-out
    for left, top, right, bottom in layout_panels().values():
        box = (left - PANEL_MARGIN_X, top - PANEL_MARGIN_Y,
               right + PANEL_MARGIN_X, bottom + PANEL_MARGIN_Y)
        for nb in numeral_boxes:
            apart = max(box[0] - nb[2], nb[0] - box[2], box[1] - nb[3], nb[1] - box[3])
            assert apart >= 4, ("numeral too close to a panel", nb, box)
        l, t, r, b = box
        c.paint(rounded_rect(l, t, r, b, 7), (l, t, r, b),
                lambda x, y: mix((150, 158, 170), (36, 40, 48), light(x, y)))
        c.paint(rounded_rect(l + 1.2, t + 1.2, r - 1.2, b - 1.2, 6), (l, t, r, b),
                lambda x, y, t=t, b=b: mix((30, 35, 44), (18, 21, 27), (y - t) / (b - t)))
    return c


def write_bmp24(path, w, h, pixel):
    row_bytes = (w * 3 + 3) & ~3
    data = bytearray()
    for y in range(h - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(w):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def read_bmp24(path):
    """Pixels of an uncompressed 24-bit BMP as rows of (r, g, b), top first."""
    with open(path, "rb") as f:
        b = f.read()
    if b[:2] != b"BM" or struct.unpack_from("<I", b, 14)[0] != 40:
        sys.exit(f"{path}: not a BMP with a BITMAPINFOHEADER")
    offset = struct.unpack_from("<I", b, 10)[0]
    w, h, _, bits, compression = struct.unpack_from("<iiHHI", b, 18)
    if bits != 24 or compression != 0 or w <= 0 or h == 0:
        sys.exit(f"{path}: only uncompressed 24-bit BMPs are read")
    stride = (w * 3 + 3) & ~3
    ys = range(abs(h) - 1, -1, -1) if h > 0 else range(-h)
    rows = []
    for y in ys:
        row = b[offset + y * stride:offset + y * stride + w * 3]
        rows.append(bytes(row[x + k] for x in range(0, w * 3, 3) for k in (2, 1, 0)))
    return w, abs(h), rows


def write_png24(path, w, h, rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data)))

    # 8-bit RGB, no gamma or colour-space chunk: the decoder hands the bytes
    # over as they stand. Every row unfiltered (filter byte 0): the skin's
    # flat areas and repeated edges compress best so, smaller than with any
    # of PNG's predictors.
    header = struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)
    data = b"".join(b"\0" + row for row in rows)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(data, 9)) + chunk(b"IEND", b""))


def bmp_to_png(bmp, png):
    w, h, rows = read_bmp24(bmp)
    write_png24(png, w, h, rows)


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "--png":
        bmp_to_png(sys.argv[2], sys.argv[3])
        return
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "resources")
    # At 96 DPI the clock shows these pixels as they are.
    skin = draw_skin()
    write_bmp24(os.path.join(out, "skin.bmp"), SKIN_W, SKIN_H, skin.pixel)
    bmp_to_png(os.path.join(out, "skin.bmp"), os.path.join(out, "skin.png"))
    # Every other scale is made of a master at twice the size, in its few
    # colours so that it costs the exe as little as it can.
    master = draw_skin(MASTER_SCALE)
    palette, indices = quantize(
        [[master.pixel(x, y) for x in range(master.w)] for y in range(master.h)],
        CLEAR, FORBIDDEN)
    write_png8(os.path.join(out, "skin2x.png"), palette, indices)
    write_ico(os.path.join(out, "zvenoks.ico"), [icon_main(size) for size in MAIN_ICON_SIZES])
    write_ico(os.path.join(out, "about_window.ico"),
              [icon_about_window(size) for size in ABOUT_ICON_SIZES])
    write_ico(os.path.join(out, "about_image.ico"),
              [icon_about_image(size) for size in ABOUT_ICON_SIZES])

if __name__ == "__main__":
    main()
