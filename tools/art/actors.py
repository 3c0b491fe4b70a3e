"""The ships, shots and explosion of the default game.

Every animated actor sheet stacks its frames in one column: the game's pixel contact test
reads a sheet's first frame-sized block of pixels as the contact mask, and with one column
that block is exactly frame 0. Each frame keeps a transparent border so linear texture
filtering never pulls in a neighbouring frame.
"""

import math
import random

from .canvas import Canvas, hex_colour, mix

OUTLINE = hex_colour("#10142c")


def shifted(points, dx, dy, sx=1.0, sy=1.0):
    return [(x * sx + dx, y * sy + dy) for x, y in points]


def vertical(top, bottom, y0, y1):
    """A vertical gradient from colour top at y0 to colour bottom at y1."""
    def shade(x, y):
        t = min(max((y - y0) / float(y1 - y0), 0.0), 1.0)
        return mix(top, bottom, t)
    return shade


def outlined(canvas, points, colour, outline=OUTLINE):
    """A filled polygon with a one-pixel dark outline around it."""
    for dx, dy in ((-1, 0), (1, 0), (0, -1), (0, 1)):
        canvas.polygon(shifted(points, dx, dy), outline)
    canvas.polygon(points, colour)


def stack(frames):
    """Join equally sized frames top to bottom into one sheet."""
    w, h = frames[0].width, frames[0].height
    sheet = Canvas(w, h * len(frames))
    for i, f in enumerate(frames):
        sheet.paste(f, 0, i * h)
    return sheet


