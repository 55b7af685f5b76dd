#!/usr/bin/env python3
"""Draws the desktop icons of the Linux install: PNG files of the program's diamond.

Run from anywhere: python3 packaging/make_icons.py. Standard library only (zlib for PNG).
It writes packaging/linux/icons/ombrelith-<size>.png for every size the desktop's icon theme asks
for. The picture is the one of resources/images/icon.bmp (a cyan diamond outline on black),
drawn in its 32-pixel design space and scaled: each pixel is sampled 8x8 times and its
cyan share blended over black, so large sizes get smooth edges.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "linux", "icons")
SIZES = (16, 22, 24, 32, 48, 64, 128, 256)

DESIGN = 32                   # the icon.bmp grid
RING = (12.5, 14.5)           # the outline's band of |x - c| + |y - c| on that grid
CYAN = (0, 255, 255)
SAMPLES = 8


def coverage(size, px, py):
    """The share of pixel (px, py) of a size x size image that falls on the outline."""
    scale = DESIGN / size
    centre = (DESIGN - 1) / 2
    # Below 32 pixels a 2-unit outline is thinner than a pixel on the diagonals and turns
    # grey: keep it at least 1.5 pixels wide there.
    middle = sum(RING) / 2
    half = max((RING[1] - RING[0]) / 2, 0.75 * scale)
    hits = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            # A design-space pixel x covers [x - 0.5, x + 0.5]: sample positions accordingly.
            x = (px + (sx + 0.5) / SAMPLES) * scale - 0.5
            y = (py + (sy + 0.5) / SAMPLES) * scale - 0.5
            d = abs(x - centre) + abs(y - centre)
            if abs(d - middle) <= half:
                hits += 1
    return hits / (SAMPLES * SAMPLES)


def draw(size):
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            share = coverage(size, px, py)
            row += bytes(round(channel * share) for channel in CYAN)
        rows.append(bytes(row))
    return rows


def png_bytes(rows):
    height = len(rows)
    width = len(rows[0]) // 3

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)  # 8-bit RGB
    raw = b"".join(b"\0" + row for row in rows)  # filter type 0 on every scanline
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    os.makedirs(OUT, exist_ok=True)
    for size in SIZES:
        with open(os.path.join(OUT, "ombrelith-%d.png" % size), "wb") as f:
            f.write(png_bytes(draw(size)))


if __name__ == "__main__":
    main()
