#!/usr/bin/env python3
"""Draws the Office 11 scheme's expand buttons into the program's resources.

BITMAP/DXEXPANDBUTTON_MINUS.bmp and BITMAP/DXEXPANDBUTTON_PLUS.bmp: 11 x 11 pixels, 24 bits.
A box framed in the scheme's light expand-button colour, filled with a white-to-blue-grey
gradient, holding a minus or a plus in the dark expand-button colour. The four corner pixels
are placeholders: the painter blends them into whatever lies under the button.

Usage: make_office11_expand_buttons.py <resources-folder>
"""
import os
import struct
import sys

SIZE = 11
FRAME = (158, 174, 191)
SIGN = (46, 70, 95)
TOP = (255, 255, 255)
BOTTOM = (214, 222, 231)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def glyph(plus):
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            if x in (0, SIZE - 1) or y in (0, SIZE - 1):
                row.append(FRAME)
            else:
                row.append(mix(TOP, BOTTOM, (y - 1) / (SIZE - 3)))
        rows.append(row)
    for i in range(3, 8):
        rows[5][i] = SIGN
        if plus:
            rows[i][5] = SIGN
    return rows


def bmp_bytes(rows):
    height = len(rows)
    width = len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + bytes(pixels)


def main():
    out = os.path.join(sys.argv[1], "BITMAP")
    os.makedirs(out, exist_ok=True)
    for name, plus in (("DXEXPANDBUTTON_MINUS", False), ("DXEXPANDBUTTON_PLUS", True)):
        with open(os.path.join(out, name + ".bmp"), "wb") as f:
            f.write(bmp_bytes(glyph(plus)))


if __name__ == "__main__":
    main()
