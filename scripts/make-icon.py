#!/usr/bin/env python3
"""Draws the program's icon from its one source, packaging/icon/ravlinkgui.svg.

Writes the Windows icon src/win32/app.ico (16, 20, 24, 32, 40, 48, 64 and 256 pixels, 32-bit
colour with alpha) and the Linux icons packaging/icon/hicolor/<n>x<n>/apps/ravlinkgui.png (16,
24, 32, 48, 64, 128 and 256 pixels), which are committed, so that no build needs a rasteriser:

    python3 scripts/make-icon.py            # write them afresh
    python3 scripts/make-icon.py --check    # say whether the committed files are the SVG's

The SVG is rendered here rather than by a general renderer so that small images stay crisp: at
each size every straight edge is moved to the nearest pixel boundary (rounding away from the
image's centre, so the drawing stays symmetric), which a general renderer does not do. That
takes a plain drawing: rectangles (rounded or not), circles and polygons, filled with a colour
or a linear gradient. Anything else in the file is refused rather than drawn differently from
the way a browser or a desktop draws the same SVG. An element with data-min-size="N" is left
out of images smaller than N pixels (a detail that would only be a smudge there).

Colours are composited as browsers do, in sRGB with straight alpha on output; the images are
sampled analytically across each row and at 16 lines per pixel down it.
"""
import math
import re
import struct
import sys
import zlib
import xml.etree.ElementTree as ElementTree
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SOURCE = ROOT / "packaging" / "icon" / "ravlinkgui.svg"
WINDOWS_ICON = ROOT / "src" / "win32" / "app.ico"
HICOLOR = ROOT / "packaging" / "icon" / "hicolor"
LINUX_NAME = "ravlinkgui.png"

# The Windows icon's images, in the file's order, and how each is stored. Windows picks the
# small icon among 16 to 40 pixels and the large one among 32 to 64 as the monitor's DPI rises;
# the 256-pixel image is for Explorer's large views. The small ones are plain 32-bit BGRA
# bitmaps with an AND mask, which every Windows reads; the larger ones are PNG-compressed, as
# Windows Vista and later read them at any size, which keeps the program under its size budget
# (a 64-pixel bitmap alone is 17 KB).
WINDOWS_IMAGES = [(16, "bmp"), (20, "bmp"), (24, "bmp"), (32, "bmp"), (40, "png"), (48, "png"),
                  (64, "png"), (256, "png")]
# The freedesktop sizes of the hicolor theme that the Linux program and its archive carry.
LINUX_SIZES = [16, 24, 32, 48, 64, 128, 256]

SUBLINES = 16
SVG = "{http://www.w3.org/2000/svg}"


class IconError(Exception):
    pass


# ---- Reading the SVG


def number(element, name, default=None):
    value = element.get(name)
    if value is None:
        if default is None:
            raise IconError(f"<{local(element)}> needs {name}")
        return default
    match = re.fullmatch(r"\s*(-?[0-9.]+)\s*(px)?\s*", value)
    if not match:
        raise IconError(f"<{local(element)}> {name}={value!r} is not a plain number")
    return float(match.group(1))


def local(element):
    return element.tag.replace(SVG, "")


def colour(text):
    match = re.fullmatch(r"#([0-9a-fA-F]{6})", text.strip())
    if not match:
        raise IconError(f"colour {text!r} is not #rrggbb")
    value = int(match.group(1), 16)
    return ((value >> 16) & 255) / 255.0, ((value >> 8) & 255) / 255.0, (value & 255) / 255.0


class Gradient:
    def __init__(self, element):
        if element.get("gradientUnits") != "userSpaceOnUse":
            raise IconError("a gradient needs gradientUnits=\"userSpaceOnUse\"")
        self.start = (number(element, "x1"), number(element, "y1"))
        self.end = (number(element, "x2"), number(element, "y2"))
        self.stops = []
        for stop in element.findall(SVG + "stop"):
            rgb = colour(stop.get("stop-color", "#000000"))
            opacity = float(stop.get("stop-opacity", "1"))
            self.stops.append((number(stop, "offset"), rgb + (opacity,)))
        if not self.stops:
            raise IconError("a gradient needs stops")

    def at(self, u, v):
        dx, dy = self.end[0] - self.start[0], self.end[1] - self.start[1]
        length = dx * dx + dy * dy
        t = 0.0 if length == 0 else ((u - self.start[0]) * dx + (v - self.start[1]) * dy) / length
        t = min(max(t, 0.0), 1.0)
        if t <= self.stops[0][0]:
            return self.stops[0][1]
        for (low, a), (high, b) in zip(self.stops, self.stops[1:]):
            if t <= high:
                f = 0.0 if high == low else (t - low) / (high - low)
                return tuple(x + (y - x) * f for x, y in zip(a, b))
        return self.stops[-1][1]


