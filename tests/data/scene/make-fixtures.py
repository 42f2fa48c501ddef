#!/usr/bin/python3
"""Makes the scene tests' pictures and star file (run in this folder).

testglobe.png: an equirectangular map, longitude -180 at the left edge and
north at the top, a plain colour per quadrant of the globe, so a picture of
the globe tells which hemispheres lie under a point.
mway.png: a plain bright band picture for the Textured Milky Way.
data/stars/grid.dsp: bright stars spread evenly over the whole sky.
data/stars/catalog.dsc, starcolor.map: a star catalogue in the binary form
(one group of stars on another even lattice) and its one white colour, so the
catalogue is drawn (with its own blending) as in the program.

The rest is copied: the belt, shadow and star pictures from share/textures,
Halley's orbit from share/data/orbits/comets, the Sun, Earth and Moon orbits
from tests/data/root.
"""
import math
import struct
import zlib

# Quadrant colours (red stays free for the place cursor).
NORTH_WEST = (0, 0, 230)
NORTH_EAST = (0, 200, 0)
SOUTH_WEST = (230, 0, 230)
SOUTH_EAST = (230, 230, 0)


def write_png(path, width, height, pixel):
    rows = b"".join(
        b"\0" + bytes(c for x in range(width) for c in pixel(x, y)) for y in range(height))
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(rows)))
        out.write(chunk(b"IEND", b""))


def globe(x, y):
    east = x >= 64
    north = y < 32
    if north:
        return NORTH_EAST if east else NORTH_WEST
    return SOUTH_EAST if east else SOUTH_WEST


write_png("textures/testglobe.png", 128, 64, globe)
write_png("textures/mway.png", 64, 32, lambda x, y: (255, 255, 255))

count = 1200
with open("data/stars/grid.dsp", "w") as out:
    out.write("# Bright stars spread evenly over the sky (a Fibonacci lattice).\n")
    out.write("Space: 1 Grid\nMagnitude: 1.0\nPositions: %d Grid\n" % count)
    golden = math.pi * (3.0 - math.sqrt(5.0))
    for i in range(count):
        z = 1.0 - 2.0 * (i + 0.5) / count
        r = math.sqrt(1.0 - z * z)
        a = golden * i
        out.write("%d %d %d\n" % (round(100000 * r * math.cos(a)),
                                    round(100000 * r * math.sin(a)), round(100000 * z)))

def lattice(count):
    golden = math.pi * (3.0 - math.sqrt(5.0))
    for i in range(count):
        z = 1.0 - 2.0 * (i + 0.5) / count
        r = math.sqrt(1.0 - z * z)
        yield r * math.cos(golden * i), r * math.sin(golden * i), z


stars = list(lattice(300))
with open("data/stars/catalog.dsc", "wb") as out:
    out.write(struct.pack("<ii", 1, len(stars)))
    for x, y, z in stars:
        out.write(struct.pack("<fff", -y, x, z))
    out.write(struct.pack("<%df" % len(stars), *([2.0] * len(stars))))
with open("data/stars/starcolor.map", "w") as out:
    out.write("1\n1.0000 1.0000 1.0000\n")
