"""Readers of the Debian data packages the sky converters start from.

kstars-data: stars.dat (Hipparcos and Tycho stars to magnitude ~9.4, J2000
places at epoch J2000, magnitude, B-V, spectral class, names), the binary
star files that carry Henry Draper numbers, cnames.dat, cbounds.dat and
OpenNGC.kscat. stellarium-data: the western sky culture (figures by
Hipparcos number, star names, constellation art) and cross-id.dat (Hipparcos
to Henry Draper numbers).
"""

import os
import re
import sqlite3
import struct
import unicodedata

import numpy as np

KSTARS = "/usr/share/kstars"
STELLARIUM = "/usr/share/stellarium"
WESTERN = os.path.join(STELLARIUM, "skycultures", "western")


def need(path, package):
    if not os.path.exists(path):
        raise SystemExit("%s not found: apt-get install %s" % (path, package))
    return path


def ascii_token(text):
    """An 8-bit-safe single token: accents dropped, blanks become '_'."""
    t = unicodedata.normalize("NFKD", text).encode("ascii", "ignore").decode()
    t = t.replace('"', "").strip()
    return re.sub(r"\s+", "_", t)


class StarTable:
    """The kstars-data star table as numpy columns."""

    def __init__(self, ra, dec, mag, bv, sp, bayer, name):
        self.ra, self.dec, self.mag, self.bv = ra, dec, mag, bv
        self.sp, self.bayer, self.name = sp, bayer, name

    def __len__(self):
        return len(self.ra)


def load_kstars_stars():
    path = need(os.path.join(KSTARS, "stars.dat"), "kstars-data")
    ra, dec, mag, bv, sp, bayer, name = [], [], [], [], [], [], []
    with open(path, encoding="latin-1") as f:
        for line in f:
            if line.startswith("#") or len(line) < 58:
                continue
            h, m, s = float(line[0:2]), float(line[2:4]), float(line[4:9])
            sign = -1.0 if line[10] == "-" else 1.0
            dd, dm, ds = float(line[11:13]), float(line[13:15]), float(line[15:19])
            ra.append((h + m / 60 + s / 3600) * 15.0)
            dec.append(sign * (dd + dm / 60 + ds / 3600))
            mag.append(float(line[45:51]))
            try:
                bv.append(float(line[51:56]))
            except ValueError:
                bv.append(float("nan"))
            sp.append(line[56:58].strip())
            parts = line.rstrip("\n").split(",")
            bayer.append(parts[1].strip() if len(parts) > 1 else "")
            name.append(parts[2].strip() if len(parts) > 2 else "")
    return StarTable(np.array(ra), np.array(dec), np.array(mag), np.array(bv),
                     sp, bayer, name)


def _kstars_binary_hd(path):
    """HD number -> (ra deg, dec deg, mag) from a kstars binary star file."""
    d = open(path, "rb").read()
    nfields = struct.unpack_from("<H", d, 127)[0]
    p = 129 + 16 * nfields
    ntrixels = struct.unpack_from("<I", d, p)[0]
    p += 4
    out = {}
    for i in range(ntrixels):
        _, off, cnt = struct.unpack_from("<3I", d, p + 12 * i)
        for k in range(cnt):
            ra, dec, _, _, _, hd = struct.unpack_from("<6i", d, off + 32 * k)
            mag = struct.unpack_from("<h", d, off + 32 * k + 24)[0]
            if hd > 0:
                out[hd] = (ra / 1e6 * 15.0, dec / 1e5, mag / 100.0)
    return out


def load_hip_to_hd():
    path = need(os.path.join(STELLARIUM, "stars", "default", "cross-id.dat"), "stellarium-data")
    out = {}
    with open(path) as f:
        for line in f:
            if line.startswith("#"):
                continue
            cols = line.rstrip("\n").split("\t")
            if len(cols) < 4 or not cols[3].strip():
                continue
            hip = int(cols[0])
            # the first (brightest, component A) entry of a Hipparcos number wins
            out.setdefault(hip, int(cols[3]))
    return out


GREEK = dict(zip("αβγδεζηθικλμνξοπρστυφχψω",
                 ["alp", "bet", "gam", "del", "eps", "zet", "eta", "the", "iot", "kap", "lam",
                  "mu", "nu", "xi", "omi", "pi", "rho", "sig", "tau", "ups", "phi", "chi",
                  "psi", "ome"]))


