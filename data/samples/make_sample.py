#!/usr/bin/env python3
"""Renders the bundled sample picture, a small still life (two lit spheres on
a textured floor), as a binary PPM on standard output. The picture is made
here from these formulas, so it carries no one else's rights; convert it with
`python3 make_sample.py | convert ppm:- still-life.png`."""
import math
import sys

W, H = 800, 600


def sphere(x, y, cx, cy, r):
    dx, dy = (x - cx) / r, (y - cy) / r
    d = dx * dx + dy * dy
    if d >= 1:
        return None
    z = math.sqrt(1 - d)
    diffuse = max(0.0, -0.5 * dx - 0.6 * dy + 0.62 * z)
    highlight = max(0.0, -0.45 * dx - 0.55 * dy + 0.7 * z) ** 40
    return diffuse, highlight


def pixel(x, y):
    horizon = 0.62 * H
    if y > horizon:
        t = (y - horizon) / (H - horizon)
        v = 0.55 + 0.35 * t + 0.08 * math.sin(x / 9) * math.sin(y / 7)
        shade = 1.0
        if ((x - 380) / 210) ** 2 + ((y - 470) / 45) ** 2 < 1:
            shade *= 0.55
        if ((x - 640) / 120) ** 2 + ((y - 490) / 25) ** 2 < 1:
            shade *= 0.6
        colour = (v * shade, 0.85 * v * shade, 0.6 * v * shade)
    else:
        v = 0.92 - 0.35 * y / H
        colour = (v, 0.93 * v, v)
    big = sphere(x, y, 300, 300, 170)
    if big:
        d, s = big
        r = 0.15 + 0.85 * d
        colour = (0.95 * r + s, 0.35 * r + s, 0.2 * r + s)
    small = sphere(x, y, 590, 395, 95)
    if small:
        d, s = small
        r = 0.1 + 0.9 * d
        colour = (0.25 * r + s, 0.45 * r + s, 0.9 * r + s)
    return bytes(max(0, min(255, int(c * 255))) for c in colour)


out = sys.stdout.buffer
out.write(b"P6\n%d %d\n255\n" % (W, H))
for y in range(H):
    out.write(b"".join(pixel(x, y) for x in range(W)))
