#!/usr/bin/env python3
"""Draws the look-and-feel style icons (resources/PNG/CX_LOOKANDFEELSTYLEICON_<STYLE><16|48>.png).

Each icon shows a push button in its style over a window-coloured tile: Standard with the
classic raised rings, Flat with one thin ring, UltraFlat with a plain highlighted frame,
Office11 in the blue scheme's gradient, Native as a rounded themed button.

Usage: make_painter_icons.py <resources-folder>
"""
import os
import struct
import sys
import zlib


def png_bytes(width, height, pixels):
    """pixels: rows of (r, g, b, a) tuples."""
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            chunk(b"IEND", b""))


def hexrgb(v):
    return ((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF)


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [[(0, 0, 0, 0) for _ in range(size)] for _ in range(size)]

    def put(self, x, y, rgb, alpha=255):
        if 0 <= x < self.size and 0 <= y < self.size and alpha > 0:
            r, g, b, a = self.px[y][x]
            # Source over destination (straight alpha).
            sa = alpha / 255.0
            da = a / 255.0
            oa = sa + da * (1 - sa)
            if oa <= 0:
                return
            out = tuple(round((rgb[i] * sa + (r, g, b)[i] * da * (1 - sa)) / oa) for i in range(3))
            self.px[y][x] = (*out, round(oa * 255))

    def rect(self, x0, y0, x1, y1, rgb):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, rgb)

    def hline(self, x0, x1, y, rgb):
        self.rect(x0, y, x1, y + 1, rgb)

    def vline(self, x, y0, y1, rgb):
        self.rect(x, y0, x + 1, y1, rgb)

    def round_rect(self, x0, y0, x1, y1, radius, color_at, ss=4):
        """Anti-aliased filled rounded rectangle; color_at(y_fraction) gives the colour."""
        for y in range(int(y0), int(y1) + 1):
            for x in range(int(x0), int(x1) + 1):
                hits = 0
                for sy in range(ss):
                    for sx in range(ss):
                        px = x + (sx + 0.5) / ss
                        py = y + (sy + 0.5) / ss
                        if inside_round_rect(px, py, x0, y0, x1, y1, radius):
                            hits += 1
                if hits:
                    t = (y + 0.5 - y0) / max(1.0, y1 - y0)
                    self.put(x, y, color_at(min(1.0, max(0.0, t))), round(255 * hits / (ss * ss)))


def inside_round_rect(px, py, x0, y0, x1, y1, r):
    if px < x0 or px > x1 or py < y0 or py > y1:
        return False
    cx = min(max(px, x0 + r), x1 - r)
    cy = min(max(py, y0 + r), y1 - r)
    return (px - cx) ** 2 + (py - cy) ** 2 <= r * r


FACE = hexrgb(0xF0F0F0)
HIGHLIGHT = hexrgb(0xFFFFFF)
LIGHT = hexrgb(0xE3E3E3)
SHADOW = hexrgb(0xA0A0A0)
DARK = hexrgb(0x696969)
INK = hexrgb(0x000000)
SELECT = hexrgb(0x0078D7)
WINDOW = hexrgb(0xFFFFFF)


def tile(c, s):
    """The window the button stands on: a light tile with a grey outline."""
    c.rect(0, 0, s, s, hexrgb(0xDADFE6))
    c.rect(1, 1, s - 1, s - 1, WINDOW)


