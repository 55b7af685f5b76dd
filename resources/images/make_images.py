#!/usr/bin/env python3
"""Draws the program's images and writes them as BMP files (plus icon.ico for Windows).

Run from anywhere: python3 resources/images/make_images.py. Standard library only.
  icon.bmp         32x32, 4 bits (16 colours): a cyan diamond outline on black
  icon.ico         the same picture as a Windows icon
  open_glyph.bmp   23x23, 24 bits: a yellow folder on black (Open button)
  about_glyph.bmp  32x32, 32 bits: the cyan diamond (About button)
  hand1..4.bmp     32x32, 4 bits: a white open hand on black, fingers up, right, down, left
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

BLACK = (0, 0, 0)
CYAN = (0, 255, 255)
WHITE = (255, 255, 255)
YELLOW = (255, 255, 0)
OLIVE = (128, 128, 0)
GREY = (128, 128, 128)

# The 16-colour palette of the 4-bit images (the classic one).
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def blank(w, h, colour=BLACK):
    return [[colour] * w for _ in range(h)]


def diamond(size=32):
    img = blank(size, size)
    c = (size - 1) / 2
    for y in range(size):
        for x in range(size):
            d = abs(x - c) + abs(y - c)
            if 12.5 <= d <= 14.5:
                img[y][x] = CYAN
    return img


def folder():
    img = blank(23, 23)
    for y in range(4, 19):
        for x in range(2, 21):
            tab = y < 7 and x <= 9
            body = y >= 7
            if not (tab or body):
                continue
            edge = y in (4, 18) if tab else y in (7, 18)
            edge = edge or x in (2, 20) or (tab and x == 9)
            img[y][x] = OLIVE if edge else YELLOW
    return img


def hand_up():
    img = blank(32, 32)

    def fill(x0, y0, x1, y1):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                img[y][x] = WHITE

    fill(11, 15, 22, 26)   # palm
    fill(11, 6, 12, 14)    # fingers, with a 1-pixel gap between them
    fill(14, 3, 15, 14)
    fill(17, 4, 18, 14)
    fill(20, 7, 21, 14)
    for i in range(6):     # thumb, slanting out to the left
        fill(8 - i // 2, 20 - i, 10 - i // 2, 21 - i)
    fill(13, 27, 20, 30)   # wrist
    for (x, y) in ((11, 15), (22, 15), (11, 26), (22, 26)):
        img[y][x] = BLACK  # round the palm's corners
    return img


def rotate_clockwise(img):
    h = len(img)
    w = len(img[0])
    return [[img[h - 1 - x][y] for x in range(h)] for y in range(w)]


def bmp_bytes(img, bits, with_file_header=True, alpha=None):
    h = len(img)
    w = len(img[0])
    row_bytes = ((w * bits + 31) // 32) * 4
    rows = []
    for y in range(h - 1, -1, -1):  # bottom-up
        row = bytearray()
        if bits == 4:
            idx = [PALETTE16.index(img[y][x]) for x in range(w)]
            for x in range(0, w, 2):
                hi = idx[x]
                lo = idx[x + 1] if x + 1 < w else 0
                row.append((hi << 4) | lo)
        elif bits == 24:
            for x in range(w):
                r, g, b = img[y][x]
                row += bytes((b, g, r))
        else:
            for x in range(w):
                r, g, b = img[y][x]
                a = 255 if alpha is None else alpha(x, y)
                row += bytes((b, g, r, a))
        row += b"\0" * (row_bytes - len(row))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    palette = b""
    if bits == 4:
        palette = b"".join(bytes((b, g, r, 0)) for (r, g, b) in PALETTE16)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(pixels), 2835, 2835,
                       16 if bits == 4 else 0, 0)
    body = info + palette + pixels
    if not with_file_header:
        return body
    offset = 14 + len(info) + len(palette)
    return struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, offset) + body


def ico_bytes(img):
    """A one-image .ico: the 4-bit DIB with doubled height and an all-opaque AND mask."""
    h = len(img)
    w = len(img[0])
    dib = bytearray(bmp_bytes(img, 4, with_file_header=False))
    struct.pack_into("<i", dib, 8, h * 2)
    mask_row = ((w + 31) // 32) * 4
    dib += b"\0" * (mask_row * h)
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", w, h, 16, 0, 1, 4, len(dib), 6 + 16)
    return header + entry + bytes(dib)


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def main():
    icon = diamond()
    write("icon.bmp", bmp_bytes(icon, 4))
    write("icon.ico", ico_bytes(icon))
    write("open_glyph.bmp", bmp_bytes(folder(), 24))
    write("about_glyph.bmp", bmp_bytes(diamond(), 32))
    frame = hand_up()
    for n in range(1, 5):
        write("hand%d.bmp" % n, bmp_bytes(frame, 4))
        frame = rotate_clockwise(frame)


if __name__ == "__main__":
    main()
