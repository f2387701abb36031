#!/usr/bin/env python3
"""Draws the 16x16 frames of the demo scenario "The Vale of Korva".

Each frame is drawn in code below and written as a PNG into demo/art/png/
(frame <id>.png). Edit the drawing code, or edit the PNGs directly, then
convert them into the scenario's frame files with convert_tiles.sh, which
runs `korva-tool image2til` on every PNG.

Usage: draw_tiles.py [OUTDIR]   (default: the png/ directory beside this file)
"""
import os
import random
import struct
import sys
import zlib

W = H = 16

PAL = {
    "grass": (58, 154, 58), "grass2": (46, 125, 50), "flower": (240, 208, 64), "flower2": (230, 120, 160),
    "water": (32, 96, 192), "water2": (70, 130, 220), "foam": (170, 210, 250),
    "stone": (128, 128, 128), "stone2": (92, 92, 92), "mortar": (60, 60, 60),
    "trunk": (112, 64, 32), "leaf": (30, 107, 30), "leaf2": (50, 140, 50),
    "dirt": (160, 120, 64), "dirt2": (122, 90, 48),
    "floor": (106, 98, 88), "floor2": (90, 83, 74), "cwall": (60, 53, 48), "cwall2": (44, 38, 34),
    "black": (16, 16, 16), "skin": (224, 176, 144), "red": (192, 48, 48), "blue": (48, 64, 176),
    "purple": (128, 64, 160), "flame": (240, 128, 32), "flame2": (255, 224, 96), "white": (240, 240, 240),
    "wood": (138, 90, 42), "wood2": (100, 64, 30), "mount": (154, 138, 122), "mount2": (106, 90, 74),
    "snow": (235, 235, 245), "sand": (224, 208, 144), "sand2": (200, 176, 112),
    "slime": (96, 208, 96), "slime2": (48, 144, 48), "rat": (138, 138, 138), "rat2": (100, 100, 100),
    "pink": (224, 144, 160), "gold": (250, 200, 40), "gold2": (190, 140, 20), "glass": (200, 220, 240),
}


class Frame:
    def __init__(self, fill):
        self.px = [[PAL[fill]] * W for _ in range(H)]

    def set(self, x, y, colour):
        if 0 <= x < W and 0 <= y < H:
            self.px[y][x] = PAL[colour] if isinstance(colour, str) else colour

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def disc(self, cx, cy, r, colour):
        for y in range(H):
            for x in range(W):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.set(x, y, colour)

    def speckle(self, rng, colour, n):
        for _ in range(n):
            self.set(rng.randrange(W), rng.randrange(H), colour)


def grass(rng, flowers=False):
    f = Frame("grass")
    f.speckle(rng, "grass2", 40)
    if flowers:
        for _ in range(5):
            x, y = rng.randrange(1, 15), rng.randrange(1, 15)
            f.set(x, y, rng.choice(["flower", "flower2"]))
    return f


def water(phase):
    f = Frame("water")
    for y in range(H):
        for x in range(W):
            if (x + 2 * y + phase * 4) % 11 == 0:
                f.set(x, y, "water2")
            if (x * 3 + y + phase * 5) % 23 == 0:
                f.set(x, y, "foam")
    return f


def wall():
    f = Frame("stone")
    for y in range(H):
        for x in range(W):
            row = y // 4
            if y % 4 == 3 or (x + (row % 2) * 4) % 8 == 7:
                f.set(x, y, "mortar")
            elif (x + y) % 5 == 0:
                f.set(x, y, "stone2")
    return f


def tree(rng):
    f = grass(rng)
    f.rect(7, 10, 8, 15, "trunk")
    f.disc(7.5, 6, 6, "leaf")
    for _ in range(14):
        f.set(rng.randrange(3, 13), rng.randrange(1, 11), "leaf2")
    return f


def path(rng):
    f = Frame("dirt")
    f.speckle(rng, "dirt2", 30)
    return f


def cave_floor(rng):
    f = Frame("floor")
    f.speckle(rng, "floor2", 35)
    return f


def cave_wall(rng):
    f = Frame("cwall")
    for _ in range(6):
        f.disc(rng.randrange(16), rng.randrange(16), rng.randrange(2, 4), "cwall2")
    return f


def cave_mouth(rng):
    f = Frame("mount")
    f.speckle(rng, "mount2", 30)
    f.disc(7.5, 11, 6, "black")
    f.rect(2, 12, 13, 15, "black")
    return f


