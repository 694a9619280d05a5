#!/usr/bin/env python3
"""Writes the pictures of the preview's strips and parts into data/resources/: the two mode icons
(16 x 16), the cursors of the picture parts (32 x 32, 1 bit, with hot spots), the plate under the
strip icons and the plates and overlays of the two state icons (8-bit DIBs on the key colours:
magenta, and dark green for the colour-mode overlays). Run it again after changing a picture and
commit the files."""
import os
import struct

from make_preview_bitmaps import (BLACK, BLUE, DARK, GREEN, GREY, K, NAVY, RED, SILVER, WHITE, YELLOW, CYAN,
                                  canvas, write_bmp)

HERE = os.path.dirname(__file__)
RES = os.path.join(HERE, "..", "data", "resources")
RGB = {K: (255, 0, 255), BLACK: (0, 0, 0), WHITE: (255, 255, 255), GREY: (128, 128, 128),
       SILVER: (192, 192, 192), NAVY: (0, 0, 128), BLUE: (0, 0, 255), YELLOW: (255, 255, 0),
       GREEN: (0, 128, 0), RED: (255, 0, 0), CYAN: (0, 255, 255), DARK: (96, 96, 96)}


def rect(p, x0, y0, x1, y1, colour):
    for y in range(max(0, y0), min(len(p), y1)):
        for x in range(max(0, x0), min(len(p[0]), x1)):
            p[y][x] = colour


def frame(p, x0, y0, x1, y1, colour):
    rect(p, x0, y0, x1, y0 + 1, colour)
    rect(p, x0, y1 - 1, x1, y1, colour)
    rect(p, x0, y0, x0 + 1, y1, colour)
    rect(p, x1 - 1, y0, x1, y1, colour)


def icon_image(pixels):
    """A 24-bit icon image: header of twice the height, colour rows, then the AND mask (key = 1)."""
    h, w = len(pixels), len(pixels[0])
    rows = b""
    for row in reversed(pixels):
        line = b"".join(struct.pack("<BBB", *reversed(RGB[c] if c != K else (0, 0, 0))) for c in row)
        rows += line + b"\0" * ((4 - len(line) % 4) % 4)
    mask = b""
    for row in reversed(pixels):
        bits = 0
        line = b""
        for x, c in enumerate(row):
            bits = (bits << 1) | (1 if c == K else 0)
            if x % 8 == 7:
                line += bytes([bits])
                bits = 0
        line += b"\0" * ((4 - len(line) % 4) % 4)
        mask += line
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 24, 0, len(rows) + len(mask), 0, 0, 0, 0)
    return info + rows + mask


def write_group(path, pixels, cursor=None):
    image = icon_image(pixels)
    h, w = len(pixels), len(pixels[0])
    kind = 2 if cursor else 1
    header = struct.pack("<HHH", 0, kind, 1)
    planes, bits = (cursor if cursor else (1, 24))
    entry = struct.pack("<BBBBHHII", w, h, 0, 0, planes, bits, len(image), 6 + 16)
    with open(path, "wb") as out:
        out.write(header + entry + image)


def page_icon():
    p = canvas(16, 16)
    rect(p, 3, 1, 12, 15, WHITE)
    frame(p, 3, 1, 12, 15, BLACK)
    for y in (4, 6, 8, 10):
        rect(p, 5, y, 10, y + 1, GREY)
    return p


def device_icon():
    p = canvas(16, 16)
    rect(p, 1, 6, 15, 13, SILVER)
    frame(p, 1, 6, 15, 13, BLACK)
    rect(p, 4, 2, 12, 6, WHITE)
    frame(p, 4, 2, 12, 7, BLACK)
    rect(p, 11, 8, 13, 9, GREEN)
    return p


