#!/usr/bin/env python3
"""Writes the flag pictures of the shipped languages into LANGUAGE/.

Each picture is 48 x 32 pixels, a 24-bit uncompressed Windows bitmap (BMP),
the size the options window shows beside a language name. Only the Python
standard library is used.

    python3 tools/make_flags.py [OUT_DIR]

Without OUT_DIR the pictures go to the LANGUAGE folder of the source tree.
After writing, every picture is read back and its header checked.
"""

import math
import struct
import sys
from pathlib import Path

WIDTH, HEIGHT = 48, 32

WHITE = (255, 255, 255)


def row_size(width):
    """Bytes per stored row: 3 bytes per pixel, padded to a multiple of 4."""
    return (width * 3 + 3) // 4 * 4


def bmp_bytes(pixel):
    """A 24-bit BMP of WIDTH x HEIGHT; pixel(x, y) gives (r, g, b), y = 0 at the top."""
    stride = row_size(WIDTH)
    pad = b"\0" * (stride - WIDTH * 3)
    rows = []
    for y in range(HEIGHT - 1, -1, -1):  # rows are stored bottom-up
        row = bytearray()
        for x in range(WIDTH):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        rows.append(bytes(row) + pad)
    image = b"".join(rows)
    offset = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info_header = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    return file_header + info_header + image


def vertical_tricolour(left, middle, right):
    return lambda x, y: (left, middle, right)[x * 3 // WIDTH]


def horizontal_bands(bands):
    """bands: list of (height, colour) from top to bottom, heights summing to HEIGHT."""
    colours = [c for h, c in bands for _ in range(h)]
    assert len(colours) == HEIGHT
    return lambda x, y: colours[y]


def union_flag(x, y):
    blue, red = (1, 33, 105), (200, 16, 46)
    cx, cy = x + 0.5, y + 0.5
    # centre cross: white 10 px wide with a red 6 px core
    dx, dy = abs(cx - WIDTH / 2), abs(cy - HEIGHT / 2)
    if dx < 3 or dy < 3:
        return red
    if dx < 5 or dy < 5:
        return WHITE
    # diagonals from corner to corner: white band with a narrow red core
    diag = math.hypot(WIDTH, HEIGHT)
    d1 = abs(HEIGHT * cx - WIDTH * cy) / diag
    d2 = abs(HEIGHT * cx - WIDTH * (HEIGHT - cy)) / diag
    d = min(d1, d2)
    if d < 1.1:
        return red
    if d < 3.3:
        return WHITE
    return blue


def default_flag(x, y):
    """Neutral flag: light grey field, darker grey border, a white globe."""
    field, border, line = (214, 214, 214), (128, 128, 128), (150, 150, 150)
    if x < 2 or y < 2 or x >= WIDTH - 2 or y >= HEIGHT - 2:
        return border
    cx, cy = x + 0.5 - WIDTH / 2, y + 0.5 - HEIGHT / 2
    r = math.hypot(cx, cy)
    radius = 11.0
    if r > radius + 0.8:
        return field
    if r > radius - 0.8:
        return line  # outline of the globe
    # equator, central meridian and two curved meridians
    if y == HEIGHT // 2 or x == WIDTH // 2:
        return line
    if abs(math.hypot(cx / 0.55, cy) - radius) < 0.9:
        return line
    return WHITE


FLAGS = {
    "English.bmp": union_flag,
    "Italiano.bmp": vertical_tricolour((0, 146, 70), WHITE, (206, 43, 55)),
    "Deutsch.bmp": horizontal_bands([(11, (0, 0, 0)), (10, (221, 0, 0)), (11, (255, 206, 0))]),
    "Français.bmp": vertical_tricolour((0, 85, 164), WHITE, (239, 65, 53)),
    "Español.bmp": horizontal_bands([(8, (170, 21, 27)), (16, (241, 191, 0)), (8, (170, 21, 27))]),
    "DefaultFlag.bmp": default_flag,
}


def check_bmp(path):
    """Returns a list of problems of the picture at path (empty when it is sound)."""
    data = path.read_bytes()
    problems = []
    if len(data) < 54:
        return ["shorter than the two headers"]
    magic, size, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
    hsize, w, h, planes, bpp, comp, isize = struct.unpack_from("<IiiHHII", data, 14)
    expected_image = row_size(WIDTH) * HEIGHT
    if magic != b"BM":
        problems.append("no BM signature")
    if size != len(data):
        problems.append(f"file size field {size}, file has {len(data)} bytes")
    if offset != 54 or hsize != 40:
        problems.append(f"pixel offset {offset}, info header {hsize} (want 54, 40)")
    if (w, h) != (WIDTH, HEIGHT):
        problems.append(f"{w} x {h} pixels, want {WIDTH} x {HEIGHT}")
    if planes != 1 or bpp != 24 or comp != 0:
        problems.append(f"planes {planes}, {bpp} bpp, compression {comp} (want 1, 24, 0)")
    if isize != expected_image or len(data) - offset != expected_image:
        problems.append(f"pixel data {len(data) - offset} bytes, field {isize}, want {expected_image}")
    return problems


def main(argv):
    out = Path(argv[1]) if len(argv) > 1 else Path(__file__).resolve().parent.parent / "LANGUAGE"
    out.mkdir(parents=True, exist_ok=True)
    failed = False
    for name, pixel in FLAGS.items():
        path = out / name
        path.write_bytes(bmp_bytes(pixel))
        problems = check_bmp(path)
        failed |= bool(problems)
        print(f"{path}: {'; '.join(problems) if problems else 'ok'}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
