#!/usr/bin/env python3
"""Draws the icon MyApp and writes resources/MyApp.ico: a 32 x 32 and a 16 x 16 image, both in
the 16 standard colours (4 bits per pixel) with a transparency mask.

The drawing: a maroon disc ringed in yellow, holding the trigram 巽 (wind) in white, two whole
lines over a broken one, the sign of the hexagram reading.

usage: draw_icon.py [--check] [OUTPUT]   (default resources/MyApp.ico; --check compares only)
"""
import pathlib
import struct
import sys

# The 16 standard colours, in palette order (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
MAROON, GRAY, YELLOW, WHITE = 1, 8, 11, 15
TRANSPARENT = None


def pixel(size, x, y):
    """The colour at pixel (x, y) of the image of this size, or TRANSPARENT."""
    centre = (size - 1) / 2
    radius = size / 2 - 0.5
    distance = ((x - centre) ** 2 + (y - centre) ** 2) ** 0.5
    if distance > radius:
        return TRANSPARENT
    if distance > radius - size / 16 - 0.5:
        return YELLOW
    # Three bars, a sixth of the image apart, the lowest broken in the middle.
    unit = size / 32
    left, right = round(9 * unit), round(23 * unit)
    for row, broken in ((0, False), (1, False), (2, True)):
        top = round((10 + 5 * row) * unit)
        if top <= y < top + max(1, round(3 * unit)) and left <= x < right:
            gap = broken and round(14 * unit) <= x < round(18 * unit)
            return MAROON if gap else WHITE
    # A shadow along the lower right of the disc gives it depth.
    if distance > radius - size / 8 and x > centre and y > centre:
        return GRAY if size >= 32 else MAROON
    return MAROON


def image(size):
    """One icon image: BITMAPINFOHEADER, palette, colour rows and mask rows, bottom up."""
    colour_row_bytes = ((size * 4 + 31) // 32) * 4
    mask_row_bytes = ((size + 31) // 32) * 4
    colours = bytearray()
    mask = bytearray()
    for y in reversed(range(size)):
        row = [pixel(size, x, y) for x in range(size)]
        nibbles = [0 if c is TRANSPARENT else c for c in row]
        packed = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        colours += packed.ljust(colour_row_bytes, b"\0")
        bits = 0
        mask_bytes = bytearray()
        for x, c in enumerate(row):
            bits = (bits << 1) | (1 if c is TRANSPARENT else 0)
            if x % 8 == 7:
                mask_bytes.append(bits)
                bits = 0
        mask += bytes(mask_bytes).ljust(mask_row_bytes, b"\0")
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         len(colours) + len(mask), 0, 0, 16, 0)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    return header + palette + bytes(colours) + bytes(mask)


def icon_file(sizes=(32, 16)):
    images = [image(size) for size in sizes]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        directory += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return directory + b"".join(images)


def main(argv):
    check = "--check" in argv
    paths = [a for a in argv if a != "--check"]
    root = pathlib.Path(__file__).resolve().parent.parent
    path = pathlib.Path(paths[0]) if paths else root / "resources" / "MyApp.ico"
    data = icon_file()
    if check:
        if path.read_bytes() != data:
            print(f"{path} differs from what tools/draw_icon.py draws; run it to redraw")
            return 1
        return 0
    path.write_bytes(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
