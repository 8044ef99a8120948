#!/usr/bin/env python3
"""Draws the program's icons: the application icon and eight folder icons of different colours,
each with a smooth (anti-aliased) 32-bit image for every common small-icon and large-icon size
from 16 to 256 pixels. The 256 pixel image is stored as PNG, the others as BMP.

    make_icons.py APP_ICON_PATH FOLDER_ICON_DIR
"""
import functools
import math
import os
import struct
import sys
import zlib

SIZES = (16, 20, 24, 28, 32, 36, 40, 48, 64, 256)

# (name, body colour, tab colour) in RGB.
FOLDERS = [
    ("blue", (66, 133, 244), (40, 96, 200)),
    ("green", (52, 168, 83), (30, 120, 55)),
    ("red", (219, 68, 55), (160, 40, 30)),
    ("yellow", (244, 180, 0), (190, 135, 0)),
    ("purple", (142, 68, 173), (100, 45, 125)),
    ("teal", (0, 150, 136), (0, 105, 95)),
    ("orange", (255, 112, 67), (200, 80, 40)),
    ("grey", (120, 144, 156), (84, 110, 122)),
]
APP_BODY, APP_TAB, CLOCK_FACE, CLOCK_HANDS = (255, 202, 40), (230, 160, 0), (255, 255, 255), (40, 40, 40)


def box(px, py, x0, y0, x1, y1, radius=0.0):
    """Signed distance from (px, py) to a box whose corners are rounded by radius; negative inside."""
    qx = max(x0 - px, px - x1) + radius
    qy = max(y0 - py, py - y1) + radius
    return min(max(qx, qy), 0.0) + math.hypot(max(qx, 0.0), max(qy, 0.0)) - radius


def cover(distance):
    """How much of a pixel lies inside an edge at this signed distance from the pixel's centre."""
    return min(1.0, max(0.0, 0.5 - distance))


@functools.lru_cache(maxsize=None)
def layers(size, clock):
    """Rows (top first) of pixels, each the coverage of every layer, bottom layer first: the folder
    (its outline), the body inside the outline, the darker band at the top and, for the program's
    icon, a clock face and its hands (the recently used folders). Shared by all colours."""
    u = size / 16.0
    # The straight edges stay on whole pixels, as they always were, so they stay sharp; the
    # rounded corners and the clock are what needs smoothing.
    left, right, tab_right = int(u), size - int(u), int(7 * u)
    tab_top, top, bottom = int(2 * u), int(3 * u), int(14 * u)
    band = top + int(2 * u)
    radius, line = max(1.0, 0.75 * u), max(1, round(size / 32))
    # The hands lie on whole pixels too, at least two wide as before, so they stay crisp.
    cx, cy, face = size // 2, (top + bottom) // 2, 3.6 * u
    hand, hand_top, hand_right = max(1, round(0.6 * u)), round(cy - 0.8 * face), round(cx + 0.6 * face)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            px, py = x + 0.5, y + 0.5
            # The tab reaches down to the bottom so that its rounding never notches the left edge.
            folder = min(box(px, py, left, top, right, bottom, radius),
                         box(px, py, left, tab_top, tab_right, bottom, radius))
            inside = cover(folder + line)
            cells = [cover(folder), inside, min(inside, cover(py - band))]
            if clock:
                cells.append(cover(math.hypot(px - cx, py - cy) - face))
                cells.append(max(cover(box(px, py, cx - hand, hand_top, cx + hand, cy + hand)),
                                 cover(box(px, py, cx - hand, cy - hand, hand_right, cy + hand))))
            row.append(cells)
        rows.append(row)
    return rows


def paint(cells, colours):
    """One pixel as straight RGBA: the colours laid over each other by their coverage."""
    r = g = b = a = 0.0  # premultiplied while compositing, so that soft edges blend right
    for c, (cr, cg, cb) in zip(cells, colours):
        r, g, b, a = cr * c + r * (1 - c), cg * c + g * (1 - c), cb * c + b * (1 - c), c + a * (1 - c)
    if a == 0:
        return (0, 0, 0, 0)
    return (round(r / a), round(g / a), round(b / a), round(a * 255))


def draw(size, body, tab, clock=False):
    colours = [tuple(c // 2 for c in tab), body, tab, CLOCK_FACE, CLOCK_HANDS]
    return [[paint(cells, colours) for cells in row] for row in layers(size, clock)]


def bmp(rows):
    """A 32-bit BMP icon image: the height counts the colour rows and the mask rows; the alpha
    channel makes the mask unused, so it is all zero."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, size * size * 4, 0, 0, 0, 0)
    pixels = bytes(v for row in reversed(rows) for r, g, b, a in row for v in (b, g, r, a))
    return header + pixels + bytes(((size + 31) // 32) * 4 * size)


def png(rows):
    """An 8-bit RGBA PNG: far smaller than a BMP at 256 pixels, which is why icons store it so."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rows)  # no filter
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_icon(path, images):
    count = len(images)
    directory = struct.pack("<HHH", 0, 1, count)
    offset = 6 + 16 * count
    entries, data = b"", b""
    for size, rows in images:
        image = png(rows) if size >= 256 else bmp(rows)
        # A width and height of 0 mean 256.
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset + len(data))
        data += image
    with open(path, "wb") as out:
        out.write(directory + entries + data)


def main():
    app_icon, folder_dir = sys.argv[1], sys.argv[2]
    os.makedirs(folder_dir, exist_ok=True)
    write_icon(app_icon, [(s, draw(s, APP_BODY, APP_TAB, clock=True)) for s in SIZES])
    for name, body, tab in FOLDERS:
        write_icon(os.path.join(folder_dir, name + ".ico"), [(s, draw(s, body, tab)) for s in SIZES])


if __name__ == "__main__":
    main()
