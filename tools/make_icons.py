#!/usr/bin/env python3
"""Draws the program's icons (32x32, 32-bit colour), adds the 16x16 images
from their pixel maps in resources/art/icons16.txt, and writes the .ico files.

Run from the repository root: python3 tools/make_icons.py
"""
import struct

SIZE = 32

def image(size, pixels):
    """pixels: function (x, y) -> (r, g, b, a); y = 0 is the top row."""
    rows = []
    for y in range(size - 1, -1, -1):  # DIBs are stored bottom-up
        for x in range(size):
            r, g, b, a = pixels(x, y)
            rows.append(struct.pack('<BBBB', b, g, r, a))
    xor = b''.join(rows)
    # The AND mask marks the transparent pixels, for readers without alpha;
    # its rows are padded to 32 bits.
    stride = (size + 31) // 32 * 4
    andmask = b''
    for y in range(size - 1, -1, -1):
        row = bytearray(stride)
        for x in range(size):
            if pixels(x, y)[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        andmask += bytes(row)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0,
                         len(xor) + len(andmask), 0, 0, 0, 0)
    return header + xor + andmask


def ico(images):
    """images: list of (size, pixels), largest first."""
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, data = b'', b''
    for size, pixels in images:
        block = image(size, pixels)
        entries += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(block), offset + len(data))
        data += block
    return directory + entries + data


def read_maps(path, size):
    """The pixel maps of the text file by name."""
    maps, name = {}, None
    for line in open(path, encoding='ascii'):
        line = line.rstrip('\n')
        if line.startswith('#') or not line:
            continue
        if line.startswith('= '):
            name = line[2:]
            maps[name] = []
            continue
        if len(line) != size:
            raise SystemExit(f'{path}: a row of "{name}" is not {size} pixels')
        maps[name].append(line)
    return maps


def small(rows, disc=(0, 0, 0)):
    colours = {'o': (40, 40, 90), 'y': (255, 236, 160), 'b': (190, 220, 255), 'k': (30, 30, 30),
               'W': (255, 255, 255), 'D': disc}
    def draw(x, y):
        c = rows[y][x]
        return (0, 0, 0, 0) if c == '.' else colours[c] + (255,)
    return draw

def tiles(x, y):
    # A page of text laid out in tiles: the program's emblem.
    if x < 3 or x > 28 or y < 1 or y > 30:
        return (0, 0, 0, 0)
    if x in (3, 28) or y in (1, 30):
        return (40, 40, 90, 255)
    tile = ((x - 4) // 6 + (y - 2) // 7) % 2
    if (y - 2) % 7 in (2, 4) and 6 <= x <= 25:
        return (30, 30, 30, 255)
    return (255, 236, 160, 255) if tile else (190, 220, 255, 255)

def disc(colour, mark):
    def draw(x, y):
        dx, dy = x - 15.5, y - 15.5
        if dx * dx + dy * dy > 15.5 * 15.5:
            return (0, 0, 0, 0)
        if mark(x, y):
            return (255, 255, 255, 255)
        return colour + (255,)
    return draw

def info_mark(x, y):
    return (14 <= x <= 17) and (6 <= y <= 9 or 12 <= y <= 25)

def stop_mark(x, y):
    return (abs(x - y) <= 1 or abs(x + y - 31) <= 1) and 8 <= x <= 23 and 8 <= y <= 23

def question_mark(x, y):
    ring = 5 <= y <= 16 and 9 <= x <= 22 and not (8 <= y <= 13 and 12 <= x <= 19)
    return (ring and not (y >= 11 and x <= 13)) or (14 <= x <= 17 and (16 <= y <= 20 or 23 <= y <= 26))

maps = read_maps('resources/art/icons16.txt', 16)
INFO, STOP, FRAG = (30, 90, 200), (200, 30, 30), (30, 140, 60)
icons = {
    'resources/tessel32.ico': [(SIZE, tiles), (16, small(maps['tessel32']))],
    'resources/iconinfo.ico': [(SIZE, disc(INFO, info_mark)), (16, small(maps['info'], INFO))],
    'resources/iconstop.ico': [(SIZE, disc(STOP, stop_mark)), (16, small(maps['stop'], STOP))],
    'resources/iconfrag.ico': [(SIZE, disc(FRAG, question_mark)), (16, small(maps['question'], FRAG))],
}
for name, images in icons.items():
    with open(name, 'wb') as f:
        f.write(ico(images))
