#!/usr/bin/python3
"""Converts asteroid and comet orbital elements from Debian's data packages
into the model's orbit files, and writes the default body lists.

Inputs (apt-get install kstars-data stellarium-data):
- /usr/share/kstars/asteroids.dat, /usr/share/kstars/comets.dat: JPL Small-Body
  Database query results (JSON), the main sets.
- /usr/share/stellarium/data/ssystem_minor.ini: minor bodies that the JPL sets
  lack (near-Earth asteroids, trans-Neptunian objects, interstellar objects).

Outputs (under share/data): orbits/asteroids/*.orb, orbits/comets/*.orb,
defaults.ddl (the default list: the best known few dozen), asteroids.dal and
comets.dcl (the same selection as the user's lists).

Asteroid files: "Peri:" is the argument of perihelion, "A:" AU, "M:" the mean
anomaly at the epoch "t:" (JD). Comet files: "T:" the perihelion date (year,
month, day with fraction, UTC calendar: Julian before 1582-10-15), "q:" AU.
"""

import configparser
import json
import math
import os
import re
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "share", "data")
KSTARS = "/usr/share/kstars"
STELLARIUM = "/usr/share/stellarium/data/ssystem_minor.ini"

# Names the planets and moons of ssystem.def already use.
MAJOR_NAMES = {"Sun", "Mercury", "Venus", "Earth", "Moon", "Mars", "Jupiter", "Saturn", "Uranus",
               "Neptune", "Pluto", "Phobos", "Deimos", "Io", "Europa", "Ganymede", "Callisto",
               "Mimas", "Enceladus", "Tethys", "Dione", "Rhea", "Titan", "Hyperion", "Iapetus",
               "Miranda", "Ariel", "Umbriel", "Titania", "Oberon", "Triton", "Charon"}

DEFAULT_ASTEROIDS = ["Ceres", "Pallas", "Juno", "Vesta", "Hygiea", "Eunomia", "Psyche", "52_Europa",
                     "Interamnia", "Kleopatra", "Ida", "Gaspra", "Mathilde", "Lutetia", "Eros",
                     "Hidalgo", "Chiron", "Eris", "Haumea", "Makemake", "Sedna", "Bennu", "Ryugu",
                     "Itokawa", "Apophis", "Phaethon", "Icarus", "Steins"]
DEFAULT_COMETS = ["1P/Halley", "2P/Encke", "9P/Tempel_1", "12P/Pons-Brooks", "17P/Holmes",
                  "19P/Borrelly", "21P/Giacobini-Zinner", "46P/Wirtanen", "55P/Tempel-Tuttle",
                  "67P/Churyumov-Gerasimenko", "81P/Wild_2", "103P/Hartley_2", "109P/Swift-Tuttle",
                  "C/1995_O1_Hale-Bopp", "C/1996_B2_Hyakutake", "C/2020_F3_NEOWISE",
                  "C/2011_W3_Lovejoy", "C/1965_S1-A_Ikeya-Seki", "C/2019_Q4_Borisov",
                  "1I/2017_U1_Oumuamua", "C/2012_S1_ISON", "C/1858_K1_Bruhns"]

# Sim modes of ssystem.def: SolarSystem (bodies enlarged in model scale) and
# EarthMoon (small bodies hidden).
STATE_LINES = ("SimMode: 0 State: Show RadiusRate: 1000 1 OrbitRate: 1 1\n"
               "SimMode: 1 State: Hide RadiusRate: 1 1 OrbitRate: 1 1\n")

def fmt(x):
    return "%.12g" % x

def jd_to_calendar(jd):
    """Year, month and day with fraction of a Julian Date (Meeus ch. 7; the
    Julian calendar before 1582-10-15)."""
    z = math.floor(jd + 0.5)
    f = jd + 0.5 - z
    if z < 2299161:
        a = z
    else:
        alpha = math.floor((z - 1867216.25) / 36524.25)
        a = z + 1 + alpha - math.floor(alpha / 4)
    b = a + 1524
    c = math.floor((b - 122.1) / 365.25)
    d = math.floor(365.25 * c)
    e = math.floor((b - d) / 30.6001)
    day = b - d - math.floor(30.6001 * e) + f
    month = e - 1 if e < 14 else e - 13
    year = c - 4716 if month > 2 else c - 4715
    return int(year), int(month), day

