"""Interface art: bitmap fonts, buttons, icons, panels and the window icon."""

import math

from . import actors
from .canvas import Canvas, hex_colour, mix
from .glyphs import GLYPHS, ORDER

CYAN = hex_colour("#46e0ff")
PANEL_FILL = hex_colour("#0b1030", 0.86)


def draw_text(c, text, x, y, scale, fill, outline=hex_colour("#05060f"), border=1):
    """Draw text in the 5 x 7 letters, each ink cell a scale x scale square, with an outline
    `border` pixels wide; fill may be a colour or a gradient callable. Returns the width."""
    for pass_no in (0, 1):
        pen = x
        for ch in text:
            rows = GLYPHS.get(ch.upper(), GLYPHS[" "])
            for gy, row in enumerate(rows):
                for gx, cell in enumerate(row):
                    if cell != "#":
                        continue
                    x0, y0 = pen + gx * scale, y + gy * scale
                    if pass_no == 0:
                        box = [(x0 - border, y0 - border), (x0 + scale + border, y0 - border),
                               (x0 + scale + border, y0 + scale + border),
                               (x0 - border, y0 + scale + border)]
                        c.polygon(box, outline)
                    else:
                        c.polygon([(x0, y0), (x0 + scale, y0), (x0 + scale, y0 + scale),
                                   (x0, y0 + scale)], fill)
            pen += 6 * scale
    return 6 * scale * len(text) - scale


def text_width(text, scale):
    return 6 * scale * len(text) - scale


