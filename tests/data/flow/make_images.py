#!/usr/bin/env python3
"""Writes the small RGBA PNG images of the game-flow test data set into images/ (and icon.png).

Every image is made of solid blocks of colour so that screenshots can find things by colour.
Run it from this directory; the PNG files are committed, so it is only needed to change them.
"""
import struct
import zlib

CLEAR = (0, 0, 0, 0)


def png(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b, a) with y counted from the top row."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)  # filter type None
        for x in range(width):
            rows.extend(pixel(x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"IDAT", zlib.compress(bytes(rows), 9)))
        out.write(chunk(b"IEND", b""))


def solid(colour):
    return lambda x, y: colour + (255,)


def frames(width, colours):
    """A one-row sheet: frame i (width pixels wide) filled with colours[i]."""
    return lambda x, y: colours[min(x // width, len(colours) - 1)] + (255,)


def glyphs(x, y):
    """Sixteen 8 x 8 glyph cells, each a 6 x 6 white block inside a clear border."""
    cx = x % 8
    return (255, 255, 255, 255) if 1 <= cx <= 6 and 1 <= y <= 6 else CLEAR


png("icon.png", 16, 16, solid((255, 255, 255)))
png("images/ship.png", 32, 16, solid((0, 255, 0)))
png("images/enemy.png", 32, 32, solid((255, 0, 0)))
png("images/shot.png", 8, 4, solid((255, 255, 0)))
png("images/boom.png", 32, 32, solid((255, 64, 0)))
png("images/clear.png", 64, 64, lambda x, y: CLEAR)
png("images/terrain.png", 1024, 32, solid((128, 64, 0)))
# Buttons: normal blue, hover cyan, pressed white, and the quit button's purple normal frame.
png("images/buttons.png", 256, 32,
    frames(64, [(0, 0, 255), (0, 255, 255), (255, 255, 255), (128, 0, 128)]))
# Meter icons: health orange, lives pink.
png("images/icons.png", 32, 16, frames(16, [(255, 128, 0), (255, 0, 128)]))
png("images/glyphs.png", 128, 8, glyphs)
# Panels: title grey, game over violet, game complete teal.
png("images/panels.png", 256, 64,
    frames(64, [(128, 128, 128), (160, 0, 160), (0, 160, 160), (0, 0, 0)]))