def clean_name(text):
    text = text.strip().replace("`", "").replace("'", "")
    text = re.sub(r"[()\[\]]", "", text)
    return re.sub(r"\s+", "_", text.strip())

def file_name(name):
    return re.sub(r"[^A-Za-z0-9_.+-]", "_", name) + ".orb"

def asteroid_name(full_name):
    """'     1 Ceres (A801 AA)' -> ('Ceres', '1'); unnamed -> '2001_AB1'."""
    m = re.match(r"\s*(\d+)\s+([^(]*?)\s*(\((.*)\))?\s*$", full_name)
    if not m:
        return clean_name(full_name), ""
    number, name, _, desig = m.groups()
    name = name.strip()
    if not name:
        return clean_name(desig or number), number
    return clean_name(name), number

def opposition_magnitude(H, a):
    """Mean opposition magnitude of a main-belt or outer body (H for orbits
    that come close to the Earth's, where the formula means nothing)."""
    if a is None or a < 1.3:
        return H
    return H + 5.0 * math.log10(a * (a - 1.0))

def radius_from(H, albedo, diameter):
    if diameter:
        return diameter / 2.0
    p = albedo if albedo else 0.14
    return 1329.0 / math.sqrt(p) * 10 ** (-H / 5.0) / 2.0

def num(x):
    try:
        return float(x)
    except (TypeError, ValueError):
        return None

def asteroid_text(name, source, H, radius, e, a, i, node, peri, M, epoch):
    mag = opposition_magnitude(H, a) if H is not None else 12.0
    return ("# %s: converted by tools/convert-smallbodies.py from %s.\n"
            "Name: %s\nRadius: %s 1\nMagnitude: %s\nColor: 0.72 0.7 0.66\n%s"
            "e: %s\nPeri: %s\nNode: %s\nIncl: %s\nA: %s\nM: %s\nt: %s\n"
            % (name, source, name, fmt(radius), fmt(round(mag, 2)), STATE_LINES, fmt(e), fmt(peri),
               fmt(node), fmt(i), fmt(a), fmt(M), fmt(epoch)))

def comet_text(name, source, M1, radius, q, e, i, node, peri, tp, period_years):
    year, month, day = jd_to_calendar(tp)
    mag = 8.0
    if M1 is not None:
        mag = M1 + 10.0 * math.log10(q) + 5.0 * math.log10(max(abs(1.0 - q), 0.1))
    draw = 24.0
    if period_years:
        draw = min(6.0 * period_years, 60.0)
    text = ("# %s: converted by tools/convert-smallbodies.py from %s.\n"
            "Name: %s\nRadius: %s 1\nMagnitude: %s\nColor: 0.8 0.88 1.0\n%s"
            "T: %d %d %s\nq: %s\ne: %s\nPeri: %s\nNode: %s\nIncl: %s\n"
            % (name, source, name, fmt(radius), fmt(round(mag, 2)), STATE_LINES, year, month,
               fmt(round(day, 8)), fmt(q), fmt(e), fmt(peri), fmt(node), fmt(i)))
    if period_years:
        text += "P: %s\n" % fmt(period_years)
    return text + "drawMonth: %s\ndustLength: 16\n" % fmt(round(draw, 3))

