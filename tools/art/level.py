"""The default game's three levels: waves of enemies that grow harder over two to three
minutes each, and a boss at the end of every level.

The camera scrolls one pixel per update to the right, so an enemy's x below is its distance
beyond the right edge of the view when it enters, and its y is absolute (0 = bottom). The
terrain band fills the bottom 100 pixels and the interface bar the top 48, so enemies
fly between about y 130 and y 464.

A boss comes down from behind the interface bar near the right of the view (x below 0 is
inside the view) and weaves up and down there: flying straight down with the oscillate
behaviour, it never moves sideways, so the view holds until it is destroyed. Its phases
turn up its weave and its fire as its health falls.
"""

# Kinds of enemy: sprite (and animation of the same name), frame height, health, speed, and
# how they move.
KINDS = {
    "dart": dict(health=40, speed=6.0, type="normal"),
    "weaver": dict(health=80, speed=3.0, type="oscillate", turnspeed=0.1),
    "spinner": dict(health=80, speed=5.0, type="curve"),
    "brute": dict(health=240, speed=2.5, type="normal"),
}
ACTIONS = {"dart": "fly", "weaver": "fly", "spinner": "spin", "brute": "fly"}


class Wave:
    def __init__(self):
        self.enemies = []

    def add(self, time, kind, y, x=20, shoot=None, turn=None, health=None, speed=None,
            dy=0.0):
        """shoot = (delay ms, shot speed) for enemies that fire straight ahead, or
        (delay ms, shot speed, pattern, count, spread) for the other fire patterns."""
        self.enemies.append(dict(time=int(time), kind=kind, x=x, y=y, shoot=shoot, turn=turn,
                                 health=health, speed=speed, dy=dy))


def ember_waves():
    """Ember Fields: unarmed craft first, then straight fire only."""
    w = Wave()
    # 1. Warm-up: unarmed darts in two files.
    for i in range(5):
        w.add(2000 + i * 600, "dart", 330)
    for i in range(5):
        w.add(7000 + i * 600, "dart", 170)
    # 2. Weavers in pairs, still unarmed.
    for i in range(4):
        w.add(13000 + i * 2200, "weaver", 260 if i % 2 == 0 else 320)
        w.add(13000 + i * 2200, "weaver", 200 if i % 2 == 0 else 380, x=90)
    # 3. Darts start shooting; spinners swoop down from the top.
    for i in range(4):
        w.add(23000 + i * 1200, "dart", 200 + 50 * i, shoot=(2200, 9))
    for i in range(3):
        w.add(25000 + i * 1500, "spinner", 420, turn=-0.012)
    # 4. First brute with an escort.
    w.add(32000, "brute", 250, shoot=(1500, 9))
    for i in range(3):
        w.add(33500 + i * 900, "dart", 420)
        w.add(33500 + i * 900, "dart", 140)
    # 5. Armed weavers, spinners from below and above.
    for i in range(5):
        w.add(42000 + i * 1400, "weaver", 300, shoot=(2600, 9), x=20 + 40 * (i % 2))
    for i in range(3):
        w.add(45000 + i * 1600, "spinner", 140, turn=0.012)
        w.add(46000 + i * 1600, "spinner", 420, turn=-0.012)
    # 6. A V of fast darts, twice.
    for rep in range(2):
        t = 54000 + rep * 5000
        for k, (dx, y) in enumerate([(0, 280), (50, 330), (50, 230), (100, 380), (100, 180),
                                     (150, 420), (150, 130)]):
            w.add(t, "dart", y, x=20 + dx, speed=7.5, shoot=(2400, 10) if k == 0 else None)
    # 7. Two brutes guarded by weavers.
    w.add(66000, "brute", 380, shoot=(1400, 10))
    w.add(68000, "brute", 170, shoot=(1400, 10), health=280)
    for i in range(4):
        w.add(67000 + i * 1500, "weaver", 280, shoot=(2400, 10), health=120)
    # 8. Crossfire: spinners in both directions and shooting darts.
    for i in range(6):
        w.add(78000 + i * 1000, "spinner", 420 if i % 2 == 0 else 140,
              turn=-0.014 if i % 2 == 0 else 0.014)
    for i in range(6):
        w.add(80000 + i * 1100, "dart", 160 + (i * 53) % 270, shoot=(1800, 10), speed=6.5)
    # 9. The gauntlet: a brute wall with weavers weaving through it.
    for i, y in enumerate((150, 270, 390)):
        w.add(90000 + i * 400, "brute", y, x=20 + 60 * i, shoot=(1700, 10))
    for i in range(6):
        w.add(93000 + i * 1300, "weaver", 300, shoot=(2000, 10), health=120,
              x=20 + 30 * (i % 3))
    # 10. Finale: fast mixed swarm, all armed.
    for i in range(10):
        kind = ("dart", "spinner", "weaver")[i % 3]
        y = (140, 420, 300)[i % 3]
        turn = -0.016 if kind == "spinner" else None
        speed = 8.0 if kind == "dart" else None
        w.add(106000 + i * 900, kind, y, shoot=(1600, 11), turn=turn, speed=speed)
    for i in range(8):
        w.add(117000 + i * 700, "dart", 150 + (i * 71) % 280, speed=8.0,
              shoot=(1500, 11) if i % 2 else None)
    for i in range(6):
        w.add(124000 + i * 1000, "spinner", 420 if i % 2 else 140,
              turn=-0.018 if i % 2 else 0.018, shoot=(1800, 11), health=120)
    for i in range(8):
        w.add(131000 + i * 600, "dart", 170 + (i * 97) % 260, speed=8.5, shoot=(1400, 11))
    return w.enemies