class Paint:
    def __init__(self, element, gradients):
        fill = element.get("fill", "#000000")
        opacity = float(element.get("fill-opacity", "1")) * float(element.get("opacity", "1"))
        reference = re.fullmatch(r"url\(#([^)]+)\)", fill.strip())
        if reference:
            if reference.group(1) not in gradients:
                raise IconError(f"no gradient {reference.group(1)!r}")
            self.gradient, self.solid = gradients[reference.group(1)], None
        else:
            self.gradient, self.solid = None, colour(fill) + (1.0,)
        self.opacity = opacity

    def at(self, u, v):
        rgba = self.solid if self.gradient is None else self.gradient.at(u, v)
        return rgba[0], rgba[1], rgba[2], rgba[3] * self.opacity


# Attributes that would change how an element is drawn, which this script does not do.
UNDRAWN_ATTRIBUTES = {"stroke", "transform", "clip-path", "mask", "filter", "style",
                      "fill-rule", "ry"}


class Shape:
    """One filled element: its outline in design units, its paint and its smallest size."""

    def __init__(self, element, gradients):
        for name in element.attrib:
            if name in UNDRAWN_ATTRIBUTES:
                raise IconError(f"<{local(element)}> {name} is not drawn by this script")
        self.kind = local(element)
        self.paint = Paint(element, gradients)
        self.min_size = int(element.get("data-min-size", "0"))
        if self.kind == "rect":
            x, y = number(element, "x", 0.0), number(element, "y", 0.0)
            self.box = (x, y, x + number(element, "width"), y + number(element, "height"))
            self.radius = number(element, "rx", 0.0)
        elif self.kind == "circle":
            cx, cy, r = number(element, "cx"), number(element, "cy"), number(element, "r")
            self.box = (cx - r, cy - r, cx + r, cy + r)
        elif self.kind == "polygon":
            values = [float(v) for v in re.split(r"[\s,]+", element.get("points", "").strip()) if v]
            if len(values) < 6 or len(values) % 2:
                raise IconError("a polygon needs three points or more")
            self.points = list(zip(values[0::2], values[1::2]))
        else:
            raise IconError(f"<{self.kind}> is not drawn by this script")

    def spans_at(self, size, scale):
        """The shape at one image size, in pixels: a function from a height to the intervals
        of the row that lie inside, and the range of heights that it covers."""
        snap = snapper(size)
        if self.kind == "polygon":
            points = [(snap(u * scale), snap(v * scale)) for u, v in self.points]
            top, bottom = min(p[1] for p in points), max(p[1] for p in points)
            return lambda y: polygon_spans(points, y), top, bottom
        left, top, right, bottom = (snap(value * scale) for value in self.box)
        if self.kind == "circle":
            cx, cy, r = (left + right) / 2, (top + bottom) / 2, (right - left) / 2
            return lambda y: circle_spans(cx, cy, r, y), top, bottom
        radius = min(self.radius * scale, (right - left) / 2, (bottom - top) / 2)
        return lambda y: rounded_rect_spans(left, top, right, bottom, radius, y), top, bottom


def snapper(size):
    """Moves a coordinate to the nearest pixel boundary, halves away from the centre."""
    centre = size / 2

    def snap(value):
        offset = value - centre
        return centre + math.copysign(math.floor(abs(offset) + 0.5), offset)

    return snap


def rounded_rect_spans(left, top, right, bottom, radius, y):
    if not top <= y <= bottom:
        return []
    inset = 0.0
    if radius > 0:
        dy = max(top + radius - y, y - (bottom - radius), 0.0)
        inset = radius - math.sqrt(max(radius * radius - dy * dy, 0.0))
    return [(left + inset, right - inset)]


