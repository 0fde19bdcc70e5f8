#!/usr/bin/env python3
"""Packs a 24-bit BMP into the program's "ZVSK" picture (app/PackedImage.h).

    python3 tools/pack_skin.py resources/skin.bmp OUT

The build runs it on the committed skin; the program unpacks the result to
the very same pixels. Standard library only.
"""

import struct
import sys
import zlib


def read_bmp(path):
    with open(path, "rb") as f:
        b = f.read()
    if b[:2] != b"BM" or struct.unpack_from("<I", b, 14)[0] != 40:
        sys.exit(f"{path}: not a BMP with a BITMAPINFOHEADER")
    offset = struct.unpack_from("<I", b, 10)[0]
    width, height, planes, bits, compression = struct.unpack_from("<iiHHI", b, 18)
    if bits != 24 or compression != 0 or width <= 0 or height == 0:
        sys.exit(f"{path}: only uncompressed 24-bit BMPs are packed")
    stride = (width * 3 + 3) & ~3
    rows = range(height - 1, -1, -1) if height > 0 else range(-height)
    pixels = []
    for y in rows:
        row = b[offset + y * stride:offset + y * stride + width * 3]
        pixels.extend((row[x + 2], row[x + 1], row[x]) for x in range(0, width * 3, 3))
    return width, abs(height), pixels


def pack(width, height, pixels):
    # Colours sorted by value: neighbours on the dial get near numbers, which
    # the high-byte plane turns into long runs.
    palette = sorted(set(pixels))
    if len(palette) > 0xFFFF or width > 4096 or height > 4096:
        sys.exit("too many colours or too large")
    number = {c: i for i, c in enumerate(palette)}
    indices = [number[p] for p in pixels]
    body = bytearray(v for c in palette for v in c)
    if len(palette) > 256:
        body += bytes(i >> 8 for i in indices)
        body += bytes(i & 0xFF for i in indices)
    else:
        body += bytes(indices)
    deflate = zlib.compressobj(9, zlib.DEFLATED, -15, 9)
    packed = deflate.compress(bytes(body)) + deflate.flush()
    return b"ZVSK" + struct.pack("<HHH", width, height, len(palette)) + packed


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: pack_skin.py SKIN.bmp OUT")
    data = pack(*read_bmp(sys.argv[1]))
    with open(sys.argv[2], "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
