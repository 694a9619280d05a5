#!/usr/bin/env python3
"""Writes the 32 x 32 icons of the owner-drawn lists of the pages into data/resources/icons/lists/
and their resource lines into data/resources/list_icons.rci: the layouts (pages per sheet and
posters, monochrome and colour, each with its greyed form), the page orders, the binding edges and
the page edgings. Run it again after changing a picture and commit the files."""
import os

from make_preview_bitmaps import BLACK, BLUE, DARK, GREEN, GREY, K, NAVY, RED, SILVER, WHITE, YELLOW, canvas
from make_preview_icons import frame, rect, write_group

HERE = os.path.dirname(__file__)
RES = os.path.join(HERE, "..", "data", "resources")
OUT = os.path.join(RES, "icons", "lists")
SIZE = 32


def sheet(landscape):
    """A white sheet with a black edge, centred in the icon; answers the icon and the inner box."""
    p = canvas(SIZE, SIZE)
    w, h = (28, 20) if landscape else (20, 28)
    x0, y0 = (SIZE - w) // 2, (SIZE - h) // 2
    rect(p, x0, y0, x0 + w, y0 + h, WHITE)
    frame(p, x0, y0, x0 + w, y0 + h, BLACK)
    return p, (x0 + 2, y0 + 2, x0 + w - 2, y0 + h - 2)


