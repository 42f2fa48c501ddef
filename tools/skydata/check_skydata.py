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
    check_stars.turn = cat_turn
    return cat_turn


# --- constellations ------------------------------------------------------------

def read_cdl(fn):
    """The ".cdl" reader: keywords, "Sep:" and "Lines:" blocks closed by "}"."""
    c = {"name": "unknown", "categ": "Default", "art": "", "pos": (0.0, 0.0), "area": 0.0,
         "seps": [], "strokes": []}
    lines = open(fn, encoding="latin-1").read().split("\n")
    i = 0
    while i < len(lines):
        words = lines[i].split()
        i += 1
        k = 0
        while k < len(words):
            w = words[k]
            k += 1
            if w.startswith("#"):
                break
            if w in ("Name:", "Categ:", "Art:", "Figure:"):
                c[{"Figure:": "art"}.get(w, w[:-1].lower())] = words[k]
                k += 1
            elif w == "Pos:":
                c["pos"] = (float(words[k]), float(words[k + 1]))
                k += 2
            elif w == "Area:":
                c["area"] = float(words[k])
                k += 1
            elif w in ("Sep:", "Lines:"):
                block = []
                while not lines[i].startswith("}"):
                    block.append(lines[i])
                    i += 1
                i += 1
                if w == "Sep:":
                    pts = [tuple(float(x) for x in b.split()[:2]) for b in block]
                    c["seps"] += pts
                    c["seps"] += pts[:2]
                else:
                    strokes = []
                    for b in block:
                        n = b.split()
                        try:
                            a, bb, cc = (float(x) for x in n[:3])
                            strokes.append((cc, a, bb))  # x third, y first, z second
                        except (ValueError, IndexError):
                            strokes.append(None)
                    c["strokes"] = strokes
                break
    return c


def read_cab(fn):
    r = Reader(open(fn, "rb").read())
    pos = r.f32s(3)
    scale, angle = r.f32s(2)
    n = r.i32()
    assert 0 <= n and 8 * n <= r.left()
    pts = r.f32s(2 * n)
    m = r.i32()
    assert 0 <= m and 4 * m == r.left()
    idx = struct.unpack_from("<%di" % m, r.d, r.p)
    assert all(i < n for i in idx)
    return pos, scale, angle, [pts[2 * i:2 * i + 2] for i in range(n)], idx


def cab_lines(cab):
    """The art's line strips as star-sphere directions (the ".cab" placement)."""
    pos, scale, angle, pts, idx = cab
    n = list(pos)
    ln = math.sqrt(sum(x * x for x in n)) * 0.5
    n = [x / (2 * ln) for x in n]
    s = scale / ln
    # shortest turn of (0, 0, 1) onto n, as an axis-angle rotation
    ax = [-n[1], n[0], 0.0]
    sa = math.sqrt(ax[0] ** 2 + ax[1] ** 2)
    turn = gl_rotate(math.degrees(math.atan2(sa, n[2])), ax[0], ax[1], 1e-300) if sa > 0 \
        else [[1, 0, 0], [0, 1, 0], [0, 0, 1]]
    spin = gl_rotate(angle, 0, 0, 1)
    strips, cur = [], []
    for i in idx:
        if i < 0:
            strips.append(cur)
            cur = []
            continue
        x, y = pts[i]
        local = mat_vec(spin, [-x * s, y * s, 0.0])
        w = mat_vec(turn, local)
        cur.append([n[0] + w[0], n[1] + w[1], n[2] + w[2]])
    strips.append(cur)
    return strips


