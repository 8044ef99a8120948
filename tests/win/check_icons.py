#!/usr/bin/env python3
"""Checks drawn icons: each must hold exactly the sizes below, every size below 256 as a 32-bit BMP
with some semi-transparent pixels (its edges are anti-aliased), and 256 as a 256 x 256 PNG.
Prints one line and exits 1 on the first fault; prints nothing when all is well.

    check_icons.py ICON...
"""
import struct
import sys

SIZES = [16, 20, 24, 28, 32, 36, 40, 48, 64, 256]
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def fault(path):
    """The first thing wrong with the icon at path, or None."""
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError as error:
        return f"cannot read it: {error.strerror}"
    if len(data) < 6 or struct.unpack_from("<HHH", data)[:2] != (0, 1):
        return "not an icon file"
    count = struct.unpack_from("<H", data, 4)[0]
    if len(data) < 6 + 16 * count:
        return "its directory is cut short"
    sizes = []
    for i in range(count):
        width, height, _, _, _, _, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        size = width or 256  # 0 means 256
        sizes.append(size)
        image = data[offset:offset + length]
        if height != width or len(image) != length:
            return f"image {i} is not square or lies outside the file"
        if size == 256:
            if not image.startswith(PNG_SIGNATURE) or image[12:16] != b"IHDR":
                return "the 256 px image is not a PNG"
            if struct.unpack_from(">II", image, 16) != (256, 256):
                return "the 256 px PNG is not 256 x 256"
            continue
        if image.startswith(PNG_SIGNATURE) or length < 40:
            return f"the {size} px image is not a BMP"
        header, bmp_width, bmp_height, _, bits, compression = struct.unpack_from("<IiiHHI", image)
        if header != 40 or (bmp_width, bmp_height) != (size, 2 * size):
            return f"the {size} px BMP has the wrong header or dimensions"
        if bits != 32 or compression != 0:
            return f"the {size} px BMP is {bits} bits per pixel, not plain 32"
        alpha = image[40 + 3:40 + size * size * 4:4]
        if len(alpha) != size * size:
            return f"the {size} px BMP is cut short"
        if not any(0 < a < 255 for a in alpha):
            return f"the {size} px BMP has no semi-transparent pixels (no anti-aliasing)"
    if sorted(sizes) != SIZES:
        return f"its sizes are {' '.join(map(str, sizes))}, not {' '.join(map(str, SIZES))}"
    return None


def main():
    if len(sys.argv) < 2:
        sys.exit("usage: check_icons.py ICON...")
    for path in sys.argv[1:]:
        reason = fault(path)
        if reason:
            print(f"{path}: {reason}", file=sys.stderr)
            sys.exit(1)


if __name__ == "__main__":
    main()