def hero():
    f = Frame("grass")
    f.disc(7.5, 3.5, 2.5, "skin")
    f.rect(5, 6, 10, 11, "blue")
    f.rect(3, 7, 4, 10, "skin")
    f.rect(11, 7, 12, 10, "skin")
    f.rect(5, 12, 6, 15, "wood2")
    f.rect(9, 12, 10, 15, "wood2")
    f.set(6, 3, "black")
    f.set(9, 3, "black")
    f.rect(13, 2, 13, 11, "white")  # a walking staff
    return f


def rat():
    f = Frame("grass")
    f.disc(7, 10, 4, "rat")
    f.disc(12, 9, 2, "rat2")
    f.set(13, 8, "black")
    f.set(14, 10, "pink")
    for x in range(0, 4):
        f.set(x, 11 + (x % 2), "pink")
    return f


def slime(phase):
    f = Frame("floor")
    r = 5 if phase == 0 else 6
    f.disc(7.5, 15 - r, r, "slime")
    f.rect(2, 13, 13, 15, "slime")
    f.disc(5.5, 15 - r, 1.2, "white")
    f.disc(9.5, 15 - r, 1.2, "white")
    f.set(6, 15 - r, "black")
    f.set(10, 15 - r, "black")
    f.speckle(random.Random(phase), "slime2", 8)
    return f


def coins():
    f = Frame("grass")
    for cx, cy in ((5, 10), (10, 11), (8, 7)):
        f.disc(cx, cy, 2.5, "gold")
        f.set(cx, cy, "gold2")
    return f


def potion():
    f = Frame("floor")
    f.rect(6, 2, 9, 5, "glass")
    f.rect(7, 1, 8, 1, "wood")
    f.disc(7.5, 10, 4.5, "red")
    f.set(6, 8, "white")
    return f


def sign(rng):
    f = grass(rng)
    f.rect(7, 9, 8, 15, "wood2")
    f.rect(2, 3, 13, 9, "wood")
    for x in range(4, 12, 2):
        f.set(x, 5, "black")
        f.set(x + 1, 7, "black")
    return f


def ladder():
    f = Frame("floor")
    f.rect(4, 0, 5, 15, "wood")
    f.rect(10, 0, 11, 15, "wood")
    for y in range(1, 16, 4):
        f.rect(6, y, 9, y, "wood2")
    return f


def bridge():
    f = water(0)
    f.rect(0, 2, 15, 13, "wood")
    for x in range(0, 16, 4):
        f.rect(x, 2, x, 13, "wood2")
    return f


def torch(phase):
    f = cave_wall(random.Random(7))
    f.rect(7, 8, 8, 14, "wood2")
    f.disc(7.5, 5 + phase, 3 - phase, "flame")
    f.disc(7.5, 6, 1.5, "flame2")
    return f


def sand(rng):
    f = Frame("sand")
    f.speckle(rng, "sand2", 30)
    return f


def mountain(rng):
    f = grass(rng)
    for y in range(2, 16):
        half = (y - 1) * 8 // 14
        f.rect(8 - half, y, 7 + half, y, "mount")
    for y in range(6, 16):
        half = (y - 5) * 5 // 10
        f.rect(8, y, 8 + half, y, "mount2")
    f.rect(7, 2, 8, 4, "snow")
    return f


def house(rng):
    f = grass(rng)
    f.rect(2, 7, 13, 15, "wood")
    for y in range(0, 7):
        f.rect(7 - y, y + 1, 8 + y, y + 1, "red")
    f.rect(6, 10, 9, 15, "wood2")
    f.rect(3, 9, 4, 10, "glass")
    f.rect(11, 9, 12, 10, "glass")
    return f


def frames():
    rng = random.Random(914)
    return {
        1: grass(rng), 2: grass(rng, flowers=True), 3: water(0), 4: water(1), 5: wall(), 6: tree(rng),
        7: path(rng), 8: cave_floor(rng), 9: cave_wall(rng), 10: cave_mouth(rng), 11: hero(), 12: rat(),
        13: slime(0), 14: slime(1), 15: coins(), 16: potion(), 17: sign(rng), 18: ladder(), 19: bridge(),
        20: house(rng), 21: torch(0), 22: torch(1), 23: sand(rng), 24: mountain(rng),
    }


def write_png(path, frame):
    raw = b"".join(b"\x00" + b"".join(struct.pack("BBB", *p) for p in row) for row in frame.px)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as out:
        out.write(png)


def main():
    outdir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "png")
    os.makedirs(outdir, exist_ok=True)
    for number, frame in frames().items():
        write_png(os.path.join(outdir, "%d.png" % number), frame)


if __name__ == "__main__":
    main()
