#!/usr/bin/env python3
"""Draws the painters' glyph strips (resources/PNG): the back button, the search glyph and
the command-link arrow, one row per state, anti-aliased by 4 x 4 supersampling."""
import math
import os
import struct
import sys
import zlib

SS = 4


def png(path, w, h, px):
    raw = b"".join(b"\0" + bytes(c for p in px[y * w:(y + 1) * w] for c in p) for y in range(h))

    def chunk(t, d):
        return struct.pack(">I", len(d)) + t + d + struct.pack(">I", zlib.crc32(t + d) & 0xFFFFFFFF)

    data = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(data)


def render(w, h, shade):
    """shade(x, y) -> (r, g, b, a) or None at sample points in pixel units."""
    out = []
    for y in range(h):
        for x in range(w):
            acc = [0.0, 0.0, 0.0, 0.0]
            for j in range(SS):
                for i in range(SS):
                    c = shade(x + (i + 0.5) / SS, y + (j + 0.5) / SS)
                    if c:
                        a = c[3] / 255.0
                        acc[0] += c[0] * a
                        acc[1] += c[1] * a
                        acc[2] += c[2] * a
                        acc[3] += a
            n = SS * SS
            a = acc[3] / n
            if a == 0:
                out.append((0, 0, 0, 0))
            else:
                out.append((round(acc[0] / acc[3]), round(acc[1] / acc[3]), round(acc[2] / acc[3]), round(a * 255)))
    return out


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def strip(rows, w, h, draw_row):
    px = []
    for k, colours in enumerate(rows):
        px += render(w, h, lambda x, y, c=colours: draw_row(x, y, c))
    return px


def back_button(x, y, c):
    # A filled circle with a white arrow pointing left.
    face, arrow = c
    r = 10.5
    if math.hypot(x - 12, y - 12) > r:
        return None
    on_arrow = (seg_dist(x, y, 7, 12, 17, 12) <= 1.2 or seg_dist(x, y, 7, 12, 11.5, 7.5) <= 1.2 or
                seg_dist(x, y, 7, 12, 11.5, 16.5) <= 1.2)
    return arrow if on_arrow else face


def search_glyph(x, y, c):
    # A magnifying glass: a ring and a handle to the lower right.
    d = math.hypot(x - 6.5, y - 6.5)
    if abs(d - 4.2) <= 0.9 or seg_dist(x, y, 9.8, 9.8, 14, 14) <= 1.3:
        return c
    return None


def command_link(x, y, c):
    # A right-pointing arrow: shaft and head.
    if seg_dist(x, y, 3, 10, 15, 10) <= 1.4 or seg_dist(x, y, 16, 10, 10.5, 4.5) <= 1.4 or \
            seg_dist(x, y, 16, 10, 10.5, 15.5) <= 1.4:
        return c
    return None


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources", "PNG")
    white = (255, 255, 255, 255)
    back_rows = [((30, 99, 180, 255), white), ((60, 140, 230, 255), white), ((18, 74, 140, 255), white),
                 ((190, 190, 190, 255), (245, 245, 245, 255))]
    png(os.path.join(out, "CX_BACKBUTTON.png"), 24, 96, strip(back_rows, 24, 24, back_button))
    search_rows = [(80, 80, 80, 255), (30, 99, 180, 255), (18, 74, 140, 255), (160, 160, 160, 255)]
    png(os.path.join(out, "DX_SEARCHBUTTONGLYPH.png"), 16, 64, strip(search_rows, 16, 16, search_glyph))
    link_rows = [(46, 125, 50, 255), (67, 160, 71, 255)]
    png(os.path.join(out, "CX_COMMANDLINKGLYPH.png"), 20, 40, strip(link_rows, 20, 20, command_link))


if __name__ == "__main__":
    main()
