#!/usr/bin/python3
"""Reads the shipped sky data back as the program reads it and checks known objects.

Independent of the converters: every file is parsed here from its format
alone, positions are carried through the program's own drawing turns (written
out again below from the format descriptions), and the result is compared
with J2000 places from the literature (SIMBAD), not with the converters'
input. Exits non-zero on the first failure.

Usage: check_skydata.py [SHARE_DIR]
"""

import math
import os
import struct
import sys

SHARE = sys.argv[1] if len(sys.argv) > 1 else "share"
FAILURES = []

# J2000 places (degrees) and V magnitudes of a few stars, from SIMBAD.
KNOWN_STARS = {
    "Sirius": (101.28715533, -16.71611586, -1.46),
    "Betelgeuse": (88.79293899, 7.40706399, 0.42),
    "Polaris": (37.95456067, 89.26410897, 1.98),
    "Vega": (279.23473479, 38.78368896, 0.03),
    "Acrux": (186.64956, -63.09909, 0.76),
}
TOLERANCE_DEG = 0.01


def check(cond, what):
    print(("ok   " if cond else "FAIL ") + what)
    if not cond:
        FAILURES.append(what)


def path(*p):
    return os.path.join(SHARE, *p)


# --- small vector kit (lists of floats) -----------------------------------------

def unit(ra, dec):
    a, d = math.radians(ra), math.radians(dec)
    return [math.cos(a) * math.cos(d), math.sin(a) * math.cos(d), math.sin(d)]


def angle_deg(u, v):
    nu = math.sqrt(sum(x * x for x in u))
    nv = math.sqrt(sum(x * x for x in v))
    c = sum(a * b for a, b in zip(u, v)) / (nu * nv)
    return math.degrees(math.acos(max(-1.0, min(1.0, c))))


def mat_mul(a, b):
    return [[sum(a[i][k] * b[k][j] for k in range(3)) for j in range(3)] for i in range(3)]


def mat_vec(m, v):
    return [sum(m[i][k] * v[k] for k in range(3)) for i in range(3)]


def gl_rotate(deg, x, y, z):
    """The matrix glRotated(deg, x, y, z) multiplies onto the current one."""
    n = math.sqrt(x * x + y * y + z * z)
    x, y, z = x / n, y / n, z / n
    c, s = math.cos(math.radians(deg)), math.sin(math.radians(deg))
    t = 1 - c
    return [[t * x * x + c, t * x * y - s * z, t * x * z + s * y],
            [t * x * y + s * z, t * y * y + c, t * y * z - s * x],
            [t * x * z - s * y, t * y * z + s * x, t * z * z + c]]


def inverse3(m):
    a, b, c = m[0]
    d, e, f = m[1]
    g, h, i = m[2]
    det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g)
    adj = [[e * i - f * h, c * h - b * i, b * f - c * e],
           [f * g - d * i, a * i - c * g, c * d - a * f],
           [d * h - e * g, b * g - a * h, a * e - b * d]]
    return [[adj[r][k] / det for k in range(3)] for r in range(3)]


def chain(*mats):
    out = [[1, 0, 0], [0, 1, 0], [0, 0, 1]]
    for m in mats:  # GL: each call multiplies on the right
        out = mat_mul(out, m)
    return out


class Reader:
    def __init__(self, data):
        self.d, self.p = data, 0

    def left(self):
        return len(self.d) - self.p

    def i32(self):
        v = struct.unpack_from("<i", self.d, self.p)[0]
        self.p += 4
        return v

    def f32s(self, n):
        v = struct.unpack_from("<%df" % n, self.d, self.p)
        self.p += 4 * n
        return v


# --- star files -----------------------------------------------------------------

def read_dhb(fn):
    r = Reader(open(fn, "rb").read())
    g = r.i32()
    groups = []
    for _ in range(g):
        n = r.i32()
        assert 0 <= n and 12 * n <= r.left(), "group count beyond the file"
        f = r.f32s(3 * n)
        groups.append([f[3 * i:3 * i + 3] for i in range(n)])
    assert r.left() == 0, "bytes after the last group"
    return groups


