#!/usr/bin/python3
"""Makes the particle textures of the weather and atmosphere effects in
share/effects: white pictures whose alpha carries the shape, so that the
effect file's colours tint them.

    drop.png   a short vertical streak (rain)
    flake.png  a soft round dot (snow)
    puff.png   a soft, slightly irregular cloud puff (fog, atmosphere)

Run from the project root: tools/make-effects.py
"""
import math
import random
import struct
import zlib


def write_png(path, size, alpha):
    """An RGBA picture, white, with the given alpha function of (x, y) in 0..1."""
    rows = bytearray()
    for y in range(size):
        rows.append(0)  # no filter
        for x in range(size):
            a = max(0.0, min(1.0, alpha((x + 0.5) / size, (y + 0.5) / size)))
            rows += bytes((255, 255, 255, int(round(a * 255))))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(bytes(rows), 9)))
        out.write(chunk(b"IEND", b""))


def smooth(t):
    t = max(0.0, min(1.0, t))
    return t * t * (3.0 - 2.0 * t)


def drop(x, y):
    # Narrow across, long along; brightest a little below the middle.
    across = 1.0 - smooth(abs(x - 0.5) / 0.08)
    along = 1.0 - smooth(abs(y - 0.55) / 0.42)
    return across * along


def flake(x, y):
    r = math.hypot(x - 0.5, y - 0.5) / 0.5
    return (1.0 - smooth(r)) ** 1.5


def make_puff():
    rng = random.Random(7)
    blobs = [(0.5 + rng.uniform(-0.15, 0.15), 0.5 + rng.uniform(-0.15, 0.15),
              rng.uniform(0.18, 0.3)) for _ in range(7)]

    def puff(x, y):
        density = 0.0
        for bx, by, br in blobs:
            density += math.exp(-((x - bx) ** 2 + (y - by) ** 2) / (br * br))
        edge = 1.0 - smooth((math.hypot(x - 0.5, y - 0.5) - 0.3) / 0.2)
        return min(1.0, density / 4.0) * edge

    return puff


if __name__ == "__main__":
    write_png("share/effects/drop.png", 32, drop)
    write_png("share/effects/flake.png", 32, flake)
    write_png("share/effects/puff.png", 64, make_puff())
