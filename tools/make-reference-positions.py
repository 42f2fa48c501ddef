#!/usr/bin/python3
"""Computes the reference positions that tests/model/PositionTest.cpp checks
the model against, into tests/data/model/reference-positions.txt.

- Planets and the Moon from ERFA (apt-get install python3-erfa): eraEpv00 for
  the Earth, eraPlan94 for the other planets (heliocentric), eraMoon98 for the
  Moon (geocentric), turned from the J2000 equator to the J2000 ecliptic. The
  model's time is taken as TT.
- Greenwich mean sidereal time from eraGmst82.
- Asteroids and comets: an exact conic from the elements of the shipped orbit
  files, solved with 40-digit arithmetic (python3-mpmath) by bisection, with
  a calendar conversion written here independently of the engine's.

Lines: "planet NAME JD x y z", "moon JD x y z", "gst JD degrees",
"small FILE JD x y z" (AU, J2000 ecliptic, heliocentric for all but the Moon).
"""

import math
import os

import erfa
import mpmath as mp

mp.mp.dps = 40
HERE = os.path.dirname(os.path.abspath(__file__))
SHARE = os.path.join(HERE, "..", "share")
OUT = os.path.join(HERE, "..", "tests", "data", "model", "reference-positions.txt")
EPS0 = 84381.406 / 3600.0 * math.pi / 180.0
K = mp.mpf("0.01720209895")

def to_ecliptic(v):
    c, s = math.cos(EPS0), math.sin(EPS0)
    return (v[0], c * v[1] + s * v[2], -s * v[1] + c * v[2])

