"""The three background layers of each level: a sky, distant ridges and the terrain band.

Every layer tiles without a seam horizontally: all noise used here repeats over the image
width, and stars near an edge are drawn on both sides of it. A level's look is a palette
(EMBER, REEF, CITADEL below) and seeds; the same drawing code makes every level's layers.
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


# Colours of each level's layers. Ember Fields: violet space over warm rock.
EMBER = dict(sky_top="#03061a", sky_bottom="#18205a", veil_a="#7b2cbf", veil_b="#1fb5a8",
             far_ridge="#3c3c8c", near_ridge="#2a2360", ridge_shadow="#120e2e",
             spire="#5f5ab8", spire_edge="#a9a4ff", crust="#ffc46b", rock="#d2692f",
             deep="#4a1d14", band="#8f3a1f", pebble="#5e2416", glint="#ffe6a8")
# Glass Reef: a sea-green aurora over pale crystal shelves and teal stone.
REEF = dict(sky_top="#010f14", sky_bottom="#0a3a44", veil_a="#29e0a0", veil_b="#3a7bff",
            far_ridge="#1f6f78", near_ridge="#134a55", ridge_shadow="#06222a",
            spire="#6fe8e0", spire_edge="#e0fffb", crust="#b8fff0", rock="#2a9d8f",
            deep="#0c2b33", band="#1d6b70", pebble="#0f3d44", glint="#f0fffa")
# Ash Citadel: a smouldering red dusk over black towers and iron slag.
CITADEL = dict(sky_top="#0d0205", sky_bottom="#4a0f14", veil_a="#ff4d2e", veil_b="#ffb347",
               far_ridge="#3a1620", near_ridge="#230c14", ridge_shadow="#0a0306",
               spire="#6b2a3a", spire_edge="#ff8a6b", crust="#ffd36b", rock="#5a5560",
               deep="#15121a", band="#3a2f3f", pebble="#0c0a10", glint="#ff9a5a")


def starfield(width=1024, height=512, seed=11, palette=EMBER):
    """Opaque deep-space sky: a dark gradient, two faint nebula veils and stars."""
    c = Canvas(width, height)
    top, bottom = hex_colour(palette["sky_top"]), hex_colour(palette["sky_bottom"])
    veil_a, veil_b = PeriodicNoise(width, seed + 1), PeriodicNoise(width, seed + 2)
    purple, teal = hex_colour(palette["veil_a"]), hex_colour(palette["veil_b"])
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


def ridges(width=1024, height=256, seed=23, palette=EMBER):
    """Distant mountain ridges and crystal spires, half see-through, transparent above."""
    c = Canvas(width, height)
    layers = [(PeriodicNoise(width, seed, (3, 6, 12, 24, 64)), 120, 120,
               hex_colour(palette["far_ridge"], 0.55)),
              (PeriodicNoise(width, seed + 5, (4, 8, 16, 48, 96)), 70, 90,
               hex_colour(palette["near_ridge"], 0.85))]
    for noise, base, amp, colour in layers:
        for x in range(width):
            peak = 1.0 - abs(clamp(noise(x) * 2.2, -1, 1))
            top = height - (base + amp * peak * peak)
            for y in range(max(0, int(top)), height):
                cover = clamp(y + 1 - top)
                shadow = hex_colour(palette["ridge_shadow"], colour[3])
                shade = mix(colour, shadow, (y - top) / 160.0)
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
            c.polygon(pts, hex_colour(palette["spire"], 0.7))
            c.line(x + ox, height - 40 - h, x + ox - w * 0.2, height - 45, 1.2,
                   hex_colour(palette["spire_edge"], 0.6))
    return c


def terrain_height(width, seed, low=30.0, high=96.0):
    # Hills every few hundred pixels whatever the strip's length.
    k = max(1, width // 1024)
    noise = PeriodicNoise(width, seed, tuple(n * k for n in (3, 8, 20, 40, 128)),
                          (1.0, 0.6, 0.3, 0.15, 0.08))
    return [low + (high - low) * (0.5 + 0.5 * clamp(noise(x) * 1.7 + 0.25, -1, 1)) for x in range(width)]


def terrain(width=1024, height=100, seed=31, palette=EMBER):
    """The front band: rock whose top edge rises and falls; fully clear above it."""
    c = Canvas(width, height)
    heights = terrain_height(width, seed)
    strata = PeriodicNoise(width, seed + 3, (8, 32, 64, 256), (1.0, 0.5, 0.3, 0.2))
    rng = random.Random(seed)
    crust, rock = hex_colour(palette["crust"]), hex_colour(palette["rock"])
    deep = hex_colour(palette["deep"])
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
                col = mix(col, hex_colour(palette["band"]), band * 0.25)
            c.blend(x, y, col, clamp(y + 1 - top))
    for _ in range(int(width / 6)):
        x = rng.uniform(0, width)
        top = height - heights[int(x) % width]
        y = rng.uniform(top + 8, height - 2)
        if y < height:
            c.ellipse(x, y, rng.uniform(1.5, 4), rng.uniform(1, 2.5),
                      hex_colour(palette["pebble"], 0.7))
    for _ in range(int(width / 40)):
        x = rng.uniform(0, width)
        top = height - heights[int(x) % width]
        c.ellipse(x, top + 3, rng.uniform(3, 6), 1.6, hex_colour(palette["glint"], 0.6))
    return c