def circle_spans(cx, cy, r, y):
    dy = y - cy
    if abs(dy) > r:
        return []
    dx = math.sqrt(r * r - dy * dy)
    return [(cx - dx, cx + dx)]


def polygon_spans(points, y):
    crossings = []
    for (u1, v1), (u2, v2) in zip(points, points[1:] + points[:1]):
        if (v1 <= y < v2) or (v2 <= y < v1):
            crossings.append(u1 + (y - v1) * (u2 - u1) / (v2 - v1))
    crossings.sort()
    return list(zip(crossings[0::2], crossings[1::2]))


def read_drawing(path):
    try:
        root = ElementTree.parse(path).getroot()
    except (OSError, ElementTree.ParseError) as error:
        raise IconError(f"{path}: {error}")
    view = [float(v) for v in root.get("viewBox", "").split()]
    if len(view) != 4 or view[0] != 0 or view[1] != 0 or view[2] != view[3]:
        raise IconError("the SVG needs a square viewBox from 0 0")
    gradients = {g.get("id"): Gradient(g) for g in root.iter(SVG + "linearGradient")}
    shapes = []
    for element in root:
        if local(element) in ("title", "desc", "defs", "metadata"):
            continue
        shapes.append(Shape(element, gradients))
    return view[2], shapes


# ---- Rendering


def render(design_size, shapes, size):
    """The image at one size: rows of (red, green, blue, alpha) bytes, alpha straight."""
    scale = size / design_size
    # Premultiplied red, green, blue and alpha, in 0..1.
    image = [[[0.0, 0.0, 0.0, 0.0] for _ in range(size)] for _ in range(size)]
    for shape in shapes:
        if size < shape.min_size:
            continue
        spans, top, bottom = shape.spans_at(size, scale)
        for row in range(max(int(math.floor(top)), 0), min(int(math.ceil(bottom)), size)):
            coverage = [0.0] * (size + 1)
            for line in range(SUBLINES):
                for a, b in spans(row + (line + 0.5) / SUBLINES):
                    add_span(coverage, max(a, 0.0), min(b, float(size)))
            for x in range(size):
                amount = coverage[x]
                if amount <= 0:
                    continue
                r, g, b, a = shape.paint.at((x + 0.5) / scale, (row + 0.5) / scale)
                a *= min(amount, 1.0)
                pixel = image[row][x]
                keep = 1.0 - a
                pixel[0] = r * a + pixel[0] * keep
                pixel[1] = g * a + pixel[1] * keep
                pixel[2] = b * a + pixel[2] * keep
                pixel[3] = a + pixel[3] * keep
    return [[straight(pixel) for pixel in row] for row in image]


def add_span(coverage, a, b):
    if b <= a:
        return
    share = 1.0 / SUBLINES
    first, last = int(math.floor(a)), int(math.floor(b))
    if first == last:
        coverage[first] += (b - a) * share
        return
    coverage[first] += (first + 1 - a) * share
    for x in range(first + 1, last):
        coverage[x] += share
    coverage[last] += (b - last) * share


def straight(pixel):
    r, g, b, a = pixel
    alpha = int(round(min(a, 1.0) * 255))
    if alpha == 0:
        return (0, 0, 0, 0)
    return tuple(int(round(min(c / a, 1.0) * 255)) for c in (r, g, b)) + (alpha,)


# ---- PNG and ICO files


