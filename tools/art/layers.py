"""The interface layer files: title, in-game bar, paused, game over, and level complete with
the layer shown between two levels of a campaign.

Positions are window pixels from the bottom-left corner (1024 x 512 window).
"""

# Button frames in the sheets: three per button (normal, hover, pressed).
START, QUIT, RESUME, AGAIN = (0, 1, 2), (3, 4, 5), (6, 7, 8), (9, 10, 11)
# The wide buttons' sheet: watch best run, options, back, restore defaults, continue.
WATCH_BEST, OPTIONS, BACK, DEFAULTS = (0, 1, 2), (3, 4, 5), (6, 7, 8), (9, 10, 11)
CONTINUE = (12, 13, 14)
SMALL_PAUSE, SMALL_QUIT = (0, 1, 2), (3, 4, 5)
NEXT = (0, 1, 2)

CONTROLS = ["ARROWS OR WASD: MOVE    SPACE: FIRE    1-4: WEAPON",
            "M: RING BURST    N: MOTION BLUR    ESC: QUIT",
            "P: PAUSE    R: PLAY AGAIN    F11: FULL SCREEN"]


def button(name, x, y, sprite, frames, event=None, layer=None):
    attrs = 'type="button" name="%s"' % name
    if event:
        attrs += ' event="%s"' % event
    if layer:
        attrs += ' layer="%s"' % layer
    return ("    <widget %s>\n      <position x=\"%d\" y=\"%d\"/>\n"
            "      <sprite name=\"%s\" normalFrame=\"%d\" hoverFrame=\"%d\" depressFrame=\"%d\"/>"
            "\n    </widget>" % ((attrs, x, y, sprite) + tuple(frames)))


def image(name, x, y, sprite, scale=(1, 1), animation=None):
    anim = ""
    if animation:
        anim = '\n      <animation name="%s" action="%s"/>' % animation
    return ("    <widget type=\"staticimage\" name=\"%s\">\n      <position x=\"%g\" y=\"%g\"/>\n"
            "      <scale x=\"%g\" y=\"%g\"/>\n      <sprite name=\"%s\" frame=\"0\"/>%s\n"
            "    </widget>" % (name, x, y, scale[0], scale[1], sprite, anim))


def text(name, x, y, words, font="small", scale=1):
    return ("    <widget type=\"text\" name=\"%s\" text=\"%s\" font=\"%s\">\n"
            "      <position x=\"%d\" y=\"%d\"/>\n      <scale x=\"%g\" y=\"%g\"/>\n"
            "    </widget>" % (name, words, font, x, y, scale, scale))


def centred_text(name, y, words, font="small", glyph=12):
    return text(name, (1024 - glyph * len(words)) // 2, y, words, font)


def meter(name, x, y, target, sprite, extra):
    attrs = " ".join('%s="%s"' % kv for kv in extra)
    return ("    <widget type=\"meter\" name=\"%s\" target=\"%s\" %s>\n"
            "      <position x=\"%d\" y=\"%d\"/>\n      <scale x=\"1\" y=\"1\"/>\n"
            "      <sprite name=\"%s\" frame=\"0\"/>\n    </widget>"
            % (name, target, attrs, x, y, sprite))


def option(kind, name, x, y, label, option_name, valuex):
    return ("    <widget type=\"%s\" name=\"%s\" option=\"%s\" text=\"%s\" font=\"small\" "
            "valuex=\"%d\">\n      <position x=\"%d\" y=\"%d\"/>\n    </widget>"
            % (kind, name, option_name, label, valuex, x, y))


# The options screen's rows: volumes and choices on the left, the bindings on the right.
SETTINGS = [("slider", "master", "MASTER VOLUME"), ("slider", "music", "MUSIC VOLUME"),
            ("slider", "effects", "EFFECTS VOLUME"), ("toggle", "fullscreen", "FULL SCREEN"),
            ("toggle", "scaling", "SCALING"), ("toggle", "motionblur", "MOTION BLUR"),
            ("toggle", "vsync", "VSYNC"), ("toggle", "maxfps", "FRAME CAP"),
            ("toggle", "difficulty", "DIFFICULTY")]
BINDINGS = [("up", "UP"), ("down", "DOWN"), ("left", "LEFT"), ("right", "RIGHT"),
            ("fire", "FIRE"), ("weapon1", "WEAPON 1"), ("weapon2", "WEAPON 2"),
            ("weapon3", "WEAPON 3"), ("weapon4", "WEAPON 4"), ("ring", "RING BURST"),
            ("blur", "MOTION BLUR"), ("mute", "MUTE"), ("pause", "PAUSE"),
            ("restart", "PLAY AGAIN"), ("fullscreen", "FULL SCREEN"), ("quit", "QUIT")]


def options_widgets():
    widgets = [shade(), centred_text("heading", 470, "OPTIONS", "big", 24)]
    for row, (kind, name, label) in enumerate(SETTINGS):
        widgets.append(option(kind, name, 40, 420 - 28 * row, label, name, 190))
    # The installed mods, on or off from the next start.
    for row in range(3):
        widgets.append(option("toggle", "mod%d" % (row + 1), 40, 168 - 28 * row,
                              "MOD %d" % (row + 1), "mod:%d" % (row + 1), 190))
    widgets += [button("defaults", 40, 52, "widebuttons", DEFAULTS, event="restoredefaults"),
                button("back", 260, 52, "widebuttons", BACK, event="back")]
    for row, (action, label) in enumerate(BINDINGS):
        widgets.append(option("keycapture", "bind" + action, 580, 436 - 24 * row, label,
                              "bind:" + action, 150))
    widgets.append(text("hint", 40, 12, "ARROWS: CHOOSE   LEFT/RIGHT: CHANGE   ENTER: SET KEY"
                        "   ESC: BACK"))
    return widgets


def shade():
    return image("shade", 0, 0, "shade", (128, 64))


def layer(name, widgets):
    return '  <layer name="%s">\n%s\n  </layer>\n' % (name, "\n".join(widgets))


def layer_set(*layers):
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            "<!-- Written by tools/make_art.py (tools/art/layers.py). -->\n"
            "<layerset>\n%s</layerset>\n" % "".join(layers))


