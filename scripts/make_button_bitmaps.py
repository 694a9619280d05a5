#!/usr/bin/env python3
"""Writes the pictures of the owner-drawn buttons that are drawn here (the lock of the page
composition in its five states, the page of the edit-profile button) and the 1-bit masks of the
button pictures into
data/resources/bitmaps/. A picture is black where its mask is white (the target shows through);
run it again after changing one and commit the files."""
import os
import struct

OUT = os.path.join(os.path.dirname(__file__), "..", "data", "resources", "bitmaps")

# Pixels: None is transparent, otherwise an (r, g, b) colour.
BLACK = (0x00, 0x00, 0x00)
DARK = (0x40, 0x40, 0x40)
GREY = (0x80, 0x80, 0x80)
GOLD = (0xC0, 0x90, 0x20)
LIGHT = (0xF0, 0xD0, 0x60)
NAVY = (0x00, 0x00, 0x80)
WHITE = (0xFF, 0xFF, 0xFF)


def write_colour(path, pixels):
    """A 24-bit DIB; transparent pixels are black so that the mask's AND and the picture's OR
    leave the target there."""
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    rows = b""
    for row in reversed(pixels):
        line = b"".join(struct.pack("<BBB", *(c or BLACK)[::-1]) for c in row)
        rows += line + b"\0" * (stride - len(line))
    write_dib(path, width, height, 24, b"", rows)


def write_mask(path, pixels):
    """A 1-bit DIB of black (0, the picture) and white (1, the target shows through)."""
    height, width = len(pixels), len(pixels[0])
    stride = ((width + 31) // 32) * 4
    rows = b""
    for row in reversed(pixels):
        bits = 0
        for c in row:
            bits = (bits << 1) | (1 if c is None else 0)
        line = bits.to_bytes((width + 7) // 8, "big")
        rows += line + b"\0" * (stride - len(line))
    write_dib(path, width, height, 1, struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0), rows)


def write_dib(path, width, height, bits, table, rows):
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(rows), 2835, 2835,
                       len(table) // 4, 0)
    offset = 14 + len(info) + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    with open(os.path.join(OUT, path), "wb") as out:
        out.write(header + info + table + rows)


def canvas():
    return [[None] * 16 for _ in range(16)]


def padlock(closed, shift=0):
    """A padlock: a gold body with a keyhole, its shackle closed on both sides or swung open."""
    p = canvas()
    for y in range(8, 15):
        for x in range(3, 13):
            edge = y in (8, 14) or x in (3, 12)
            p[y][x] = DARK if edge else (LIGHT if y == 9 else GOLD)
    for y in (10, 11, 12):
        p[y][7] = p[y][8] = BLACK
    # The shackle: a bow over the body, both legs in the body when closed, the right leg lifted
    # and swung out when open.
    left, right, top = 5, 10, 2 if closed else 0
    for x in range(left, right + 1):
        p[top][x] = GREY
    for y in range(top + 1, 8):
        p[y][left] = GREY
    if closed:
        for y in range(top + 1, 8):
            p[y][right] = GREY
    else:
        for x in range(right, right + 4):
            p[top][x] = GREY
        for y in range(top + 1, 5):
            p[y][right + 3] = GREY
    if shift:
        p = [[None] * shift + row[:16 - shift] for row in p]
        p = [[None] * 16] * shift + p[:16 - shift]
    return p


def focused(p):
    """The picture inside the focus frame: a navy dotted rectangle along its edge."""
    p = [list(row) for row in p]
    for i in range(0, 16, 2):
        p[0][i] = p[15][i] = p[i][0] = p[i][15] = NAVY
    return p


def plus_mask():
    p = [[None] * 16 for _ in range(16)]
    for y in range(2, 14):
        for x in range(6, 10):
            p[y][x] = BLACK
    for y in range(6, 10):
        for x in range(2, 14):
            p[y][x] = BLACK
    return p


def page():
    """A white sheet between two black rules that stand out past its sides: the edit-profile
    button's picture. Its mask is its own shape, so the button's face shows around it."""
    p = canvas()
    for x in (2, 13):
        p[0][x] = p[15][x] = BLACK
    for x in range(16):
        p[1][x] = p[14][x] = BLACK
    for y in range(2, 14):
        for x in range(2, 14):
            p[y][x] = BLACK if x in (2, 13) else WHITE
    return p


def main():
    # Open, pressed, locked, focused open, focused locked: resources 4453 to 4457, masks 5 on.
    pictures = {
        "lock_open": padlock(False),
        "lock_pressed": padlock(False, shift=1),
        "lock_locked": padlock(True),
        "lock_open_focus": focused(padlock(False)),
        "lock_locked_focus": focused(padlock(True)),
    }
    for name, pixels in pictures.items():
        write_colour(name + ".bmp", pixels)
        write_mask(name + "_mask.bmp", pixels)
    write_mask("plus_mask.bmp", plus_mask())
    write_colour("page.bmp", page())
    write_mask("page_mask.bmp", page())


if __name__ == "__main__":
    main()
