#!/usr/bin/env python3
"""Writes the default game's data into data/: every image, the sprite, animation and font
sets, the interface layers, the level and config.xml.

Standard library only and fully deterministic (fixed random seeds), so running it again
gives the same pictures. Usage: python3 tools/make_art.py [--only NAME ...] [--check]
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from art import actors, check, encode, gui, layers, level, scenery  # noqa: E402
from art.glyphs import ORDER  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = os.path.join(ROOT, "data")
IMAGES = "images"
TERRAIN_WIDTH = 8192


class Sprite:
    """One sprite: how to draw it, how to store it, and its frame layout."""

    def __init__(self, name, make, kind, frame, count=1, columns=1, depth=8):
        self.name, self.make, self.kind, self.depth = name, make, kind, depth
        self.frame, self.count, self.columns = frame, count, columns

    @property
    def file(self):
        return self.name + ".png"

    def xml(self):
        rows = (self.count + self.columns - 1) // self.columns
        return ('  <sprite name="%s">\n    <image swidth="%d" sheight="%d" numframes="%d" '
                'rows="%d" columns="%d">%s</image>\n  </sprite>'
                % (self.name, self.frame[0], self.frame[1], self.count, rows, self.columns,
                   self.file))


def sprites():
    enemies = actors.enemy_sheets()
    panels = gui.panels()
    return [
        Sprite("ship", actors.player_ship, "rgba", (64, 32), 4),
        Sprite("dart", lambda: enemies["dart"], "palette", (48, 32), 2),
        Sprite("weaver", lambda: enemies["weaver"], "palette", (48, 40), 4),
        Sprite("spinner", lambda: enemies["spinner"], "palette", (40, 40), 4),
        Sprite("brute", lambda: enemies["brute"], "palette", (64, 48), 2),
        Sprite("shot_player", actors.player_shot, "palette", (24, 8), depth=4),
        Sprite("shot_enemy", actors.enemy_shot, "palette", (14, 14)),
        Sprite("explosion", actors.explosion, "rgba", (64, 64), 8, 4),
        Sprite("space", scenery.starfield, "rgb", (1024, 512)),
        Sprite("ridges", scenery.ridges, "palette", (1024, 256)),
        Sprite("terrain", lambda: scenery.terrain(TERRAIN_WIDTH), "rgba",
               (TERRAIN_WIDTH, 100)),
        Sprite("font_small", lambda: gui.font_sheet(12, 16, 2, 1), "grey_alpha", (12, 16),
               len(ORDER), 16),
        Sprite("font_big", lambda: gui.font_sheet(24, 32, 4, 2), "grey_alpha", (24, 32),
               len(ORDER), 16),
        Sprite("buttons", lambda: gui.buttons(["START", "QUIT", "RESUME", "PLAY AGAIN"]),
               "palette", (176, 48), 12, 3),
        Sprite("smallbuttons", gui.small_buttons, "palette", (40, 40), 6, 3),
        Sprite("life", gui.life_icon, "palette", (30, 16), depth=4),
        Sprite("health", gui.health_icon, "palette", (10, 18), depth=4),
        Sprite("panel_title", lambda: panels["title"], "rgba", (640, 150)),
        Sprite("panel_paused", lambda: panels["paused"], "rgba", (380, 110)),
        Sprite("panel_gameover", lambda: panels["gameover"], "rgba", (520, 120)),
        Sprite("panel_complete", lambda: panels["complete"], "rgba", (720, 120)),
        Sprite("hudbar", gui.hud_bar, "rgba", (1024, 48)),
        Sprite("shade", gui.shade, "palette", (8, 8), depth=1),
        Sprite("widebuttons", lambda: gui.buttons(["WATCH BEST RUN", "OPTIONS", "BACK",
                                                   "DEFAULTS", "CONTINUE"], w=200),
               "palette", (200, 48), 15, 3),
        Sprite("nextbutton", lambda: gui.buttons(["NEXT LEVEL"]), "palette", (176, 48), 3, 3),
        Sprite("bossmark", gui.boss_icon, "palette", (10, 18), depth=4),
    ] + level_scenery() + boss_sprites()


def level_scenery():
    """The sky, ridges and terrain of the second and third levels."""
    out = []
    for prefix, palette, seed in (("reef", scenery.REEF, 100), ("citadel", scenery.CITADEL, 200)):
        out += [
            Sprite(prefix + "_sky", lambda p=palette, s=seed: scenery.starfield(seed=s + 11,
                                                                                palette=p),
                   "rgb", (1024, 512)),
            Sprite(prefix + "_ridges", lambda p=palette, s=seed: scenery.ridges(seed=s + 23,
                                                                                palette=p),
                   "palette", (1024, 256)),
            Sprite(prefix + "_terrain",
                   lambda p=palette, s=seed: scenery.terrain(TERRAIN_WIDTH, seed=s + 31,
                                                             palette=p),
                   "rgba", (TERRAIN_WIDTH, 100)),
        ]
    return out


def boss_sprites():
    return [Sprite(name, lambda f=frame: actors.boss_sheet(f), "palette", size, 4)
            for name, (frame, size) in actors.BOSSES.items()]


ANIMATIONS = [
    ("ship", "fly", 240, [(0, 0), (1, 60), (2, 120), (3, 180)]),
    ("dart", "fly", 160, [(0, 0), (1, 80)]),
    ("weaver", "fly", 600, [(0, 0), (1, 150), (2, 300), (3, 450)]),
    ("spinner", "spin", 240, [(0, 0), (1, 60), (2, 120), (3, 180)]),
    ("brute", "fly", 500, [(0, 0), (1, 250)]),
    ("explosion", "burst", 560, [(i, i * 70) for i in range(8)]),
] + [(boss, action, 400, [(first, 0), (first + 1, 200)])
     for boss in actors.BOSSES for action, first in (("fly", 0), ("rage", 2))]


def header(comment):
    return '<?xml version="1.0" encoding="UTF-8"?>\n<!-- %s -->\n' % comment


def sprite_set(items):
    body = "\n".join(s.xml() for s in items)
    return (header("Sprites of the default game, written by tools/make_art.py.") +
            '<spriteset basedir="%s">\n%s\n</spriteset>\n' % (IMAGES, body))


def animation_set():
    out = [header("Animations of the default game, written by tools/make_art.py."),
           "<animationset>"]
    # Entries of one name follow each other and make one animation with several actions.
    for i, (name, action, total, keys) in enumerate(ANIMATIONS):
        if i == 0 or ANIMATIONS[i - 1][0] != name:
            out.append('  <animation name="%s">' % name)
        out.append('    <action name="%s" totaltime="%d">' % (action, total))
        out += ['      <keyframe frameid="%d" time="%d"/>' % k for k in keys]
        out.append("    </action>")
        if i + 1 == len(ANIMATIONS) or ANIMATIONS[i + 1][0] != name:
            out.append("  </animation>")
    return "\n".join(out) + "\n</animationset>\n"


def xml_char(ch):
    return {"'": "&apos;", '"': "&quot;", "&": "&amp;", "<": "&lt;"}.get(ch, ch)


def font_set():
    out = [header("Fonts: glyph frames of the font sprites; small letters share the capitals."),
           "<fontset>"]
    for font, sprite in (("small", "font_small"), ("big", "font_big")):
        out.append('  <font name="%s" sprite="%s">' % (font, sprite))
        for i, ch in enumerate(ORDER):
            out.append('    <entry char="%s" frame="%d"/>' % (xml_char(ch), i))
        for i, ch in enumerate(ORDER):
            if ch.isalpha():
                out.append('    <entry char="%s" frame="%d"/>' % (ch.lower(), i))
        out.append("  </font>")
    return "\n".join(out) + "\n</fontset>\n"


CONFIG = """<?xml version="1.0" encoding="UTF-8"?>
<!-- The game's configuration; every path is relative to this folder. -->
<config width="1024" height="512" gameoverlayer="gameover" gamecompletelayer="complete"
        volume="80" vsync="yes" maxfps="60">
  <spritesetfile>sets/sprites.xml</spritesetfile>
  <animationsetfile>sets/animations.xml</animationsetfile>
  <fontsetfile>sets/fonts.xml</fontsetfile>
  <soundsetfile>sets/sounds.xml</soundsetfile>
  <guicfg default="title">
