"""The skin's master as the exe carries it: twice the size, as a palette PNG.
Used by make_skin.py."""

import math
import struct
import zlib

PALETTE_SIZE = 256


def _median_cut(counts, n):
    """At most n colours standing for `counts` ({colour: pixels})."""
    boxes = [sorted(counts.items())]
    while len(boxes) < n:
        best = None
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            weight = sum(v for _, v in box)
            for ch in range(3):
                values = [c[ch] for c, _ in box]
                score = (max(values) - min(values)) ** 2 * math.sqrt(weight)
                if best is None or score > best[0]:
                    best = (score, i, ch)
        if best is None:
            break
        _, i, ch = best
        box = sorted(boxes.pop(i), key=lambda cv: (cv[0][ch], cv[0]))
        half, seen, cut = sum(v for _, v in box) / 2, 0, 1
        for k, (_, v) in enumerate(box):
            seen += v
            if seen >= half:
                cut = min(max(k + 1, 1), len(box) - 1)
                break
        boxes += [box[:cut], box[cut:]]
    means = []
    for box in boxes:
        weight = sum(v for _, v in box)
        means.append(tuple(int(math.floor(sum(c[k] * v for c, v in box) / weight + 0.5))
                           for k in range(3)))
    return means


def quantize(rows, clear, forbidden):
    """rows of (r, g, b) tuples -> (palette, rows of indices). The clear colour
    is entry 0 and only the clear pixels take it; no other entry is the clear
    colour or a forbidden one, so the colour key stays exact."""
    counts = {}
    for row in rows:
        for c in row:
            if c != clear:
                counts[c] = counts.get(c, 0) + 1
    colours = sorted(set(forbidden.get(c, c) for c in _median_cut(counts, PALETTE_SIZE - 1)),
                     key=lambda c: (0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2], c))
    palette = [clear] + colours
    nearest = {c: 1 + min(range(len(colours)),
                          key=lambda i: sum((a - b) ** 2 for a, b in zip(c, colours[i])))
               for c in counts}
    return palette, [bytes(0 if c == clear else nearest[c] for c in row) for row in rows]


def write_png8(path, palette, indices):
    """An 8-bit palette PNG. Every row unfiltered: on the dial's indices that
    compresses best, better than any of PNG's predictors."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data)))

    header = struct.pack(">IIBBBBB", len(indices[0]), len(indices), 8, 3, 0, 0, 0)
    data = b"".join(b"\0" + row for row in indices)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"PLTE", bytes(v for c in palette for v in c)) +
                chunk(b"IDAT", zlib.compress(data, 9)) + chunk(b"IEND", b""))