def projectile_xml(delay, shot_speed, pattern=None, count=None, spread=None):
    text = '<projectile shoots="yes" delay="%d" speed="%g" sprite="shot_enemy"' % (delay,
                                                                                  shot_speed)
    if pattern:
        text += ' pattern="%s"' % pattern
    if count:
        text += ' count="%d"' % count
    if spread:
        text += ' spread="%g"' % spread
    return text + "/>"


def enemy_xml(number, e):
    kind = KINDS[e["kind"]]
    health = e["health"] or kind["health"]
    speed = e["speed"] or kind["speed"]
    lines = ['  <enemy name="%s%d" time="%d" health="%d">' % (e["kind"], number, e["time"],
                                                             health)]
    behaviour = '    <behaviour type="%s"' % kind["type"]
    turn = e["turn"] if e["turn"] is not None else kind.get("turnspeed")
    if turn is not None:
        behaviour += ' turnspeed="%g"' % turn
    lines.append(behaviour + "/>")
    if e["shoot"]:
        lines.append("    " + projectile_xml(*e["shoot"]))
    else:
        lines.append('    <projectile shoots="no"/>')
    lines.append('    <position x="%g" y="%g"/>' % (e["x"], e["y"]))
    lines.append('    <scale x="1" y="1"/>')
    lines.append('    <direction x="-1" y="%g" speed="%g"/>' % (e["dy"], speed))
    lines.append('    <sprite name="%s" frame="0"/>' % e["kind"])
    lines.append('    <animation name="%s" action="%s"/>' % (e["kind"], ACTIONS[e["kind"]]))
    lines.append("  </enemy>")
    return "\n".join(lines)



