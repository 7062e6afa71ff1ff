#!/usr/bin/env python3
"""Writes the program's bitmaps from their sources.

  resources/art/toolbar.txt  ->  resources/toolbar32.bmp  (Windows header, 4 bits)
                                 resources/toolbar.bmp    (OS/2 header, the same picture)
  the kite drawn below       ->  resources/mykite.bmp     (110 x 104, 8 bits)

Run from the repository root: python3 tools/make_bitmaps.py
"""
import math
import struct

# The standard 16-colour palette, with the pixel-map letter of each colour.
PALETTE16 = [
    ('k', (0, 0, 0)), ('r', (128, 0, 0)), ('g', (0, 128, 0)), ('o', (128, 128, 0)),
    ('n', (0, 0, 128)), ('p', (128, 0, 128)), ('t', (0, 128, 128)), ('s', (192, 192, 192)),
    ('d', (128, 128, 128)), ('R', (255, 0, 0)), ('G', (0, 255, 0)), ('Y', (255, 255, 0)),
    ('B', (0, 0, 255)), ('.', (255, 0, 255)), ('C', (0, 255, 255)), ('W', (255, 255, 255)),
]
CELL = 24
SLOTS = ['New', 'Open', 'Save', 'separator', 'Find', 'Replace', 'Print', 'Undo', 'separator',
         'Cut', 'Copy', 'Paste']


def read_cells(path):
    """The pixel maps of the text file, in order: a list of (name, rows)."""
    cells, name, rows = [], None, []
    for number, line in enumerate(open(path, encoding='ascii'), 1):
        line = line.rstrip('\n')
        if line.startswith('#') or (not line and name is None):
            continue
        if line.startswith('= '):
            name, rows = line[2:], []
            continue
        if not line:
            continue
        if len(line) != CELL or any(c not in dict(PALETTE16) for c in line):
            raise SystemExit(f'{path}:{number}: a row is {CELL} palette letters')
        rows.append(line)
        if len(rows) == CELL:
            cells.append((name, rows))
            name = None
    return cells


def rows_4bit(pixels, width):
    """Bottom-up rows of 4-bit indices, padded to 32 bits."""
    stride = (width * 4 + 31) // 32 * 4
    out = b''
    for row in reversed(pixels):
        packed = bytes((row[x] << 4) | (row[x + 1] if x + 1 < width else 0) for x in range(0, width, 2))
        out += packed + b'\0' * (stride - len(packed))
    return out


def windows_bmp(width, height, bit_count, palette, bits):
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(table)
    header = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bit_count, 0, len(bits), 0, 0,
                         len(palette), len(palette))
    return b'BM' + struct.pack('<IHHI', offset + len(bits), 0, 0, offset) + header + table + bits


def os2_bmp(width, height, bit_count, palette, bits):
    table = b''.join(struct.pack('<BBB', b, g, r) for r, g, b in palette)
    offset = 14 + 12 + len(table)
    header = struct.pack('<IHHHH', 12, width, height, 1, bit_count)
    return b'BM' + struct.pack('<IHHI', offset + len(bits), 0, 0, offset) + header + table + bits


def toolbar():
    cells = read_cells('resources/art/toolbar.txt')
    names = [name for name, _ in cells]
    if names != SLOTS:
        raise SystemExit(f'toolbar.txt: the cells are {names}, expected {SLOTS}')
    index = {letter: i for i, (letter, _) in enumerate(PALETTE16)}
    width = CELL * len(cells)
    pixels = [[index[rows[y][x]] for _, rows in cells for x in range(CELL)] for y in range(CELL)]
    bits = rows_4bit(pixels, width)
    colours = [rgb for _, rgb in PALETTE16]
    with open('resources/toolbar32.bmp', 'wb') as f:
        f.write(windows_bmp(width, CELL, 4, colours, bits))
    with open('resources/toolbar.bmp', 'wb') as f:
        f.write(os2_bmp(width, CELL, 4, colours, bits))


# ------------------------------------------------------------------ the kite
KW, KH = 110, 104


