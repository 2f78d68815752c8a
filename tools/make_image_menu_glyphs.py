#!/usr/bin/env python3
"""Draws the image editor's context-menu glyphs (resources/BITMAP/CXMENUIMAGE_*.bmp): 16 x 16
32-bit bitmaps with straight alpha for Cut, Copy, Paste, Delete, Load, Camera and Save,
anti-aliased by 4 x 4 supersampling.

Usage: make_image_menu_glyphs.py <resources-folder>"""
import math
import os
import struct
import sys

SIZE = 16
SS = 4


def bmp(path, px):
    """px: SIZE*SIZE (r, g, b, a) tuples, top row first; written bottom-up, BI_RGB 32-bit."""
    rows = []
    for y in range(SIZE - 1, -1, -1):
        rows.append(b"".join(struct.pack("BBBB", b, g, r, a) for (r, g, b, a) in px[y * SIZE:(y + 1) * SIZE]))
    data = b"".join(rows)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 32, 0, len(data), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(data), 0, 0, 14 + len(header))
    with open(path, "wb") as f:
        f.write(file_header + header + data)


def render(layers):
    """layers: list of (inside(x, y) -> bool, (r, g, b)); later layers lie on top."""
    out = []
    for y in range(SIZE):
        for x in range(SIZE):
            acc = [0.0, 0.0, 0.0, 0.0]
            for j in range(SS):
                for i in range(SS):
                    px, py = x + (i + 0.5) / SS, y + (j + 0.5) / SS
                    colour = None
                    for inside, c in layers:
                        if inside(px, py):
                            colour = c
                    if colour:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1
            n = SS * SS
            if acc[3] == 0:
                out.append((0, 0, 0, 0))
            else:
                out.append((round(acc[0] / acc[3]), round(acc[1] / acc[3]), round(acc[2] / acc[3]),
                            round(255 * acc[3] / n)))
    return out


def rect(l, t, r, b):
    return lambda x, y: l <= x < r and t <= y < b


def ring(cx, cy, r_out, r_in):
    return lambda x, y: r_in ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out ** 2


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r ** 2


def segment(x1, y1, x2, y2, w):
    def inside(x, y):
        dx, dy = x2 - x1, y2 - y1
        t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - (x1 + t * dx), y - (y1 + t * dy)) <= w / 2
    return inside


def framed(l, t, r, b, frame, fill):
    return [(rect(l, t, r, b), frame), (rect(l + 1, t + 1, r - 1, b - 1), fill)]


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


DARK = (64, 64, 64)
WHITE = (255, 255, 255)
BLUE = (45, 110, 190)
RED = (205, 40, 40)
YELLOW = (235, 190, 70)
BROWN = (150, 105, 60)

GLYPHS = {
    "CUT": [
        (segment(5, 2, 10, 11, 1.6), DARK),
        (segment(11, 2, 6, 11, 1.6), DARK),
        (ring(4.5, 12.5, 2.8, 1.4), BLUE),
        (ring(11.5, 12.5, 2.8, 1.4), BLUE),
    ],
    "COPY": framed(1, 1, 10, 12, DARK, WHITE) + framed(6, 4, 15, 15, DARK, WHITE) + [
        (rect(8, 7, 13, 8), BLUE), (rect(8, 9, 13, 10), BLUE), (rect(8, 11, 12, 12), BLUE)],
    "PASTE": framed(2, 2, 14, 15, DARK, BROWN) + framed(5, 1, 11, 4, DARK, (200, 200, 200)) +
    framed(4, 5, 12, 14, DARK, WHITE) + [(rect(6, 8, 10, 9), BLUE), (rect(6, 10, 10, 11), BLUE)],
    "DELETE": [(segment(3.5, 3.5, 12.5, 12.5, 2.6), RED), (segment(12.5, 3.5, 3.5, 12.5, 2.6), RED)],
    "LOAD": framed(1, 4, 14, 14, (150, 110, 30), YELLOW) + [
        (rect(1, 3, 6, 5), (150, 110, 30)),
        (lambda x, y: 7 <= y < 14 and 3 + (14 - y) * 0.3 <= x < 15.5 - (14 - y) * 0.3 + 0.5 and y >= 7,
         (250, 215, 110))],
    "WEBCAM": [
        (disc(8, 7, 6), DARK), (disc(8, 7, 4), (120, 120, 120)), (disc(8, 7, 2.5), BLUE),
        (disc(7, 6, 0.9), WHITE), (rect(5, 13, 11, 15), DARK), (rect(3, 14, 13, 15.5), DARK)],
    "SAVE": [(rect(1, 1, 15, 15), BLUE), (rect(4, 1, 12, 6), WHITE), (rect(9, 2, 11, 5), BLUE),
             (rect(3, 9, 13, 15), (230, 230, 230)), (rect(4, 11, 12, 12), (160, 160, 160))],
}


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 1
    folder = os.path.join(sys.argv[1], "BITMAP")
    for name, layers in GLYPHS.items():
        bmp(os.path.join(folder, "CXMENUIMAGE_%s.bmp" % name), render(layers))
    return 0


if __name__ == "__main__":
    sys.exit(main())
