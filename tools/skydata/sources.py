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


class HipLocator:
    """Finds a Hipparcos star in the kstars star table (through its HD number)."""

    def __init__(self, stars):
        self.stars = stars
        self.hip_hd = load_hip_to_hd()
        self.hd_pos = {}
        for fn in ("namedstars.dat", "unnamedstars.dat"):
            self.hd_pos.update(_kstars_binary_hd(need(os.path.join(KSTARS, fn), "kstars-data")))
        from skyframes import eq_vector
        self.vec = eq_vector(stars.ra, stars.dec)
        self.missing = []

    def index(self, hip):
        """Row of the star table for a Hipparcos number, or None."""
        hd = self.hip_hd.get(hip)
        pos = self.hd_pos.get(hd) if hd else None
        if pos is None:
            self.missing.append(hip)
            return None
        from skyframes import eq_vector
        v = eq_vector(pos[0], pos[1])
        cosang = self.vec @ v
        # the kstars binary places are of epoch 1991.25: allow for proper motion
        near = np.where(cosang > np.cos(np.radians(60.0 / 3600.0)))[0]
        if len(near) == 0:
            self.missing.append(hip)
            return None
        return int(near[np.argmin(np.abs(self.stars.mag[near] - pos[2]))])


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


def load_star_names(path):
    """HIP -> first (preferred) name of a sky culture's star names file."""
    names = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            m = re.match(r'\s*(\d+)\|_\("(.*?)"\)', line)
            if m:
                names.setdefault(int(m.group(1)), m.group(2))
    return names


def load_openngc():
    """Rows of kstars' OpenNGC catalogue (a sqlite database)."""
    path = need(os.path.join(KSTARS, "OpenNGC.kscat"), "kstars-data")
    con = sqlite3.connect("file:%s?mode=ro" % path, uri=True)
    return con