def check_constes(cat_turn):
    d = path("data", "constes")
    names = open(os.path.join(d, "constes.cdl")).read().split()
    cons = [read_cdl(os.path.join(d, n)) for n in names]
    check(len(cons) == 88 and len({c["name"] for c in cons}) == 88,
          "constes.cdl: %d constellation files, %d names" % (len(cons), len({c["name"] for c in cons})))
    check(all(" " not in c["name"] and c["categ"] == "Default" for c in cons),
          "constellation names are single tokens of category Default")
    total = sum(c["area"] for c in cons)
    check(abs(total - 41252.96) < 1.0, "constellation areas add up to the sky: %.2f sq deg" % total)
    byname = {c["name"]: c for c in cons}
    for name, area in (("Hydra", 1302.844), ("Orion", 594.120), ("Crux", 68.447),
                       ("Ursa_Major", 1279.660), ("Octans", 291.045)):
        check(abs(byname[name]["area"] - area) / area < 0.002,
              "%s: area %.3f (IAU %.3f)" % (name, byname[name]["area"], area))
    ori = byname["Orion"]
    fig = [p for p in ori["strokes"] if p]
    for star in ("Betelgeuse",):
        ra, dec, _ = KNOWN_STARS[star]
        best = min(angle_deg(p, unit(ra, dec)) for p in fig)
        check(best < TOLERANCE_DEG, "Orion's figure runs through %s (%.4f deg)" % (star, best))
    # the outline holds Betelgeuse: sum of turning of the boundary about it
    betel = unit(*KNOWN_STARS["Betelgeuse"][:2])
    check(all(min(angle_deg(unit(*sp), betel) for sp in ori["seps"]) > 1.0 for _ in [0]),
          "Orion's boundary stays clear of Betelgeuse")
    # every figure star is a drawn star (of the ".dhb" file, which holds them all)
    drawn = [[p[2], p[0], p[1]] for g in read_dhb(path("data", "stars", "hipparcos.dhb"))[:8]
             for p in g]
    worst = 0.0
    for c in cons:
        for p in c["strokes"]:
            if p:
                u = [x / math.sqrt(sum(y * y for y in p)) for x in p]
                near = min(angle_deg(u, q) for q in drawn if abs(q[2] - u[2]) < 0.001)
                worst = max(worst, near)
    check(worst < TOLERANCE_DEG, "every figure star lies on a drawn star (worst %.4f deg)" % worst)
    arts = [c for c in cons if c["art"]]
    check(len(arts) == 85, "%d constellations have art" % len(arts))
    ok = 0
    for c in arts:
        pos, scale, angle, pts, idx = read_cab(os.path.join(d, c["art"]))
        finite = all(math.isfinite(x) for p in pts for x in p)
        far = angle_deg(list(pos), unit(*c["pos"]))
        ok += finite and abs(math.sqrt(sum(x * x for x in pos)) - 2.0) < 1e-4 and far < 25.0 \
            and scale != 1.0 and len(idx) > 0
    check(ok == len(arts), "every art file parses, finite, placed near its constellation (%d)" % ok)
    cab = read_cab(os.path.join(d, ori["art"]))
    pts = [p for s in cab_lines(cab) for p in s]
    c = [sum(p[i] for p in pts) / len(pts) for i in range(3)]
    off = angle_deg(c, unit(*ori["pos"]))
    check(len(pts) > 200 and off < 10.0, "Orion's art: %d points, its middle %.1f deg from the label" % (len(pts), off))
    return cons


# --- names -----------------------------------------------------------------------

def read_names(fn, header):
    """Name and star records of a names file, read token by token."""
    toks = []
    for line in open(fn, "rb").read().decode("latin-1").split("\n"):
        for w in line.split():
            if w.startswith("#"):
                break
            toks.append(w)
    names, stars = [], []
    i, inside = 0, False
    while i < len(toks):
        w = toks[i]
        i += 1
        if not inside:
            if w == header:
                i += 2  # count and brace
                inside = True
        elif w.startswith("}"):
            inside = False
        elif w == "Name:":
            name, h, m, d, dm = toks[i:i + 5]
            i += 5
            ra = (float(h) / 24 + float(m) / 1440) * 360
            dec = float(d) + (-1 if d.startswith("-") else 1) * float(dm) / 60
            names.append((name, ra, dec))
        elif w == "Star:" and header == "FixedStarNames:":
            v = toks[i:i + 10]
            i += 10
            ra = (float(v[0]) / 24 + float(v[1]) / 1440 + float(v[2]) / 86400) * 360
            sgn = -1 if v[3].startswith("-") else 1
            dec = float(v[3]) + sgn * (float(v[4]) / 60 + float(v[5]) / 3600)
            stars.append((ra, dec, float(v[6]), tuple(float(x) for x in v[7:10])))
    return names, stars


