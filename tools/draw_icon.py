#!/usr/bin/env python3
"""Draws the icon MyApp and writes resources/MyApp.ico.

The drawing: a maroon disc ringed in yellow, holding the trigram 巽 (wind) in white, two whole
lines over a broken one, the sign of the hexagram reading, with a shadow inside the ring on the
lower right.

The file holds, largest first:
- 256, 64, 48, 40, 24 and 20 pixels at 32 bits with alpha, drawn with smooth edges, for the
  Start menu, the taskbar, Alt+Tab and Explorer at any scaling (256 stored as PNG);
- 32 and 16 pixels in the 16 standard colours with a mask, the images the program has always
  had, kept exactly as they were.

usage: draw_icon.py [--check] [OUTPUT]   (default resources/MyApp.ico; --check compares the
file's images with the drawing and checks its structure, writing nothing)
"""
import pathlib
import struct
import sys
import zlib

SMOOTH_SIZES = (256, 64, 48, 40, 24, 20)
PNG_SIZE = 256
PAINTED_SIZES = (32, 16)

# The 16 standard colours, in palette order (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
MAROON, GRAY, YELLOW, WHITE = 1, 8, 11, 15
TRANSPARENT = None

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


# The 16-colour images.

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


def painted_image(size):
    """One 16-colour image: BITMAPINFOHEADER, palette, colour rows and mask rows, bottom up."""
    colour_row_bytes = ((size * 4 + 31) // 32) * 4
    colours = bytearray()
    transparent = []
    for y in reversed(range(size)):
        row = [pixel(size, x, y) for x in range(size)]
        nibbles = [0 if c is TRANSPARENT else c for c in row]
        packed = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        colours += packed.ljust(colour_row_bytes, b"\0")
        transparent.append([c is TRANSPARENT for c in row])
    mask = mask_rows(transparent)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         len(colours) + len(mask), 0, 0, 16, 0)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    return header + palette + bytes(colours) + mask


