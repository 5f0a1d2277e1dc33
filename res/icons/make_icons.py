#!/usr/bin/env python3
"""Writes the tree's seven 16 x 16 icons as .ico files beside this script.

The tree's image list is created without a mask and with the default colour depth, so every
icon is opaque, drawn on window white, in the 16 standard VGA colours only.
Run it after changing a drawing: python3 make_icons.py
"""
import os
import struct

# The standard 16-colour palette, by the letter that draws it.
PALETTE = {
    'k': (0x00, 0x00, 0x00), 'm': (0x80, 0x00, 0x00), 'G': (0x00, 0x80, 0x00),
    'o': (0x80, 0x80, 0x00), 'n': (0x00, 0x00, 0x80), 'p': (0x80, 0x00, 0x80),
    't': (0x00, 0x80, 0x80), 's': (0xC0, 0xC0, 0xC0), 'g': (0x80, 0x80, 0x80),
    'r': (0xFF, 0x00, 0x00), 'l': (0x00, 0xFF, 0x00), 'y': (0xFF, 0xFF, 0x00),
    'b': (0x00, 0x00, 0xFF), 'f': (0xFF, 0x00, 0xFF), 'c': (0x00, 0xFF, 0xFF),
    '.': (0xFF, 0xFF, 0xFF),
}
ORDER = 'kmGonptsgrlybfc.'

FOLDER = [
    "................",
    "................",
    ".oooo...........",
    ".oyyyo..........",
    ".oyyyyoooooooo..",
    ".oyyyyyyyyyyyyo.",
    ".oyyyyyyyyyyyyo.",
    ".oyyyyyyyyyyyyo.",
    ".oyyyyyyyyyyyyo.",
    ".oyyyyyyyyyyyyo.",
    ".oyyyyyyyyyyyyo.",
    ".oyyyyyyyyyyyyo.",
    ".oyyyyyyyyyyyyo.",
    ".oooooooooooooo.",
    "................",
    "................",
]

# Badges drawn over the folder's lower right corner (7 x 7, at column 9, row 9).
NO_ENTRY = ["..rrr..", ".rrrrr.", "rrrrrrr", "r.....r", "rrrrrrr", ".rrrrr.", "..rrr.."]
PADLOCK = ["..kkk..", ".k...k.", ".k...k.", "kkkkkkk", "kgggggk", "kgg.ggk", "kkkkkkk"]
ALERT = ["ppppppp", "ppp.ppp", "ppp.ppp", "ppp.ppp", "ppppppp", "ppp.ppp", "ppppppp"]

ICONS = {
    'root': [
        "................",
        ".kkkkkkkkkkkkkk.",
        ".kssssssssssssk.",
        ".ksbbbbbbbbbbsk.",
        ".ksbccbbbbbbbsk.",
        ".ksbcbbbbbbbbsk.",
        ".ksbbbbbbbbbbsk.",
        ".ksbbbbbbbbbbsk.",
        ".ksbbbbbbbbbbsk.",
        ".kssssssssssssk.",
        ".kkkkkkkkkkkkkk.",
        "......kssk......",
        "....kkkkkkkk....",
        "...kssssssssk...",
        "...kkkkkkkkkk...",
        "................",
    ],
    'device': [
        "................",
        "................",
        "................",
        "................",
        ".kkkkkkkkkkkkkk.",
        ".k............k.",
        ".kssssssssssssk.",
        ".kssssssssssssk.",
        ".kggggggggggggk.",
        ".kgggggggggGlgk.",
        ".kggggggggggggk.",
        ".kkkkkkkkkkkkkk.",
        "................",
        "................",
        "................",
        "................",
    ],
    'area': FOLDER,
    'category': [
        "................",
        "................",
        "................",
        "................",
        "...tttt.........",
        "...tccct........",
        "...tcccctttttt..",
        "...tccccccccccc.",
        "...tccccccccccc.",
        "...tccccccccccc.",
        "...tccccccccccc.",
        "...tccccccccccc.",
        "...tttttttttttt.",
        "................",
        "................",
        "................",
    ],
}


def with_badge(base, badge):
    rows = [list(r) for r in base]
    for y, line in enumerate(badge):
        for x, ch in enumerate(line):
            rows[9 + y][9 + x] = ch
    return [''.join(r) for r in rows]


ICONS['area_blocked'] = with_badge(FOLDER, NO_ENTRY)
ICONS['area_readonly'] = with_badge(FOLDER, PADLOCK)
ICONS['area_restricted'] = with_badge(FOLDER, ALERT)


def ico(rows):
    assert len(rows) == 16 and all(len(r) == 16 for r in rows), rows
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in (PALETTE[c] for c in ORDER))
    pixels = b''
    for row in reversed(rows):  # bottom-up
        idx = [ORDER.index(c) for c in row]
        pixels += bytes((idx[i] << 4) | idx[i + 1] for i in range(0, 16, 2))
    mask = b'\0' * (4 * 16)  # every pixel opaque
    header = struct.pack('<IiiHHIIiiII', 40, 16, 32, 1, 4, 0, len(pixels) + len(mask), 0, 0, 16, 0)
    image = header + palette + pixels + mask
    return struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', 16, 16, 16, 0, 1, 4, len(image), 22) + image


here = os.path.dirname(os.path.abspath(__file__))
for name, rows in ICONS.items():
    with open(os.path.join(here, name + '.ico'), 'wb') as f:
        f.write(ico(rows))