def check_names():
    names, stars = read_names(path("data", "fixedstars.txt"), "FixedStarNames:")
    byname = {n: (ra, dec) for n, ra, dec in names}
    check(len(names) >= 200 and len(byname) == len(names) and len(stars) == len(names),
          "fixed stars: %d unique names, %d coloured stars" % (len(byname), len(stars)))
    for star in ("Sirius", "Betelgeuse", "Polaris", "Vega"):
        ra, dec, _ = KNOWN_STARS[star]
        off = angle_deg(unit(*byname[star]), unit(ra, dec)) if star in byname else 999
        check(off < TOLERANCE_DEG, "fixed stars: %s label %.4f deg off" % (star, off))
    betel = min(stars, key=lambda s: angle_deg(unit(s[0], s[1]), unit(*KNOWN_STARS["Betelgeuse"][:2])))
    rigel = min(stars, key=lambda s: angle_deg(unit(s[0], s[1]), unit(78.63446707, -8.20163837)))
    check(betel[3][0] > betel[3][2] and rigel[3][2] > rigel[3][0],
          "fixed stars: Betelgeuse's dot %s is red, Rigel's %s blue" % (betel[3], rigel[3]))
    gal, _ = read_names(path("data", "galaxies.txt"), "GalaxyNames:")
    byname = {n: (ra, dec) for n, ra, dec in gal}
    check(len(gal) > 50 and len(byname) == len(gal), "galaxies: %d unique names" % len(gal))
    for name, ra, dec in (("M31", 10.68470833, 41.26875), ("M104", 189.99763, -11.62305),
                          ("LMC", 80.89375, -69.75611)):
        off = angle_deg(unit(*byname[name]), unit(ra, dec)) if name in byname else 999
        check(off < 0.05, "galaxies: %s %.4f deg from its J2000 place" % (name, off))
    for fn, north in (("direction.txt", b"N"), ("direction_ja.txt", b"\x96\x6b")):
        words = open(path("data", fn), "rb").read().split()
        got = dict(zip(words, words[1:]))
        check(got.get(b"Version:") == b"7.0" and got.get(b"North:") == north,
              "%s: version 7.0, north %r" % (fn, got.get(b"North:")))


# --- Milky Way and textures ------------------------------------------------------

def quat_mul(a, b):
    """operator*(a, b): rotation a followed by rotation b (Hamilton product b a)."""
    ax, ay, az, aw = a
    bx, by, bz, bw = b
    return (bw * ax + bx * aw + by * az - bz * ay,
            bw * ay + by * aw + bz * ax - az * bx,
            bw * az + bz * aw + ay * bx - by * ax,
            aw * bw - ax * bx - ay * by - az * bz)


def quat_axis(x, y, z, angle):
    s = math.sin(angle / 2)
    return (x * s, y * s, z * s, math.cos(angle / 2))


def quat_rotate(q, v):
    x, y, z, w = q
    p = (v[0], v[1], v[2], 0.0)
    conj = (-x, -y, -z, w)
    # q v q*, written with the product above: operator*(a, b) = b a
    r = quat_mul(quat_mul(conj, p), q)
    return r[:3]


def header_array(text, name):
    import re
    m = re.search(r"%s\[\] = \{(.*?)\};" % name, text, re.S)
    return [float(x.rstrip("f")) for x in m.group(1).replace("\n", " ").split(",") if x.strip()]


GAL = [[-0.0548755604162154, -0.8734370902348850, -0.4838350155487132],
       [0.4941094278755837, -0.4448296299600112, 0.7469822444972189],
       [-0.8676661490190047, -0.1980763734312015, 0.4559837761750669]]


def galactic(v):
    g = mat_vec(GAL, v)
    n = math.sqrt(sum(x * x for x in g))
    return (math.degrees(math.atan2(g[1], g[0])) % 360, math.degrees(math.asin(g[2] / n)))


