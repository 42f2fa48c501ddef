#!/usr/bin/python3
"""Builds the name files of the sky.

  data/fixedstars.txt   "FixedStars:" name labels and coloured dots of the named
                        stars (the IAU names of stellarium-data's western sky
                        culture for stars to V 5.0, and the 200 brightest stars,
                        those without a proper name by their Bayer designation)
  data/galaxies.txt     "Galaxies:" the Messier galaxies and the NGC/IC galaxies
                        to magnitude 10 of OpenNGC (kstars-data), and the LMC
  data/direction.txt    "Direction:" N, S, E, W (keyword layout, version 7.0)
  data/direction_ja.txt the same in Japanese, Shift-JIS

Places are J2000. A name is one token: blanks are written as "_".

Usage: make_names.py SHARE_DIR
"""

import math
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import skyframes as sf  # noqa: E402
import sources  # noqa: E402

NAMED_MAG_LIMIT = 5.0
BRIGHTEST = 200
# Dot colours by spectral class (black-body colours of the class's typical B-V).
CLASS_ORDER = "OBAFGKM"


def hm(ra_deg):
    """RA as whole hours and decimal minutes."""
    minutes = round(ra_deg / 15.0 * 60.0, 4) % 1440.0
    return int(minutes // 60), minutes - 60 * int(minutes // 60)


def dm(dec_deg):
    """Declination as a signed degrees token and decimal minutes ("-0" kept)."""
    a = round(abs(dec_deg) * 60.0, 3)
    d = int(a // 60)
    return ("-" if dec_deg < 0 else "") + str(d), a - 60 * d


def hms(ra_deg):
    s = round(ra_deg / 15.0 * 3600.0, 2) % 86400.0
    h = int(s // 3600)
    m = int((s - 3600 * h) // 60)
    return h, m, s - 3600 * h - 60 * m


def dms(dec_deg):
    a = round(abs(dec_deg) * 3600.0, 1)
    d = int(a // 3600)
    m = int((a - 3600 * d) // 60)
    return ("-" if dec_deg < 0 else "") + str(d), m, a - 3600 * d - 60 * m


def name_record(name, ra, dec):
    h, m = hm(ra)
    d, mm = dm(dec)
    return "Name: %s %d %.4f %s %.3f\n" % (name, h, m, d, mm)


def class_color(sp):
    bv = sf.spectral_bv(sp)
    return tuple(float(x) for x in sf.temperature_rgb(sf.bv_to_temperature(bv)))


def designation(bayer):
    """'alp1Cen' -> 'alp1_Cen'; 'e   Eri' -> 'e_Eri'."""
    g, idx, con = bayer[:3].strip(), bayer[3].strip(), bayer[4:7]
    return "%s%s_%s" % (g, idx, con)


def fixed_stars(share):
    stars = sources.load_kstars_stars()
    loc = sources.HipLocator(stars)
    vec = sf.eq_vector(stars.ra, stars.dec)
    chosen = {}  # row -> name
    for hip, name in sources.load_star_names(os.path.join(sources.WESTERN, "star_names.fab")).items():
        row = loc.index(hip)
        if row is not None and stars.mag[row] <= NAMED_MAG_LIMIT:
            chosen.setdefault(row, sources.ascii_token(name))
    labelled = []
    for row in np.argsort(stars.mag)[:BRIGHTEST]:
        # a companion next to a labelled star takes no label of its own
        if row in chosen or any(vec[row] @ vec[r] > math.cos(math.radians(0.05)) for r in chosen):
            continue
        if stars.bayer[row]:
            chosen[row] = designation(stars.bayer[row])
            labelled.append(chosen[row])
    rows = sorted(chosen, key=lambda r: stars.mag[r])
    seen = set()
    out = ["# Named stars: J2000 places (kstars-data, Hipparcos), IAU names (stellarium-data)\n",
           "# Name: name, RA h m, Dec d m; Star: RA h m s, Dec d m s, V magnitude, r g b\n",
           None]
    for r in rows:
        name = chosen[r]
        if name in seen:
            continue
        seen.add(name)
        out.append(name_record(name, stars.ra[r], stars.dec[r]))
    out[2] = "FixedStarNames: %d {\n" % len(seen)
    for r in rows:
        h, m, s = hms(stars.ra[r])
        d, mm, ss = dms(stars.dec[r])
        col = class_color(stars.sp[r])
        out.append("Star: %d %d %.2f %s %d %.1f %.2f %.3f %.3f %.3f\n"
                   % (h, m, s, d, mm, ss, stars.mag[r], col[0], col[1], col[2]))
    out.append("}\n")
    with open(os.path.join(share, "data", "fixedstars.txt"), "w", encoding="ascii", newline="\n") as f:
        f.writelines(out)
    return len(seen), labelled


def galaxies(share):
    con = sources.load_openngc()
    rows = con.execute("SELECT name, long_name, magnitude, ra, dec FROM cat WHERE type = 8 AND "
                       "(name LIKE 'M %' OR magnitude <= 10.0) ORDER BY magnitude").fetchall()
    recs = []
    for name, long_name, mag, ra, dec in rows:
        if "Small Magellanic Cloud" in (long_name or ""):
            name = "SMC"
        recs.append((name.replace(" ", ""), ra, dec))
    # The Large Magellanic Cloud has no NGC number; its J2000 centre from NED.
    recs.insert(0, ("LMC", 80.89375, -69.75611))
    out = ["# Galaxies: Messier galaxies and NGC/IC galaxies to magnitude 10 (OpenNGC), J2000\n",
           "GalaxyNames: %d {\n" % len(recs)]
    out += [name_record(n, ra, dec) for n, ra, dec in recs]
    out.append("}\n")
    with open(os.path.join(share, "data", "galaxies.txt"), "w", encoding="ascii", newline="\n") as f:
        f.writelines(out)
    return len(recs)


def directions(share):
    text = "# Direction names written at the horizon\nVersion: 7.0\n" \
           "North: %s\nSouth: %s\nEast: %s\nWest: %s\n"
    with open(os.path.join(share, "data", "direction.txt"), "w", newline="\n") as f:
        f.write(text % ("N", "S", "E", "W"))
    with open(os.path.join(share, "data", "direction_ja.txt"), "wb") as f:
        f.write((text % ("北", "南", "東", "西")).encode("shift_jis").replace(b"\r\n", b"\n"))


def main(share):
    os.makedirs(os.path.join(share, "data"), exist_ok=True)
    n, labelled = fixed_stars(share)
    g = galaxies(share)
    directions(share)
    print("named stars: %d (%d by designation: %s); galaxies: %d"
          % (n, len(labelled), " ".join(labelled), g))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "share")