def font_sheet(cell_w, cell_h, scale, border, columns=16):
    """All glyphs of ORDER in a grid of cells; white letters shading to light grey."""
    rows = (len(ORDER) + columns - 1) // columns
    c = Canvas(cell_w * columns, cell_h * rows)
    for i, ch in enumerate(ORDER):
        ox, oy = (i % columns) * cell_w + border, (i // columns) * cell_h + border
        shade = actors.vertical(hex_colour("#ffffff"), hex_colour("#b9c2d6"), oy, oy + 7 * scale)
        draw_text(c, ch, ox, oy, scale, shade, hex_colour("#000000", 0.9), border)
    return c


def rounded(x0, y0, x1, y1, r, steps=6):
    pts = []
    for cx, cy, start in ((x1 - r, y0 + r, -90), (x1 - r, y1 - r, 0), (x0 + r, y1 - r, 90),
                          (x0 + r, y0 + r, 180)):
        for k in range(steps + 1):
            a = math.radians(start + 90.0 * k / steps)
            pts.append((cx + math.cos(a) * r, cy + math.sin(a) * r))
    return pts


def plate(c, ox, oy, w, h, state):
    """A button plate in one of its states: 0 normal, 1 hover, 2 pressed."""
    border = [hex_colour("#2f8fd0"), CYAN, hex_colour("#ff9a3c")][state]
    top = [hex_colour("#23357a"), hex_colour("#2f4fae"), hex_colour("#16204a")][state]
    bottom = [hex_colour("#0d1436"), hex_colour("#142067"), hex_colour("#0a0f2a")][state]
    sink = 2 if state == 2 else 0
    c.polygon(rounded(ox + 2, oy + 2 + sink, ox + w - 2, oy + h - 2 + sink, 9), border)
    c.polygon(rounded(ox + 4, oy + 4 + sink, ox + w - 4, oy + h - 4 + sink, 7),
              actors.vertical(top, bottom, oy + 4 + sink, oy + h - 4 + sink))
    c.polygon(rounded(ox + 8, oy + 6 + sink, ox + w - 8, oy + h / 2.0 + sink, 5),
              hex_colour("#ffffff", 0.08))
    return sink


def buttons(labels, w=176, h=48):
    """One row per label, three frames per row: normal, hover, pressed."""
    c = Canvas(w * 3, h * len(labels))
    for row, label in enumerate(labels):
        for state in range(3):
            ox, oy = state * w, row * h
            sink = plate(c, ox, oy, w, h, state)
            # Long labels ("PLAY AGAIN") drop to a smaller size to fit the plate.
            scale = 3 if text_width(label, 3) <= w - 16 else 2
            tx = ox + (w - text_width(label, scale)) / 2.0
            ink = hex_colour("#ffffff") if state else hex_colour("#d8e8ff")
            draw_text(c, label, round(tx), oy + (h - 7 * scale) // 2 + sink, scale, ink)
    return c


def small_buttons(w=40, h=40):
    """Square pause and quit buttons for the in-game bar: rows pause, quit."""
    c = Canvas(w * 3, h * 2)
    for state in range(3):
        sink = plate(c, state * w, 0, w, h, state)
        for bx in (14, 23):
            c.polygon(rounded(state * w + bx, 11 + sink, state * w + bx + 4, 29 + sink, 1.5),
                      hex_colour("#ffffff"))
        sink = plate(c, state * w, h, w, h, state)
        cx, cy = state * w + w / 2.0, h + h / 2.0 + sink
        c.line(cx - 7, cy - 7, cx + 7, cy + 7, 4, hex_colour("#ffffff"))
        c.line(cx - 7, cy + 7, cx + 7, cy - 7, 4, hex_colour("#ffffff"))
    return c


def life_icon():
    c = Canvas(30, 16)
    actors.draw_ship(c, -4.0, 0.5, 0.5)
    return c


def health_icon():
    c = Canvas(10, 18)
    c.polygon(rounded(1, 1, 9, 17, 3, 3), hex_colour("#0a3a2a"))
    c.polygon(rounded(2, 2, 8, 16, 2, 3), hex_colour("#3dff9a"))
    c.polygon([(3, 3), (5, 3), (5, 15), (3, 15)], hex_colour("#c8ffe0"))
    return c


def boss_icon():
    """One notch of a boss's health meter: a red shard, set apart from the ship's green."""
    c = Canvas(10, 18)
    c.polygon([(5, 0.5), (9.5, 9), (5, 17.5), (0.5, 9)], hex_colour("#3a0a10"))
    c.polygon([(5, 2), (8.2, 9), (5, 16), (1.8, 9)], hex_colour("#ff4a3a"))
    c.polygon([(5, 3.5), (6.4, 9), (5, 11)], hex_colour("#ffd0b0"))
    return c


def panel(w, h, title, scale, colours, subtitle=None):
    """A translucent panel with a glowing frame and a big title in a vertical gradient."""
    c = Canvas(w, h)
    c.polygon(rounded(0, 0, w, h, 16), hex_colour("#46e0ff", 0.35))
    c.polygon(rounded(3, 3, w - 3, h - 3, 14), PANEL_FILL)
    ty = 22 if subtitle else (h - 7 * scale) // 2
    tx = (w - text_width(title, scale)) // 2
    fill = actors.vertical(colours[0], colours[1], ty, ty + 7 * scale)
    draw_text(c, title, tx + 3, ty + 4, scale, hex_colour("#000000", 0.5),
              hex_colour("#000000", 0.0), 0)
    draw_text(c, title, tx, ty, scale, fill, hex_colour("#05060f"), max(2, scale // 3))
    if subtitle:
        sx = (w - text_width(subtitle, 2)) // 2
        draw_text(c, subtitle, sx, ty + 7 * scale + 18, 2, hex_colour("#9fdcff"))
    return c


def panels():
    gold = (hex_colour("#fff3b0"), hex_colour("#ff8c1a"))
    return {
        "title": panel(640, 150, "GLIMMERAX", 9, gold, "DEFEND THE EMBER FIELDS"),
        "paused": panel(380, 110, "PAUSED", 7, (hex_colour("#e8f7ff"), hex_colour("#46b8ff"))),
        "gameover": panel(520, 120, "GAME OVER", 7, (hex_colour("#ffd0d0"),
                                                      hex_colour("#ff3040"))),
        "complete": panel(720, 120, "LEVEL COMPLETE", 7, (hex_colour("#e0ffe8"),
                                                           hex_colour("#2fd67a"))),
    }


def hud_bar(w=1024, h=48):
    c = Canvas(w, h)
    for y in range(h):
        col = mix(hex_colour("#0b1030", 0.85), hex_colour("#0b1030", 0.55), y / float(h))
        for x in range(w):
            c.blend(x, y, col)
    c.line(0, h - 1.5, w, h - 1.5, 1.5, hex_colour("#46e0ff", 0.6))
    return c


def shade():
    return Canvas(8, 8, (0.02, 0.03, 0.1, 0.55))


def window_icon():
    c = Canvas(32, 32)
    c.polygon(rounded(0, 0, 32, 32, 7), actors.vertical(hex_colour("#1d2a6b"),
                                                       hex_colour("#070a1e"), 0, 32))
    c.glow(9, 16, 7, hex_colour("#ff9a3c", 0.8), 1.4)
    actors.draw_ship(c, -4.0, 8.5, 0.52)
    return c
