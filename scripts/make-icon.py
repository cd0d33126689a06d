#!/usr/bin/env python3
"""Draws the program's icon (a console with an upload arrow) as a 16-colour .ico.

The icon holds a 32x32 and a 16x16 image, both 4 bits per pixel with the standard 16-colour
palette and a transparency mask. Run it to regenerate src/win32/app.ico:

    python3 scripts/make-icon.py [output.ico]
"""
import math
import struct
import sys
from pathlib import Path

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, RED, NAVY, SILVER, GREY, YELLOW = 0, 9, 4, 7, 8, 11
TRANSPARENT = None
DESIGN_SIZE = 32.0  # shapes are given on a 32-unit grid and sampled at each image's size


def rounded_box(left, top, right, bottom, radius):
    def inside(u, v):
        cu = min(max(u, left + radius), right - radius)
        cv = min(max(v, top + radius), bottom - radius)
        return left <= u <= right and top <= v <= bottom and math.hypot(u - cu, v - cv) <= radius
    return inside


def disc(cu, cv, radius):
    return lambda u, v: math.hypot(u - cu, v - cv) <= radius


def box(left, top, right, bottom):
    return lambda u, v: left <= u <= right and top <= v <= bottom


def up_arrow(centre, tip, head_base, head_half_width, shaft_half_width, shaft_end):
    def inside(u, v):
        if tip <= v <= head_base:
            return abs(u - centre) <= head_half_width * (v - tip) / (head_base - tip)
        return head_base <= v <= shaft_end and abs(u - centre) <= shaft_half_width
    return inside


# Painted in order, each shape as (test, fill colour, outline colour or None, smallest image
# size that gets the outline: on the small image a thin shape would be all outline).
SHAPES = [
    (rounded_box(2, 15, 30, 29, 4), SILVER, BLACK, 16),  # the console
    (disc(16, 22, 5), GREY, BLACK, 32),  # its disc lid
    (disc(16, 22, 2), NAVY, None, 0),
    (box(4.5, 24.5, 7.5, 26.5), RED, None, 0),  # power light
    (up_arrow(16, 1, 11, 8, 4, 18), YELLOW, BLACK, 16),  # the upload arrow
]


def render(size):
    scale = DESIGN_SIZE / size
    pixels = [[TRANSPARENT] * size for _ in range(size)]
    for test, fill, outline, outline_from in SHAPES:
        if size < outline_from:
            outline = None
        mask = [[test((x + 0.5) * scale, (y + 0.5) * scale) for x in range(size)]
                for y in range(size)]
        for y in range(size):
            for x in range(size):
                if not mask[y][x]:
                    continue
                edge = any(not (0 <= x + dx < size and 0 <= y + dy < size and mask[y + dy][x + dx])
                           for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                pixels[y][x] = outline if edge and outline is not None else fill
    return pixels


def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def image_data(size):
    pixels = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    colour_rows, mask_rows = b"", b""
    for row in reversed(pixels):  # bitmaps run bottom-up
        indices = [0 if p is TRANSPARENT else p for p in row]
        colour_rows += padded(bytes((indices[i] << 4) | indices[i + 1] for i in range(0, size, 2)))
        bits = 0
        mask = bytearray()
        for i, p in enumerate(row):
            bits = (bits << 1) | (1 if p is TRANSPARENT else 0)
            if i % 8 == 7:
                mask.append(bits)
                bits = 0
        mask_rows += padded(bytes(mask))
    return header + palette + colour_rows + mask_rows


def icon_file(sizes):
    images = [image_data(size) for size in sizes]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, data in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(images)


def main():
    default = Path(__file__).resolve().parent.parent / "src" / "win32" / "app.ico"
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else default
    target.write_bytes(icon_file([32, 16]))
    print(f"wrote {target}")


if __name__ == "__main__":
    main()
