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


# The bosses face left like every enemy. Each sheet holds four frames in one column: two of
# the calm "fly" action, then two of the "rage" action its later phases play (hotter colours,
# brighter core), so a boss looks more dangerous as its health falls.

def boss_core(c, x, y, r, rage, bright):
    calm, hot = hex_colour("#4fd1ff"), hex_colour("#ff3b2f")
    core = hot if rage else calm
    c.ellipse(x, y, r + 2, r + 2, OUTLINE)
    c.ellipse(x, y, r, r, hex_colour("#1a1030"))
    c.glow(x, y, r * (1.2 if bright else 0.9), core, 1.3)
    c.ellipse(x, y, r * 0.35, r * 0.35, hex_colour("#ffffff", 0.9))


def warden_frame(bright, rage):
    """Ember Fields' boss: an armoured gunship, 160 x 96, twin cannons forward."""
    c = Canvas(160, 96)
    steel = vertical(hex_colour("#c9d1e4"), hex_colour("#3a4054"), 14, 82)
    plate = hex_colour("#ff5a36") if rage else hex_colour("#ff9a3c")
    for y in (34, 58):
        outlined(c, [(4, y - 4), (40, y - 4), (40, y + 4), (4, y + 4)], hex_colour("#5b6275"))
        c.glow(4, y, 4 + 3 * bright, hex_colour("#ffb347"), 1.5)
    outlined(c, [(22, 48), (44, 24), (92, 12), (138, 16), (156, 34), (156, 62), (138, 80),
                 (92, 84), (44, 72)], steel)
    outlined(c, [(56, 22), (118, 14), (132, 26), (62, 32)], plate)
    outlined(c, [(56, 74), (118, 82), (132, 70), (62, 64)], plate)
    c.line(40, 48, 150, 48, 2.0, hex_colour("#2a2f3d"))
    for x in (96, 116, 136):
        c.ellipse(x, 40, 3, 3, hex_colour("#2a2f3d"))
        c.ellipse(x, 56, 3, 3, hex_colour("#2a2f3d"))
    boss_core(c, 70, 48, 11, rage, bright)
    for y in (30, 66):
        c.glow(156, y, 6 + 4 * bright, hex_colour("#ff7a1a"), 1.5)
    return c


def leviathan_frame(bright, rage):
    """Glass Reef's boss: a crystal manta, 176 x 112, wings swept back."""
    c = Canvas(176, 112)
    skin = vertical(hex_colour("#9ffff0"), hex_colour("#0f5a63"), 8, 104)
    fin = hex_colour("#ff6fb0") if rage else hex_colour("#38d9c0")
    lift = 4 * bright
    outlined(c, [(60, 50), (110, 6 + lift), (150, 4 + lift), (128, 30), (104, 52)], fin)
    outlined(c, [(60, 62), (110, 106 - lift), (150, 108 - lift), (128, 82), (104, 60)], fin)
    outlined(c, [(6, 56), (28, 38), (70, 30), (120, 40), (172, 54), (172, 58), (120, 72),
                 (70, 82), (28, 74)], skin)
    for k in range(5):
        x = 80 + k * 16
        c.line(x, 44 + k, x + 8, 56, 1.4, hex_colour("#e0fffb", 0.7))
        c.line(x, 68 - k, x + 8, 56, 1.4, hex_colour("#e0fffb", 0.7))
    c.ellipse(22, 50, 4, 3, hex_colour("#fff3b0"))
    c.ellipse(22, 62, 4, 3, hex_colour("#fff3b0"))
    boss_core(c, 52, 56, 12, rage, bright)
    return c


def dreadnought_frame(bright, rage):
    """Ash Citadel's boss: a flying fortress, 192 x 128, towers above and below."""
    c = Canvas(192, 128)
    iron = vertical(hex_colour("#8a8595"), hex_colour("#25212c"), 20, 108)
    trim = hex_colour("#ff3b2f") if rage else hex_colour("#ffb347")
    for x, w in ((60, 18), (100, 22), (140, 18)):
        outlined(c, [(x, 8), (x + w, 8), (x + w, 40), (x, 40)], iron)
        outlined(c, [(x, 88), (x + w, 88), (x + w, 120), (x, 120)], iron)
        c.ellipse(x + w / 2.0, 14, 3, 3, trim)
        c.ellipse(x + w / 2.0, 114, 3, 3, trim)
    outlined(c, [(8, 64), (36, 34), (176, 30), (188, 46), (188, 82), (176, 98), (36, 94)],
             iron)
    outlined(c, [(40, 40), (172, 38), (172, 46), (44, 48)], trim)
    outlined(c, [(40, 88), (172, 90), (172, 82), (44, 80)], trim)
    for y in (52, 64, 76):
        outlined(c, [(2, y - 3), (30, y - 3), (30, y + 3), (2, y + 3)], hex_colour("#3d3848"))
        c.glow(2, y, 3 + 3 * bright, hex_colour("#ff7a1a"), 1.5)
    for x in range(70, 170, 20):
        c.ellipse(x, 64, 4, 6, hex_colour("#15121a"))
        c.ellipse(x, 64, 2, 3, trim[:3] + (0.5 + 0.5 * bright,))
    boss_core(c, 50, 64, 14, rage, bright)
    return c


def boss_sheet(frame):
    return stack([frame(b, r) for r in (False, True) for b in (0, 1)])


BOSSES = {"warden": (warden_frame, (160, 96)), "leviathan": (leviathan_frame, (176, 112)),
          "dreadnought": (dreadnought_frame, (192, 128))}


def enemy_sheets():
    return {
        "dart": stack([dart_frame(g) for g in (0, 2)]),
        "weaver": stack([weaver_frame(p) for p in range(4)]),
        "spinner": stack([spinner_frame(s) for s in range(4)]),
        "brute": stack([brute_frame(b) for b in (True, False)]),
    }
