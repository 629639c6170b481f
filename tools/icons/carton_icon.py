"""The carton icon of the setup program and the uninstaller: an open carton with an arrow, at
32 x 32 and 16 x 16 pixels, 16 colours with an AND mask (the setup program's icon is part of the
bare setup image, which has a size budget). Plain arithmetic only, so that every run writes the
same bytes. Each program's make_icon.py draws its own arrow.
"""
import struct

CLEAR = None
CARTON = (196, 140, 72)
CARTON_DARK = (140, 92, 40)
FLAP = (222, 176, 110)
OUTLINE = (72, 44, 16)


def draw(size, draw_arrow):
    """Rows of (r, g, b) or CLEAR, top row first: the carton, then the arrow that
    draw_arrow(fill) paints with fill(left, top, right, bottom, colour) on a 32 x 32 grid."""
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
    draw_arrow(fill)
    return rows


def image(size, draw_arrow, palette):
    rows = draw(size, draw_arrow)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    stride = ((size * 4 + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):  # bottom row first
        line = bytearray(stride)
        for x, colour in enumerate(row):
            index = 0 if colour is CLEAR else palette.index(colour)
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
    return header + colours + bytes(pixels) + bytes(mask)


def icon(draw_arrow, arrow, arrow_dark, sizes=(32, 16)):
    """The .ico file's bytes, with the arrow's two colours."""
    palette = [(0, 0, 0), CARTON, CARTON_DARK, FLAP, OUTLINE, arrow, arrow_dark] + [(0, 0, 0)] * 9
    images = [image(size, draw_arrow, palette) for size in sizes]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    return bytes(out)