def check_milkyway(header):
    from PIL import Image
    text = open(header).read()
    # layers are drawn after a turn of -70 degrees about z
    turn = gl_rotate(-70, 0, 0, 1)
    core = header_array(text, "kLayer0Vertices")
    outer = header_array(text, "kLayer6Vertices")
    core_b = [galactic(mat_vec(turn, core[i:i + 3])) for i in range(0, len(core), 3)]
    outer_b = [galactic(mat_vec(turn, outer[i:i + 3])) for i in range(0, len(outer), 3)]
    near_centre = sum(1 for l, b in core_b if (l < 40 or l > 320) and abs(b) < 12)
    check(near_centre > 0.5 * len(core_b), "Milky Way core layer lies by the galactic centre "
          "(%d of %d vertices)" % (near_centre, len(core_b)))
    check(all(abs(b) < 30 for l, b in outer_b) and
          len({int(l // 30) for l, b in outer_b}) == 12,
          "outermost layer follows the galactic equator all round")
    # the band: rotation of the angles (-48.5, -43.0, -42.0) deg: X(a2), then Y(a1), then Z(a3)
    a1, a2, a3 = -0.8464846872172498, -0.7504915783575616, -0.7330382858376184
    q = quat_mul(quat_mul(quat_axis(1, 0, 0, a2), quat_axis(0, 1, 0, a1)), quat_axis(0, 0, 1, a3))
    verts = header_array(text, "kBandVertices")
    tex = header_array(text, "kBandTexCoords")
    tris = [int(x) for x in header_array(text, "kBandTriangles")]
    worst = 0.0
    for t in range(0, len(tris), 9):
        for c in range(3):
            vi, ti = tris[t + c], tris[t + 6 + c]
            v = quat_rotate(q, verts[3 * vi:3 * vi + 3])
            l, b = galactic(v)
            u, vt = tex[2 * ti], tex[2 * ti + 1]
            want_u = (0.5 - l / 360.0) % 1.0
            du = abs((u - want_u + 0.5) % 1.0 - 0.5) * 360
            worst = max(worst, abs(abs(b) - 30.0), du, abs(vt - (1 if b > 0 else 0)) * 90)
    check(worst < 0.01 and len(tris) == 128 * 9 and len(verts) == 128 * 3 and len(tex) == 130 * 2,
          "textured band: 128 triangles on the rings at b = +-30, texture matches (worst %.4f)" % worst)
    im = Image.open(path("textures", "mway.jpg")).convert("L")
    w, h = im.size
    centre = im.getpixel((w // 2, h // 2))
    pole_side = im.getpixel((w // 4, 3))
    check(im.size == (2048, 512) and centre > 150 and pole_side < 40,
          "mway.jpg: galactic centre bright (%d), band edge dark (%d)" % (centre, pole_side))


def check_textures():
    from PIL import Image
    d = path("textures")
    names = ["earth.jpg", "moon.jpg", "mars.jpg", "jupiter.jpg", "saturn.jpg", "saturnring.png",
             "mercury.jpg", "venus.jpg", "uranus.jpg", "neptune.jpg", "pluto.jpg", "sun.jpg",
             "io.jpg", "europa.jpg", "ganymede.jpg", "callisto.jpg", "titan.jpg",
             "earthclouds.png", "star.png", "mway.jpg", "shadow.bmp", "astrbelt.png",
             "comet.bmp", "glow.png", "cursor.bmp", "giant.jpg"]
    bad = []
    total = 0
    for n in sorted(os.listdir(d)):
        im = Image.open(os.path.join(d, n))
        im.load()
        w, h = im.size
        total += os.path.getsize(os.path.join(d, n))
        if w & (w - 1) or h & (h - 1):
            bad.append(n)
    check(not bad, "textures: power-of-two sizes (%s)" % (bad or "all"))
    missing = [n for n in names if not os.path.exists(os.path.join(d, n))]
    check(not missing, "textures: the named set is there (%s missing)" % missing)
    check(total < 6e6, "textures: %.2f MB in all" % (total / 1e6))
    for n in ("saturnring.png", "earthclouds.png", "star.png"):
        check(Image.open(os.path.join(d, n)).mode == "RGBA", "%s carries alpha" % n)
    # The texture-resolution folders: the same files, Low at most 512 wide,
    # Mid as ./textures, High at least as wide.
    for folder, fits in (("texturesLow", lambda w, mid: w <= min(mid, 512)),
                         ("texturesMid", lambda w, mid: w == mid),
                         ("texturesHigh", lambda w, mid: w >= mid)):
        f = path(folder)
        same = os.path.isdir(f) and sorted(os.listdir(f)) == sorted(os.listdir(d))
        check(same, "%s: the files of textures/" % folder)
        wrong = [n for n in (sorted(os.listdir(d)) if same else [])
                 if not fits(Image.open(os.path.join(f, n)).size[0],
                             Image.open(os.path.join(d, n)).size[0])
                 or any(x & (x - 1) for x in Image.open(os.path.join(f, n)).size)]
        check(not wrong, "%s: sizes (%s)" % (folder, wrong or "all fit"))


def preview(out, ra0, dec0, fov, size=900):
    """A picture of the shipped sky around (ra0, dec0), as seen from inside."""
    from PIL import Image, ImageDraw
    c = unit(ra0, dec0)
    east = [-math.sin(math.radians(ra0)), math.cos(math.radians(ra0)), 0.0]
    north = [c[1] * east[2] - c[2] * east[1], c[2] * east[0] - c[0] * east[2],
             c[0] * east[1] - c[1] * east[0]]
    f = size / 2 / math.tan(math.radians(fov / 2))

    def proj(v):
        d = sum(a * b for a, b in zip(v, c))
        if d <= 0.1:
            return None
        return (size / 2 - f * sum(a * b for a, b in zip(v, east)) / d,
                size / 2 - f * sum(a * b for a, b in zip(v, north)) / d)

    im = Image.new("RGB", (size, size), (0, 0, 12))
    dr = ImageDraw.Draw(im)

    def polyline(vs, color):
        pts = [proj(v) for v in vs]
        for a, b in zip(pts, pts[1:]):
            if a and b and abs(a[0] - b[0]) < size and abs(a[1] - b[1]) < size:
                dr.line([a, b], fill=color)

    d = path("data", "constes")
    cons = [read_cdl(os.path.join(d, n)) for n in open(os.path.join(d, "constes.cdl")).read().split()]
    for con in cons:
        if con["art"]:
            for strip in cab_lines(read_cab(os.path.join(d, con["art"]))):
                polyline(strip, (70, 60, 50))
    for con in cons:
        polyline([unit(*p) for p in con["seps"]], (60, 60, 60))
        strip = []
        for p in con["strokes"] + [None]:
            if p is None:
                polyline(strip, (90, 90, 200))
                strip = []
            else:
                strip.append(p)
    cat_turn = check_stars.turn
    colors = read_color_map(path("data", "stars", "starcolor.map"))
    for k, (pos, mags) in enumerate(read_catalog(path("data", "stars", "catalog.dsc"))):
        col = tuple(int(255 * x) for x in colors[k])
        for p, m in zip(pos, mags):
            q = proj(mat_vec(cat_turn, p))
            if q:
                r = max(0.6, 4.0 * (1 - (m - 1.5) / 18) ** 4.5)
                dr.ellipse([q[0] - r, q[1] - r, q[0] + r, q[1] + r], fill=col)
    for con in cons:
        q = proj(unit(*con["pos"]))
        if q:
            dr.text(q, con["name"], fill=(200, 120, 120))
    im.save(out)


def main():
    if len(sys.argv) > 2 and sys.argv[2] == "--preview":
        check_stars()
        preview(sys.argv[3], float(sys.argv[4]), float(sys.argv[5]), float(sys.argv[6]))
        return
    cat_turn = check_stars()
    check_constes(cat_turn)
    check_names()
    check_milkyway(os.path.join(os.path.dirname(os.path.abspath(SHARE)), "sky", "MilkyWayMeshData.h"))
    check_textures()
    if FAILURES:
        print("%d check(s) failed" % len(FAILURES))
        sys.exit(1)
    print("all sky data checks passed")


if __name__ == "__main__":
    main()