def planet_lines():
    lines = []
    names = ["Mercury", "Venus", "Earth", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune"]
    jd0, jd1 = 2415020.5, 2488069.5  # 1900-01-01 .. 2100-01-01
    count = 120
    for k in range(count + 1):
        jd = min(jd0 + (jd1 - jd0) * k / count + (k * 7.31) % 29.5, jd1)  # vary the lunar phase
        for n, name in enumerate(names, start=1):
            if name == "Earth":
                pvh, _ = erfa.epv00(jd, 0.0)
                p = pvh[0]
            else:
                p = erfa.plan94(jd, 0.0, n)["p"]
            x, y, z = to_ecliptic(p)
            lines.append("planet %s %r %.12e %.12e %.12e" % (name, jd, x, y, z))
        pv = erfa.moon98(jd, 0.0)
        x, y, z = to_ecliptic(pv[0])
        lines.append("moon %r %.12e %.12e %.12e" % (jd, x, y, z))
        gst = math.degrees(erfa.gmst82(jd, 0.0))
        lines.append("gst %r %.12f" % (jd, gst))
    return lines

def read_elements(path):
    el = {}
    with open(path) as f:
        for line in f:
            if line.startswith("#"):
                continue
            tok = line.split()
            i = 0
            while i < len(tok):
                key = tok[i]
                if key == "T:":
                    el["T"] = (int(tok[i + 1]), int(tok[i + 2]), mp.mpf(tok[i + 3]))
                    i += 4
                    continue
                if key in ("e:", "Peri:", "Node:", "Incl:", "A:", "M:", "t:", "q:"):
                    el[key[:-1]] = mp.mpf(tok[i + 1])
                    i += 2
                    continue
                i += 1
    return el

def calendar_to_jd(year, month, day):
    """Meeus ch. 7: Gregorian from 1582-10-15, Julian before."""
    if month <= 2:
        year -= 1
        month += 12
    b = 0
    if (year, month, day) >= (1582, 10, 15):
        a = year // 100
        b = 2 - a + a // 4
    return mp.floor(mp.mpf(365.25) * (year + 4716)) + mp.floor(mp.mpf("30.6001") * (month + 1)) + day + b - mp.mpf("1524.5")

def bisect(f, lo, hi):
    flo = f(lo)
    for _ in range(200):
        mid = (lo + hi) / 2
        fm = f(mid)
        if (fm > 0) == (flo > 0):
            lo, flo = mid, fm
        else:
            hi = mid
    return (lo + hi) / 2

def kepler(e, M):
    turns = mp.nint(M / (2 * mp.pi))
    m = M - turns * 2 * mp.pi
    sign = -1 if m < 0 else 1
    m = abs(m)
    E = bisect(lambda E: E - e * mp.sin(E) - m, m, min(m + e, mp.pi) + mp.mpf(10) ** -30)
    return sign * E + turns * 2 * mp.pi

def rotate(el, x, y):
    w, i, node = (mp.radians(el[k]) for k in ("Peri", "Incl", "Node"))
    # Rz(node) Rx(i) Rz(w) (x, y, 0)
    x1 = x * mp.cos(w) - y * mp.sin(w)
    y1 = x * mp.sin(w) + y * mp.cos(w)
    y2 = y1 * mp.cos(i)
    z2 = y1 * mp.sin(i)
    return (x1 * mp.cos(node) - y2 * mp.sin(node), x1 * mp.sin(node) + y2 * mp.cos(node), z2)

def asteroid_position(el, jd):
    a, e = el["A"], el["e"]
    M = mp.radians(el["M"]) + K / (mp.sqrt(a) * a) * (jd - el["t"])
    E = kepler(e, M)
    return rotate(el, a * (mp.cos(E) - e), a * mp.sqrt(1 - e * e) * mp.sin(E))

def comet_position(el, jd):
    q, e = el["q"], el["e"]
    tp = calendar_to_jd(*el["T"])
    dt = jd - tp
    if e < 1:
        a = q / (1 - e)
        E = kepler(e, K / (mp.sqrt(a) * a) * dt)
        return rotate(el, a * (mp.cos(E) - e), a * mp.sqrt(1 - e * e) * mp.sin(E))
    if e > 1:
        a = q / (e - 1)
        M = K / (mp.sqrt(a) * a) * dt
        m = abs(M)
        H = bisect(lambda H: e * mp.sinh(H) - H - m, mp.mpf(0), mp.asinh(m / (e - 1)) + 1)
        H = H if M >= 0 else -H
        return rotate(el, a * (e - mp.cosh(H)), a * mp.sqrt(e * e - 1) * mp.sinh(H))
    n = K / mp.sqrt(2) / (mp.sqrt(q) * q)
    W = n * dt
    s = bisect(lambda s: s + s ** 3 / 3 - W, -abs(W) - 1, abs(W) + 1)
    return rotate(el, q * (1 - s * s), 2 * q * s)

SMALL = [
    ("asteroids/Ceres.orb", None), ("asteroids/Bennu.orb", None), ("asteroids/Icarus.orb", None),
    ("asteroids/Sedna.orb", None),
    ("comets/1P_Halley.orb", "comet"), ("comets/2P_Encke.orb", "comet"),
    ("comets/C_1995_O1_Hale-Bopp.orb", "comet"), ("comets/C_2011_W3_Lovejoy.orb", "comet"),
    ("comets/C_1858_K1_Bruhns.orb", "comet"), ("comets/C_2019_Q4_Borisov.orb", "comet"),
    ("comets/C_2012_S1_ISON.orb", "comet"), ("comets/1I_2017_U1_Oumuamua.orb", "comet"),
]

def small_lines():
    lines = []
    for path, kind in SMALL:
        el = read_elements(os.path.join(SHARE, "data", "orbits", path))
        if kind == "comet":
            centre = calendar_to_jd(*el["T"])
            offsets = [0, 1e-3, -1e-3, 0.1, -0.1, 1, -1, 10, -10, 100, -100, 1000, -3000, 20000]
        else:
            centre = el["t"]
            offsets = [-36500, -7000, -365, -1, 0, 0.5, 30, 400, 5000, 36500]
        for off in offsets:
            jd = centre + mp.mpf(off)
            x, y, z = asteroid_position(el, jd) if kind is None else comet_position(el, jd)
            lines.append("small %s %s %s %s %s" % (path, mp.nstr(jd, 17), mp.nstr(x, 17),
                                                   mp.nstr(y, 17), mp.nstr(z, 17)))
    return lines

def satellite_lines():
    """Moons from the published Laplace-plane elements themselves (Kepler's
    equation solved), relative to the planet in the J2000 ecliptic: a check of
    the frames that make-solar-data.py turns them into."""
    import importlib.util
    spec = importlib.util.spec_from_file_location("solar", os.path.join(HERE, "make-solar-data.py"))
    solar = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(solar)
    lines = []
    for parent, moons in solar.MOONS.items():
        for m in moons:
            name, a, e, w, M0, i, node, n, epoch, lra, ldec = m[:11]
            for days in (0.0, 0.37, 5.2, 400.0):
                M = math.radians(M0 + n * days)
                E = float(kepler(mp.mpf(e), mp.mpf(M)))
                x, y = a * (math.cos(E) - e), a * math.sqrt(1 - e * e) * math.sin(E)
                v = solar.rz(math.radians(w), (x, y, 0.0))
                v = solar.rx(math.radians(i), v)
                v = solar.rz(math.radians(node), v)
                v = solar.rz(math.radians(lra + 90.0), solar.rx(math.radians(90.0 - ldec), v))
                v = to_ecliptic(v)
                lines.append("satellite %s %r %.12e %.12e %.12e %g" % (
                    name, epoch + days, v[0] / 149597870.0, v[1] / 149597870.0, v[2] / 149597870.0, e))
    return lines

def main():
    lines = ["# Reference positions made by tools/make-reference-positions.py; see there."]
    lines += planet_lines() + small_lines() + satellite_lines()
    with open(OUT, "w") as f:
        f.write("\n".join(lines) + "\n")
    print(len(lines), "lines")

if __name__ == "__main__":
    main()
