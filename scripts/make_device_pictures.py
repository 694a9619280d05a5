#!/usr/bin/env python3
"""Writes the device pictures of the resource module: one printer body per model picture (its
width, height and trim vary by model so that each model is told apart), the optional units every
model stacks around its body (paper deck, side deck, two finishers, the unit on top), the frames
that mark the selected paper source, and the 32 x 32 icons of the picture's strip (device
variants and sheet finishing). Writes data/resources/device_pictures.rci, the resource lines.
Run it again after changing a picture and commit the files."""
import os

from make_preview_bitmaps import (BLACK, BLUE, DARK, GREEN, GREY, K, NAVY, RED, SILVER, WHITE, YELLOW, CYAN,
                                  canvas, write_bmp)
from make_preview_icons import frame, rect, write_group

HERE = os.path.dirname(__file__)
RES = os.path.join(HERE, "..", "data", "resources")

# The model pictures, in the order of their bitmap ids (28100 on): code, body width, body height,
# trim colour. Must agree with preview/model_picture_table.cpp.
MODELS = [
    ("K01", 64, 50, BLUE), ("K02", 70, 54, GREEN), ("K03", 62, 50, NAVY), ("K04", 62, 52, RED),
    ("K05", 66, 52, CYAN), ("K06", 72, 56, BLUE), ("K07", 74, 58, NAVY), ("K08", 76, 58, GREEN),
    ("K09", 78, 60, RED), ("K10", 60, 48, YELLOW), ("K11", 64, 52, GREEN), ("K12", 64, 52, BLUE),
    ("K13", 74, 56, CYAN), ("K14", 80, 60, NAVY), ("K15", 74, 58, RED), ("K16", 62, 50, CYAN),
    ("K17", 60, 50, RED), ("K18", 60, 50, GREEN), ("K19", 58, 46, GREY), ("K20", 80, 62, YELLOW),
    ("K21", 70, 56, GREEN), ("K22", 76, 58, BLUE), ("K23", 72, 56, YELLOW), ("K24", 76, 60, CYAN),
    ("K25", 70, 54, BLUE), ("K26", 70, 54, RED), ("K27", 78, 60, GREEN), ("K28", 76, 58, YELLOW),
    ("K29", 68, 52, NAVY), ("K30", 66, 52, YELLOW), ("K31", 72, 56, RED), ("K32", 62, 50, BLUE),
    ("K33", 64, 50, RED),
]
DECK_W, DECK_H = 0, 14  # a deck is as wide as its model's body