def reef_waves():
    """Glass Reef: armed from the start, aimed shots and small fans, quicker craft."""
    w = Wave()
    # 1. Darts in two files, every other one firing.
    for i in range(6):
        w.add(2000 + i * 500, "dart", 360, speed=6.5, shoot=(2400, 9) if i % 2 else None)
        w.add(6000 + i * 500, "dart", 180, speed=6.5, shoot=(2400, 9) if i % 2 == 0 else None)
    # 2. Weavers in pairs that aim at the ship.
    for i in range(5):
        w.add(12000 + i * 1800, "weaver", 250 if i % 2 == 0 else 330, shoot=(2600, 8, "aimed"))
        w.add(12000 + i * 1800, "weaver", 190 if i % 2 == 0 else 400, x=90)
    # 3. Spinners from both sides through a V of darts.
    for i in range(4):
        w.add(23000 + i * 1200, "spinner", 420, turn=-0.013)
        w.add(23600 + i * 1200, "spinner", 140, turn=0.013)
    for k, (dx, y) in enumerate([(0, 290), (50, 340), (50, 240), (100, 390), (100, 190)]):
        w.add(29000, "dart", y, x=20 + dx, speed=7.5, shoot=(2200, 10) if k < 3 else None)
    # 4. Two brutes with three-shot fans, darts above and below.
    w.add(34000, "brute", 360, shoot=(2000, 8, "fan", 3, 30))
    w.add(36000, "brute", 170, shoot=(2000, 8, "fan", 3, 30))
    for i in range(4):
        w.add(35000 + i * 800, "dart", 440, speed=7.0)
        w.add(35400 + i * 800, "dart", 130, speed=7.0)
    # 5. A stream of weavers, alternate ones aiming.
    for i in range(8):
        w.add(45000 + i * 1100, "weaver", 300, x=20 + 40 * (i % 2), health=100,
              shoot=(2400, 9, "aimed") if i % 2 else (2200, 9))
    # 6. Three V's of fast darts, the leader firing a fan.
    for rep in range(3):
        t = 57000 + rep * 4000
        for k, (dx, y) in enumerate([(0, 280), (50, 330), (50, 230), (100, 380), (100, 180),
                                     (150, 430), (150, 130)]):
            w.add(t, "dart", y, x=20 + dx, speed=8.0,
                  shoot=(2400, 9, "fan", 3, 40) if k == 0 else None)
    # 7. Brutes that aim, spinners crossing in front of them.
    for i, y in enumerate((400, 250, 140)):
        w.add(71000 + i * 2500, "brute", y, health=280, shoot=(1700, 9, "aimed"))
    for i in range(6):
        w.add(72000 + i * 1000, "spinner", 420 if i % 2 == 0 else 140,
              turn=-0.015 if i % 2 == 0 else 0.015, shoot=(2200, 9) if i % 3 == 0 else None)
    # 8. A swarm of darts at every height, half of them aiming.
    for i in range(12):
        w.add(84000 + i * 650, "dart", 150 + (i * 67) % 290, speed=7.5,
              shoot=(2000, 9, "aimed") if i % 2 else None)
    # 9. The reef wall: brutes with five-shot fans, weavers weaving through.
    for i, y in enumerate((150, 280, 410)):
        w.add(96000 + i * 500, "brute", y, x=20 + 60 * i, shoot=(2200, 8, "fan", 5, 50))
    for i in range(6):
        w.add(99000 + i * 1200, "weaver", 300, health=120, x=20 + 30 * (i % 3),
              shoot=(2000, 10))
    # 10. Finale: fast mixed swarm, all armed.
    for i in range(12):
        kind = ("dart", "spinner", "weaver")[i % 3]
        y = (140, 420, 300)[i % 3]
        turn = -0.016 if kind == "spinner" else None
        speed = 8.5 if kind == "dart" else None
        w.add(110000 + i * 800, kind, y, turn=turn, speed=speed,
              shoot=(1700, 10, "aimed") if kind == "weaver" else (1600, 10))
    for i in range(10):
        w.add(121000 + i * 650, "dart", 150 + (i * 71) % 290, speed=8.5,
              shoot=(1600, 10) if i % 2 else (1900, 9, "aimed"))
    for i in range(6):
        w.add(129000 + i * 900, "spinner", 420 if i % 2 else 140,
              turn=-0.018 if i % 2 else 0.018, shoot=(1800, 10), health=120)
    return w.enemies