def mask_rows(transparent):
    """The AND mask: one bit a pixel, set where transparent, each row padded to 32 bits."""
    mask = bytearray()
    for row in transparent:
        packed = bytearray(((len(row) + 31) // 32) * 4)
        for x, clear in enumerate(row):
            if clear:
                packed[x // 8] |= 0x80 >> (x % 8)
        mask += packed
    return bytes(mask)


# The smooth images: the same design in exact geometry, each pixel coloured by how much of it
# each shape covers. Lengths are in pixels, measured from the image's top left corner.

RING_LIGHT, RING_DARK = (255, 232, 84), (232, 178, 0)
DISC_LIGHT, DISC_DARK = (166, 28, 36), (104, 0, 12)
RIM = (196, 128, 0)
SHADOW = (88, 64, 70)
BAR = (255, 255, 255)


def whole(length):
    """The nearest whole number of pixels, halves rounded up (round() would round them even)."""
    return int(length + 0.5)


def geometry(size):
    """The design's shapes at this size, in the 32-unit grid of pixel() scaled to the image.

    The straight edges (bars, gap, the ring's width) are whole pixels, so they stay sharp at
    20 and 24 px as much as at 256; the bars are centred on the disc both ways."""
    unit = size / 32
    ring = max(2, whole(2.5 * unit))            # never a hairline at the smallest sizes
    bar = max(1, whole(3 * unit))
    space = max(1, whole(2 * unit))
    left = whole(9 * unit)
    gap = 2 * max(1, whole(2 * unit))           # even, as the bars' width is: centred exactly
    top = (size - (3 * bar + 2 * space)) // 2
    bars = []
    for row in range(3):
        y0 = top + row * (bar + space)
        if row < 2:
            bars.append((left, size - left, y0, y0 + bar))
        else:
            bars.append((left, (size - gap) // 2, y0, y0 + bar))
            bars.append(((size + gap) // 2, size - left, y0, y0 + bar))
    return {
        "outer": size / 2,
        "inner": size / 2 - ring,
        "rim": size / 64,
        "bars": bars,
        # The shadow is the part of the inner disc outside the same disc moved up and left;
        # below 32 px it would be a smudge, as the 16-colour 16 px image has none.
        "shadow": 1.25 * unit if size >= 32 else 0,
    }


def covered(radius, distance):
    """How much of a pixel whose centre is at this distance from a circle's centre lies
    inside the circle: the edge's one-pixel ramp, exact enough for a smooth edge."""
    return min(1.0, max(0.0, radius - distance + 0.5))


def mix(under, over, amount):
    return tuple(u + (o - u) * amount for u, o in zip(under, over))


def smooth_pixel(size, shapes, x, y):
    """(red, green, blue, alpha), straight (not premultiplied) as ICO images are."""
    centre = size / 2
    px, py = x + 0.5, y + 0.5
    distance = ((px - centre) ** 2 + (py - centre) ** 2) ** 0.5
    alpha = covered(shapes["outer"], distance)
    if alpha == 0:
        return (0, 0, 0, 0)
    # Light falls from above: the ring and the disc are lighter at the top.
    light = py / size
    colour = mix(RING_LIGHT, RING_DARK, light)
    # A darker rim keeps the yellow ring's edge visible on a light taskbar or desktop.
    colour = mix(colour, RIM, 1 - covered(shapes["outer"] - shapes["rim"], distance))
    colour = mix(colour, mix(DISC_LIGHT, DISC_DARK, light), covered(shapes["inner"], distance))
    offset = shapes["shadow"]
    if offset:
        moved = ((px - centre + offset) ** 2 + (py - centre + offset) ** 2) ** 0.5
        shade = covered(shapes["inner"], distance) * (1 - covered(shapes["inner"], moved))
        colour = mix(colour, SHADOW, shade)
    for x0, x1, y0, y1 in shapes["bars"]:
        if x0 <= x < x1 and y0 <= y < y1:
            colour = BAR
    return tuple(whole(c) for c in colour) + (whole(255 * alpha),)


def smooth_pixels(size):
    """The image's rows, top down, each a list of (red, green, blue, alpha)."""
    shapes = geometry(size)
    return [[smooth_pixel(size, shapes, x, y) for x in range(size)] for y in range(size)]


def smooth_image(size):
    """One 32-bit image: BITMAPINFOHEADER, BGRA rows and mask rows, bottom up."""
    rows = smooth_pixels(size)[::-1]
    colours = b"".join(bytes((b, g, r, a)) for row in rows for r, g, b, a in row)
    # The mask is the shape's best one-bit outline, for whatever draws without the alpha.
    mask = mask_rows([[a < 128 for _, _, _, a in row] for row in rows])
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(colours) + len(mask), 0, 0, 0, 0)
    return header + colours + mask


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_image(size):
    """The image as a PNG: 8-bit RGBA, no filtering, no time or text chunks."""
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in smooth_pixels(size))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (PNG_SIGNATURE + png_chunk(b"IHDR", header)
            + png_chunk(b"IDAT", zlib.compress(raw, 9)) + png_chunk(b"IEND", b""))


# The file.

def icon_file():
    """The ICO: its directory, then the images in the directory's order."""
    images = []
    for size in SMOOTH_SIZES:
        data = png_image(size) if size == PNG_SIZE else smooth_image(size)
        images.append((size, 0, 32, data))
    for size in PAINTED_SIZES:
        images.append((size, 16, 4, painted_image(size)))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, colours, bits, data in images:
        side = size % 256                       # 0 stands for 256
        directory += struct.pack("<BBBBHHII", side, side, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    return directory + b"".join(data for _, _, _, data in images)


def contents(data):
    """The images of an ICO as (directory entry less its size and offset, image), raising
    ValueError where an entry does not agree with its image. A PNG counts by its inflated
    pixels, so another zlib's way of compressing the same drawing still compares equal."""
    reserved, kind, count = struct.unpack_from("<HHH", data)
    if (reserved, kind) != (0, 1):
        raise ValueError("not an icon file")
    end = 6 + 16 * count
    images = []
    for i in range(count):
        entry = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        width, height, colours, _, planes, bits, length, offset = entry
        if offset != end or offset + length > len(data):
            raise ValueError(f"image {i} is not where its entry says")
        image = data[offset:offset + length]
        end += length
        if image.startswith(PNG_SIGNATURE):
            size, depth, pixels = png_contents(image)
        else:
            _, size, double, _, depth = struct.unpack_from("<IiiHH", image)
            if double != 2 * size or length != dib_length(size, depth):
                raise ValueError(f"image {i}: its header does not agree with its length")
            pixels = image
        if (size, size, depth) != (width or 256, height or 256, bits):
            raise ValueError(f"image {i}: {size} px at {depth} bits, its entry says otherwise")
        images.append(((width, height, colours, planes, bits), pixels))
    if end != len(data):
        raise ValueError("bytes after the last image")
    return images


def dib_length(size, depth):
    palette = 4 << depth if depth <= 8 else 0
    return 40 + palette + size * (((size * depth + 31) // 32) * 4 + ((size + 31) // 32) * 4)


def png_contents(image):
    """(width, bits a pixel, inflated data) of an RGBA PNG, its chunks' CRCs checked."""
    at, idat = len(PNG_SIGNATURE), b""
    while at < len(image):
        length, kind = struct.unpack_from(">I4s", image, at)
        body = image[at + 8:at + 8 + length]
        if struct.unpack_from(">I", image, at + 8 + length)[0] != zlib.crc32(kind + body):
            raise ValueError(f"PNG chunk {kind} is damaged")
        if kind == b"IHDR":
            width, height, depth, colour_type = struct.unpack_from(">IIBB", body)
        idat += body if kind == b"IDAT" else b""
        at += 12 + length
    if (width, depth, colour_type) != (height, 8, 6):
        raise ValueError("the PNG is not a square 8-bit RGBA image")
    return width, 32, zlib.decompress(idat)


def main(argv):
    check = "--check" in argv
    paths = [a for a in argv if a != "--check"]
    root = pathlib.Path(__file__).resolve().parent.parent
    path = pathlib.Path(paths[0]) if paths else root / "resources" / "MyApp.ico"
    data = icon_file()
    if check:
        try:
            same = contents(path.read_bytes()) == contents(data)
        except (ValueError, struct.error, zlib.error) as error:
            print(f"{path} is not a well-formed icon ({error}); run tools/draw_icon.py to redraw")
            return 1
        if not same:
            print(f"{path} differs from what tools/draw_icon.py draws; run it to redraw")
            return 1
        return 0
    path.write_bytes(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
