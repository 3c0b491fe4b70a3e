"""Turning a canvas into a PNG file of a chosen colour type, and checking it decodes back."""

import os

from . import png


def _quantised(rgba, step):
    out = bytearray(rgba)
    for i in range(0, len(out), 4):
        if out[i + 3] == 0:
            out[i:i + 4] = b"\x00\x00\x00\x00"
            continue
        for j in range(4):
            v = out[i + j]
            out[i + j] = min(255, (v + step // 2) // step * step) if step > 1 else v
    return bytes(out)


def _palette_of(rgba, limit):
    """Reduce the colour precision until at most `limit` distinct colours remain."""
    step = 1
    while True:
        data = _quantised(rgba, step)
        colours = {tuple(data[i:i + 4]) for i in range(0, len(data), 4)}
        if len(colours) <= limit:
            # Transparent entries first, so the tRNS chunk stays short.
            palette = sorted(colours, key=lambda c: (c[3] == 255, c))
            return data, palette
        step += 1


def save(canvas, path, kind, depth=8):
    """Write canvas as kind "rgba", "rgb", "grey_alpha" or "palette" (depth 1, 2, 4 or 8)."""
    rgba = canvas.rgba_bytes()
    w, h = canvas.width, canvas.height
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if kind == "rgba":
        png.write(path, w, h, rgba, png.RGBA)
        expected = rgba
    elif kind == "rgb":
        expected = bytes(v if i % 4 != 3 else 255 for i, v in enumerate(rgba))
        png.write(path, w, h, expected, png.RGB)
    elif kind == "grey_alpha":
        expected = bytearray(rgba)
        for i in range(0, len(expected), 4):
            grey = (expected[i] * 299 + expected[i + 1] * 587 + expected[i + 2] * 114) // 1000
            expected[i:i + 3] = bytes((grey, grey, grey))
        expected = bytes(expected)
        png.write(path, w, h, expected, png.GREY_ALPHA)
    elif kind == "palette":
        expected, palette = _palette_of(rgba, 1 << depth)
        png.write(path, w, h, expected, png.PALETTE, palette=palette, depth=depth)
    else:
        raise ValueError("unknown PNG kind " + kind)
    check(path, w, h, expected)


def check(path, width, height, expected):
    """Decode the written file and compare it with the pixels that were meant."""
    w, h, data = png.read(path)
    if (w, h) != (width, height) or data != expected:
        raise RuntimeError(path + ": decodes to different pixels")
