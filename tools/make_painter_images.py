#!/usr/bin/env python3
"""Draws the painters' pictures into the program's resources.

- PNG/CX_LOOKANDFEELSTYLEICON_<STYLE><16|48>.png: the style icons of the details records. Each
  shows a push button in its style over a window-coloured tile: Standard with the classic raised
  rings, Flat with one thin ring, UltraFlat with a plain highlighted frame, Office11 in the blue
  scheme's gradient, Native as a rounded themed button.
- The glyphs that painters load on first use: the clock face and its glass (130 x 130), the
  rating indicator (three 16 x 16 stars stacked: unchecked, hover, checked), the fixed-group
  indicator (a pin), the map pushpin (its round head centred on (17, 17), where the text goes),
  the navigation bar's customization glyph (three dots, one colour so that it can be
  recoloured) and the filter smart tag (SVG: stroked outline over a kept fill).
- BITMAP/CX_*BITMAP.bmp, CX_SORTBYSUMMARYVALUE.bmp: the row-indicator glyphs (current row,
  editing, new row, selected, current and selected, filter row, in-place editing) and the
  summary-sorting mark, 11 x 11 pixels of black ink on white, which stands for transparent.

Usage: make_painter_images.py <resources-folder>
"""
import math
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
    def __init__(self, size, height=None):
        self.size = size
        self.size_y = height or size
        self.px = [[(0, 0, 0, 0) for _ in range(size)] for _ in range(self.size_y)]

    def put(self, x, y, rgb, alpha=255):
        if 0 <= x < self.size and 0 <= y < self.size_y and alpha > 0:
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


def coverage(x, y, inside, ss=4):
    hits = 0
    for sy in range(ss):
        for sx in range(ss):
            if inside(x + (sx + 0.5) / ss, y + (sy + 0.5) / ss):
                hits += 1
    return hits / (ss * ss)


def fill_shape(c, inside, rgb, alpha=1.0):
    for y in range(c.size_y):
        for x in range(c.size):
            cov = coverage(x, y, inside)
            if cov > 0:
                c.put(x, y, rgb, round(255 * cov * alpha))


def in_circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def in_ring(cx, cy, r0, r1):
    return lambda x, y: r0 * r0 <= (x - cx) ** 2 + (y - cy) ** 2 <= r1 * r1


def in_polygon(points):
    def inside(x, y):
        result = False
        n = len(points)
        for i in range(n):
            x0, y0 = points[i]
            x1, y1 = points[(i + 1) % n]
            if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                result = not result
        return result
    return inside


def in_segment(x0, y0, x1, y1, half_width):
    def inside(x, y):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= half_width * half_width
    return inside


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


# --- Glyphs -----------------------------------------------------------------------------------


def star_points(cx, cy, outer, inner):
    points = []
    for i in range(10):
        angle = -math.pi / 2 + i * math.pi / 5
        r = outer if i % 2 == 0 else inner
        points.append((cx + r * math.cos(angle), cy + r * math.sin(angle)))
    return points


def rating_indicator():
    c = Canvas(16, 48)
    rows = [(hexrgb(0xFFFFFF), hexrgb(0x9A9A9A)), (hexrgb(0xFFE9A8), hexrgb(0xD9A21B)),
            (hexrgb(0xFFC52E), hexrgb(0xC98A00))]
    for row, (fill, edge) in enumerate(rows):
        cy = row * 16 + 8.6
        fill_shape(c, in_polygon(star_points(8, cy, 7.6, 3.2)), edge)
        fill_shape(c, in_polygon(star_points(8, cy, 5.9, 2.4)), fill)
    return c


def clock_face():
    c = Canvas(130)
    centre = 65
    fill_shape(c, in_circle(centre, centre, 64), hexrgb(0x8A9BAE))
    fill_shape(c, in_circle(centre, centre, 61), hexrgb(0xF7F9FB))
    fill_shape(c, in_ring(centre, centre, 56, 57.2), hexrgb(0xD5DCE4))
    for i in range(60):
        angle = i * math.pi / 30
        major = i % 5 == 0
        r0, r1 = (47, 56) if major else (52, 56)
        x0 = centre + r0 * math.sin(angle)
        y0 = centre - r0 * math.cos(angle)
        x1 = centre + r1 * math.sin(angle)
        y1 = centre - r1 * math.cos(angle)
        fill_shape(c, in_segment(x0, y0, x1, y1, 1.6 if major else 0.6), hexrgb(0x2E3A47 if major else 0x7D8896))
    return c


def clock_glass():
    c = Canvas(130)
    # A soft highlight over the upper half of the face, clear elsewhere.
    for y in range(130):
        for x in range(130):
            cov = coverage(x, y, lambda px, py: (px - 65) ** 2 / 52.0 ** 2 + (py - 44) ** 2 / 36.0 ** 2 <= 1)
            if cov > 0:
                t = max(0.0, min(1.0, (y - 8) / 72.0))
                c.put(x, y, WINDOW, round(255 * cov * (0.55 * (1 - t) + 0.04)))
    return c


def fixed_group_indicator():
    c = Canvas(12)
    ink, light = hexrgb(0x3F5E86), hexrgb(0x86A6CF)
    # A thumbtack: round head, a collar, then the needle.
    fill_shape(c, in_circle(6, 3.6, 3.1), ink)
    fill_shape(c, in_circle(5.3, 2.9, 1.3), light)
    fill_shape(c, in_polygon([(2.2, 6.4), (9.8, 6.4), (9.8, 7.8), (2.2, 7.8)]), ink)
    fill_shape(c, in_segment(6, 7.5, 6, 11.6, 0.55), ink)
    return c


