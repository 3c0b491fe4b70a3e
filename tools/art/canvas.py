"""An RGBA drawing surface with anti-aliased shapes, enough for clean vector-ish pixel art.

Coordinates are pixels with x to the right and y downwards (image rows top first, as PNG
stores them); a pixel (x, y) covers the square from (x, y) to (x + 1, y + 1). Colours are
(r, g, b, a) tuples of floats 0..1, or callables (x, y) -> colour for gradients and
textures. Drawing composites with "source over".
"""

import math


def mix(c0, c1, t):
    """Linear blend of two colours, t = 0 gives c0."""
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def hex_colour(text, alpha=1.0):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) / 255.0 for i in (0, 2, 4)) + (alpha,)


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


class Canvas:
    def __init__(self, width, height, fill=(0.0, 0.0, 0.0, 0.0)):
        self.width, self.height = width, height
        self.px = [list(fill) for _ in range(width * height)]

    def get(self, x, y):
        return tuple(self.px[y * self.width + x])

    def set(self, x, y, colour):
        self.px[y * self.width + x] = list(colour)

    def blend(self, x, y, colour, coverage=1.0):
        """Composite colour over pixel (x, y) with the given coverage (0..1)."""
        if not (0 <= x < self.width and 0 <= y < self.height) or coverage <= 0.0:
            return
        if callable(colour):
            colour = colour(x + 0.5, y + 0.5)
        a = colour[3] * min(coverage, 1.0)
        if a <= 0.0:
            return
        dst = self.px[y * self.width + x]
        out_a = a + dst[3] * (1.0 - a)
        for i in range(3):
            dst[i] = (colour[i] * a + dst[i] * dst[3] * (1.0 - a)) / out_a
        dst[3] = out_a

    def polygon(self, points, colour, samples=4):
        """Fill a polygon (list of (x, y)) with anti-aliased edges (even-odd rule)."""
        ys = [p[1] for p in points]
        y0, y1 = max(0, int(math.floor(min(ys)))), min(self.height, int(math.ceil(max(ys))))
        edges = list(zip(points, points[1:] + points[:1]))
        for y in range(y0, y1):
            cover = {}
            for s in range(samples):
                sy = y + (s + 0.5) / samples
                xs = sorted(ax + (sy - ay) * (bx - ax) / (by - ay)
                            for (ax, ay), (bx, by) in edges
                            if (ay <= sy < by) or (by <= sy < ay))
                for left, right in zip(xs[0::2], xs[1::2]):
                    self._span(cover, left, right, 1.0 / samples)
            for x, c in cover.items():
                self.blend(x, y, colour, c)

    def _span(self, cover, left, right, weight):
        left, right = max(left, 0.0), min(right, float(self.width))
        if right <= left:
            return
        xa, xb = int(left), int(right)
        if xa == xb:
            cover[xa] = cover.get(xa, 0.0) + (right - left) * weight
            return
        cover[xa] = cover.get(xa, 0.0) + (xa + 1 - left) * weight
        for x in range(xa + 1, xb):
            cover[x] = cover.get(x, 0.0) + weight
        if xb < self.width:
            cover[xb] = cover.get(xb, 0.0) + (right - xb) * weight

    def ellipse(self, cx, cy, rx, ry, colour):
        """Fill an ellipse centred at (cx, cy) with a one-pixel soft edge."""
        for y in range(max(0, int(cy - ry - 1)), min(self.height, int(cy + ry + 2))):
            for x in range(max(0, int(cx - rx - 1)), min(self.width, int(cx + rx + 2))):
                dx, dy = (x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry
                d = math.sqrt(dx * dx + dy * dy)
                edge = (1.0 - d) * min(rx, ry) + 0.5
                self.blend(x, y, colour, clamp(edge))

    def glow(self, cx, cy, radius, colour, power=2.0):
        """Additive radial glow, strongest at the centre and fading to nothing at radius."""
        for y in range(max(0, int(cy - radius)), min(self.height, int(cy + radius + 1))):
            for x in range(max(0, int(cx - radius)), min(self.width, int(cx + radius + 1))):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy) / radius
                if d < 1.0:
                    self.blend(x, y, colour, (1.0 - d) ** power)

    def line(self, x0, y0, x1, y1, width, colour):
        """A straight stroke drawn as a thin polygon."""
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / length * width / 2, dx / length * width / 2
        self.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny),
                      (x0 - nx, y0 - ny)], colour)

    def paste(self, other, ox, oy):
        """Composite another canvas onto this one with its top-left corner at (ox, oy)."""
        for y in range(other.height):
            for x in range(other.width):
                c = other.px[y * other.width + x]
                if c[3] > 0.0:
                    self.blend(ox + x, oy + y, tuple(c))

    def rgba_bytes(self):
        out = bytearray()
        for r, g, b, a in self.px:
            if a <= 0.0:
                out += b"\x00\x00\x00\x00"
            else:
                out += bytes(int(round(clamp(v) * 255)) for v in (r, g, b, a))
        return bytes(out)