def _kstars_designation(s):
    """'gam1Vel' -> ('gam', '1', 'Vel'); '' when the star has none."""
    if len(s) < 7:
        return None
    return (s[:3].strip(), s[3].strip(), s[4:7])


def _fab_designation(s):
    """'γ2_Vel' -> ('gam', '2', 'Vel'); '82_Eri' -> ('82', '', 'Eri')."""
    m = re.match(r"^([^\d_]+|\d+)(\d?)_([A-Za-z]{3})", s)
    if not m:
        return None
    g = m.group(1)
    return (GREEK.get(g, g), m.group(2), m.group(3))


def load_hip_designations():
    """HIP -> Bayer and Flamsteed designations (stellarium-data name.fab)."""
    path = need(os.path.join(STELLARIUM, "stars", "default", "name.fab"), "stellarium-data")
    out = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            w = line.strip().split("|")
            if len(w) == 2 and w[0].strip().isdigit():
                d = _fab_designation(w[1])
                if d:
                    out.setdefault(int(w[0]), []).append(d)
    return out


class HipLocator:
    """Finds a Hipparcos star in the kstars star table.

    By its Bayer or Flamsteed designation (stellarium-data name.fab against
    the kstars names), else through its Henry Draper number and the place of
    the kstars binary star files.
    """

    def __init__(self, stars):
        from skyframes import eq_vector
        self.stars = stars
        self.hip_hd = load_hip_to_hd()
        self.hip_des = load_hip_designations()
        self.hd_pos = {}
        for fn in ("namedstars.dat", "unnamedstars.dat"):
            self.hd_pos.update(_kstars_binary_hd(need(os.path.join(KSTARS, fn), "kstars-data")))
        self.by_des = {}
        for i, b in enumerate(stars.bayer):
            d = _kstars_designation(b)
            if d:
                self.by_des.setdefault((d[0], d[2]), []).append((d[1], i))
        self.vec = eq_vector(stars.ra, stars.dec)
        self.missing = []

    def _by_designation(self, hip):
        des = self.hip_des.get(hip, [])
        # exact component first; then any component (the tables number the
        # components of a few doubles differently), the brightest winning
        for loose in (False, True):
            for g, idx, con in des:
                cands = [i for k, i in self.by_des.get((g, con), [])
                         if loose or not idx or k == idx]
                if cands:
                    return min(cands, key=lambda i: self.stars.mag[i])
        return None

    def _by_hd(self, hip):
        from skyframes import eq_vector
        hd = self.hip_hd.get(hip)
        pos = self.hd_pos.get(hd) if hd else None
        if pos is None:
            return None
        cosang = self.vec @ eq_vector(pos[0], pos[1])
        # the kstars binary places are of epoch 1991.25: allow for proper motion
        near = np.where(cosang > np.cos(np.radians(60.0 / 3600.0)))[0]
        if len(near) == 0:
            return None
        return int(near[np.argmin(np.abs(self.stars.mag[near] - pos[2]))])

    def index(self, hip):
        """Row of the star table for a Hipparcos number, or None."""
        row = self._by_designation(hip)
        if row is None:
            row = self._by_hd(hip)
        if row is None:
            self.missing.append(hip)
        return row


def load_fab_lines(path):
    """Constellation figures of a sky culture: abbreviation -> list of HIP pairs."""
    figures = {}
    with open(path) as f:
        for line in f:
            w = line.split()
            if len(w) < 2 or w[0].startswith("#"):
                continue
            hips = [int(x) for x in w[2:]]
            figures[w[0]] = list(zip(hips[0::2], hips[1::2]))
    return figures


IAU_NAME_REFERENCES = {"6", "12"}  # IAU Catalog of Star Names, IAU Naming Stars


def load_star_names(path):
    """HIP -> the IAU name of a star in a sky culture's star names file."""
    names = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            m = re.match(r'\s*(\d+)\|_\("(.*?)"\)\s*([\d,]*)', line)
            if m and IAU_NAME_REFERENCES & set(m.group(3).split(",")):
                names.setdefault(int(m.group(1)), m.group(2))
    return names


def load_openngc():
    """Rows of kstars' OpenNGC catalogue (a sqlite database)."""
    path = need(os.path.join(KSTARS, "OpenNGC.kscat"), "kstars-data")
    con = sqlite3.connect("file:%s?mode=ro" % path, uri=True)
    return con