def content(p, box, colour):
    """The printed matter of a page: a picture block and text lines, coloured or grey."""
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    if w < 3 or h < 3:
        rect(p, x0, y0, x1, y1, GREY)
        return
    block = max(1, min(w, h) // 2)
    rect(p, x0, y0, x0 + block, y0 + block, RED if colour else DARK)
    if colour and block > 2:
        rect(p, x0 + block // 2, y0 + block // 2, x0 + block, y0 + block, BLUE)
    for y in range(y0 + block + 1, y1, 2):
        rect(p, x0, y, x1, y + 1, GREEN if colour and (y // 2) % 3 == 0 else GREY)


def pages_per_sheet(landscape, across, down, colour):
    p, (x0, y0, x1, y1) = sheet(landscape)
    cw, ch = (x1 - x0) // across, (y1 - y0) // down
    for j in range(down):
        for i in range(across):
            cx, cy = x0 + i * cw, y0 + j * ch
            frame(p, cx, cy, cx + cw, cy + ch, SILVER)
            content(p, (cx + 1, cy + 1, cx + cw - 1, cy + ch - 1), colour)
    return p


def poster(tiles, colour):
    """One page spread over tiles: its matter over the whole sheet, cut by dashed lines."""
    p, box = sheet(False)
    content(p, box, colour)
    x0, y0, x1, y1 = box
    for k in range(1, tiles):
        x = x0 + (x1 - x0) * k // tiles
        y = y0 + (y1 - y0) * k // tiles
        for t in range(y0, y1, 2):
            p[t][x] = NAVY
        for t in range(x0, x1, 2):
            p[y][t] = NAVY
    return p


def greyed(p):
    """The disabled form: the sheet stays white, its edges turn grey and its matter silver."""
    return [[c if c in (K, WHITE) else (GREY if c in (BLACK, NAVY, DARK) else SILVER) for c in row] for row in p]


def arrow(p, points, colour=RED):
    """A path through the points with a head at its end."""
    for (ax, ay), (bx, by) in zip(points, points[1:]):
        steps = max(abs(bx - ax), abs(by - ay))
        for s in range(steps + 1):
            x = ax + (bx - ax) * s // max(1, steps)
            y = ay + (by - ay) * s // max(1, steps)
            rect(p, x, y, x + 1, y + 1, colour)
    (ax, ay), (bx, by) = points[-2], points[-1]
    dx, dy = (bx > ax) - (bx < ax), (by > ay) - (by < ay)
    for s in range(1, 4):
        # The two barbs run back from the tip, square to the last stretch.
        for side in (-1, 1):
            x, y = bx - dx * s + dy * s * side, by - dy * s + dx * s * side
            rect(p, x, y, x + 1, y + 1, colour)


def page_order(kind):
    """The pages of a sheet in the order they are laid: two pages for the first four orders,
    four for the rest, the arrow from the first page to the last."""
    landscape = kind in ("UD", "DU")
    p, (x0, y0, x1, y1) = sheet(landscape if len(kind) == 2 else False)
    if len(kind) == 2:
        if kind in ("LR", "RL"):
            cells = [(x0, y0, (x0 + x1) // 2, y1), ((x0 + x1) // 2, y0, x1, y1)]
        else:
            cells = [(x0, y0, x1, (y0 + y1) // 2), (x0, (y0 + y1) // 2, x1, y1)]
    else:
        mx, my = (x0 + x1) // 2, (y0 + y1) // 2
        cells = [(x0, y0, mx, my), (mx, y0, x1, my), (x0, my, mx, y1), (mx, my, x1, y1)]
    for c in cells:
        frame(p, *c, SILVER)
    centre = [((a + c) // 2, (b + d) // 2) for a, b, c, d in cells]
    # The visiting order of the cells (indices into the cells above).
    order = {"LR": [0, 1], "RL": [1, 0], "UD": [0, 1], "DU": [1, 0],
             "LUR": [0, 1, 2, 3], "LUD": [0, 2, 1, 3], "RUL": [1, 0, 3, 2], "RUD": [1, 3, 0, 2]}[kind]
    arrow(p, [centre[i] for i in order])
    return p


def binding(landscape, edge):
    """The sheet with the bound edge drawn thick and navy, staple marks along it."""
    p, (x0, y0, x1, y1) = sheet(landscape)
    x0, y0, x1, y1 = x0 - 2, y0 - 2, x1 + 2, y1 + 2
    if edge == "left":
        rect(p, x0, y0, x0 + 3, y1, NAVY)
    elif edge == "right":
        rect(p, x1 - 3, y0, x1, y1, NAVY)
    elif edge == "top":
        rect(p, x0, y0, x1, y0 + 3, NAVY)
    else:
        rect(p, x0, y1 - 3, x1, y1, NAVY)
    content(p, (x0 + 5, y0 + 5, x1 - 5, y1 - 5), False)
    return p


def edging(kind):
    """A page with its edging: a frame drawn in the style of the row, inside the sheet."""
    p, (x0, y0, x1, y1) = sheet(False)
    x0, y0, x1, y1 = x0 + 1, y0 + 1, x1 - 1, y1 - 1
    ring = [(x, y0) for x in range(x0, x1)] + [(x1 - 1, y) for y in range(y0, y1)] + \
        [(x, y1 - 1) for x in range(x1 - 1, x0 - 1, -1)] + [(x0, y) for y in range(y1 - 1, y0 - 1, -1)]
    patterns = {"SOLIDLINE": "1", "DASHLINE": "111100", "DOTTEDLINE": "10", "DASHDOT": "11110010",
                "DASHDOTDOT": "1111001010"}
    if kind in patterns:
        pattern = patterns[kind]
        for i, (x, y) in enumerate(ring):
            if pattern[i % len(pattern)] == "1":
                p[y][x] = BLACK
    elif kind == "SHADESOLIDLINE":
        frame(p, x0, y0, x1 - 1, y1 - 1, BLACK)
        rect(p, x1 - 1, y0 + 1, x1, y1, GREY)
        rect(p, x0 + 1, y1 - 1, x1, y1, GREY)
    elif kind == "TRANSPARENCY":
        for y in range(y0, y1):
            for x in range(x0, x1):
                if (x + y) % 2 == 0:
                    p[y][x] = SILVER
        frame(p, x0, y0, x1, y1, BLACK)
    elif kind == "DOUBLELINE":
        frame(p, x0, y0, x1, y1, BLACK)
        frame(p, x0 + 2, y0 + 2, x1 - 2, y1 - 2, BLACK)
    elif kind == "PAGEBORDER":
        rect(p, x0, y0, x1, y1, YELLOW)
        rect(p, x0 + 2, y0 + 2, x1 - 2, y1 - 2, WHITE)
    elif kind == "CORNER":
        for cx, cy, sx, sy in ((x0, y0, 1, 1), (x1 - 1, y0, -1, 1), (x0, y1 - 1, 1, -1), (x1 - 1, y1 - 1, -1, -1)):
            for s in range(5):
                p[cy][cx + sx * s] = BLACK
                p[cy + sy * s][cx] = BLACK
    inner = 4 if kind != "NONE" else 2
    content(p, (x0 + inner, y0 + inner, x1 - inner, y1 - inner), False)
    return p


def icons():
    """Every icon by resource id."""
    out = {}
    # Layouts, in the order of the pictures' offsets: 1, 2, 4, 6, 8, 9, 16 pages per sheet on a
    # portrait sheet; 2, 6 and 8 on a landscape sheet; posters of 2, 3 and 4 tiles a side. The
    # greyed forms follow 13 ids on.
    grids = [(False, 1, 1), (False, 1, 2), (False, 2, 2), (False, 2, 3), (False, 2, 4), (False, 3, 3),
             (False, 4, 4), (True, 2, 1), (True, 3, 2), (True, 4, 2)]
    for first, colour in ((4773, False), (4799, True)):
        pictures = [pages_per_sheet(l, a, d, colour) for l, a, d in grids] + [poster(t, colour) for t in (2, 3, 4)]
        for i, picture in enumerate(pictures):
            out[first + i] = picture
            out[first + 13 + i] = greyed(picture)
    for i, kind in enumerate(["LR", "RL", "UD", "DU", "LUR", "LUD", "RUL", "RUD"]):
        out[4663 + i] = page_order(kind)
    edges = {4671: (False, "left"), 4673: (False, "right"), 4676: (False, "top"), 4678: (False, "bottom"),
             4675: (True, "top"), 4677: (True, "bottom"), 4674: (True, "right"), 4672: (True, "left")}
    for ident, (landscape, edge) in edges.items():
        out[ident] = binding(landscape, edge)
        out[ident + 8] = greyed(out[ident])
    for i, kind in enumerate(["NONE", "SOLIDLINE", "DASHLINE", "DOTTEDLINE", "DASHDOT", "DASHDOTDOT",
                              "SHADESOLIDLINE", "TRANSPARENCY", "DOUBLELINE", "PAGEBORDER", "CORNER"]):
        out[4727 + i] = edging(kind)
    return out


def main():
    os.makedirs(OUT, exist_ok=True)
    lines = ["// The icons of the owner-drawn lists (layouts, page orders, binding edges, edgings), written",
             "// by scripts/make_list_icons.py and included by the resource script of the module.", ""]
    for ident, picture in sorted(icons().items()):
        write_group(os.path.join(OUT, f"list_{ident}.ico"), picture)
        lines.append(f'{ident} ICON "icons/lists/list_{ident}.ico"')
    with open(os.path.join(RES, "list_icons.rci"), "w") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
