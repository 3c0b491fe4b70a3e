"""The default level: waves of enemies that grow harder over about two and a half minutes.

The camera scrolls one pixel per update to the right, so an enemy's x below is its distance
beyond the right edge of the view when it enters, and its y is absolute (0 = bottom). The
terrain band fills the bottom 100 pixels and the interface bar the top 48, so enemies
fly between about y 130 and y 464.
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
        """shoot = (delay ms, shot speed) for enemies that fire."""
        self.enemies.append(dict(time=int(time), kind=kind, x=x, y=y, shoot=shoot, turn=turn,
                                 health=health, speed=speed, dy=dy))


def waves():
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
        delay, shot_speed = e["shoot"]
        lines.append('    <projectile shoots="yes" delay="%d" speed="%g" sprite="shot_enemy"/>'
                     % (delay, shot_speed))
    else:
        lines.append('    <projectile shoots="no"/>')
    lines.append('    <position x="%g" y="%g"/>' % (e["x"], e["y"]))
    lines.append('    <scale x="1" y="1"/>')
    lines.append('    <direction x="-1" y="%g" speed="%g"/>' % (e["dy"], speed))
    lines.append('    <sprite name="%s" frame="0"/>' % e["kind"])
    lines.append('    <animation name="%s" action="%s"/>' % (e["kind"], ACTIONS[e["kind"]]))
    lines.append("  </enemy>")
    return "\n".join(lines)


HEADER = """<?xml version="1.0" encoding="UTF-8"?>
<!-- The default level, written by tools/make_art.py (tools/art/level.py).
     See docs/making-a-level.md before editing by hand. -->
<level name="Ember Fields" music="ember">
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
    <sprite back="space" bspeed="0" middle="ridges" mspeed="0" front="terrain" fspeed="0"/>
  </bg>
"""


def level_xml():
    enemies = sorted(waves(), key=lambda e: e["time"])
    body = "\n".join(enemy_xml(i + 1, e) for i, e in enumerate(enemies))
    return HEADER + body + "\n</level>\n"