def arrow_cursor(mark):
    """An arrow pointer with a small sign of the part below it, hot spot at the tip."""
    p = canvas(32, 32)
    for y in range(16):
        for x in range(y // 2 + 1):
            p[y][x] = WHITE
        p[y][0] = BLACK
        p[y][y // 2] = BLACK
    rect(p, 0, 15, 9, 16, BLACK)
    mark(p)
    return p


def mark_none(_):
    pass


def mark_edge(p):
    rect(p, 16, 18, 30, 30, WHITE)
    frame(p, 16, 18, 30, 30, BLACK)
    rect(p, 17, 19, 20, 29, BLACK)


def mark_staple(p):
    rect(p, 16, 18, 30, 30, WHITE)
    frame(p, 16, 18, 30, 30, BLACK)
    rect(p, 18, 20, 23, 21, BLACK)


def mark_in(p):
    frame(p, 14, 16, 30, 30, BLACK)
    rect(p, 19, 21, 25, 25, BLACK)


def mark_out(p):
    frame(p, 14, 16, 30, 30, BLACK)
    frame(p, 17, 19, 27, 27, BLACK)


def mark_sheet(p):
    rect(p, 18, 16, 28, 30, WHITE)
    frame(p, 18, 16, 28, 30, BLACK)
    rect(p, 20, 22, 26, 23, BLACK)


def plate(state):
    """The 38 x 38 plate of a state icon: raised (normal, hot), sunken (pressed), flat (disabled)."""
    p = canvas(38, 38)
    face = YELLOW if state == "hot" else SILVER
    rect(p, 1, 1, 37, 37, face)
    if state == "pressed":
        rect(p, 1, 1, 37, 2, DARK)
        rect(p, 1, 1, 2, 37, DARK)
        rect(p, 1, 36, 37, 37, WHITE)
        rect(p, 36, 1, 37, 37, WHITE)
    elif state != "disabled":
        rect(p, 1, 1, 37, 2, WHITE)
        rect(p, 1, 1, 2, 37, WHITE)
        rect(p, 1, 36, 37, 37, DARK)
        rect(p, 36, 1, 37, 37, DARK)
    frame(p, 0, 0, 38, 38, GREY if state == "disabled" else BLACK)
    return p


def fold_overlay(on, disabled):
    p = canvas(32, 32)
    ink = GREY if disabled else BLACK
    rect(p, 6, 4, 24, 28, WHITE)
    frame(p, 6, 4, 24, 28, ink)
    if on:
        rect(p, 18, 4, 24, 28, SILVER)
        rect(p, 18, 4, 19, 28, ink)
    return p


def colour_overlay(kind, disabled):
    key = K if disabled else GREEN
    p = canvas(32, 32, key)
    colours = {"auto": [RED, GREY, BLUE], "colour": [RED, YELLOW, BLUE], "mono": [BLACK, GREY, WHITE]}[kind]
    for i, c in enumerate(colours):
        rect(p, 5 + i * 8, 8, 12 + i * 8, 24, GREY if disabled else c)
        frame(p, 5 + i * 8, 8, 12 + i * 8, 24, GREY if disabled else BLACK)
    return p


def main():
    icons = os.path.join(RES, "icons")
    os.makedirs(icons, exist_ok=True)
    write_group(os.path.join(icons, "mode_page.ico"), page_icon())
    write_group(os.path.join(icons, "mode_device.ico"), device_icon())
    marks = {"hand": mark_none, "binding": mark_edge, "staple": mark_staple, "inner": mark_in, "outer": mark_out,
             "sheet": mark_sheet}
    for name, mark in marks.items():
        write_group(os.path.join(icons, name + ".cur"), arrow_cursor(mark), cursor=(0, 0))
    bitmaps = os.path.join(RES, "bitmaps", "preview")
    pictures = {
        "state_plate": plate("normal"), "state_plate_hot": plate("hot"), "state_plate_pressed": plate("pressed"),
        "state_plate_disabled": plate("disabled"),
        "fold_off": fold_overlay(False, False), "fold_off_disabled": fold_overlay(False, True),
        "fold_on": fold_overlay(True, False), "fold_on_disabled": fold_overlay(True, True),
        "colour_auto": colour_overlay("auto", False), "colour_auto_disabled": colour_overlay("auto", True),
        "colour_on": colour_overlay("colour", False), "colour_on_disabled": colour_overlay("colour", True),
        "colour_mono": colour_overlay("mono", False), "colour_mono_disabled": colour_overlay("mono", True),
    }
    for name, pixels in pictures.items():
        write_bmp(os.path.join(bitmaps, name + ".bmp"), pixels)


if __name__ == "__main__":
    main()
