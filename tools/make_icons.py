#!/usr/bin/env python3
"""Draws the program's icons: the application icon, with an image for the small-icon size of
every common scale (100 % to 400 %), and eight folder icons of different colours with 16, 32
and 48 pixel images; all of 24 bits with a transparency mask.

    make_icons.py APP_ICON_PATH FOLDER_ICON_DIR
"""
import os
import struct
import sys

SIZES = (16, 32, 48)
APP_SIZES = (16, 20, 24, 32, 40, 48, 64)

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


def folder(size, body, tab, mark=None):
    """Rows of (colour or None), top row first."""
    rows = [[None] * size for _ in range(size)]
    u = size / 16.0
    outline = tuple(c // 2 for c in tab)
    top, bottom = int(3 * u), int(14 * u)
    tab_right = int(7 * u)
    for y in range(int(2 * u), bottom):
        for x in range(int(1 * u), size - int(1 * u)):
            in_tab = y < top and x < tab_right
            if y >= top or in_tab:
                edge = y in (int(2 * u), bottom - 1) or x in (int(1 * u), size - int(1 * u) - 1) or (
                    y == top and x >= tab_right)
                rows[y][x] = outline if edge else (tab if y < top + int(2 * u) else body)
    if mark:
        # A white clock face in the middle: the recently used folders.
        cx, cy, r = size / 2.0, (top + bottom) / 2.0, 3.6 * u
        for y in range(size):
            for x in range(size):
                d = ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) ** 0.5
                if d <= r:
                    rows[y][x] = (255, 255, 255)
                    hands = (abs(x + 0.5 - cx) < 0.6 * u and cy - r * 0.8 < y + 0.5 <= cy) or (
                        abs(y + 0.5 - cy) < 0.6 * u and cx <= x + 0.5 < cx + r * 0.6)
                    if hands:
                        rows[y][x] = mark
    return rows


def dib(rows):
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    row_pad = (4 - (size * 3) % 4) % 4
    for row in reversed(rows):
        for colour in row:
            r, g, b = colour if colour else (0, 0, 0)
            pixels += bytes((b, g, r))
        pixels += bytes(row_pad)
    mask = bytearray()
    mask_row = ((size + 31) // 32) * 4
    for row in reversed(rows):
        bits = bytearray(mask_row)
        for x, colour in enumerate(row):
            if colour is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def write_icon(path, images):
    count = len(images)
    directory = struct.pack("<HHH", 0, 1, count)
    offset = 6 + 16 * count
    entries, data = b"", b""
    for size, image in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 24, len(image), offset + len(data))
        data += image
    with open(path, "wb") as out:
        out.write(directory + entries + data)


def main():
    app_icon, folder_dir = sys.argv[1], sys.argv[2]
    os.makedirs(folder_dir, exist_ok=True)
    write_icon(app_icon, [(s, dib(folder(s, (255, 202, 40), (230, 160, 0), mark=(40, 40, 40)))) for s in APP_SIZES])
    for name, body, tab in FOLDERS:
        write_icon(os.path.join(folder_dir, name + ".ico"), [(s, dib(folder(s, body, tab))) for s in SIZES])


if __name__ == "__main__":
    main()