%s
  </guicfg>
  <defaults level="levels/level1.xml"/>
  <campaign layer="nextlevel">
%s
  </campaign>
  <difficulty name="easy" enemyhealth="0.6" firedelay="1.5" shotspeed="0.75" ships="5"/>
  <difficulty name="normal"/>
  <difficulty name="hard" enemyhealth="1.5" firedelay="0.7" shotspeed="1.25" ships="2"/>
  <explosioncfg sprite="explosion" anim="explosion" action="burst"/>
</config>
"""


def write_text(relative, content):
    path = os.path.join(DATA, relative)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(content)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--only", nargs="*", help="images to redraw (by sprite name, or icon)")
    parser.add_argument("--check", action="store_true",
                        help="only check data/ for broken files, names and frame numbers")
    args = parser.parse_args()
    if args.check:
        return report(check.check(DATA))
    wanted = set(args.only) if args.only else None
    items = sprites()
    for s in items:
        if wanted is None or s.name in wanted:
            print("drawing", s.file)
            encode.save(s.make(), os.path.join(DATA, IMAGES, s.file), s.kind, s.depth)
    if wanted is None or "icon" in wanted:
        print("drawing icon.png")
        encode.save(gui.window_icon(), os.path.join(DATA, "icon.png"), "rgba")
    write_text("sets/sprites.xml", sprite_set(items))
    write_text("sets/animations.xml", animation_set())
    write_text("sets/fonts.xml", font_set())
    files = layers.layers()
    for name, content in files.items():
        write_text("gui/%s.xml" % name, content)
    guis = "\n".join("    <layersetfile>gui/%s.xml</layersetfile>" % n for n in files)
    campaign = "\n".join('    <level file="levels/%s"/>' % each.file for each in level.LEVELS)
    write_text("config.xml", CONFIG % (guis, campaign))
    for number, each in enumerate(level.LEVELS, 1):
        write_text("levels/" + each.file, level.level_xml(each, number))
    return report(check.check(DATA))


def report(problems):
    for p in problems:
        print("problem:", p)
    print("data check: %d problem(s)" % len(problems))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