def button_box(s):
    m = max(2, s // 6)
    top = s // 2 - max(3, s // 5)
    bottom = s // 2 + max(3, s // 5)
    return m, top, s - m, bottom


def caption_bar(c, x0, x1, y, s, rgb):
    """A short text-like bar in the middle of the button."""
    h = 1 if s < 24 else 3
    w = (x1 - x0) // 2
    cx = (x0 + x1) // 2
    c.rect(cx - w // 2, y - h // 2, cx - w // 2 + w, y - h // 2 + h, rgb)


def standard(s):
    c = Canvas(s)
    tile(c, s)
    x0, y0, x1, y1 = button_box(s)
    c.rect(x0, y0, x1, y1, FACE)
    # Outer ring: highlight top-left, black bottom-right; inner ring: light and shadow.
    c.hline(x0, x1 - 1, y0, HIGHLIGHT)
    c.vline(x0, y0, y1 - 1, HIGHLIGHT)
    c.hline(x0, x1, y1 - 1, INK)
    c.vline(x1 - 1, y0, y1, INK)
    c.hline(x0 + 1, x1 - 2, y0 + 1, LIGHT)
    c.vline(x0 + 1, y0 + 1, y1 - 2, LIGHT)
    c.hline(x0 + 1, x1 - 1, y1 - 2, DARK)
    c.vline(x1 - 2, y0 + 1, y1 - 1, DARK)
    caption_bar(c, x0, x1, (y0 + y1) // 2, s, INK)
    return c


def flat(s):
    c = Canvas(s)
    tile(c, s)
    x0, y0, x1, y1 = button_box(s)
    c.rect(x0, y0, x1, y1, FACE)
    c.hline(x0, x1 - 1, y0, HIGHLIGHT)
    c.vline(x0, y0, y1 - 1, HIGHLIGHT)
    c.hline(x0, x1, y1 - 1, SHADOW)
    c.vline(x1 - 1, y0, y1, SHADOW)
    caption_bar(c, x0, x1, (y0 + y1) // 2, s, INK)
    return c


def ultraflat(s):
    c = Canvas(s)
    tile(c, s)
    x0, y0, x1, y1 = button_box(s)
    c.rect(x0, y0, x1, y1, hexrgb(0xCCE4F7))
    w = 1 if s < 24 else 2
    for i in range(w):
        c.hline(x0 + i, x1 - i, y0 + i, SELECT)
        c.hline(x0 + i, x1 - i, y1 - 1 - i, SELECT)
        c.vline(x0 + i, y0 + i, y1 - i, SELECT)
        c.vline(x1 - 1 - i, y0 + i, y1 - i, SELECT)
    caption_bar(c, x0, x1, (y0 + y1) // 2, s, INK)
    return c


def office11(s):
    c = Canvas(s)
    tile(c, s)
    x0, y0, x1, y1 = button_box(s)
    top, bottom = hexrgb(0xDDECFE), hexrgb(0x8EB3EA)
    c.round_rect(x0, y0, x1, y1, 0.5, lambda t: hexrgb(0x3B619C))
    c.round_rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 0.5, lambda t: mix(top, bottom, t))
    caption_bar(c, x0, x1, (y0 + y1) // 2, s, hexrgb(0x15428B))
    return c


def native(s):
    c = Canvas(s)
    tile(c, s)
    x0, y0, x1, y1 = button_box(s)
    r = 1.5 if s < 24 else 4
    top, bottom = hexrgb(0xFDFDFD), hexrgb(0xDCDCDC)
    c.round_rect(x0, y0, x1, y1, r, lambda t: hexrgb(0x707070))
    c.round_rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, max(0.5, r - 1), lambda t: mix(top, bottom, t))
    caption_bar(c, x0, x1, (y0 + y1) // 2, s, INK)
    return c


STYLES = {"STANDARD": standard, "FLAT": flat, "ULTRAFLAT": ultraflat, "OFFICE11": office11, "NATIVE": native}


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    folder = os.path.join(sys.argv[1], "PNG")
    os.makedirs(folder, exist_ok=True)
    for name, draw in STYLES.items():
        for size in (16, 48):
            canvas = draw(size)
            path = os.path.join(folder, "CX_LOOKANDFEELSTYLEICON_%s%d.png" % (name, size))
            with open(path, "wb") as f:
                f.write(png_bytes(size, size, canvas.px))
    return 0


if __name__ == "__main__":
    sys.exit(main())
