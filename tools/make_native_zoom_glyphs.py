#!/usr/bin/env python3
"""Draws the Native painter's zoom glyphs into the program's resources.

BITMAP/CX_ZOOMINBUTTONGLYPH.bmp and BITMAP/CX_ZOOMOUTBUTTONGLYPH.bmp: 10 x 10 pixels, 32 bits
with premultiplied alpha (transparent outside the ink): a plus and a minus sign two pixels thick
in dark grey, drawn centred on the themed push button.

Usage: make_native_zoom_glyphs.py <resources-folder>
"""
import os
import struct
import sys

SIZE = 10
INK = (0x40, 0x40, 0x40)


def glyph(plus):
    rows = [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]
    for y in range(SIZE):
        for x in range(SIZE):
            horizontal = y in (4, 5) and 1 <= x <= 8
            vertical = plus and x in (4, 5) and 1 <= y <= 8
            if horizontal or vertical:
                rows[y][x] = INK + (255,)
    return rows


def bmp_bytes(rows):
    height = len(rows)
    width = len(rows[0])
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + bytes(pixels)


def main():
    out = os.path.join(sys.argv[1], "BITMAP")
    os.makedirs(out, exist_ok=True)
    for name, plus in (("CX_ZOOMINBUTTONGLYPH", True), ("CX_ZOOMOUTBUTTONGLYPH", False)):
        with open(os.path.join(out, name + ".bmp"), "wb") as f:
            f.write(bmp_bytes(glyph(plus)))


if __name__ == "__main__":
    main()
