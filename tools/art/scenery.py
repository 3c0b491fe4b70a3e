"""The three background layers: starfield, distant ridges and the terrain band.

Every layer tiles without a seam horizontally: all noise used here repeats over the image
width, and stars near an edge are drawn on both sides of it.
"""

import math
import random

from .canvas import Canvas, clamp, hex_colour, mix


class PeriodicNoise:
    """Smooth 1D value noise that repeats every `width` pixels (octaves of whole periods)."""

    def __init__(self, width, seed, cells=(4, 8, 16, 32, 64), weights=(1.0, 0.5, 0.25, 0.12,
                                                                           0.06)):
        rng = random.Random(seed)
        self.width = width
        self.octaves = [(n, w, [rng.uniform(-1, 1) for _ in range(n)])
                        for n, w in zip(cells, weights)]
        self.scale = sum(weights)

    def __call__(self, x):
        total = 0.0
        for n, weight, values in self.octaves:
            p = (x / self.width) * n
            i = int(math.floor(p))
            f = p - i
            f = f * f * (3 - 2 * f)
            a, b = values[i % n], values[(i + 1) % n]
            total += (a + (b - a) * f) * weight
        return total / self.scale


def starfield(width=1024, height=512, seed=11):
    """Opaque deep-space sky: a dark gradient, two faint nebula veils and stars."""
    c = Canvas(width, height)
    top, bottom = hex_colour("#03061a"), hex_colour("#18205a")
    veil_a, veil_b = PeriodicNoise(width, seed + 1), PeriodicNoise(width, seed + 2)
    purple, teal = hex_colour("#7b2cbf"), hex_colour("#1fb5a8")
    for y in range(height):
        base = mix(top, bottom, y / float(height - 1))
        for x in range(width):
            band_a = math.exp(-((y - 170 - 60 * veil_a(x)) / 70.0) ** 2)
            band_b = math.exp(-((y - 330 - 50 * veil_b(x + 300)) / 55.0) ** 2)
            glow_a = band_a * 0.38 * (0.6 + 0.4 * veil_b(x * 2))
            glow_b = band_b * 0.3 * (0.6 + 0.4 * veil_a(x * 2))
            col = mix(base, purple, glow_a)
            col = mix(col, teal, glow_b)
            c.px[y * width + x] = list(col[:3]) + [1.0]
    rng = random.Random(seed)
    tints = [hex_colour("#ffffff"), hex_colour("#cfe3ff"), hex_colour("#fff1c9"),
             hex_colour("#ffd0e8")]
    for _ in range(900):
        x, y = rng.uniform(0, width), rng.uniform(0, height)
        size = rng.random() ** 3
        tint = rng.choice(tints)
        for ox in (0, -width, width):
            if size > 0.55:
                c.glow(x + ox, y, 2.5 + 3 * size, tint[:3] + (0.8,), 2.0)
                c.ellipse(x + ox, y, 0.9, 0.9, tint)
            else:
                c.blend(int(x + ox), int(y), tint[:3] + (0.35 + size,))
    return c


def ridges(width=1024, height=256, seed=23):
    """Distant mountain ridges and crystal spires, half see-through, transparent above."""
    c = Canvas(width, height)
    layers = [(PeriodicNoise(width, seed, (3, 6, 12, 24, 64)), 120, 120,
               hex_colour("#3c3c8c", 0.55)),
              (PeriodicNoise(width, seed + 5, (4, 8, 16, 48, 96)), 70, 90,
               hex_colour("#2a2360", 0.85))]
    for noise, base, amp, colour in layers:
        for x in range(width):
            peak = 1.0 - abs(clamp(noise(x) * 2.2, -1, 1))
            top = height - (base + amp * peak * peak)
            for y in range(max(0, int(top)), height):
                cover = clamp(y + 1 - top)
                shade = mix(colour, hex_colour("#120e2e", colour[3]), (y - top) / 160.0)
                c.blend(x, y, shade, cover)
    rng = random.Random(seed)
    for _ in range(7):
        x = rng.uniform(0, width)
        h = rng.uniform(50, 110)
        w = rng.uniform(7, 13)
        for ox in (0, -width, width):
            pts = [(x + ox - w, height - 40), (x + ox - w * 0.4, height - 40 - h * 0.7),
                   (x + ox, height - 40 - h), (x + ox + w * 0.5, height - 40 - h * 0.6),
                   (x + ox + w, height - 40)]
            c.polygon(pts, hex_colour("#5f5ab8", 0.7))
            c.line(x + ox, height - 40 - h, x + ox - w * 0.2, height - 45, 1.2,
                   hex_colour("#a9a4ff", 0.6))
    return c


def terrain_height(width, seed, low=30.0, high=96.0):
    # Hills every few hundred pixels whatever the strip's length.
    k = max(1, width // 1024)
    noise = PeriodicNoise(width, seed, tuple(n * k for n in (3, 8, 20, 40, 128)),
                          (1.0, 0.6, 0.3, 0.15, 0.08))
    return [low + (high - low) * (0.5 + 0.5 * clamp(noise(x) * 1.7 + 0.25, -1, 1)) for x in range(width)]


def terrain(width=1024, height=100, seed=31):
    """The front band: warm rock whose top edge rises and falls; fully clear above it."""
    c = Canvas(width, height)
    heights = terrain_height(width, seed)
    strata = PeriodicNoise(width, seed + 3, (8, 32, 64, 256), (1.0, 0.5, 0.3, 0.2))
    rng = random.Random(seed)
    crust, rock, deep = hex_colour("#ffc46b"), hex_colour("#d2692f"), hex_colour("#4a1d14")
    for x in range(width):
        top = height - heights[x]
        wobble = strata(x) * 6
        for y in range(max(0, int(top)), height):
            depth = y - top
            if depth < 2.5:
                col = crust
            else:
                col = mix(rock, deep, clamp((depth - 2) / 70.0))
                band = math.sin((y + wobble) * 0.55) * 0.5 + 0.5
                col = mix(col, hex_colour("#8f3a1f"), band * 0.25)
            c.blend(x, y, col, clamp(y + 1 - top))
    for _ in range(int(width / 6)):
        x = rng.uniform(0, width)
        top = height - heights[int(x) % width]
        y = rng.uniform(top + 8, height - 2)
        if y < height:
            c.ellipse(x, y, rng.uniform(1.5, 4), rng.uniform(1, 2.5), hex_colour("#5e2416", 0.7))
    for _ in range(int(width / 40)):
        x = rng.uniform(0, width)
        top = height - heights[int(x) % width]
        c.ellipse(x, top + 3, rng.uniform(3, 6), 1.6, hex_colour("#ffe6a8", 0.6))
    return c
