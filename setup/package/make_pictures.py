#!/usr/bin/env python3
"""Draws the setup's two pictures and writes them as BMP files beside this script.

page.bmp     32 x 32, 32 bits per pixel: a tax form with a coin, shown in the corner of every page.
welcome.bmp  80 x 281, 24 bits per pixel: the side banner of the welcome page.

Plain arithmetic only, so that every run writes the same bytes.
"""
import os
import struct

AQUA = (0, 255, 255)
YELLOW = (255, 255, 0)
BLUE = (0, 0, 255)
NAVY = (0, 0, 128)
WHITE = (255, 255, 255)
GOLD = (204, 153, 0)


class Canvas:
    def __init__(self, width, height, colour):
        self.width = width
        self.height = height
        self.rows = [[colour] * width for _ in range(height)]  # top row first

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def rectangle(self, left, top, right, bottom, colour):
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                self.put(x, y, colour)

    def frame(self, left, top, right, bottom, colour):
        for x in range(left, right + 1):
            self.put(x, top, colour)
            self.put(x, bottom, colour)
        for y in range(top, bottom + 1):
            self.put(left, y, colour)
            self.put(right, y, colour)

    def ellipse(self, cx, cy, rx, ry, fill, edge):
        """Fills the ellipse; pixels near its border take the edge colour."""
        for y in range(cy - ry, cy + ry + 1):
            for x in range(cx - rx, cx + rx + 1):
                d = ((x - cx) / (rx + 0.4)) ** 2 + ((y - cy) / (ry + 0.4)) ** 2
                if d <= 1.0:
                    inner = ((x - cx) / max(rx - 0.8, 0.5)) ** 2 + ((y - cy) / max(ry - 0.8, 0.5)) ** 2
                    self.put(x, y, fill if inner <= 1.0 else edge)


def bmp_bytes(canvas, bits):
    """A BMP file: 14-byte file header, 40-byte BITMAPINFOHEADER, rows from the bottom up."""
    pixel_size = bits // 8
    row_size = (canvas.width * pixel_size + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(canvas.rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r)) + (b"\0" if bits == 32 else b"")
        pixels += line + b"\0" * (row_size - len(line))
    offset = 14 + 40
    file_header = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    info_header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, bits, 0, len(pixels),
                              2835, 2835, 0, 0)
    return file_header + info_header + bytes(pixels)


def form(canvas, left, top, right, bottom, line_step):
    """A white sheet with a blue border, a folded corner and ruled lines."""
    canvas.rectangle(left, top, right, bottom, WHITE)
    canvas.frame(left, top, right, bottom, BLUE)
    fold = max(3, (right - left) // 5)
    for i in range(fold):
        for j in range(fold - i):
            canvas.put(right - j, top + i, AQUA if j < fold - i - 1 else BLUE)
    for y in range(top + line_step + 1, bottom - 1, line_step):
        canvas.rectangle(left + 2, y, right - 2 - (fold if y < top + fold else 0), y, NAVY)


def page_picture():
    canvas = Canvas(32, 32, AQUA)
    form(canvas, 3, 2, 20, 28, 4)
    canvas.ellipse(22, 21, 8, 8, YELLOW, GOLD)
    canvas.ellipse(22, 21, 4, 4, YELLOW, GOLD)
    return canvas


def welcome_picture():
    canvas = Canvas(80, 281, BLUE)
    for y in range(281):
        green = round(255 * y / 280)
        canvas.rectangle(0, y, 79, y, (0, green, 255))
    form(canvas, 12, 24, 67, 104, 8)
    canvas.ellipse(54, 92, 9, 9, YELLOW, GOLD)
    for i, (x, y) in enumerate([(16, 130), (62, 146), (30, 168), (50, 186), (20, 204)]):
        canvas.ellipse(x, y, 3 + i % 2, 3 + i % 2, WHITE, YELLOW)
    for n in range(5):
        canvas.ellipse(40, 262 - 7 * n, 24, 8, YELLOW, GOLD)
    canvas.rectangle(0, 278, 79, 280, NAVY)
    return canvas


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, canvas, bits in (("page.bmp", page_picture(), 32), ("welcome.bmp", welcome_picture(), 24)):
        with open(os.path.join(here, name), "wb") as f:
            f.write(bmp_bytes(canvas, bits))


if __name__ == "__main__":
    main()
