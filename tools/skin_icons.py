"""The program's icons, 16 colours, drawn from the skin's shapes in a 32 x 32
design at any size. Used by make_skin.py."""

import math
import struct

from skin_shapes import circle, rounded_rect, strokes

ICON = 32

PALETTE = [
    (0, 0, 0),  # 0: under the transparent pixels
    (22, 25, 31),  # 1: bezel dark
    (60, 66, 78),  # 2: bezel
    (118, 126, 140),  # 3: bezel light
    (170, 176, 186),  # 4: face edge
    (204, 208, 214),  # 5: face
    (240, 242, 245),  # 6: highlight
    (28, 33, 45),  # 7: ink
    (0, 0, 255),  # 8: minute hand
    (128, 128, 0),  # 9: hour hand
    (255, 255, 0),  # 10: second hand
    (120, 78, 16),  # 11: bronze dark
    (196, 142, 38),  # 12: bronze
    (246, 204, 96),  # 13: bronze light
    (90, 98, 110),  # 14: grey
    (200, 40, 30),  # 15: red
]


class IconCanvas:
    """Palette indices at 4 x 4 samples per pixel; a pixel takes the index most
    of its samples have, so the few colours stay crisp. Shapes are given in
    the 32 x 32 design, whatever the size."""

    def __init__(self, size=ICON):
        self.size = size
        self.n = size * 4
        self.samples = [None] * (self.n * self.n)

    def paint(self, sdf, index):
        k = ICON / self.size
        for sy in range(self.n):
            for sx in range(self.n):
                x, y = (sx + 0.5) / 4.0, (sy + 0.5) / 4.0
                if k != 1:
                    x, y = x * k, y * k
                if sdf(x, y) < 0:
                    self.samples[sy * self.n + sx] = index(x, y) if callable(index) else index

    def pixels(self):
        out = []
        for y in range(self.size):
            row = []
            for x in range(self.size):
                counts = {}
                for j in range(4):
                    for i in range(4):
                        k = self.samples[(y * 4 + j) * self.n + x * 4 + i]
                        counts[k] = counts.get(k, 0) + 1
                drawn = {k: v for k, v in counts.items() if k is not None}
                if sum(drawn.values()) < 7:
                    row.append(None)  # transparent
                else:
                    row.append(max(drawn, key=lambda k: drawn[k]))
            out.append(row)
        return out


def lit_band(cx, cy, x, y, indices):
    """One of the given indices, darker to brighter towards the upper left."""
    a = math.atan2(y - cy, x - cx)
    t = 0.5 + 0.5 * math.cos(a + math.radians(135))
    return indices[min(int(t * len(indices)), len(indices) - 1)]


def icon_clock(ic, cx, cy, r):
    # A line thinner than half a pixel would break up; small sizes keep the
    # quarter ticks only.
    least = 0.5 * ICON / ic.size
    small = ic.size < 24
    ic.paint(circle(cx, cy, r), lambda x, y: lit_band(cx, cy, x, y, (1, 2, 3)))
    face_r = r - 2.6
    ic.paint(circle(cx, cy, face_r),
             lambda x, y: 6 if math.hypot(x - cx + 2, y - cy + 2) < face_r * 0.55 else 5)
    for i in range(12):
        if small and i % 3:
            continue
        a = math.radians(i * 30)
        sx, sy = math.sin(a), -math.cos(a)
        inner = face_r - (3.6 if i % 3 == 0 else 2.0)
        outer = face_r - 0.9
        seg = [(cx + sx * inner, cy + sy * inner, cx + sx * outer, cy + sy * outer)]
        ic.paint(strokes(seg, max(0.9 if i % 3 == 0 else 0.6, least)), 7 if i % 3 == 0 else 14)

    def hand(pos60, length, half, index):
        a = math.radians(pos60 * 6)
        ic.paint(strokes([(cx, cy, cx + math.sin(a) * length, cy - math.cos(a) * length)],
                         max(half, least)), index)

    # 10:08:37, the hands spread like a smile
    hand(50.7, face_r * 0.55, 1.1, 7)
    hand(8.0, face_r * 0.82, 0.85, 7)
    hand(37.0, face_r * 0.86, 0.5, 15)
    ic.paint(circle(cx, cy, 1.4), 15)


def icon_main(size=ICON):
    ic = IconCanvas(size)
    if size < ICON:
        # Centred on a pixel, so that the one-pixel ticks and hands at twelve
        # and three fall on whole columns and rows.
        c = (size / 2 - 0.5) * ICON / size
        icon_clock(ic, c, c, c - 0.2)
    else:
        icon_clock(ic, 16, 16, 15.6)
    return ic.pixels()


def sound_waves(ic, cx, cy, radii, from_deg, to_deg, index):
    for rr in radii:
        def wave(x, y, rr=rr):
            ang = (math.degrees(math.atan2(y - cy, x - cx)) - from_deg) % 360.0
            if ang > to_deg - from_deg:
                return 1.0
            return abs(math.hypot(x - cx, y - cy) - rr) - 0.8
        ic.paint(wave, index)


def icon_about_window(size=ICON):
    # the clock, with the sound of its voice to the upper right
    ic = IconCanvas(size)
    icon_clock(ic, 13.5, 18.5, 12.8)
    sound_waves(ic, 20.5, 11.5, (8.0, 11.5), -85, -5, 12)
    return ic.pixels()


def icon_about_image(size=ICON):
    # a bronze bell ringing
    ic = IconCanvas(size)
    cx = 16.0
    top, rim = 5.0, 24.0

    def bell(x, y):
        if y > rim:
            return y - rim
        if y < top + 4.0:  # the dome
            return math.hypot(x - cx, y - (top + 4.0)) - 5.0
        t = (y - top - 4.0) / (rim - top - 4.0)
        half = 5.0 + 1.2 * t + 5.3 * t ** 3
        return abs(x - cx) - half

    shade = lambda x, y: 13 if x < cx - 4.5 else (12 if x < cx + 3.5 else 11)
    ic.paint(strokes([(cx, 2.2, cx, 4.5)], 1.3), 11)  # the loop it hangs from
    ic.paint(bell, shade)
    ic.paint(rounded_rect(3.0, 22.5, 29.0, 25.8, 1.6), shade)  # the lip
    ic.paint(circle(cx, 27.6, 2.3), 11)  # the clapper
    sound_waves(ic, cx, 14.0, (13.2,), -40, 15, 7)
    sound_waves(ic, cx, 14.0, (13.2,), 165, 220, 7)
    return ic.pixels()


def write_ico(path, frames):
    """Square images, 4 bits per pixel, each with its AND mask."""
    images = []
    for pixels in frames:
        size = len(pixels)
        xor = bytearray()
        mask = bytearray()
        mask_row = (size + 31) // 32 * 4  # rows of whole 32-bit words
        for y in range(size - 1, -1, -1):  # bottom-up
            row = pixels[y]
            for x in range(0, size, 2):
                xor.append(((row[x] or 0) << 4) | (row[x + 1] or 0))
            xor += b"\0" * (-(size // 2) % 4)
            bits = 0
            for x in range(mask_row * 8):
                bits = (bits << 1) | (1 if x < size and row[x] is None else 0)
            mask += bits.to_bytes(mask_row, "big")
        palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask),
                           0, 0, 16, 0)
        images.append((size, info + palette + xor + mask))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in images:
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(out + b"".join(image for _, image in images))