def citadel_waves():
    """Ash Citadel: dense waves from the first seconds, fans, aims and tough craft."""
    w = Wave()
    # 1. Armed darts in three files.
    for i in range(6):
        for y in (150, 300, 430):
            w.add(2000 + i * 600 + (y % 7) * 50, "dart", y, speed=7.0,
                  shoot=(2200, 9) if (i + y) % 2 else None)
    # 2. Aiming weavers in threes.
    for i in range(5):
        for k, y in enumerate((200, 300, 400)):
            w.add(10000 + i * 2000, "weaver", y, x=20 + 50 * k, health=100,
                  shoot=(2400, 9, "aimed") if k == 1 else None)
    # 3. Brutes with fans behind a curtain of spinners.
    for i in range(6):
        w.add(21000 + i * 900, "spinner", 420 if i % 2 == 0 else 140,
              turn=-0.015 if i % 2 == 0 else 0.015)
    for i, y in enumerate((360, 180)):
        w.add(24000 + i * 1500, "brute", y, health=300, shoot=(1800, 9, "fan", 3, 40))
    # 4. Three V's of fast darts, leaders with fans, wings aiming.
    for rep in range(3):
        t = 31000 + rep * 3500
        for k, (dx, y) in enumerate([(0, 280), (50, 330), (50, 230), (100, 380), (100, 180),
                                     (150, 430), (150, 130)]):
            shoot = (2200, 10, "fan", 3, 40) if k == 0 else (2600, 9, "aimed") if k > 4 \
                else None
            w.add(t, "dart", y, x=20 + dx, speed=8.5, shoot=shoot)
    # 5. A weaver stream, every one firing.
    for i in range(10):
        w.add(44000 + i * 900, "weaver", 300, x=20 + 40 * (i % 2), health=120,
              shoot=(2200, 10, "aimed") if i % 2 else (2000, 10))
    # 6. The iron wall: four brutes with five-shot fans.
    for i, y in enumerate((140, 240, 340, 440)):
        w.add(56000 + i * 400, "brute", y, x=20 + 50 * i, health=280,
              shoot=(2300, 8, "fan", 5, 50))
    for i in range(6):
        w.add(59000 + i * 700, "dart", 200 + (i * 53) % 200, speed=8.0)
    # 7. Crossfire: spinners both ways, aiming darts between them.
    for i in range(8):
        w.add(68000 + i * 800, "spinner", 420 if i % 2 == 0 else 140,
              turn=-0.016 if i % 2 == 0 else 0.016, shoot=(2000, 10) if i % 2 else None)
    for i in range(8):
        w.add(70000 + i * 900, "dart", 160 + (i * 53) % 270, speed=8.0,
              shoot=(1800, 10, "aimed"))
    # 8. Turret brutes firing rings, slow, with a dart escort.
    for i, y in enumerate((380, 180)):
        w.add(81000 + i * 3000, "brute", y, health=320, shoot=(2600, 7, "ring", 8))
    for i in range(8):
        w.add(82000 + i * 700, "dart", 440 if i % 2 else 130, speed=8.5)
    # 9. Weavers in fours, fanning.
    for i in range(4):
        for k, y in enumerate((170, 260, 350, 440)):
            w.add(92000 + i * 2500 + k * 200, "weaver", y, x=20 + 40 * k, health=120,
                  shoot=(2600, 9, "fan", 3, 30) if k % 2 else None)
    # 10. Finale: a dense armed swarm and a last brute wall.
    for i in range(15):
        kind = ("dart", "spinner", "weaver")[i % 3]
        y = (140, 420, 300)[i % 3]
        turn = -0.017 if kind == "spinner" else None
        speed = 9.0 if kind == "dart" else None
        w.add(104000 + i * 700, kind, y, turn=turn, speed=speed,
              shoot=(1700, 10, "aimed") if kind == "weaver" else (1500, 11))
    for i, y in enumerate((150, 300, 430)):
        w.add(116000 + i * 500, "brute", y, x=20 + 60 * i, health=300,
              shoot=(2000, 9, "fan", 5, 60))
    for i in range(12):
        w.add(121000 + i * 600, "dart", 150 + (i * 71) % 290, speed=9.0,
              shoot=(1500, 11) if i % 2 else (1800, 10, "aimed"))
    for i in range(6):
        w.add(129000 + i * 800, "spinner", 420 if i % 2 else 140,
              turn=-0.018 if i % 2 else 0.018, shoot=(1600, 11), health=140)
    return w.enemies


class Boss:
    """A boss: its look, where it enters, how it starts and its phases. A phase is
    (below, dict of the phase's attributes, projectile tuple or None)."""

    def __init__(self, name, sprite, time, health, start, shoot, phases, x=-200, y=470):
        self.name, self.sprite, self.time, self.health = name, sprite, time, health
        self.start, self.shoot, self.phases = start, shoot, phases
        self.x, self.y = x, y

    def xml(self):
        behaviour, turn, speed = self.start
        lines = ['  <enemy name="%s" time="%d" health="%d">' % (self.name, self.time,
                                                                self.health),
                 '    <behaviour type="%s" turnspeed="%g"/>' % (behaviour, turn),
                 "    " + projectile_xml(*self.shoot),
                 '    <position x="%g" y="%g"/>' % (self.x, self.y),
                 '    <scale x="1" y="1"/>',
                 '    <direction x="0" y="-1" speed="%g"/>' % speed,
                 '    <sprite name="%s" frame="0"/>' % self.sprite,
                 '    <animation name="%s" action="fly"/>' % self.sprite,
                 "    <boss>"]
        for below, look, shoot in self.phases:
            attrs = "".join(' %s="%s"' % kv for kv in look)
            if shoot:
                lines.append('      <phase below="%d"%s>' % (below, attrs))
                lines.append("        " + projectile_xml(*shoot).replace(' shoots="yes"', ""))
                lines.append("      </phase>")
            else:
                lines.append('      <phase below="%d"%s/>' % (below, attrs))
        lines += ["    </boss>", "  </enemy>"]
        return "\n".join(lines)