def layer_file(name, widgets):
    return layer_set(layer(name, widgets))


def navigating_layer(name, widgets):
    """A layer operated by keys and the pad as well (focus, Enter, Escape)."""
    return '  <layer name="%s" navigate="yes">\n%s\n  </layer>\n' % (name, "\n".join(widgets))


def final_score():
    return [centred_text("scorelabel", 254, "FINAL SCORE"),
            meter("score", 512, 226, "points", "font_big",
                  [("font", "big"), ("align", "c")])]


def best_score():
    """The best score kept, in the top-right corner."""
    return [text("bestlabel", 800, 480, "BEST"),
            meter("best", 1008, 504, "best", "font_big", [("font", "big"), ("align", "r")])]


def play_again():
    """The end-of-game buttons: quit, and play again below it."""
    return [button("quit", 424, 130, "buttons", QUIT, event="quit"),
            button("again", 424, 72, "buttons", AGAIN, event="restart")]


def layers():
    return {
        "title": layer_set(layer("title", [
            shade(),
            image("logo", 192, 334, "panel_title"),
            image("ship", 461, 248, "ship", (1.6, 1.6), ("ship", "fly")),
            button("start", 424, 166, "buttons", START, event="pause", layer="hud"),
            # Left of Start; shown only while a campaign level beyond the first was reached.
            button("continue", 208, 166, "widebuttons", CONTINUE, event="continue"),
            button("quit", 424, 108, "buttons", QUIT, event="quit"),
            # At the right, below the best score; shown only while the best run is kept.
            button("options", 808, 280, "widebuttons", OPTIONS, event="options"),
            button("watchbest", 808, 222, "widebuttons", WATCH_BEST, event="watchbest"),
            # The difficulty of the next game, below the buttons at the right.
            option("toggle", "difficulty", 800, 196, "DIFFICULTY", "difficulty", 130),
            centred_text("controls1", 62, CONTROLS[0]),
            centred_text("controls2", 36, CONTROLS[1]),
            centred_text("controls3", 10, CONTROLS[2]),
        ] + best_score()), navigating_layer("options", options_widgets())),
        "hud": layer_file("hud", [
            image("bar", 0, 464, "hudbar"),
            text("healthlabel", 16, 480, "HEALTH"),
            meter("health", 96, 479, "health", "health", [("ratio", "10"), ("gap", "3")]),
            text("liveslabel", 262, 480, "SHIPS"),
            meter("lives", 330, 480, "lives", "life", [("gap", "4")]),
            text("scorelabel", 560, 480, "SCORE"),
            meter("score", 630, 472, "points", "font_big", [("font", "big"), ("align", "l")]),
            button("pause", 924, 468, "smallbuttons", SMALL_PAUSE, event="pause",
                   layer="paused"),
            button("quit", 972, 468, "smallbuttons", SMALL_QUIT, event="quit"),
            # A boss's health, one notch per 100 points, under the bar while a boss is in play.
            meter("boss", 16, 440, "boss", "bossmark", [("ratio", "100"), ("gap", "1")]),
        ]),
        "paused": layer_file("paused", [
            shade(),
            image("panel", 322, 300, "panel_paused"),
            button("resume", 424, 216, "buttons", RESUME, event="pause", layer="hud"),
            button("quit", 424, 158, "buttons", QUIT, event="quit"),
            button("options", 412, 100, "widebuttons", OPTIONS, event="options"),
            centred_text("controls1", 62, CONTROLS[0]),
            centred_text("controls2", 36, CONTROLS[1]),
            centred_text("controls3", 10, CONTROLS[2]),
        ]),
        "gameover": layer_file("gameover", [
            shade(),
            image("panel", 252, 300, "panel_gameover"),
        ] + final_score() + play_again() + best_score()),
        # The game's end, and the pause between two levels of a campaign: the next level
        # starts with the button or by itself after a few seconds.
        "complete": layer_set(layer("complete", [
            shade(),
            image("panel", 152, 300, "panel_complete"),
        ] + final_score() + play_again()), layer("nextlevel", [
            shade(),
            image("panel", 152, 300, "panel_complete"),
            centred_text("scorelabel", 254, "SCORE"),
            meter("score", 512, 226, "points", "font_big", [("font", "big"), ("align", "c")]),
            button("next", 424, 130, "nextbutton", NEXT, event="nextlevel"),
            centred_text("ready", 62, "THE NEXT LEVEL STARTS IN A MOMENT"),
        ])),
    }