def map_pushpin():
    c = Canvas(34, 44)
    body = [(17 + 16 * math.cos(a / 40.0 * 2 * math.pi), 17 + 16 * math.sin(a / 40.0 * 2 * math.pi))
            for a in range(-14, 35)]
    body = [p for p in body if not (p[1] > 25 and abs(p[0] - 17) < 9)] + [(17, 42)]
    body.sort(key=lambda p: math.atan2(p[1] - 17, p[0] - 17))
    fill_shape(c, in_polygon(body), hexrgb(0xB3261E))
    fill_shape(c, in_circle(17, 17, 14.5), hexrgb(0xE0483E))
    fill_shape(c, in_circle(17, 17, 11), WINDOW)
    return c


def navigation_bar_customization_button():
    c = Canvas(16)
    for cx in (3.5, 8, 12.5):
        fill_shape(c, in_circle(cx, 8.5, 1.6), hexrgb(0x5C5C5C))
    return c


SMART_TAG_SVG = """<svg xmlns="http://www.w3.org/2000/svg" width="12" height="12" viewBox="0 0 12 12">
  <path d="M1.5 1.5 H10.5 L7 6 V10.5 L5 9.5 V6 Z" fill="#FFFFFF" stroke="#404040" stroke-width="1"
        stroke-linejoin="round"/>
</svg>
"""

GLYPHS = {
    "CX_CLOCKFACE": clock_face,
    "CX_CLOCKGLASS": clock_glass,
    "CX_FIXEDGROUPINDICATOR": fixed_group_indicator,
    "CX_RATINGCONTROLINDICATOR": rating_indicator,
    "DX_MAPPUSHPIN": map_pushpin,
    "DX_NAVIGATIONBARCUSTOMIZATIONBUTTON": navigation_bar_customization_button,
}


# --- Row-indicator bitmaps ------------------------------------------------------------------------

INDICATOR_BITMAPS = {
    "CX_ARROWBITMAP": [
        "...........",
        "...#.......",
        "...##......",
        "...###.....",
        "...####....",
        "...#####...",
        "...####....",
        "...###.....",
        "...##......",
        "...#.......",
        "...........",
    ],
    "CX_EDITBITMAP": [
        "...........",
        "...##.##...",
        ".....#.....",
        ".....#.....",
        ".....#.....",
        ".....#.....",
        ".....#.....",
        ".....#.....",
        ".....#.....",
        "...##.##...",
        "...........",
    ],
    "CX_INSERTBITMAP": [
        "...........",
        "...........",
        ".....#.....",
        "..#..#..#..",
        "...#.#.#...",
        "....###....",
        "...#.#.#...",
        "..#..#..#..",
        ".....#.....",
        "...........",
        "...........",
    ],
    "CX_MULTIDOTBITMAP": [
        "...........",
        "...........",
        "...........",
        "....###....",
        "...#####...",
        "...#####...",
        "...#####...",
        "....###....",
        "...........",
        "...........",
        "...........",
    ],
    "CX_MULTIARROWBITMAP": [
        "...........",
        ".#.........",
        ".##........",
        ".###.......",
        ".####..##..",
        ".#########.",
        ".####.####.",
        ".###...##..",
        ".##........",
        ".#.........",
        "...........",
    ],
    "CX_FILTERBITMAP": [
        "...........",
        ".#########.",
        "..#######..",
        "...#####...",
        "....###....",
        "....###....",
        "....###....",
        "....###....",
        "....##.....",
        "....#......",
        "...........",
    ],
    "CX_INPLACEEDITBITMAP": [
        "...........",
        ".......##..",
        "......#..#.",
        ".....#..#..",
        "....#..#...",
        "...#..#....",
        "..#..#.....",
        "..##.#.....",
        "..###......",
        "..#........",
        "...........",
    ],
    "CX_SORTBYSUMMARYVALUE": [
        "...........",
        "######..#..",
        "#.......#..",
        ".#......#..",
        "..#.....#..",
        "...#....#..",
        "..#...#####",
        ".#.....###.",
        "#.......#..",
        "######.....",
        "...........",
    ],
}


def bmp_bytes(rows):
    """A 24-bit bottom-up BMP: '#' black, anything else white."""
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) // 4 * 4
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for ch in row:
            line += b"\x00\x00\x00" if ch == "#" else b"\xff\xff\xff"
        line += b"\x00" * (stride - len(line))
        data += line
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(header) + len(data), 0, 0, 14 + len(header)) + header + data


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
    for name, draw in GLYPHS.items():
        canvas = draw()
        with open(os.path.join(folder, name + ".png"), "wb") as f:
            f.write(png_bytes(canvas.size, canvas.size_y, canvas.px))
    bitmap_folder = os.path.join(sys.argv[1], "BITMAP")
    os.makedirs(bitmap_folder, exist_ok=True)
    for name, rows in INDICATOR_BITMAPS.items():
        with open(os.path.join(bitmap_folder, name + ".bmp"), "wb") as f:
            f.write(bmp_bytes(rows))
    svg_folder = os.path.join(sys.argv[1], "SVG")
    os.makedirs(svg_folder, exist_ok=True)
    with open(os.path.join(svg_folder, "CX_SMARTTAG.svg"), "w") as f:
        f.write(SMART_TAG_SVG)
    return 0


if __name__ == "__main__":
    sys.exit(main())