def body(w, h, trim):
    """The printer: output tray on top, control panel, two drawers, the bypass tray on the right."""
    p = canvas(w + 8, h)
    rect(p, 0, 8, w, h, SILVER)
    frame(p, 0, 8, w, h, BLACK)
    rect(p, 8, 0, w - 8, 8, WHITE)          # scanner lid / output
    frame(p, 8, 0, w - 8, 9, BLACK)
    rect(p, 12, 4, w - 12, 6, GREY)         # paper in the output tray
    rect(p, 3, 11, w - 3, 16, trim)         # trim band: tells the models apart
    rect(p, w - 14, 12, w - 6, 15, GREEN)   # panel light
    for top in (h - 26, h - 14):            # drawers 1 and 2
        frame(p, 4, top, w - 4, top + 11, DARK)
        rect(p, w // 2 - 6, top + 4, w // 2 + 6, top + 6, BLACK)
    rect(p, w, 22, w + 8, 25, WHITE)        # bypass tray
    frame(p, w, 21, w + 8, 26, BLACK)
    return p


def deck(w):
    p = canvas(w, DECK_H)
    rect(p, 0, 0, w, DECK_H, SILVER)
    frame(p, 0, 0, w, DECK_H, BLACK)
    frame(p, 4, 2, w - 4, DECK_H - 1, DARK)
    rect(p, w // 2 - 6, 6, w // 2 + 6, 8, BLACK)
    return p


def side_deck():
    p = canvas(30, 44)
    rect(p, 0, 0, 30, 44, SILVER)
    frame(p, 0, 0, 30, 44, BLACK)
    frame(p, 3, 4, 27, 40, DARK)
    rect(p, 9, 20, 21, 22, BLACK)
    return p


def finisher(w, h, booklet):
    p = canvas(w, h)
    rect(p, 0, 10, w, h, SILVER)
    frame(p, 0, 10, w, h, BLACK)
    for y in (14, 26):                      # the output trays on its side
        rect(p, 0, y, 10, y + 3, WHITE)
        frame(p, 0, y, 10, y + 4, BLACK)
    rect(p, w - 12, 14, w - 4, 17, RED if booklet else BLUE)
    if booklet:
        rect(p, 6, h - 12, w - 6, h - 8, WHITE)
        frame(p, 6, h - 13, w - 6, h - 7, BLACK)
    return p


def top_unit():
    p = canvas(37, 17)
    rect(p, 0, 0, 37, 17, WHITE)
    frame(p, 0, 0, 37, 17, BLACK)
    rect(p, 4, 6, 33, 10, SILVER)
    return p


def highlight(w, h):
    """A red frame two pixels wide over a source, hollow (the key colour) inside."""
    p = canvas(w, h)
    frame(p, 0, 0, w, h, RED)
    frame(p, 1, 1, w - 1, h - 1, RED)
    return p


# The wide models' units, side by side in a low picture (the device page is 52 pixels high): ids
# 28609 on. Must agree with preview/device_unit_tables.cpp.
def wide_body(trim):
    """60 x 44: the printer with two cassettes (1 above 3) and an output tray on top."""
    p = canvas(60, 44)
    rect(p, 0, 6, 60, 44, SILVER)
    frame(p, 0, 6, 60, 44, BLACK)
    rect(p, 6, 0, 54, 6, WHITE)
    frame(p, 6, 0, 54, 7, BLACK)
    rect(p, 3, 9, 57, 14, trim)
    for top in (22, 33):
        frame(p, 4, top, 56, top + 9, DARK)
        rect(p, 24, top + 4, 36, top + 6, BLACK)
    return p


def wide_bypass():
    p = canvas(11, 8)
    rect(p, 0, 2, 11, 6, WHITE)
    frame(p, 0, 2, 11, 6, BLACK)
    return p


def wide_unit(w, h, kind):
    """A unit standing beside the printer: a deck, a puncher, a finisher or the side deck."""
    p = canvas(w, h)
    rect(p, 0, 0, w, h, SILVER)
    frame(p, 0, 0, w, h, BLACK)
    if kind == "deck":
        frame(p, 3, 3, w - 3, h - 3, DARK)
        rect(p, w // 2 - 6, h // 2 - 1, w // 2 + 6, h // 2 + 1, BLACK)
    elif kind == "punch":
        for y in (8, 18):
            rect(p, 6, y, 11, y + 4, DARK)
    elif kind in ("inserter1", "inserter2"):
        for y in ((6, 16) if kind == "inserter2" else (10,)):
            rect(p, 2, y, w - 2, y + 3, WHITE)
            frame(p, 2, y, w - 2, y + 4, BLACK)
    elif kind == "stacker":
        rect(p, 4, 4, w - 4, 8, WHITE)
        frame(p, 4, 4, w - 4, 9, BLACK)
        rect(p, w - 10, h - 8, w - 4, h - 5, GREEN)
    elif kind == "side":
        frame(p, 3, 4, w - 3, h - 4, DARK)
        rect(p, 9, h // 2 - 1, w - 9, h // 2 + 1, BLACK)
    else:
        for y in (6, 18):
            rect(p, w - 12, y, w, y + 3, WHITE)
            frame(p, w - 12, y, w, y + 4, BLACK)
        rect(p, 4, 6, 12, 9, RED if kind == "booklet" else BLUE)
        if kind == "booklet":
            rect(p, 6, h - 10, w - 16, h - 7, WHITE)
            frame(p, 6, h - 11, w - 16, h - 6, BLACK)
    return p


# The default model's own pictures (ids 28037 on): a tall printer with two cassettes side by side
# and a two-drawer deck, its finishers, the units on them and the tops of the three model
# heights. Must agree with preview/k07_picture.cpp.
def k07_body():
    p = canvas(80, 66)
    rect(p, 0, 0, 80, 66, SILVER)
    frame(p, 0, 0, 80, 66, BLACK)
    rect(p, 4, 6, 76, 10, NAVY)
    rect(p, 80 - 12, 14, 80 - 4, 17, GREEN)
    for x0, x1 in ((6, 39), (39, 72)):       # cassettes 3 and 1, y 58 - 30
        frame(p, x0, 28, x1, 38, DARK)
        rect(p, (x0 + x1) // 2 - 4, 32, (x0 + x1) // 2 + 4, 34, BLACK)
    for top in (47, 55):                     # drawers of sources 2 and 264
        frame(p, 6, top, 74, top + 8, DARK)
        rect(p, 34, top + 3, 46, top + 5, BLACK)
    return p


def k07_plain(w, h, colour=SILVER, inner=None):
    p = canvas(w, h)
    rect(p, 0, 0, w, h, colour)
    frame(p, 0, 0, w, h, BLACK)
    if inner:
        frame(p, 2, 2, w - 2, h - 2, inner)
    return p


def k07_finisher(w, booklet):
    p = k07_plain(w, 74)
    for y in (30, 44):
        rect(p, 0, y, 12, y + 3, WHITE)
        frame(p, 0, y, 12, y + 4, BLACK)
    rect(p, w - 14, 30, w - 6, 33, RED if booklet else BLUE)
    return p


def k07_top(h, trim):
    p = k07_plain(80, h, WHITE)
    rect(p, 6, h - 8, 74, h - 4, trim)
    return p


def strip_icon(kind):
    """The strip's 32 x 32 icons: device variants (a printer with 0 to 4 decks or a finisher) and
    the sheet icons (a sheet with staples, punch holes or a fold)."""
    p = canvas(32, 32)
    if kind[0] == "device":
        decks, fin = kind[1], kind[2]
        top = 26 - 4 * decks
        rect(p, 8, top - 12, 26, top, SILVER)
        frame(p, 8, top - 12, 26, top, BLACK)
        rect(p, 11, top - 15, 23, top - 11, WHITE)
        frame(p, 11, top - 15, 23, top - 11, BLACK)
        for d in range(decks):
            frame(p, 8, top + 4 * d, 26, top + 4 * d + 4, BLACK)
        if fin:
            rect(p, 1, top - 10, 8, 30, GREY)
            frame(p, 1, top - 10, 8, 30, BLACK)
        return p
    _, staple, punch, fold, wide = kind
    x0, y0, x1, y1 = (3, 8, 29, 26) if wide else (7, 3, 25, 29)
    rect(p, x0, y0, x1, y1, WHITE)
    frame(p, x0, y0, x1, y1, BLACK)
    for y in range(y0 + 5, y1 - 3, 4):
        rect(p, x0 + 8, y, x1 - 4, y + 1, GREY)
    if fold:
        rect(p, (x0 + x1) // 2, y0, (x0 + x1) // 2 + 1, y1, BLUE)
    if staple:
        rect(p, x0 + 2, y0 + 2, x0 + 6, y0 + 3, DARK)
        if staple == 2:
            rect(p, x0 + 2, y1 - 4, x0 + 6, y1 - 3, DARK)
    if punch:
        for y in ((y0 + y1) // 2 - 5, (y0 + y1) // 2 + 4):
            rect(p, x0 + 3, y, x0 + 5, y + 2, BLACK)
    return p


def quality_sample(colour, level):
    """A 120 x 120 sample: stripes of the page's colours, finer for a higher quality level."""
    p = canvas(120, 120, WHITE)
    colours = [RED, GREEN, BLUE, YELLOW, CYAN, NAVY] if colour else [BLACK, DARK, GREY, SILVER]
    step = max(2, 14 - 2 * level)
    for i, y in enumerate(range(8, 112, step)):
        rect(p, 8, y, 112, y + step // 2, colours[i % len(colours)])
    frame(p, 0, 0, 120, 120, BLACK)
    return p


def badge(colour, marks):
    p = canvas(44, 20, WHITE)
    frame(p, 0, 0, 44, 20, BLACK)
    for i in range(marks):
        rect(p, 5 + 7 * i, 6, 10 + 7 * i, 14, (RED, GREEN, BLUE, NAVY, DARK)[i] if colour else DARK)
    return p


def main():
    bitmaps = os.path.join(RES, "bitmaps", "device")
    icons = os.path.join(RES, "icons", "strip")
    os.makedirs(bitmaps, exist_ok=True)
    os.makedirs(icons, exist_ok=True)
    lines = ["// The device pictures and the strip icons, written by scripts/make_device_pictures.py."]

    def bmp(rid, name, pixels):
        write_bmp(os.path.join(bitmaps, name + ".bmp"), pixels)
        lines.append('%d BITMAP "bitmaps/device/%s.bmp"' % (rid, name))

    def ico(rid, name, pixels):
        write_group(os.path.join(icons, name + ".ico"), pixels)
        lines.append('%d ICON "icons/strip/%s.ico"' % (rid, name))

    for i, (code, w, h, trim) in enumerate(MODELS):
        bmp(28100 + i, "body_" + code.lower(), body(w, h, trim))
    widths = sorted({w for _, w, _, _ in MODELS})
    for w in widths:  # decks by body width: 28200 + width
        bmp(28200 + w, "deck_%d" % w, deck(w))
        bmp(28300 + w, "deck_mark_%d" % w, highlight(w - 4, 12))
    bmp(28400, "side_deck", side_deck())
    bmp(28401, "finisher", finisher(40, 62, False))
    bmp(28402, "finisher_booklet", finisher(52, 74, True))
    bmp(28403, "top_unit", top_unit())
    bmp(28405, "bypass_mark", highlight(12, 9))
    bmp(28406, "side_deck_mark", highlight(28, 40))
    k07 = [
        (28037, "k07_body", k07_body()), (28038, "k07_cassette_mark", highlight(33, 10)),
        (28039, "k07_output", k07_plain(60, 8, WHITE)), (28040, "k07_side_deck", k07_plain(20, 26, SILVER, DARK)),
        (28041, "k07_drawer_mark", highlight(68, 8)), (28042, "k07_bypass_mark", highlight(12, 7)),
        (28043, "k07_side_deck_mark", highlight(18, 24)), (28044, "k07_tray", k07_plain(14, 8, WHITE)),
        (28045, "k07_finisher_small", k07_finisher(60, False)), (28046, "k07_finisher_71", k07_finisher(71, False)),
        (28047, "k07_finisher_75", k07_finisher(75, False)), (28048, "k07_base_75", k07_finisher(75, True)),
        (28049, "k07_base_77", k07_finisher(77, True)), (28050, "k07_finisher_64", k07_finisher(64, False)),
        (28051, "k07_unit", top_unit()), (28052, "k07_unit_option", k07_plain(35, 15, YELLOW)),
        (28053, "k07_inserter_26", k07_plain(26, 10, WHITE, GREY)),
        (28054, "k07_inserter_20", k07_plain(20, 10, WHITE, GREY)),
        (28055, "k07_inserter_16", k07_plain(16, 10, WHITE, GREY)),
        (28056, "k07_inserter_mark_26", highlight(26, 10)), (28057, "k07_inserter_mark_20", highlight(20, 10)),
        (28058, "k07_inserter_mark_16", highlight(16, 10)),
        (28059, "k07_top_scanner", k07_top(37, GREY)), (28060, "k07_top_feeder", k07_top(37, BLUE)),
        (28061, "k07_top_tall", k07_top(46, GREEN)),
    ]
    for rid, name, pixels in k07:
        bmp(rid, name, pixels)
    bmp(28609, "wide_body_k14", wide_body(NAVY))
    bmp(28610, "wide_body_k26", wide_body(RED))
    bmp(28611, "wide_bypass", wide_bypass())
    bmp(28612, "wide_side_deck", wide_unit(30, 40, "side"))
    bmp(28613, "wide_deck", wide_unit(40, 30, "deck"))
    bmp(28614, "wide_puncher", wide_unit(17, 30, "punch"))
    bmp(28615, "wide_finisher", wide_unit(62, 40, "finisher"))
    bmp(28616, "wide_finisher_booklet", wide_unit(62, 44, "booklet"))
    bmp(28617, "wide_drawer_mark", highlight(52, 9))
    bmp(28618, "wide_bypass_mark", highlight(11, 8))
    bmp(28619, "wide_side_deck_mark", highlight(28, 38))
    bmp(28620, "wide_deck_mark", highlight(36, 26))
    bmp(28621, "wide_inserter_two", wide_unit(15, 40, "inserter2"))
    bmp(28622, "wide_inserter_one", wide_unit(15, 40, "inserter1"))
    bmp(28623, "wide_stacker", wide_unit(59, 36, "stacker"))
    for level in range(6):
        bmp(29303 + level, "sample_colour_%d" % level, quality_sample(True, level))
        bmp(29310 + level, "sample_grey_%d" % level, quality_sample(False, level))
    bmp(4601, "badge_grey", badge(False, 2))
    bmp(4602, "badge_colour", badge(True, 3))
    for i, rid in enumerate((4603, 4604, 4605, 4606, 4607)):
        bmp(rid, "badge_mode_%d" % (i + 1), badge(True, i + 1))
    bmp(4610, "badge_mask", canvas(44, 20, BLACK))
    for rid, name, kind in [(4687, "device", ("device", 0, False)), (4688, "device_deck1", ("device", 1, False)),
                            (4689, "device_deck2", ("device", 2, False)), (4690, "device_deck3", ("device", 3, False)),
                            (4691, "device_finisher", ("device", 2, True)),
                            (29344, "device_deck4", ("device", 4, False)),
                            (29258, "finisher_unit", ("device", 0, True))]:
        ico(rid, name, strip_icon(kind))
    sheets = {
        4699: (0, 0, 0, 0), 4700: (0, 0, 0, 0), 4701: (1, 0, 0, 0), 4702: (2, 0, 0, 0), 4703: (0, 1, 0, 0),
        4704: (2, 1, 0, 0), 4707: (0, 0, 0, 1), 4708: (0, 0, 0, 1), 4709: (1, 0, 0, 1), 4710: (2, 0, 0, 1),
        4711: (0, 1, 0, 1), 4712: (2, 1, 0, 1), 4713: (0, 1, 0, 0), 4714: (2, 1, 0, 0), 4715: (1, 0, 0, 0),
        4716: (2, 0, 0, 0), 4717: (2, 0, 0, 0), 4718: (0, 1, 0, 0), 4719: (2, 1, 0, 0),
        4723: (0, 0, 1, 1), 4724: (2, 0, 1, 1), 4725: (0, 0, 1, 0), 4726: (2, 0, 1, 0),
        # the short form's sheet with its second staple kind, without and with holes
        29328: (2, 0, 0, 1), 29329: (2, 1, 0, 1),
    }
    for rid, (staple, punch, fold, wide) in sheets.items():
        ico(rid, "sheet_%d" % rid, strip_icon(("sheet", staple, punch, fold, wide)))
    with open(os.path.join(RES, "device_pictures.rci"), "w") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