def grid(frames, columns):
    w, h = frames[0].width, frames[0].height
    rows = (len(frames) + columns - 1) // columns
    sheet = Canvas(w * columns, h * rows)
    for i, f in enumerate(frames):
        sheet.paste(f, (i % columns) * w, (i // columns) * h)
    return sheet


# The player's ship, facing right.
SHIP_HULL = [(16, 11), (30, 8), (46, 10), (58, 14), (62, 17), (58, 20), (46, 23), (30, 25),
             (16, 23)]
SHIP_FIN = [(20, 11), (25, 3), (33, 3), (37, 10)]
SHIP_WING = [(22, 22), (42, 21), (35, 30), (19, 30)]


def draw_ship(c, dx=0.0, dy=0.0, s=1.0):
    outlined(c, shifted(SHIP_FIN, dx, dy, s, s), vertical(hex_colour("#5aa9ff"),
                                                            hex_colour("#2452b8"), dy, dy + 12 * s))
    outlined(c, shifted(SHIP_WING, dx, dy, s, s), vertical(hex_colour("#3f7fe0"),
                                                             hex_colour("#1b347a"), dy + 20 * s,
                                                             dy + 30 * s))
    outlined(c, shifted(SHIP_HULL, dx, dy, s, s), vertical(hex_colour("#f4f7ff"),
                                                             hex_colour("#7483a8"), dy + 8 * s,
                                                             dy + 25 * s))
    c.line(dx + 20 * s, dy + 18 * s, dx + 54 * s, dy + 18 * s, 1.6 * s, hex_colour("#ff9a3c"))
    c.ellipse(dx + 44 * s, dy + 14 * s, 7 * s, 3 * s, hex_colour("#1b6f9a"))
    c.ellipse(dx + 45 * s, dy + 13.5 * s, 5 * s, 2 * s, hex_colour("#6ff6ff"))
    c.ellipse(dx + 46.5 * s, dy + 12.8 * s, 2 * s, 0.8 * s, hex_colour("#ffffff", 0.9))


def ship_frame(flame):
    c = Canvas(64, 32)
    tip = 14 - flame
    c.glow(12, 17, flame * 0.9, hex_colour("#ff7a1a", 0.6), 1.5)
    c.polygon([(15, 12.5), (tip, 17), (15, 21.5)], hex_colour("#ff7a1a", 0.8))
    c.polygon([(15, 14.5), (tip + flame * 0.4, 17), (15, 19.5)], hex_colour("#ffe27a"))
    c.polygon([(15, 15.5), (tip + flame * 0.75, 17), (15, 18.5)], hex_colour("#ffffff"))
    outlined(c, [(12, 12), (17, 12), (17, 22), (12, 22)], hex_colour("#4a5270"))
    draw_ship(c)
    return c


def player_ship():
    return stack([ship_frame(f) for f in (9, 12, 8, 11)])


def dart_frame(glow):
    c = Canvas(48, 32)
    red = vertical(hex_colour("#ff6b6b"), hex_colour("#8a1030"), 8, 24)
    wing = hex_colour("#b8203c")
    outlined(c, [(20, 11), (33, 2), (40, 3), (33, 12)], wing)
    outlined(c, [(20, 21), (33, 30), (40, 29), (33, 20)], wing)
    outlined(c, [(3, 16), (18, 10), (36, 8), (44, 12), (44, 20), (36, 24), (18, 22)], red)
    c.ellipse(15, 16, 4.5, 2.2, hex_colour("#ffd23a"))
    c.ellipse(14, 15.5, 2, 0.9, hex_colour("#ffffff", 0.9))
    c.glow(45, 16, 4 + glow, hex_colour("#ffb347"), 1.5)
    return c


def weaver_frame(phase):
    c = Canvas(48, 40)
    green = vertical(hex_colour("#7dffb0"), hex_colour("#0d6a3b"), 4, 36)
    outlined(c, [(2, 20), (14, 8), (30, 4), (46, 14), (40, 20), (46, 26), (30, 36), (14, 32)],
             green)
    c.ellipse(20, 20, 8, 6, hex_colour("#0b2f24"))
    c.ellipse(18, 18.5, 5, 3, hex_colour("#38d9a9"))
    lights = [(32, 10), (38, 15), (38, 25), (32, 30)]
    for i, (x, y) in enumerate(lights):
        bright = 1.0 if i == phase else 0.35
        c.ellipse(x, y, 2.2, 2.2, mix(hex_colour("#2b6b3f"), hex_colour("#f4ff7a"), bright))
    return c


def spinner_frame(step):
    c = Canvas(40, 40)
    cx = cy = 20.0
    for k in range(3):
        a = math.radians(step * 30 + k * 120)
        pts = []
        for da, r in ((-0.35, 11), (-0.12, 18.5), (0.12, 18.5), (0.35, 11)):
            pts.append((cx + math.cos(a + da) * r, cy + math.sin(a + da) * r))
        outlined(c, pts, hex_colour("#d59bff"))
    c.ellipse(cx, cy, 13, 13, OUTLINE)
    c.ellipse(cx, cy, 12, 12, vertical(hex_colour("#c77dff"), hex_colour("#5a189a"), 8, 32))
    c.ellipse(cx, cy, 7.5, 7.5, hex_colour("#240046"))
    c.glow(cx, cy, 7, hex_colour("#ff4fd8"), 1.2)
    c.ellipse(cx, cy, 2.5, 2.5, hex_colour("#ffffff"))
    return c


def brute_frame(blink):
    c = Canvas(64, 48)
    steel = vertical(hex_colour("#b7c0d4"), hex_colour("#3d4456"), 10, 38)
    outlined(c, [(1, 21), (14, 21), (14, 27), (1, 27)], hex_colour("#5b6275"))
    outlined(c, [(4, 24), (14, 14), (40, 10), (60, 14), (62, 24), (60, 34), (40, 38), (14, 34)],
             steel)
    armour = hex_colour("#ff8c42")
    outlined(c, [(24, 12), (44, 11), (48, 17), (26, 18)], armour)
    outlined(c, [(24, 36), (44, 37), (48, 31), (26, 30)], armour)
    c.line(16, 24, 58, 24, 1.5, hex_colour("#2a2f3d"))
    eye = hex_colour("#ff3030") if blink else hex_colour("#8a1a1a")
    c.ellipse(18, 20.5, 2.2, 1.6, eye)
    c.ellipse(18, 27.5, 2.2, 1.6, eye)
    c.glow(61, 24, 5 if blink else 3, hex_colour("#ffb347"), 1.5)
    return c


def player_shot():
    c = Canvas(24, 8)
    c.ellipse(12.5, 4, 11, 3, hex_colour("#19c3ff", 0.6))
    c.ellipse(13.5, 4, 8, 2, hex_colour("#8ff0ff"))
    c.ellipse(15, 4, 5, 1.2, hex_colour("#ffffff"))
    return c


def enemy_shot():
    c = Canvas(14, 14)
    c.ellipse(7, 7, 6, 6, hex_colour("#ff3d7f", 0.55))
    c.ellipse(7, 7, 4.2, 4.2, hex_colour("#ff9f43"))
    c.ellipse(7, 7, 2.2, 2.2, hex_colour("#fff3b0"))
    return c


def explosion_frame(i, count, rng_seed=7):
    """Frame i of a fireball that swells, cools from white to red and thins into smoke."""
    c = Canvas(64, 64)
    t = i / float(count)
    rng = random.Random(rng_seed)
    puffs = [(rng.uniform(0, 2 * math.pi), rng.uniform(0.3, 1.0), rng.uniform(0.6, 1.1))
             for _ in range(11)]
    fade = 1.0 - t ** 1.5
    for angle, reach, size in puffs:
        d = 4 + 18 * reach * math.sqrt(t)
        x, y = 32 + math.cos(angle) * d, 32 + math.sin(angle) * d
        r = (3 + 6 * size) * (0.7 + t)
        smoke = mix(hex_colour("#ffb347"), hex_colour("#3d3550"), min(1.0, t * 1.5))
        c.ellipse(x, y, r, r, smoke[:3] + (0.9 * fade,))
        c.glow(x, y, r * 0.9, mix(hex_colour("#fff0a0"), hex_colour("#ff4e1a"),
                                  min(1.0, t * 1.3))[:3] + (fade * (1.0 - t),), 1.0)
    core = 5 + 14 * math.sin(min(1.0, t * 1.8) * math.pi / 2)
    c.glow(32, 32, core * 1.5, hex_colour("#ff7a1a", fade), 1.0)
    c.glow(32, 32, core, hex_colour("#ffffff", (1.0 - t) ** 2), 0.8)
    for k in range(12):
        a = rng.uniform(0, 2 * math.pi)
        d = 3 + 28 * t * rng.uniform(0.5, 1.0)
        c.ellipse(32 + math.cos(a) * d, 32 + math.sin(a) * d, 1.2, 1.2,
                  hex_colour("#fff3b0", fade))
    return c


def explosion():
    return grid([explosion_frame(i, 8) for i in range(8)], 4)


def enemy_sheets():
    return {
        "dart": stack([dart_frame(g) for g in (0, 2)]),
        "weaver": stack([weaver_frame(p) for p in range(4)]),
        "spinner": stack([spinner_frame(s) for s in range(4)]),
        "brute": stack([brute_frame(b) for b in (True, False)]),
    }