# Every boss starts with a slow weave and plain fire; then wider fans, aimed shots and last
# a ring, while its weave quickens and it turns to its "rage" colours.
WARDEN = Boss("warden", "warden", 142000, 2400, ("oscillate", 0.04, 1.5), (1400, 6),
              [(1800, [("speed", "2")], (1500, 6, "fan", 3, 30)),
               (1100, [("speed", "2.5"), ("action", "rage")], (1300, 6.5, "aimed")),
               (500, [("turnspeed", "0.06"), ("speed", "3")], (1900, 5.5, "ring", 10))],
              x=-180)
LEVIATHAN = Boss("leviathan", "leviathan", 142000, 3200, ("oscillate", 0.05, 2),
                 (1500, 6.5, "fan", 3, 40),
                 [(2400, [("speed", "2.5")], (1100, 7.5, "aimed")),
                  (1500, [("action", "rage")], (1500, 7, "fan", 5, 60)),
                  (700, [("turnspeed", "0.07"), ("speed", "3")], (1700, 6, "ring", 12))],
                 x=-200)
DREADNOUGHT = Boss("dreadnought", "dreadnought", 142000, 4000, ("oscillate", 0.04, 1.5),
                   (1300, 7, "fan", 3, 30),
                   [(3000, [("speed", "2")], (950, 8, "aimed")),
                    (2000, [("speed", "2.5"), ("action", "rage")], (1300, 7.5, "fan", 5, 50)),
                    (1000, [("turnspeed", "0.07"), ("speed", "3")], (1500, 6.5, "ring", 14))],
                   x=-220)


class Level:
    def __init__(self, file, name, music, layers, waves, boss):
        self.file, self.name, self.music, self.layers = file, name, music, layers
        self.waves, self.boss = waves, boss


LEVELS = [
    Level("level1.xml", "Ember Fields", "ember", ("space", "ridges", "terrain"), ember_waves,
          WARDEN),
    Level("level2.xml", "Glass Reef", "reef", ("reef_sky", "reef_ridges", "reef_terrain"),
          reef_waves, LEVIATHAN),
    Level("level3.xml", "Ash Citadel", "citadel",
          ("citadel_sky", "citadel_ridges", "citadel_terrain"), citadel_waves, DREADNOUGHT),
]

HEADER = """<?xml version="1.0" encoding="UTF-8"?>
<!-- Level %(number)d of the default game, written by tools/make_art.py (tools/art/level.py).
     See docs/making-a-level.md before editing by hand. -->
<level name="%(name)s" music="%(music)s">
  <camera>
    <position x="0" y="0"/>
    <velocity x="1" y="0"/>
    <size x="1024" y="512"/>
  </camera>
  <player>
    <position x="96" y="240"/>
    <scale x="1" y="1"/>
    <velocity x="1" y="0"/>
    <sprite name="ship" frame="0"/>
    <animation name="ship" action="fly"/>
    <projectile sprite="shot_player" speed="20"/>
  </player>
  <bg>
    <position x="0" y="0"/>
    <sprite back="%(back)s" bspeed="0" middle="%(middle)s" mspeed="0" front="%(front)s" fspeed="0"/>
  </bg>
"""


def level_xml(level, number):
    enemies = sorted(level.waves(), key=lambda e: e["time"])
    body = "\n".join(enemy_xml(i + 1, e) for i, e in enumerate(enemies))
    back, middle, front = level.layers
    head = HEADER % dict(number=number, name=level.name, music=level.music, back=back,
                         middle=middle, front=front)
    return head + body + "\n" + level.boss.xml() + "\n</level>\n"
