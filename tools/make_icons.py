#!/usr/bin/env python3
"""Draws the program's icons (32x32, 32-bit colour) and writes them as .ico files.

Run from the repository root: python3 tools/make_icons.py
"""
import struct

SIZE = 32

def ico(pixels):
    """pixels: function (x, y) -> (r, g, b, a); y = 0 is the top row."""
    rows = []
    for y in range(SIZE - 1, -1, -1):  # DIBs are stored bottom-up
        for x in range(SIZE):
            r, g, b, a = pixels(x, y)
            rows.append(struct.pack('<BBBB', b, g, r, a))
    xor = b''.join(rows)
    andmask = b'\x00' * (SIZE * SIZE // 8)
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 32, 0,
                         len(xor) + len(andmask), 0, 0, 0, 0)
    image = header + xor + andmask
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image

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

icons = {
    'resources/tessel32.ico': tiles,
    'resources/iconinfo.ico': disc((30, 90, 200), info_mark),
    'resources/iconstop.ico': disc((200, 30, 30), stop_mark),
    'resources/iconfrag.ico': disc((30, 140, 60), question_mark),
}
for name, draw in icons.items():
    with open(name, 'wb') as f:
        f.write(ico(draw))
