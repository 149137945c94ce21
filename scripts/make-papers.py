#!/usr/bin/env python3
"""Generates the paper textures shipped in data/VellistoIII/Papers.

Every texture is built from periodic pieces only (noise filtered in the
frequency domain, patterns with a whole number of periods per tile, shapes
drawn with wrap-around), so each tile repeats without a seam. The random
generator is seeded, so running the script again gives the same files.

Usage: scripts/make-papers.py [OUTPUT_FOLDER]
Needs python3-numpy and python3-pil (Debian packages).
"""

import os
import sys

import numpy as np
from PIL import Image

SIZE = 512


def periodic_noise(rng, size, low, high, power=0.0, aspect=1.0):
    """Noise whose spectrum lies between the frequencies low and high (in
    cycles per tile), weighted by 1 / f^power; aspect > 1 stretches it along x.
    Normalised to mean 0 and standard deviation 1."""
    white = rng.standard_normal((size, size))
    fy = np.fft.fftfreq(size)[:, None] * size
    fx = np.fft.fftfreq(size)[None, :] * size / aspect
    f = np.hypot(fx, fy)
    band = (f >= low) & (f <= high)
    weight = np.where(band, 1.0 / np.maximum(f, 1.0) ** power, 0.0)
    field = np.real(np.fft.ifft2(np.fft.fft2(white) * weight))
    field -= field.mean()
    return field / (field.std() + 1e-12)


def tint(grey, colour):
    """Multiplies a 0..1 lightness field by an RGB paper colour."""
    rgb = np.stack([grey * c for c in colour], axis=-1)
    return np.clip(rgb, 0, 255)


def relief(height, light=(-1.0, -1.0), strength=1.0):
    """Lambert-like shading of a periodic height field lit from the top left."""
    gx = (np.roll(height, -1, axis=1) - np.roll(height, 1, axis=1)) * 0.5
    gy = (np.roll(height, -1, axis=0) - np.roll(height, 1, axis=0)) * 0.5
    lx, ly = light
    norm = np.hypot(lx, ly)
    return (gx * lx + gy * ly) / norm * strength


def deposit(canvas, xs, ys, values):
    """Adds values at wrapped integer positions, with a 3 x 3 soft footprint."""
    size = canvas.shape[0]
    xi = np.floor(xs).astype(int)
    yi = np.floor(ys).astype(int)
    for dy, dx, w in [(0, 0, 1.0), (0, 1, 0.5), (1, 0, 0.5), (0, -1, 0.5), (-1, 0, 0.5),
                      (1, 1, 0.25), (-1, -1, 0.25), (1, -1, 0.25), (-1, 1, 0.25)]:
        np.add.at(canvas, ((yi + dy) % size, (xi + dx) % size), values * w)


def fibres(rng, size, count, length, curl, width_values):
    """Short curved fibres drawn with wrap-around; returns their density."""
    canvas = np.zeros((size, size))
    for _ in range(count):
        steps = int(rng.uniform(*length))
        angle = rng.uniform(0, 2 * np.pi)
        turns = np.cumsum(rng.normal(0, curl, steps))
        x = rng.uniform(0, size) + np.cumsum(np.cos(angle + turns))
        y = rng.uniform(0, size) + np.cumsum(np.sin(angle + turns))
        value = rng.uniform(*width_values)
        deposit(canvas, x, y, np.full(steps, value))
    return canvas


def laid_paper(rng):
    # Close laid lines across, chain lines down every 128 pixels, soft fibre.
    y = np.arange(SIZE)[:, None]
    x = np.arange(SIZE)[None, :]
    wobble = 0.8 * np.sin(2 * np.pi * 3 * x / SIZE) + 0.6 * periodic_noise(rng, SIZE, 1, 6)
    laid = np.cos(2 * np.pi * (y + wobble) / 8.0)
    chain = np.exp(-(((x + 64) % 128 - 64) / 2.2) ** 2)
    cloud = periodic_noise(rng, SIZE, 2, 24, power=1.0)
    grain = periodic_noise(rng, SIZE, 60, 256)
    light = 0.93 + 0.018 * laid - 0.05 * chain + 0.012 * cloud + 0.01 * grain
    return tint(light, (252, 246, 232))


def parchment(rng):
    cloud = periodic_noise(rng, SIZE, 2, 40, power=1.3)
    blotch = np.clip(periodic_noise(rng, SIZE, 4, 24, power=1.0) - 1.5, 0, None)
    veins = np.abs(periodic_noise(rng, SIZE, 3, 30, power=1.2))
    grain = periodic_noise(rng, SIZE, 80, 256)
    light = 0.9 + 0.03 * cloud - 0.05 * blotch - 0.025 * np.exp(-veins * 6) + 0.012 * grain
    rgb = tint(light, (246, 228, 190))
    rgb[..., 2] -= 8 * np.clip(-cloud, 0, None)  # older, yellower patches
    return np.clip(rgb, 0, 255)