def read_catalog(fn):
    r = Reader(open(fn, "rb").read())
    g = r.i32()
    assert 0 <= g <= 256
    groups = []
    for _ in range(g):
        n = r.i32()
        assert 0 <= n and 16 * n <= r.left()
        f = r.f32s(3 * n)
        m = r.f32s(n)
        groups.append(([f[3 * i:3 * i + 3] for i in range(n)], list(m)))
    assert r.left() == 0
    return groups


def read_color_map(fn):
    lines = open(fn).read().split("\n")
    k = min(int(lines[0]), 256)
    return [tuple(float(x) for x in lines[1 + i].split()[:3]) for i in range(k)]


def check_stars():
    # ".dhb": Space::buildStarLists turns -90 deg about z, the group list then
    # 90 about z, 90 about x and 90 about y.
    dhb_turn = chain(gl_rotate(-90, 0, 0, 1), gl_rotate(90, 0, 0, 1),
                     gl_rotate(90, 1, 0, 0), gl_rotate(90, 0, 1, 0))
    groups = read_dhb(path("data", "stars", "hipparcos.dhb"))
    total = sum(len(g) for g in groups)
    check(len(groups) == 10 and total > 120000, ".dhb: %d classes, %d stars" % (len(groups), total))
    for name, (ra, dec, mag) in KNOWN_STARS.items():
        k = max(0, min(len(groups) - 1, int(math.floor(mag + 0.5))))
        want = unit(ra, dec)
        best = min(angle_deg(mat_vec(dhb_turn, p), want) for p in groups[k])
        check(best < TOLERANCE_DEG, ".dhb: %s in class %d, %.4f deg off" % (name, k, best))

    # catalogue: Rx(23.4) * Rz(0.01218 rad) * Rx(-23.4) * inverse(G) * Rz(180)
    gal = [[-0.0669887394, -0.8727557659, -0.4835389146],
           [0.4927284661, -0.4503469580, 0.7445846333],
           [-0.8676008112, -0.1883746017, 0.4601997848]]
    cat_turn = chain(gl_rotate(23.4, 1, 0, 0), gl_rotate(math.degrees(0.01218), 0, 0, 1),
                     gl_rotate(-23.4, 1, 0, 0), inverse3(gal), gl_rotate(180, 0, 0, 1))
    cat = read_catalog(path("data", "stars", "catalog.dsc"))
    colors = read_color_map(path("data", "stars", "starcolor.map"))
    n = sum(len(g[0]) for g in cat)
    check(len(cat) == 256 and len(colors) == 256 and 8000 < n < 10000,
          "catalogue: %d groups, %d stars, %d colours" % (len(cat), n, len(colors)))
    radii = [math.sqrt(sum(x * x for x in p)) for g in cat for p in g[0]]
    check(all(abs(r - 100.0) < 0.01 for r in radii), "catalogue: positions at radius 100")
    found = {}
    for name, (ra, dec, mag) in KNOWN_STARS.items():
        want = unit(ra, dec)
        best = (999.0, None, None)
        for k, (pos, mags) in enumerate(cat):
            for p, m in zip(pos, mags):
                a = angle_deg(mat_vec(cat_turn, p), want)
                if a < best[0]:
                    best = (a, k, m)
        found[name] = best
        check(best[0] < TOLERANCE_DEG and abs(best[2] - mag) < 0.15,
              "catalogue: %s %.4f deg off, magnitude %.2f, colour group %d"
              % (name, best[0], best[2], best[1]))
    red = colors[found["Betelgeuse"][1]]
    blue = colors[found["Sirius"][1]]
    check(red[0] > red[2] + 0.3 and blue[2] >= blue[0],
          "colour map: Betelgeuse %s reddish, Sirius %s white-blue" % (red, blue))
    return cat_turn


def main():
    check_stars()
    if FAILURES:
        print("%d check(s) failed" % len(FAILURES))
        sys.exit(1)
    print("all sky data checks passed")


if __name__ == "__main__":
    main()
