#!/usr/bin/env python3
"""Writes the page-picture bitmaps of the resource module (8-bit DIBs with a 256-entry colour
table, magenta as the transparent key) into data/resources/bitmaps/preview/. The pictures are
drawn here from simple shapes; run it again after changing one and commit the files."""
import math
import os
import struct

PALETTE = [
    (0xFF, 0x00, 0xFF),  # 0 magenta: the key colour, left out when drawn
    (0x00, 0x00, 0x00),  # 1 black
    (0xFF, 0xFF, 0xFF),  # 2 white
    (0x80, 0x80, 0x80),  # 3 grey
    (0xC0, 0xC0, 0xC0),  # 4 silver
    (0x00, 0x00, 0x80),  # 5 navy
    (0x00, 0x00, 0xFF),  # 6 blue
    (0xFF, 0xFF, 0x00),  # 7 yellow
    (0x00, 0x80, 0x00),  # 8 green
    (0xFF, 0x00, 0x00),  # 9 red
    (0x00, 0xFF, 0xFF),  # 10 cyan
    (0x60, 0x60, 0x60),  # 11 dark grey
]
K, BLACK, WHITE, GREY, SILVER, NAVY, BLUE, YELLOW, GREEN, RED, CYAN, DARK = range(12)


def write_bmp(path, pixels):
    height = len(pixels)
    width = len(pixels[0])
    stride = (width + 3) & ~3
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in
                     PALETTE + [(0, 0, 0)] * (256 - len(PALETTE)))
    rows = b"".join(bytes(row) + b"\0" * (stride - width) for row in reversed(pixels))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(rows), 2835, 2835, 0, 0)
    offset = 14 + len(info) + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    with open(path, "wb") as out:
        out.write(header + info + table + rows)


def canvas(width, height, colour=K):
    return [[colour] * width for _ in range(height)]


def turn(pixels):
    """A quarter turn clockwise."""
    return [list(row) for row in zip(*pixels[::-1])]


def mirror(pixels):
    return [row[::-1] for row in pixels]


def flip(pixels):
    return pixels[::-1]


def booklet_top():
    # A small open book seen from above: two pages meeting at the fold.
    p = canvas(12, 10)
    for y in range(2, 9):
        for x in range(1, 11):
            p[y][x] = WHITE if x not in (1, 10) and y != 8 else GREY
    for y in range(1, 9):
        p[y][5] = p[y][6] = NAVY
    return p


def booklet_corner():
    p = canvas(10, 10)
    for y in range(10):
        for x in range(10 - y):
            p[y][x] = SILVER if x + y < 8 else GREY
    return p


def fold_corner():
    p = canvas(8, 8)
    for y in range(8):
        for x in range(y + 1):
            p[y][x] = WHITE if x < y else GREY
    for x in range(8):
        p[7][x] = BLACK
    return p


def punch_hole():
    p = canvas(9, 9)
    for y in range(9):
        for x in range(9):
            if (x - 4) ** 2 + (y - 4) ** 2 <= 16:
                p[y][x] = DARK if (x - 3) ** 2 + (y - 3) ** 2 > 4 else GREY
    return p


def small_punch_hole():
    """The hole of the four small sheets of a mixed-paper picture."""
    p = canvas(5, 5)
    for y in range(5):
        for x in range(5):
            if (x - 2) ** 2 + (y - 2) ** 2 <= 4:
                p[y][x] = DARK if (x - 2) ** 2 + (y - 2) ** 2 > 1 else GREY
    return p


def overlay_picture():
    # A landscape: sky, sun, hills.
    p = canvas(24, 18, CYAN)
    for y in range(18):
        for x in range(24):
            if (x - 18) ** 2 + (y - 4) ** 2 <= 9:
                p[y][x] = YELLOW
            if y > 11 + 3 * math.sin(x / 4.0):
                p[y][x] = GREEN
    for x in range(24):
        p[0][x] = p[17][x] = NAVY
    for y in range(18):
        p[y][0] = p[y][23] = NAVY
    return p


def strip_cap():
    p = canvas(15, 10)
    for y in range(10):
        for x in range(3, 12):
            p[y][x] = SILVER if y < 8 else GREY
        p[y][3] = p[y][11] = BLACK
    return p


def main():
    folder = os.path.join(os.path.dirname(__file__), "..", "data", "resources", "bitmaps", "preview")
    os.makedirs(folder, exist_ok=True)
    top, corner = booklet_top(), booklet_corner()
    pictures = {
        # vertical fold: top and bottom of the fold, left corners, right corners
        "booklet_fold_top": top, "booklet_fold_bottom": flip(top),
        "booklet_left_top": corner, "booklet_left_bottom": flip(corner),
        "booklet_right_top": mirror(corner), "booklet_right_bottom": flip(mirror(corner)),
        # horizontal fold: the same roles turned
        "booklet_fold_left": turn(top), "booklet_fold_right": mirror(turn(top)),
        "booklet_top_left": turn(corner), "booklet_top_right": mirror(turn(corner)),
        "booklet_bottom_left": flip(turn(corner)), "booklet_bottom_right": flip(mirror(turn(corner))),
        "fold_right_a": fold_corner(), "fold_right_b": flip(fold_corner()),
        "fold_left_a": mirror(fold_corner()), "fold_left_b": flip(mirror(fold_corner())),
        "fold_top_a": turn(fold_corner()), "fold_top_b": mirror(turn(fold_corner())),
        "fold_bottom_a": flip(turn(fold_corner())), "fold_bottom_b": flip(mirror(turn(fold_corner()))),
        "punch_hole": punch_hole(), "punch_hole_small": small_punch_hole(),
        "overlay": overlay_picture(), "overlay_size": overlay_picture(),
        "strip_bottom": flip(strip_cap()), "strip_top": strip_cap(),
        "strip_left": turn(strip_cap()), "strip_right": mirror(turn(strip_cap())),
    }
    for name, pixels in pictures.items():
        write_bmp(os.path.join(folder, name + ".bmp"), pixels)


if __name__ == "__main__":
    main()
