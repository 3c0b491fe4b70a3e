"""Checks the game's data folder for mistakes the game would only report at run time.

Every PNG must decode (CRCs checked) to a size that holds its frames; every name a level,
layer, font or the configuration uses must exist; every frame number must be in range.
Returns a list of problems, each naming the file and what is wrong.
"""

import os
import xml.etree.ElementTree as ET

from . import png


class Data:
    def __init__(self, root):
        self.root = root
        self.problems = []
        self.sprites = {}
        self.animations = {}
        self.fonts = {}

    def path(self, relative):
        return os.path.join(self.root, relative.replace("\\", "/"))

    def parse(self, relative):
        try:
            return ET.parse(self.path(relative)).getroot()
        except (OSError, ET.ParseError) as error:
            self.problem(relative, "cannot be read: %s" % error)
            return None

    def problem(self, where, what):
        self.problems.append("%s: %s" % (where, what))


def load_sprites(d, relative):
    root = d.parse(relative)
    if root is None:
        return
    base = root.get("basedir", "")
    for sprite in root.iter("sprite"):
        image = sprite.find("image")
        name = sprite.get("name")
        size = [int(image.get(k, "0")) for k in ("swidth", "sheight", "numframes", "rows",
                                                  "columns")]
        d.sprites[name] = size
        file = os.path.join(base, image.text.strip())
        try:
            width, height, _ = png.read(d.path(file))
        except (OSError, ValueError) as error:
            d.problem(file, "does not decode: %s" % error)
            continue
        fw, fh, count, rows, columns = size
        if min(size) <= 0 or count > rows * columns:
            d.problem(relative, "sprite %s has a bad frame layout %s" % (name, size))
        elif fw * columns > width or fh * rows > height:
            d.problem(file, "is %dx%d, too small for %d x %d frames of %dx%d"
                      % (width, height, columns, rows, fw, fh))


def load_animations(d, relative):
    root = d.parse(relative)
    if root is None:
        return
    for anim in root.iter("animation"):
        actions = {}
        for action in anim.iter("action"):
            keys = [(int(k.get("frameid", "0")), int(k.get("time", "0")))
                    for k in action.iter("keyframe")]
            total = int(action.get("totaltime", "0"))
            if not keys or total <= 0 or [t for _, t in keys] != sorted(t for _, t in keys):
                d.problem(relative, "action %s of %s needs keyframes in rising time and a "
                          "positive totaltime" % (action.get("name"), anim.get("name")))
            actions[action.get("name")] = [f for f, _ in keys]
        d.animations[anim.get("name")] = actions


def load_fonts(d, relative):
    root = d.parse(relative)
    if root is None:
        return
    for font in root.iter("font"):
        sprite = font.get("sprite")
        d.fonts[font.get("name")] = sprite
        frames = [int(e.get("frame", "0")) for e in font.iter("entry")]
        use_sprite(d, relative, sprite, frames)


def use_sprite(d, where, name, frames=(0,)):
    if name not in d.sprites:
        d.problem(where, "names the unknown sprite %s" % name)
        return
    count = d.sprites[name][2]
    for f in frames:
        if not 0 <= f < count:
            d.problem(where, "frame %d is out of range for sprite %s (%d frames)"
                      % (f, name, count))


def use_animation(d, where, sprite, element):
    if element is None:
        return
    name, action = element.get("name"), element.get("action")
    if name not in d.animations or action not in d.animations[name]:
        d.problem(where, "names the unknown animation %s / action %s" % (name, action))
        return
    use_sprite(d, where, sprite, d.animations[name][action])


def check_layers(d, relative, layer_names):
    root = d.parse(relative)
    if root is None:
        return []
    targets = []
    for layer in root.iter("layer"):
        layer_names.append(layer.get("name"))
        for w in layer.iter("widget"):
            where = "%s (widget %s)" % (relative, w.get("name"))
            kind = w.get("type")
            sprite = w.find("sprite")
            if kind == "button":
                use_sprite(d, where, sprite.get("name"),
                           [int(sprite.get(k, "0")) for k in ("normalFrame", "hoverFrame",
                                                              "depressFrame")])
                if w.get("layer"):
                    targets.append((where, w.get("layer")))
            elif kind in ("staticimage", "meter"):
                use_sprite(d, where, sprite.get("name"), [int(sprite.get("frame", "0"))])
                use_animation(d, where, sprite.get("name"), w.find("animation"))
                if kind == "meter" and w.get("font") and w.get("font") not in d.fonts:
                    d.problem(where, "names the unknown font %s" % w.get("font"))
            elif kind in ("text", "slider", "toggle", "keycapture"):
                if w.get("font") not in d.fonts:
                    d.problem(where, "names the unknown font %s" % w.get("font"))
            else:
                d.problem(where, "has an unknown widget type %s" % kind)
            # Buttons and the options screen's rows are drawn at their own size.
            if kind not in ("button", "slider", "toggle", "keycapture") and \
                    w.find("scale") is None:
                d.problem(where, "has no scale and would not be seen")
    return targets


def check_level(d, relative):
    root = d.parse(relative)
    if root is None:
        return
    player = root.find("player")
    sprite = player.find("sprite").get("name")
    use_sprite(d, relative + " (player)", sprite)
    use_animation(d, relative + " (player)", sprite, player.find("animation"))
    use_sprite(d, relative + " (player shots)", player.find("projectile").get("sprite"))
    bg = root.find("bg").find("sprite")
    for layer in ("back", "middle", "front"):
        use_sprite(d, relative + " (bg)", bg.get(layer))
    for enemy in root.iter("enemy"):
        where = "%s (enemy %s)" % (relative, enemy.get("name"))
        name = enemy.find("sprite").get("name")
        use_sprite(d, where, name)
        use_animation(d, where, name, enemy.find("animation"))
        shots = enemy.find("projectile")
        if shots.get("shoots") == "yes":
            use_sprite(d, where, shots.get("sprite"))


def check(root):
    d = Data(root)
    config = d.parse("config.xml")
    if config is None:
        return d.problems
    for tag, loader in (("spritesetfile", load_sprites), ("animationsetfile", load_animations),
                        ("fontsetfile", load_fonts)):
        for element in config.iter(tag):
            loader(d, element.text.strip())
    layer_names, targets = [], []
    gui = config.find("guicfg")
    for element in gui.iter("layersetfile"):
        targets += check_layers(d, element.text.strip(), layer_names)
    targets += [("config.xml", gui.get("default")),
                ("config.xml", config.get("gameoverlayer")),
                ("config.xml", config.get("gamecompletelayer"))]
    for where, name in targets:
        if name not in layer_names:
            d.problem(where, "names the unknown layer %s" % name)
    boom = config.find("explosioncfg")
    use_sprite(d, "config.xml (explosioncfg)", boom.get("sprite"),
               d.animations.get(boom.get("anim"), {}).get(boom.get("action"), [-1]))
    check_level(d, config.find("defaults").get("level"))
    try:
        png.read(d.path("icon.png"))
    except (OSError, ValueError) as error:
        d.problem("icon.png", "does not decode: %s" % error)
    return list(dict.fromkeys(d.problems))
