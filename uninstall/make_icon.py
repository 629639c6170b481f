#!/usr/bin/env python3
"""Draws the uninstaller's icon and writes it as uninstall.ico beside this script.

An open carton with a red arrow rising out of it, at 32 x 32 and 16 x 16 pixels, 16 colours with
an AND mask: the setup program's carton, emptied. Plain arithmetic only, so that every run
writes the same bytes.
"""
import os
import struct

CLEAR = None
CARTON = (196, 140, 72)
CARTON_DARK = (140, 92, 40)
FLAP = (222, 176, 110)
OUTLINE = (72, 44, 16)
ARROW = (214, 48, 40)
ARROW_DARK = (140, 20, 16)


def draw(size):
    """Rows of (r, g, b) or CLEAR, top row first, for an icon of size x size pixels."""
    s = size / 32.0
    rows = [[CLEAR] * size for _ in range(size)]

    def fill(left, top, right, bottom, colour):
        for y in range(int(top * s), int(bottom * s)):
            for x in range(int(left * s), int(right * s)):
                if 0 <= x < size and 0 <= y < size:
                    rows[y][x] = colour

    # The carton: front face, darker side, open flaps, outline.
    fill(4, 16, 24, 31, CARTON)
    fill(24, 14, 29, 29, CARTON_DARK)
    fill(2, 12, 12, 16, FLAP)
    fill(16, 12, 26, 16, FLAP)
    fill(4, 30, 24, 31, OUTLINE)
    fill(4, 16, 5, 31, OUTLINE)
    fill(23, 16, 24, 31, OUTLINE)
    fill(4, 16, 24, 17, OUTLINE)
    # The arrow: a head pointing up out of the carton, and its shaft reaching into it.
    for step in range(7):
        fill(14 - step, 1 + step, 15 + step, 2 + step, ARROW)
    fill(12, 8, 17, 22, ARROW)
    fill(12, 8, 13, 22, ARROW_DARK)
    return rows


PALETTE = [(0, 0, 0), CARTON, CARTON_DARK, FLAP, OUTLINE, ARROW, ARROW_DARK] + [(0, 0, 0)] * 9


def image(size):
    rows = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    stride = ((size * 4 + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):  # bottom row first
        line = bytearray(stride)
        for x, colour in enumerate(row):
            index = 0 if colour is CLEAR else PALETTE.index(colour)
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        pixels += line
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, colour in enumerate(row):
            if colour is CLEAR:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + palette + bytes(pixels) + bytes(mask)


def icon(sizes):
    images = [image(size) for size in sizes]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    return bytes(out)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "uninstall.ico"), "wb") as f:
        f.write(icon([32, 16]))