def cardboard(rng):
    streaks = periodic_noise(rng, SIZE, 2, 120, power=0.6, aspect=8.0)
    cloud = periodic_noise(rng, SIZE, 1, 12, power=1.0)
    flecks = fibres(rng, SIZE, 900, (6, 24), 0.15, (-1.0, 1.0))
    grain = periodic_noise(rng, SIZE, 90, 256)
    light = 0.8 + 0.035 * streaks + 0.03 * cloud + 0.03 * np.tanh(flecks) + 0.02 * grain
    return tint(light, (214, 170, 118))


def canvas(rng):
    # Plain weave: threads 8 pixels apart, each going over and under its crossing threads.
    y = np.arange(SIZE)[:, None]
    x = np.arange(SIZE)[None, :]
    jitter_x = 0.9 * periodic_noise(rng, SIZE, 1, 10, aspect=0.2)
    jitter_y = 0.9 * periodic_noise(rng, SIZE, 1, 10, aspect=5.0)
    warp = 0.5 + 0.5 * np.cos(2 * np.pi * (x + jitter_x) / 8.0)
    weft = 0.5 + 0.5 * np.cos(2 * np.pi * (y + jitter_y) / 8.0)
    over = ((x // 8) + (y // 8)) % 2 == 0
    height = np.where(over, warp * (0.6 + 0.4 * weft), weft * (0.6 + 0.4 * warp))
    slubs = periodic_noise(rng, SIZE, 4, 64, aspect=0.1) + periodic_noise(rng, SIZE, 4, 64, aspect=10)
    shade = relief(height * 3.0, strength=0.1)
    light = 0.8 + 0.14 * height + shade + 0.015 * slubs
    return tint(light, (236, 228, 210))


def handmade_fibre(rng):
    cloud = periodic_noise(rng, SIZE, 1, 20, power=1.2)
    long_fibres = fibres(rng, SIZE, 700, (30, 110), 0.06, (0.4, 1.0))
    inclusions = fibres(rng, SIZE, 60, (4, 14), 0.4, (1.5, 3.0))
    grain = periodic_noise(rng, SIZE, 70, 256)
    light = 0.93 + 0.025 * cloud - 0.035 * np.tanh(long_fibres) + 0.01 * grain
    rgb = tint(light, (250, 245, 236))
    # A few tinted plant inclusions.
    rgb[..., 0] -= 40 * np.tanh(inclusions)
    rgb[..., 1] -= 30 * np.tanh(inclusions)
    rgb[..., 2] -= 55 * np.tanh(inclusions)
    return np.clip(rgb, 0, 255)


def watercolour(rng):
    # Cold-pressed paper: rounded bumps a few pixels across, lit from the top left.
    bumps = periodic_noise(rng, SIZE, 18, 60, power=0.5)
    swell = periodic_noise(rng, SIZE, 3, 18, power=1.0)
    height = bumps + 0.5 * swell
    shade = relief(height, strength=0.09)
    grain = periodic_noise(rng, SIZE, 100, 256)
    light = 0.95 + shade + 0.008 * grain
    return tint(light, (252, 250, 244))


def newsprint(rng):
    cloud = periodic_noise(rng, SIZE, 1, 30, power=1.0)
    fine = fibres(rng, SIZE, 2500, (4, 16), 0.3, (-1.0, 0.6))
    specks = np.clip(periodic_noise(rng, SIZE, 120, 256) - 2.6, 0, None)
    light = 0.86 + 0.02 * cloud + 0.025 * np.tanh(fine) - 0.12 * specks
    return tint(light, (232, 228, 214))


# Name, maker, file format. PNG keeps the fine regular patterns exact; the
# noisier textures are JPEG, which keeps the folder small.
PAPERS = [
    ("Laid Paper", laid_paper, "png"),
    ("Parchment", parchment, "jpg"),
    ("Cardboard", cardboard, "jpg"),
    ("Canvas", canvas, "png"),
    ("Handmade Fibre", handmade_fibre, "png"),
    ("Watercolour", watercolour, "jpg"),
    ("Newsprint", newsprint, "png"),
]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "VellistoIII", "Papers")
    os.makedirs(out, exist_ok=True)
    for index, (name, make, ext) in enumerate(PAPERS):
        rng = np.random.default_rng(1000 + index)
        pixels = np.round(make(rng)).astype(np.uint8)
        image = Image.fromarray(pixels, "RGB")
        path = os.path.join(out, f"{name}.{ext}")
        if ext == "jpg":
            image.save(path, quality=90, subsampling=0, optimize=True)
        else:
            image.save(path, optimize=True)
        print(path)


if __name__ == "__main__":
    main()
