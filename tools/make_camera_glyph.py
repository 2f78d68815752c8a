#!/usr/bin/env python3
"""Draws the camera control's settings button (resources/PNG/DXCAMERACONTROL_SETTINGSBUTTON.png):
a dark disc with a white gear, 32 x 32, anti-aliased by 4 x 4 supersampling."""
import math
import os
import struct
import zlib

SIZE = 32
SS = 4


def png(path, w, h, px):
    raw = b"".join(b"\0" + bytes(c for p in px[y * w:(y + 1) * w] for c in p) for y in range(h))

    def chunk(t, d):
        return struct.pack(">I", len(d)) + t + d + struct.pack(">I", zlib.crc32(t + d) & 0xFFFFFFFF)

    data = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(data)


def shade(x, y):
    c = SIZE / 2
    dx, dy = x - c, y - c
    r = math.hypot(dx, dy)
    if r > c - 0.5:
        return None
    a = math.atan2(dy, dx)
    # Eight teeth: the gear's outer radius steps between 8.5 and 11.
    tooth = (math.cos(a * 8) > 0.25)
    outer = 11.0 if tooth else 8.5
    if 4.0 < r < outer:
        return (255, 255, 255, 255)
    return (40, 40, 40, 230)


def main():
    px = []
    for y in range(SIZE):
        for x in range(SIZE):
            acc = [0.0] * 4
            for sy in range(SS):
                for sx in range(SS):
                    s = shade(x + (sx + 0.5) / SS, y + (sy + 0.5) / SS)
                    if s:
                        a = s[3] / 255.0
                        acc[0] += s[0] * a
                        acc[1] += s[1] * a
                        acc[2] += s[2] * a
                        acc[3] += a
            n = SS * SS
            alpha = acc[3] / n
            if alpha <= 0:
                px.append((0, 0, 0, 0))
            else:
                px.append(tuple(int(round(acc[i] / acc[3])) for i in range(3)) + (int(round(alpha * 255)),))
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "PNG")
    png(os.path.join(root, "DXCAMERACONTROL_SETTINGSBUTTON.png"), SIZE, SIZE, px)


if __name__ == "__main__":
    main()
