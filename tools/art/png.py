"""A small PNG writer and reader (standard library only).

The writer stores 8-bit RGBA pixels in one of the standard colour types, so the game's
decoder meets every kind it supports: RGBA (6), RGB (2), grey with alpha (4) and palette (3,
at 8, 4, 2 or 1 bits, with a tRNS chunk for transparent entries). Rows are filtered with the
filter type that gives the smallest sum of absolute differences, as common encoders do.

The reader decodes exactly what the writer produces (no interlacing) and is used to check
that every written file decodes back to the pixels that were meant.
"""

import struct
import zlib

RGB, PALETTE, GREY_ALPHA, RGBA = 2, 3, 4, 6
_CHANNELS = {0: 1, RGB: 3, PALETTE: 1, GREY_ALPHA: 2, RGBA: 4}
_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _filter_row(kind, row, prev, bpp):
    out = bytearray(len(row))
    for i, x in enumerate(row):
        a = row[i - bpp] if i >= bpp else 0
        b = prev[i]
        c = prev[i - bpp] if i >= bpp else 0
        if kind == 1:
            p = a
        elif kind == 2:
            p = b
        elif kind == 3:
            p = (a + b) >> 1
        elif kind == 4:
            p = _paeth(a, b, c)
        else:
            p = 0
        out[i] = (x - p) & 0xFF
    return out


def _cost(data):
    return sum(v if v < 128 else 256 - v for v in data)


def _filtered(rows, bpp):
    prev = bytes(len(rows[0])) if rows else b""
    out = bytearray()
    for row in rows:
        candidates = [_filter_row(k, row, prev, bpp) for k in range(5)]
        kind = min(range(5), key=lambda k: _cost(candidates[k]))
        out.append(kind)
        out += candidates[kind]
        prev = row
    return bytes(out)


def _pack_indices(indices, depth):
    if depth == 8:
        return bytes(indices)
    per_byte = 8 // depth
    out = bytearray()
    for i in range(0, len(indices), per_byte):
        byte = 0
        group = indices[i:i + per_byte]
        for j, v in enumerate(group):
            byte |= v << (8 - depth * (j + 1))
        out.append(byte)
    return bytes(out)


def write(path, width, height, rgba, colour_type=RGBA, palette=None, depth=8):
    """Write rgba (bytes, width*height*4, rows top first) as a PNG of the given colour type.

    For PALETTE, palette is the list of (r, g, b, a) entries and every pixel must use one of
    them; depth may be 1, 2, 4 or 8 when the palette is small enough.
    """
    rows = []
    stride = width * 4
    lookup = {c: i for i, c in enumerate(palette)} if palette else None
    for y in range(height):
        line = rgba[y * stride:(y + 1) * stride]
        if colour_type == RGBA:
            rows.append(bytes(line))
        elif colour_type == RGB:
            rows.append(bytes(v for i, v in enumerate(line) if i % 4 != 3))
        elif colour_type == GREY_ALPHA:
            rows.append(bytes(v for i, v in enumerate(line) if i % 4 in (0, 3)))
        elif colour_type == PALETTE:
            idx = [lookup[tuple(line[i:i + 4])] for i in range(0, stride, 4)]
            rows.append(_pack_indices(idx, depth))
        else:
            raise ValueError("unsupported colour type")
    bpp = max(1, _CHANNELS[colour_type] * depth // 8)
    header = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 0)
    chunks = [_chunk(b"IHDR", header)]
    if colour_type == PALETTE:
        chunks.append(_chunk(b"PLTE", bytes(v for c in palette for v in c[:3])))
        alphas = [c[3] for c in palette]
        while alphas and alphas[-1] == 255:
            alphas.pop()
        if alphas:
            chunks.append(_chunk(b"tRNS", bytes(alphas)))
    chunks.append(_chunk(b"tEXt", b"Software\x00Glimmerax make_art.py"))
    chunks.append(_chunk(b"IDAT", zlib.compress(_filtered(rows, bpp), 9)))
    chunks.append(_chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(_SIGNATURE + b"".join(chunks))


def _unfilter(data, width, height, channels, depth):
    stride = (width * channels * depth + 7) // 8
    bpp = max(1, channels * depth // 8)
    rows, prev, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind = data[pos]
        line = bytearray(data[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            p = [0, a, b, (a + b) >> 1, _paeth(a, b, c)][kind]
            line[i] = (line[i] + p) & 0xFF
        rows.append(line)
        prev = line
    return rows


def _samples(line, count, depth):
    if depth == 8:
        return list(line[:count])
    per_byte, mask = 8 // depth, (1 << depth) - 1
    return [(line[i // per_byte] >> (8 - depth * (i % per_byte + 1))) & mask for i in range(count)]


def read(path):
    """Decode a PNG written by write(); returns (width, height, rgba bytes). Checks CRCs."""
    with open(path, "rb") as f:
        blob = f.read()
    if blob[:8] != _SIGNATURE:
        raise ValueError(path + ": not a PNG")
    pos, idat, palette, trns = 8, b"", [], b""
    while True:
        (length,) = struct.unpack(">I", blob[pos:pos + 4])
        kind, data = blob[pos + 4:pos + 8], blob[pos + 8:pos + 8 + length]
        (crc,) = struct.unpack(">I", blob[pos + 8 + length:pos + 12 + length])
        if zlib.crc32(kind + data) & 0xFFFFFFFF != crc:
            raise ValueError(path + ": bad CRC in " + kind.decode())
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", data)
        elif kind == b"PLTE":
            palette = [tuple(data[i:i + 3]) for i in range(0, len(data), 3)]
        elif kind == b"tRNS":
            trns = data
        elif kind == b"IDAT":
            idat += data
        elif kind == b"IEND":
            break
    if interlace:
        raise ValueError(path + ": interlaced files are not written here")
    channels = _CHANNELS[ctype]
    rows = _unfilter(zlib.decompress(idat), width, height, channels, depth)
    out = bytearray()
    for line in rows:
        values = _samples(line, width * channels, depth)
        for x in range(width):
            px = values[x * channels:(x + 1) * channels]
            if ctype == RGBA:
                out += bytes(px)
            elif ctype == RGB:
                out += bytes(px) + b"\xff"
            elif ctype == GREY_ALPHA:
                out += bytes((px[0], px[0], px[0], px[1]))
            else:
                i = px[0]
                out += bytes(palette[i]) + bytes((trns[i] if i < len(trns) else 255,))
    return width, height, bytes(out)