def png_file(pixels):
    size = len(pixels)
    raw = bytearray()
    previous = bytes(size * 4)
    for row in pixels:
        line = bytes(channel for pixel in row for channel in pixel)
        raw += best_filtered(line, previous)
        previous = line
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filtered(kind, line, previous):
    out = bytearray([kind])
    for i, value in enumerate(line):
        left = line[i - 4] if i >= 4 else 0
        up = previous[i]
        corner = previous[i - 4] if i >= 4 else 0
        predictor = (0, left, up, (left + up) // 2, paeth(left, up, corner))[kind]
        out.append((value - predictor) & 255)
    return out


def best_filtered(line, previous):
    """The row with the filter that leaves the smallest sum of differences, as libpng picks."""
    candidates = [filtered(kind, line, previous) for kind in range(5)]
    return min(candidates, key=lambda c: sum(v if v < 128 else 256 - v for v in c[1:]))


def bitmap_entry(pixels):
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, size * size * 4, 0, 0, 0, 0)
    colour_rows = b"".join(bytes(c for r, g, b, a in row for c in (b, g, r, a))
                           for row in reversed(pixels))  # bitmaps run bottom-up
    mask_rows = b""
    for row in reversed(pixels):
        bits = bytearray((size + 7) // 8)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:  # the AND mask keeps the screen where the image is transparent
                bits[x // 8] |= 0x80 >> (x % 8)
        mask_rows += bytes(bits) + b"\0" * (-len(bits) % 4)
    return header + colour_rows + mask_rows


def icon_file(images):
    """images: (size, kind, pixels) in the file's order."""
    datas = [bitmap_entry(p) if kind == "bmp" else png_file(p) for _, kind, p in images]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for (size, _, _), data in zip(images, datas):
        stored = size if size < 256 else 0  # 0 stands for 256
        entries += struct.pack("<BBBBHHII", stored, stored, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(datas)


# ---- Reading them back, for --check


def decode_png(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise IconError("not a PNG")
    at, idat, header = 8, b"", None
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    width, height, depth, colour_type, _, _, interlace = header
    if (depth, colour_type, interlace) != (8, 6, 0):
        raise IconError("not an 8-bit RGBA PNG")
    raw = zlib.decompress(idat)
    stride = width * 4
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - 4] if i >= 4 else 0
            up = previous[i]
            corner = previous[i - 4] if i >= 4 else 0
            predictor = (0, left, up, (left + up) // 2, paeth(left, up, corner))[kind]
            line[i] = (line[i] + predictor) & 255
        rows.append([tuple(line[x:x + 4]) for x in range(0, stride, 4)])
        previous = line
    return rows


def icon_images(data):
    """(size, kind, pixels or raw bytes) of each image of an .ico file."""
    reserved, kind, count = struct.unpack("<HHH", data[:6])
    if (reserved, kind) != (0, 1):
        raise IconError("not an icon file")
    images = []
    for index in range(count):
        width, _, _, _, _, bits, length, offset = struct.unpack(
            "<BBBBHHII", data[6 + 16 * index:22 + 16 * index])
        body = data[offset:offset + length]
        size = width or 256
        if body[:8] == b"\x89PNG\r\n\x1a\n":
            images.append((size, "png", decode_png(body)))
        else:
            images.append((size, "bmp", body))
    return images


def expected_files(design_size, shapes):
    rendered = {}

    def image(size):
        if size not in rendered:
            rendered[size] = render(design_size, shapes, size)
        return rendered[size]

    files = {WINDOWS_ICON: icon_file([(size, kind, image(size)) for size, kind in WINDOWS_IMAGES])}
    for size in LINUX_SIZES:
        files[HICOLOR / f"{size}x{size}" / "apps" / LINUX_NAME] = png_file(image(size))
    return files


def same_content(path, expected):
    """Whether the file holds what is expected, PNG data compared as pixels: another zlib may
    compress the same pixels to other bytes."""
    try:
        actual = path.read_bytes()
    except OSError:
        return False
    try:
        if path.suffix == ".png":
            return decode_png(actual) == decode_png(expected)
        return icon_images(actual) == icon_images(expected)
    except (IconError, struct.error, zlib.error, TypeError, IndexError):
        return False


def main(arguments):
    check = arguments == ["--check"]
    if arguments and not check:
        print("usage: make-icon.py [--check]", file=sys.stderr)
        return 2
    try:
        design_size, shapes = read_drawing(SOURCE)
        files = expected_files(design_size, shapes)
    except IconError as error:
        print(f"make-icon: {SOURCE.relative_to(ROOT)}: {error}", file=sys.stderr)
        return 1
    if check:
        stale = [path for path, data in files.items() if not same_content(path, data)]
        for path in stale:
            print(f"make-icon: {path.relative_to(ROOT)} is not drawn from the SVG as it stands; "
                  "run scripts/make-icon.py")
        if not stale:
            print(f"make-icon: the {len(files)} icon files are drawn from the SVG as it stands")
        return 1 if stale else 0
    for path, data in files.items():
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
        print(f"wrote {path.relative_to(ROOT)} ({len(data)} bytes)")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
