#!/usr/bin/env python3
"""Writes the tree's seven icons as .ico files beside this script, each with an image of 16, 20,
24 and 32 pixels: the system's small-icon size at 96, 120, 144 and 192 DPI.

Each image is drawn at its own size from the shapes below, whose coordinates are pixels of the
16-pixel image: edges land on whole pixels and outlines stay one pixel wide, so no size is a
stretched copy of another, and the 16-pixel images are the ones the tree has always shown.
The tree's image list is created without a mask and with the default colour depth, so every
icon is opaque, drawn on window white, in the 16 standard VGA colours only.
Run it after changing a drawing: python3 make_icons.py
"""
import math
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
SIZES = (16, 20, 24, 32)


class Canvas:
    """A square of pixels, addressed in the 16-pixel image's coordinates."""

    def __init__(self, size):
        self.size = size
        self.rows = [['.'] * size for _ in range(size)]

    def lo(self, v):  # the first pixel of the 16-pixel image's pixel v
        x = v * self.size / 16  # halves round toward the middle, so shapes stay symmetric
        return math.floor(x + 0.5) if 2 * x < self.size else math.ceil(x - 0.5)

    def hi(self, v):  # its last pixel
        return self.lo(v + 1) - 1

    def put(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.rows[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):  # device pixels, both ends included
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def block(self, x0, y0, x1, y1, colour):  # the 16-pixel image's pixels x0..x1, y0..y1
        self.fill(self.lo(x0), self.lo(y0), self.hi(x1), self.hi(y1), colour)

    def box(self, x0, y0, x1, y1, outline, inside):
        """A one-pixel outline on the outer edge of the pixels x0..x1, y0..y1, filled."""
        l, t, r, b = self.lo(x0), self.lo(y0), self.hi(x1), self.hi(y1)
        self.fill(l, t, r, b, outline)
        self.fill(l + 1, t + 1, r - 1, b - 1, inside)
        return l, t, r, b

    def text(self):
        return [''.join(r) for r in self.rows]


def folder(c, left, tab, top, right, bottom, outline, inside, right_edge=True):
    """A folder: its tab from left to tab on row top, a 45-degree step down to the body's top
    edge, the body from left to right down to bottom. Without right_edge the body runs into
    the right column unoutlined."""
    l, t = c.lo(left), c.lo(top)
    tr, r, b = c.hi(tab), c.hi(right), c.hi(bottom)
    step = c.lo(top + 2) - t  # the tab's height, and the step's width
    body = t + step
    c.fill(l, t, tr, t, outline)
    for i in range(1, step + 1):
        c.fill(l + 1, t + i, tr + i - 1, t + i, inside)
        c.put(tr + i, t + i, outline)
    c.fill(tr + step, body, r - 1, body, outline)
    c.fill(l + 1, body + 1, r, b - 1, inside)
    c.fill(l, t, l, b, outline)
    c.fill(l, b, r, b, outline)
    if right_edge:
        c.fill(r, body + 1, r, b - 1, outline)


def badge_no_entry(c, x, y, n):
    """A red disc crossed by a white bar."""
    centre, radius = (n - 1) / 2, n / 2 - 0.1
    bar = (n - 1) // 14  # rows each side of the middle one
    rim = int(n / 7 + 0.5)
    for j in range(n):
        for i in range(n):
            if (i - centre) ** 2 + (j - centre) ** 2 <= radius ** 2:
                white = abs(j - centre) <= bar + 0.5 and rim <= i <= n - 1 - rim
                c.put(x + i, y + j, '.' if white else 'r')


def badge_padlock(c, x, y, n):
    """A grey padlock with a black shackle and a white keyhole."""
    body = int(3 * n / 7 + 0.5)
    side = int(n / 7 + 0.5)
    c.fill(x + side + 1, y, x + n - 2 - side, y, 'k')
    c.fill(x + side, y + 1, x + side, y + body - 1, 'k')
    c.fill(x + n - 1 - side, y + 1, x + n - 1 - side, y + body - 1, 'k')
    c.fill(x, y + body, x + n - 1, y + n - 1, 'k')
    c.fill(x + 1, y + body + 1, x + n - 2, y + n - 2, 'g')
    hole = n // 2 - (1 - n % 2), n // 2  # one middle column, or two
    c.fill(x + hole[0], y + n - 2 - (n - body - 3) // 2, x + hole[1], y + n - 2, '.')


def badge_alert(c, x, y, n):
    """A purple square with a white exclamation mark."""
    dot = 1 if n < 12 else 2  # also the margin and the gap above the dot
    c.fill(x, y, x + n - 1, y + n - 1, 'p')
    mark = n // 2 - (1 - n % 2), n // 2
    c.fill(x + mark[0], y + dot, x + mark[1], y + n - 1 - 3 * dot, '.')
    c.fill(x + mark[0], y + n - 2 * dot, x + mark[1], y + n - 1 - dot, '.')


def draw_root(c):  # a monitor on its stand
    c.box(1, 1, 14, 10, 'k', 's')
    c.block(3, 3, 12, 8, 'b')
    gx, gy = c.lo(4), c.lo(4)  # the screen's gleam
    g = c.hi(5) - gx
    c.fill(gx, gy, gx + g, gy, 'c')
    c.fill(gx, gy, gx, gy + g - 1 if g > 1 else gy + 1, 'c')
    l, t, r, b = c.lo(6), c.lo(11), c.hi(9), c.hi(11)  # the neck, open above and below
    c.fill(l, t, r, b, 's')
    c.fill(l, t, l, b, 'k')
    c.fill(r, t, r, b, 'k')
    l, t, r, b = c.box(3, 12, 12, 14, 'k', 's')
    c.put(l, t, '.')
    c.put(r, t, '.')
    c.fill(c.lo(4), t, c.hi(11), t, 'k')


def draw_device(c):  # a drive with its light
    l, _, r, _ = c.box(1, 4, 14, 11, 'k', '.')
    c.fill(l + 1, c.lo(6), r - 1, c.hi(7), 's')
    c.fill(l + 1, c.lo(8), r - 1, c.hi(10), 'g')
    c.block(11, 9, 11, 9, 'G')
    c.block(12, 9, 12, 9, 'l')


def draw_area(c):
    folder(c, 1, 4, 2, 14, 13, 'o', 'y')


def draw_category(c):
    folder(c, 3, 6, 4, 14, 12, 't', 'c', right_edge=False)


def with_badge(draw_badge):
    def draw(c):
        draw_area(c)
        n = int(7 * c.size / 16 + 0.5)
        c.fill(c.size - n, c.size - n, c.size - 1, c.size - 1, '.')
        draw_badge(c, c.size - n, c.size - n, n)
    return draw


ICONS = {
    'root': draw_root,
    'device': draw_device,
    'area': draw_area,
    'category': draw_category,
    'area_blocked': with_badge(badge_no_entry),
    'area_readonly': with_badge(badge_padlock),
    'area_restricted': with_badge(badge_alert),
}


def image(rows):
    """One 4-bit icon image: header, palette, bottom-up pixels, an all-opaque mask."""
    size = len(rows)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in (PALETTE[c] for c in ORDER))
    stride = (size // 2 + 3) & ~3
    pixels = b''
    for row in reversed(rows):
        idx = [ORDER.index(c) for c in row]
        line = bytes((idx[i] << 4) | idx[i + 1] for i in range(0, size, 2))
        pixels += line.ljust(stride, b'\0')
    mask = b'\0' * (((size + 31) // 32 * 4) * size)
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 4, 0, len(pixels) + len(mask),
                         0, 0, 16, 0)
    return header + palette + pixels + mask


def ico(images):
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for rows, data in images:
        out += struct.pack('<BBBBHHII', len(rows), len(rows), 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b''.join(data for _, data in images)


if __name__ == '__main__':
    here = os.path.dirname(os.path.abspath(__file__))
    for name, draw in ICONS.items():
        images = []
        for size in SIZES:
            canvas = Canvas(size)
            draw(canvas)
            rows = canvas.text()
            images.append((rows, image(rows)))
        with open(os.path.join(here, name + '.ico'), 'wb') as f:
            f.write(ico(images))
