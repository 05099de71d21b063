#!/usr/bin/env python3
"""Draws the program's icon, resources/brevane.ico, at 16, 24, 32, 48 and 256
pixels: a QR finder pattern with a pixel-art design tile over its corner.

Every size is drawn on its own whole-pixel grid, so that even the 16-pixel
icon stays crisp. Standard library only. Usage: make_icon.py [OUT.ico]
"""
import struct
import sys
import zlib
from pathlib import Path

SIZES = (16, 24, 32, 48, 256)
FINDER_MODULES = 7  # a finder pattern is 7 x 7 modules

INK = (24, 24, 32, 255)
PAPER = (255, 255, 255, 255)
CLEAR = (0, 0, 0, 0)

# The tile: a small heart, as a design of the program would draw one.
TILE = (
    "bhhbbhhb",
    "hhwhhhhh",
    "hhhhhhhh",
    "hhhhhhhh",
    "bhhhhhhb",
    "bbhhhhbb",
    "bbbhhbbb",
    "gggggggg",
)
TILE_COLOURS = {
    "b": (120, 200, 240, 255),  # sky
    "h": (230, 40, 70, 255),  # heart
    "w": (255, 220, 230, 255),  # highlight
    "g": (70, 170, 60, 255),  # grass
}


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[CLEAR] * size for _ in range(size)]

    def fill(self, left, top, side_x, side_y, colour):
        for y in range(max(top, 0), min(top + side_y, self.size)):
            for x in range(max(left, 0), min(left + side_x, self.size)):
                self.pixels[y][x] = colour


def scaled(size, fraction, minimum=1):
    return max(minimum, round(size * fraction))


def draw_icon(size):
    canvas = Canvas(size)
    # The finder pattern at the top left, on white: dark ring, light ring, dark core.
    module = scaled(size, 0.58 / FINDER_MODULES)
    quiet = module
    canvas.fill(0, 0, FINDER_MODULES * module + 2 * quiet, FINDER_MODULES * module + 2 * quiet,
                PAPER)
    canvas.fill(quiet, quiet, 7 * module, 7 * module, INK)
    canvas.fill(quiet + module, quiet + module, 5 * module, 5 * module, PAPER)
    canvas.fill(quiet + 2 * module, quiet + 2 * module, 3 * module, 3 * module, INK)
    # The tile at the bottom right, framed in ink, over the pattern's corner.
    pixel = max(1, size * 9 // 16 // len(TILE))
    frame = max(1, pixel // 4)
    side = len(TILE) * pixel + 2 * frame
    left = size - side
    canvas.fill(left, left, side, side, INK)
    for row, line in enumerate(TILE):
        for column, key in enumerate(line):
            canvas.fill(left + frame + column * pixel, left + frame + row * pixel, pixel, pixel,
                        TILE_COLOURS[key])
    return canvas


def png_bytes(canvas):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in canvas.pixels)
    header = struct.pack(">IIBBBBB", canvas.size, canvas.size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def dib_bytes(canvas):
    """A 32-bit BGRA DIB, bottom row first, with its 1-bit AND mask."""
    size = canvas.size
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(canvas.pixels) for (r, g, b, a) in row)
    mask_row_bytes = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(canvas.pixels):
        bits = 0
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits |= 1 << (mask_row_bytes * 8 - 1 - x)
        mask += bits.to_bytes(mask_row_bytes, "big")
    return header + colour + mask


def ico_bytes(canvases):
    # The 256-pixel image is stored as PNG, the small ones as DIBs.
    images = [png_bytes(c) if c.size >= 256 else dib_bytes(c) for c in canvases]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for canvas, image in zip(canvases, images):
        side = canvas.size % 256  # 0 stands for 256
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else
               Path(__file__).resolve().parent.parent / "resources" / "brevane.ico")
    out.write_bytes(ico_bytes([draw_icon(size) for size in SIZES]))
    print(f"{out} written ({', '.join(str(s) for s in SIZES)} pixels)")


if __name__ == "__main__":
    main()