def kite_picture():
    """A kite in a summer sky: rows of (r, g, b), top row first."""
    sky_top, sky_low = (70, 130, 220), (175, 215, 250)

    def sky(y):
        t = y / (KH - 1)
        return tuple(round(a + (b - a) * t) for a, b in zip(sky_top, sky_low))

    img = [[sky(y) for x in range(KW)] for y in range(KH)]

    def put(x, y, c):
        if 0 <= x < KW and 0 <= y < KH:
            img[y][x] = c

    def ellipse(cx, cy, rx, ry, c):
        for y in range(KH):
            for x in range(KW):
                if ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1:
                    img[y][x] = c

    def line(x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            put(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    # Sun and clouds.
    ellipse(93, 14, 10, 10, (255, 220, 60))
    ellipse(93, 14, 7, 7, (255, 240, 120))
    white, shade = (255, 255, 255), (225, 235, 245)
    for cx, cy, rx, ry in [(20, 18, 12, 5), (28, 14, 8, 5), (14, 15, 6, 4)]:
        ellipse(cx, cy + 1, rx, ry, shade)
        ellipse(cx, cy, rx, ry, white)
    for cx, cy, rx, ry in [(84, 52, 14, 4), (92, 49, 7, 4)]:
        ellipse(cx, cy + 1, rx, ry, shade)
        ellipse(cx, cy, rx, ry, white)

    # Hills.
    for x in range(KW):
        top = round(88 + 6 * math.sin(x / 17.0))
        for y in range(top, KH):
            img[y][x] = (60, 150, 60) if y > top + 1 else (110, 190, 80)

    # The kite: a diamond of four coloured panels round the spar crossing.
    top, left, right, bottom, cross = (44, 8), (24, 28), (64, 28), (44, 66), (44, 28)
    panels = {(0, 0): (220, 40, 40), (1, 0): (250, 200, 30), (0, 1): (40, 90, 210), (1, 1): (40, 170, 70)}

    def inside(x, y):
        # |dx| / half width + dy / height, taken per half of the diamond
        dx = x - 44
        if y < 8 or y > 66:
            return False
        if y <= 28:
            return abs(dx) <= (y - 8) * 20 / 20
        return abs(dx) <= (66 - y) * 20 / 38

    for y in range(KH):
        for x in range(KW):
            if inside(x, y):
                img[y][x] = panels[(int(x >= 44), int(y >= 28))]
    edge = (30, 30, 40)
    for a, b in [(top, left), (top, right), (left, bottom), (right, bottom)]:
        line(*a, *b, edge)
    spar = (120, 80, 40)
    line(top[0], top[1] + 1, bottom[0], bottom[1] - 1, spar)
    line(left[0] + 1, left[1], right[0] - 1, right[1], spar)

    # Tail with bows, and the string down to the corner.
    tail = [(44 + round(5 * math.sin(i / 4.0)), 66 + i) for i in range(0, 30)]
    for (x0, y0), (x1, y1) in zip(tail, tail[1:]):
        line(x0, y0, x1, y1, edge)
    for i in (7, 15, 23):
        x, y = tail[i]
        bow = (220, 40, 40) if i != 15 else (250, 200, 30)
        for d in range(1, 4):
            line(x - d, y - d + 1, x - d, y + d - 1, bow)
            line(x + d, y - d + 1, x + d, y + d - 1, bow)
    line(44, 28, 108, 102, (250, 250, 250))
    return img


def kite():
    img = kite_picture()
    colours = sorted({c for row in img for c in row})
    if len(colours) > 256:
        raise SystemExit('the kite uses more than 256 colours')
    colours += [(0, 0, 0)] * (256 - len(colours))
    index = {c: i for i, c in enumerate(colours)}
    stride = (KW + 3) // 4 * 4
    bits = b''.join(bytes(index[c] for c in row) + b'\0' * (stride - KW) for row in reversed(img))
    with open('resources/mykite.bmp', 'wb') as f:
        f.write(windows_bmp(KW, KH, 8, colours, bits))


if __name__ == '__main__':
    toolbar()
    kite()
