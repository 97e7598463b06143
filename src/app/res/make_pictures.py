#!/usr/bin/env python3
"""Draws the pictures of psm.exe and writes them beside this script.

- cmd<Name>_<size>.bmp: the five button pictures, 32-bit BMP with straight
  alpha, in the sizes the main window picks from by DPI. The window composes
  them over the button face colour itself.
- psm.ico: the program icon, 16 to 64 pixels as 32-bit bitmaps, 256 as PNG.
- psm.bmp: the 16x16 picture of the command button in the CAD program, 24-bit,
  on a plain light-grey background that button bars treat as transparent.

Every shape is drawn on a 24-unit grid and scaled; edges are smoothed by
4x4 supersampling. Standard library only; the output is deterministic.
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
BUTTON_SIZES = (24, 30, 36, 48)
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
SAMPLES = 4
FACE_GREY = (240, 240, 240)
CAD_BUTTON_BACKGROUND = (192, 192, 192)

# --- shapes: each is a predicate inside(x, y) on the 24-unit grid ------------


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
    px, py = ax + t * dx, ay + t * dy
    return math.hypot(x - px, y - py)


def stroke(points, width):
    """A polyline with round joins and caps."""
    half = width / 2

    def inside(x, y):
        for (ax, ay), (bx, by) in zip(points, points[1:]):
            if segment_distance(x, y, ax, ay, bx, by) <= half:
                return True
        return False

    return inside


def arc(cx, cy, r, start_degrees, end_degrees, width):
    """A stroked circular arc, counter-clockwise from start to end (y down)."""
    steps = 24
    points = []
    for i in range(steps + 1):
        a = math.radians(start_degrees + (end_degrees - start_degrees) * i / steps)
        points.append((cx + r * math.cos(a), cy - r * math.sin(a)))
    return stroke(points, width)


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result

    return inside


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    return inside


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


# --- rendering ----------------------------------------------------------------


def render(layers, size):
    """layers: list of (shape, (r, g, b)). Returns rows of (r, g, b, a) floats,
    top row first, composited with "over"."""
    scale = 24.0 / size
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0  # premultiplied
            for shape, colour in layers:
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        x = (px + (sx + 0.5) / SAMPLES) * scale
                        y = (py + (sy + 0.5) / SAMPLES) * scale
                        if shape(x, y):
                            hits += 1
                coverage = hits / (SAMPLES * SAMPLES)
                if coverage == 0:
                    continue
                r = colour[0] * coverage + r * (1 - coverage)
                g = colour[1] * coverage + g * (1 - coverage)
                b = colour[2] * coverage + b * (1 - coverage)
                a = coverage + a * (1 - coverage)
            if a > 0:
                row.append((r / a, g / a, b / a, a))
            else:
                row.append((0.0, 0.0, 0.0, 0.0))
        pixels.append(row)
    return pixels


def to_bytes(value):
    return max(0, min(255, int(round(value))))


def over_background(pixel, background):
    r, g, b, a = pixel
    return tuple(to_bytes(c * a + bg * (1 - a)) for c, bg in zip((r, g, b), background))


def bgra_rows(pixels, transparent_rgb):
    """Bottom-up BGRA rows; fully transparent pixels carry transparent_rgb so
    that viewers that ignore alpha still show a sensible picture."""
    out = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            alpha = to_bytes(a * 255)
            if alpha == 0:
                red, green, blue = transparent_rgb
            else:
                red, green, blue = to_bytes(r), to_bytes(g), to_bytes(b)
            out += bytes((blue, green, red, alpha))
    return bytes(out)


def bitmap_info_header(width, height, bits, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 2835, 2835, 0, 0)


def write_bmp32(path, pixels):
    size = len(pixels)
    data = bgra_rows(pixels, FACE_GREY)
    header = bitmap_info_header(size, size, 32, len(data))
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(data), 0, 0, 14 + len(header))
    with open(path, "wb") as f:
        f.write(file_header + header + data)


def write_bmp24(path, pixels, background):
    size = len(pixels)
    stride = (size * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for pixel in row:
            red, green, blue = over_background(pixel, background)
            line += bytes((blue, green, red))
        line += b"\0" * (stride - len(line))
        data += line
    header = bitmap_info_header(size, size, 24, len(data))
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(data), 0, 0, 14 + len(header))
    with open(path, "wb") as f:
        f.write(file_header + header + bytes(data))


def png_bytes(pixels):
    size = len(pixels)
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((to_bytes(r), to_bytes(g), to_bytes(b), to_bytes(a * 255)))

    def chunk(kind, payload):
        return (struct.pack(">I", len(payload)) + kind + payload
                + struct.pack(">I", zlib.crc32(kind + payload) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def icon_entry_bytes(pixels):
    size = len(pixels)
    if size >= 256:
        return png_bytes(pixels)
    colour = bgra_rows(pixels, (0, 0, 0))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if to_bytes(a * 255) == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = bitmap_info_header(size, size * 2, 32, len(colour) + len(mask))
    return header + colour + bytes(mask)


def write_ico(path, images):
    entries = [icon_entry_bytes(pixels) for pixels in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for pixels, data in zip(images, entries):
        size = len(pixels)
        dimension = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dimension, dimension, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in entries:
        out += data
    with open(path, "wb") as f:
        f.write(bytes(out))


# --- the pictures -------------------------------------------------------------

STEEL = (96, 118, 140)
STEEL_DARK = (52, 66, 82)
GREEN = (38, 150, 60)
BLUE = (34, 104, 196)
ORANGE = (222, 112, 24)
RED = (200, 40, 36)
GREY_DARK = (70, 70, 70)
WHITE = (255, 255, 255)
WOOD = (168, 112, 60)


def bent_sheet(colour_outline, colour_fill, x0=3.5, y0=5.0, length=15.0, width=4.0):
    """Side view of a sheet bent by 90 degrees: an L with an inner radius."""
    corner_y = y0 + length - 5
    path = [(x0, y0), (x0, corner_y)]
    steps = 8
    for i in range(1, steps + 1):
        a = math.radians(180 + 90 * i / steps)
        path.append((x0 + 4 + 4 * math.cos(a), corner_y - 4 * math.sin(a)))
    path.append((x0 + length, corner_y + 4))
    return [(stroke(path, width), colour_outline), (stroke(path, width - 2.0), colour_fill)]


def undo_arrow(colour, cx, cy, r, width=2.6):
    """A counter-clockwise arrow: an arc and a head at its start (pointing left-down)."""
    body = arc(cx, cy, r, 200, -60, width)
    a = math.radians(200)
    tip_x, tip_y = cx + r * math.cos(a), cy - r * math.sin(a)
    head = polygon([(tip_x - 3.2, tip_y - 1.6), (tip_x + 2.4, tip_y - 2.6), (tip_x - 0.2, tip_y + 3.4)])
    return [(body, colour), (head, colour)]


def picture_write():
    check = stroke([(11.0, 9.5), (14.5, 13.0), (21.0, 5.0)], 3.6)
    check_outline = stroke([(11.0, 9.5), (14.5, 13.0), (21.0, 5.0)], 5.2)
    return bent_sheet(STEEL_DARK, (176, 192, 208)) + [(check_outline, WHITE), (check, GREEN)]


def picture_reset_list():
    layers = []
    for i, y in enumerate((6.0, 11.0, 16.0)):
        layers.append((rect(3.0, y - 1.0, 5.0, y + 1.0), GREY_DARK))
        layers.append((rect(7.0, y - 1.0, 14.0 if i else 16.0, y + 1.0), GREY_DARK))
    layers.append((disc(16.5, 15.5, 6.8), WHITE))
    layers += undo_arrow(BLUE, 16.5, 15.5, 4.2)
    return layers


def picture_reset_sheet():
    layers = bent_sheet(STEEL_DARK, (176, 192, 208))
    layers.append((disc(16.0, 8.5, 6.8), WHITE))
    layers += undo_arrow(ORANGE, 16.0, 8.5, 4.2)
    return layers


def picture_properties():
    return [
        (disc(12.0, 12.0, 10.0), BLUE),
        (disc(12.0, 7.0, 1.9), WHITE),
        (rounded_rect(10.4, 10.0, 13.6, 18.5, 0.8), WHITE),
        (rect(9.0, 10.0, 12.0, 11.5), WHITE),
        (rect(9.0, 17.0, 15.0, 18.5), WHITE),
    ]


def picture_exit():
    return [
        (rect(4.0, 2.5, 15.0, 21.5), GREY_DARK),
        (rect(5.5, 4.0, 13.5, 21.5), (236, 236, 236)),
        (polygon([(5.5, 4.0), (11.5, 5.5), (11.5, 22.5), (5.5, 21.5)]), WOOD),
        (disc(10.0, 13.0, 0.9), (250, 220, 120)),
        (stroke([(13.0, 12.0), (20.0, 12.0)], 3.0), RED),
        (polygon([(18.0, 7.5), (23.0, 12.0), (18.0, 16.5)]), RED),
    ]


def picture_icon():
    layers = [(rounded_rect(0.5, 0.5, 23.5, 23.5, 4.5), (40, 92, 150))]
    layers += bent_sheet((20, 40, 64), (236, 240, 244), x0=5.0, y0=4.5, length=15.0, width=5.0)
    return layers


def picture_cad_button():
    return bent_sheet(STEEL_DARK, (150, 170, 190), x0=4.0, y0=3.0, length=17.0, width=5.0)


BUTTONS = {
    "cmdWrite": picture_write,
    "cmdUndo": picture_reset_list,
    "cmdUndoWrite": picture_reset_sheet,
    "cmdInfo": picture_properties,
    "cmdEnd": picture_exit,
}


def main():
    for name, draw in BUTTONS.items():
        for size in BUTTON_SIZES:
            write_bmp32(os.path.join(HERE, f"{name}_{size}.bmp"), render(draw(), size))
    icon_layers = picture_icon()
    write_ico(os.path.join(HERE, "psm.ico"), [render(icon_layers, size) for size in ICON_SIZES])
    write_bmp24(os.path.join(HERE, "psm.bmp"), render(picture_cad_button(), 16), CAD_BUTTON_BACKGROUND)


if __name__ == "__main__":
    main()
