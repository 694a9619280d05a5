#!/usr/bin/env python3
"""Writes the built-in profiles of the resource module (resource type 12000) into
data/resources/builtin_profiles.rci. Each resource is a profile file: the 36-byte header, then a
profile record whose device mode is the public part and the shortest private part of the
driver's device mode; the library converts it to the current form, which fills every other value
from the printer's defaults, and lays the model's defaults over it. Run it again after changing a
row below and commit the file."""
import os
import struct

SIGNATURE = b"VOMEL PROFILE SYSTEM for 9x"
DM_ORIENTATION, DM_PAPERSIZE, DM_SCALE, DM_COPIES = 0x1, 0x2, 0x10, 0x100
DM_DEFAULTSOURCE, DM_PRINTQUALITY, DM_COLOR, DM_DUPLEX = 0x200, 0x400, 0x800, 0x1000
DM_YRESOLUTION, DM_TTOPTION, DM_COLLATE, DM_FORMNAME = 0x2000, 0x4000, 0x8000, 0x10000
# The paper is left out: a built-in profile keeps the printer's own default paper, which the
# conversion supplies.
FIELDS = (DM_ORIENTATION | DM_SCALE | DM_COPIES | DM_DEFAULTSOURCE | DM_PRINTQUALITY | DM_COLOR | DM_DUPLEX
          | DM_YRESOLUTION | DM_TTOPTION | DM_COLLATE)

# resource id, language column (the same settings in both), orientation, duplex, copies, icon
ROWS = [
    (12017, "other", 1, 1, 1, 1),   # profile 1: the factory settings
    (12018, "other", 2, 1, 1, 5),   # profile 4: landscape
    (12019, "other", 1, 2, 1, 6),   # profile 5: two-sided, long edge
    (12005, "other", 1, 1, 1, 7),   # profile 6: standard (languages other than 0x409)
    (12020, "other", 1, 3, 1, 8),   # profile 7: two-sided, short edge
    (12021, "other", 1, 1, 2, 9),   # profile 8: two copies
    (12022, "409", 1, 1, 1, 1),
    (12023, "409", 2, 1, 1, 5),
    (12024, "409", 1, 2, 1, 6),
    (12025, "409", 1, 1, 1, 70),    # profile 17: default (language 0x409)
    (12026, "409", 1, 3, 1, 8),
    (12027, "409", 1, 1, 2, 9),
]


def devmode(column, orientation, duplex, copies):
    public = bytearray(148)
    struct.pack_into("<HHHHI", public, 32, 0x400, 0x0602, 148, 116, FIELDS)
    struct.pack_into("<hhhhhhhhhhhhh", public, 44, orientation, 0, 0, 0, 100, copies, 7, 600, 1, duplex, 600, 1, 1)
    private = bytearray(116)  # header to byte 220, then a directory of empty sections
    private[0:5] = b"Vomel"
    struct.pack_into("<H", private, 170 - 148, 0x0602)
    return bytes(public + private)


def record(icon, dm):
    size = 296 + len(dm)
    head = bytearray(296)
    struct.pack_into("<H", head, 0, size)
    struct.pack_into("<HHH", head, 290, icon, 1, 0)
    return bytes(head) + dm


def main():
    out = os.path.join(os.path.dirname(__file__), "..", "data", "resources", "builtin_profiles.rci")
    lines = ["// Built-in profiles (resource type 12000): profile files whose device modes the library",
             "// completes from the printer's defaults. Written by scripts/make_builtin_profiles.py.", ""]
    for rid, column, orientation, duplex, copies, icon in ROWS:
        body = SIGNATURE.ljust(32, b"\0") + struct.pack("<HH", 1, 1)
        body += record(icon, devmode(column, orientation, duplex, copies))
        words = struct.unpack("<%dH" % (len(body) // 2), body)
        lines.append("%d 12000" % rid)
        lines.append("BEGIN")
        for i in range(0, len(words), 12):
            lines.append("    " + ", ".join("0x%04x" % w for w in words[i:i + 12]) + ("," if i + 12 < len(words) else ""))
        lines.append("END")
        lines.append("")
    with open(out, "w") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    main()