def main():
    ast_dir = os.path.join(ROOT, "orbits", "asteroids")
    com_dir = os.path.join(ROOT, "orbits", "comets")
    for d in (ast_dir, com_dir):
        os.makedirs(d, exist_ok=True)
        for f in os.listdir(d):
            os.remove(os.path.join(d, f))
    used = set(MAJOR_NAMES)
    asteroids = {}
    comets = {}

    data = json.load(open(os.path.join(KSTARS, "asteroids.dat")))
    col = {k: n for n, k in enumerate(data["fields"])}
    src = "kstars-data asteroids.dat (JPL SBDB)"
    for row in data["data"]:
        name, number = asteroid_name(row[col["full_name"]])
        if name in used:
            name = "%s_%s" % (number, name)
        e, a, i = num(row[col["e"]]), num(row[col["a"]]), num(row[col["i"]])
        node, peri, M = num(row[col["om"]]), num(row[col["w"]]), num(row[col["ma"]])
        epoch = num(row[col["epoch_mjd"]])
        if None in (e, a, i, node, peri, M, epoch) or not (0 <= e < 1) or a <= 0 or name in used:
            continue
        H = num(row[col["H"]])
        radius = radius_from(H if H is not None else 15.0, num(row[col["albedo"]]), num(row[col["diameter"]]))
        asteroids[name] = asteroid_text(name, src, H, radius, e, a, i, node, peri, M, epoch + 2400000.5)
        used.add(name)

    data = json.load(open(os.path.join(KSTARS, "comets.dat")))
    col = {k: n for n, k in enumerate(data["fields"])}
    src = "kstars-data comets.dat (JPL SBDB)"
    for row in data["data"]:
        name = clean_name(row[col["full_name"]])
        q, e, i = num(row[col["q"]]), num(row[col["e"]]), num(row[col["i"]])
        peri, node, tp = num(row[col["w"]]), num(row[col["om"]]), num(row[col["tp"]])
        if None in (q, e, i, peri, node, tp) or e <= 0 or q <= 0 or name in used:
            continue
        diameter = num(row[col["diameter"]])
        radius = diameter / 2.0 if diameter else 2.5
        comets[name] = comet_text(name, src, num(row[col["M1"]]), radius, q, e, i, node, peri, tp,
                                  num(row[col["per.y"]]))
        used.add(name)

    ini = configparser.ConfigParser(strict=False, interpolation=None)
    ini.read(STELLARIUM)
    src = "stellarium-data ssystem_minor.ini"
    for section in ini.sections():
        s = ini[section]
        kind = s.get("type", "")
        if kind == "artificial":
            continue
        raw = s.get("name", section)
        if kind in ("comet", "interstellar object"):
            name = clean_name(raw.split("[")[0])
            if name.startswith("1I/"):
                name = "1I/2017_U1_Oumuamua"
            if name in used or "P_Halley" in section:
                continue
            q, e = num(s.get("orbit_pericenterdistance")), num(s.get("orbit_eccentricity"))
            tp = num(s.get("orbit_timeatpericenter"))
            vals = [num(s.get(k)) for k in ("orbit_inclination", "orbit_ascendingnode", "orbit_argofpericenter")]
            if None in [q, e, tp] + vals or e <= 0 or q <= 0:
                continue
            radius = num(s.get("radius")) or 2.5
            period = (q / (1 - e)) ** 1.5 if e < 1 else None
            comets[name] = comet_text(name, src, None, radius, q, e, vals[0], vals[1], vals[2], tp, period)
            used.add(name)
            continue
        name = clean_name(raw)
        if name in used:
            continue
        a, e, M = num(s.get("orbit_semimajoraxis")), num(s.get("orbit_eccentricity")), num(s.get("orbit_meananomaly"))
        epoch = num(s.get("orbit_epoch"))
        vals = [num(s.get(k)) for k in ("orbit_inclination", "orbit_ascendingnode", "orbit_argofpericenter")]
        if None in [a, e, M, epoch] + vals or not (0 <= e < 1) or a <= 0:
            continue
        H = num(s.get("absolute_magnitude"))
        radius = num(s.get("radius")) or radius_from(H if H is not None else 15.0, num(s.get("albedo")), None)
        asteroids[name] = asteroid_text(name, src, H, radius, e, a, vals[0], vals[1], vals[2], M, epoch)
        used.add(name)

    for name, text in asteroids.items():
        with open(os.path.join(ast_dir, file_name(name)), "w") as f:
            f.write(text)
    for name, text in comets.items():
        with open(os.path.join(com_dir, file_name(name)), "w") as f:
            f.write(text)

    missing = [n for n in DEFAULT_ASTEROIDS if n not in asteroids] + \
              [n for n in DEFAULT_COMETS if n not in comets]
    if missing:
        sys.exit("default bodies without an orbit file: %s" % " ".join(missing))
    header = "Version: 7.0 \nLocale: en_us \n\n"
    def body_list(names):
        return header + "".join("%s \n" % n for n in names)
    for path, names in (("defaults.ddl", DEFAULT_COMETS + DEFAULT_ASTEROIDS),
                        ("comets.dcl", DEFAULT_COMETS), ("asteroids.dal", DEFAULT_ASTEROIDS)):
        with open(os.path.join(ROOT, path), "w") as f:
            f.write(body_list(names))
    print("%d asteroids, %d comets" % (len(asteroids), len(comets)))

if __name__ == "__main__":
    main()
