#!/usr/bin/python3
"""Reference positions of the artificial satellites of tests/data/objects/satellites.tle.

Each element set is propagated with SGP4/SDP4 (Debian's python3-sgp4, WGS 72) to its
epoch and to one day after it. The positions, in the set's own frame (true equator,
mean equinox of date), are turned to the mean equator of J2000 with the IAU 1976/1980
precession-nutation of Debian's python3-erfa (after the equation of the equinoxes),
then to the ecliptic of J2000 with the obliquity that the Earth's axis of
share/data/ssystem.def gives (IAU 2006, 84381.406"). Kilometres, relative to the Earth.

Run once with /usr/bin/python3 from the project root; the output is committed:
    tools/make-satellite-reference.py > tests/data/objects/satellite-positions.txt
"""
import math
import sys

import erfa
from sgp4.api import WGS72, Satrec

TLE = "tests/data/objects/satellites.tle"


def read_sets(path):
    lines = [l.rstrip("\r\n") for l in open(path) if not l.startswith("#")]
    for k in range(0, len(lines) - 2, 3):
        yield lines[k].rstrip(), lines[k + 1], lines[k + 2]


def teme_to_ecliptic(r, jd):
    d1, d2 = 2400000.5, jd - 2400000.5
    ee = erfa.eqeq94(d1, d2)
    c, s = math.cos(ee), math.sin(ee)
    tod = [c * r[0] - s * r[1], s * r[0] + c * r[1], r[2]]
    npb = erfa.pnm80(d1, d2)  # mean J2000 to true of date
    j2000 = [sum(npb[k][i] * tod[k] for k in range(3)) for i in range(3)]
    eps = erfa.obl06(2451545.0, 0.0)
    ce, se = math.cos(eps), math.sin(eps)
    return [j2000[0], ce * j2000[1] + se * j2000[2], -se * j2000[1] + ce * j2000[2]]


def main():
    out = sys.stdout
    out.write("# Made by tools/make-satellite-reference.py (python3-sgp4, python3-erfa).\n")
    out.write("# name (title with blanks as _), Julian Date (UTC), x y z km, ecliptic J2000\n")
    for title, l1, l2 in read_sets(TLE):
        sat = Satrec.twoline2rv(l1, l2, WGS72)
        for day in (0.0, 1.0):
            jd, fr = sat.jdsatepoch, sat.jdsatepochF + day
            err, r, _ = sat.sgp4(jd, fr)
            if err:
                raise SystemExit("sgp4 error %d for %s" % (err, title))
            x, y, z = teme_to_ecliptic(r, jd + fr)
            out.write("%s %.8f %.3f %.3f %.3f\n" % (title.replace(" ", "_"), jd + fr, x, y, z))


if __name__ == "__main__":
    main()
