"""Sky frames and star-file writers shared by the sky-data converters.

Every sky position starts as J2000 right ascension and declination. The
star sphere of the program is the equatorial frame (x toward RA 0, y toward
RA 90 degrees, z toward the north celestial pole); each star file stores its
positions in its own frame, which the program turns back into the star
sphere while drawing. The functions here apply the inverse of those turns,
so that what the program draws lands on the J2000 place.
"""

import math
import struct

import numpy as np

# Radius of the catalogue ("Stars:") positions. The drawn square's half-side
# is 0.7 * brightness * zoom factor in position units, so the radius sets the
# on-screen size: at 100 a star square at 45 degrees field of view on an
# 800-pixel-high view is as wide as the matching point sprite (14 px * f(m)).
CATALOG_RADIUS = 100.0

OBLIQUITY_DEG = 23.4
PRECESSION_RAD = 0.01218  # B1950 -> J2000 turn about the ecliptic pole

# IAU 1958 rotation, B1950 equatorial -> galactic, as the program holds it.
GALACTIC_FROM_B1950 = np.array([
    [-0.0669887394, -0.8727557659, -0.4835389146],
    [0.4927284661, -0.4503469580, 0.7445846333],
    [-0.8676008112, -0.1883746017, 0.4601997848],
])


def rot(axis, angle_rad):
    """Right-handed rotation matrix, as glRotate builds it."""
    c, s = math.cos(angle_rad), math.sin(angle_rad)
    if axis == "x":
        return np.array([[1, 0, 0], [0, c, -s], [0, s, c]], dtype=float)
    if axis == "y":
        return np.array([[c, 0, s], [0, 1, 0], [-s, 0, c]], dtype=float)
    return np.array([[c, -s, 0], [s, c, 0], [0, 0, 1]], dtype=float)


def eq_vector(ra_deg, dec_deg):
    """Unit vector of a J2000 place in the star-sphere frame."""
    a = np.radians(ra_deg)
    d = np.radians(dec_deg)
    return np.stack([np.cos(a) * np.cos(d), np.sin(a) * np.cos(d), np.sin(d)], axis=-1)


def vector_radec(v):
    """(ra, dec) in degrees of star-sphere vectors."""
    v = np.asarray(v, dtype=float)
    r = np.linalg.norm(v, axis=-1)
    ra = np.degrees(np.arctan2(v[..., 1], v[..., 0])) % 360.0
    dec = np.degrees(np.arcsin(np.clip(v[..., 2] / r, -1, 1)))
    return ra, dec


# --- ".dhb" magnitude-class file --------------------------------------------
# The program draws a group as Rz(-90) * Rz(90) * Rx(90) * Ry(90) * p, which
# maps a stored p to (p.z, p.x, p.y); so p = (e.y, e.z, e.x).

def dhb_from_eq(e):
    e = np.asarray(e, dtype=float)
    return np.stack([e[..., 1], e[..., 2], e[..., 0]], axis=-1)


def write_dhb(path, groups):
    """groups[k]: array (N, 3) of star-sphere unit vectors of magnitude class k."""
    with open(path, "wb") as f:
        f.write(struct.pack("<i", len(groups)))
        for g in groups:
            g = np.asarray(g, dtype=float).reshape(-1, 3)
            f.write(struct.pack("<i", len(g)))
            f.write(dhb_from_eq(g).astype("<f4").tobytes())


# --- catalogue file ("Stars:") ------------------------------------------------
# The program draws a catalogue star at P * inverse(G) * Rz(180) * p, with
# P = Rx(23.4 deg) * Rz(0.01218 rad) * Rx(-23.4 deg) (precession B1950 ->
# J2000 about the ecliptic pole) and G the matrix above; the stored positions
# are thus galactic coordinates turned 180 degrees about the galactic pole.

def catalog_draw_matrix():
    ob = math.radians(OBLIQUITY_DEG)
    precess = rot("x", ob) @ rot("z", PRECESSION_RAD) @ rot("x", -ob)
    return precess @ np.linalg.inv(GALACTIC_FROM_B1950) @ rot("z", math.pi)


def catalog_from_eq(e):
    e = np.asarray(e, dtype=float)
    store = np.linalg.inv(catalog_draw_matrix())
    return (e @ store.T) * CATALOG_RADIUS


def write_catalog(path, groups):
    """groups: list (at most 256) of (unit vectors (N, 3), magnitudes (N,))."""
    if len(groups) > 256:
        raise ValueError("the catalogue holds at most 256 groups")
    with open(path, "wb") as f:
        f.write(struct.pack("<i", len(groups)))
        for vecs, mags in groups:
            vecs = np.asarray(vecs, dtype=float).reshape(-1, 3)
            f.write(struct.pack("<i", len(vecs)))
            f.write(catalog_from_eq(vecs).astype("<f4").tobytes())
            f.write(np.asarray(mags, dtype="<f4").tobytes())


def write_color_map(path, colors):
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("%i\n" % len(colors))
        for r, g, b in colors:
            f.write("%.4f %.4f %.4f\n" % (r, g, b))


# --- star colours ---------------------------------------------------------------

def bv_to_temperature(bv):
    """Effective temperature (K) of a colour index (Ballesteros 2012)."""
    return 4600.0 * (1.0 / (0.92 * bv + 1.7) + 1.0 / (0.92 * bv + 0.62))


def _cie_xyz(lam_nm):
    """CIE 1931 colour matching functions, multi-lobe fit of Wyman et al. (2013)."""
    lam = np.asarray(lam_nm, dtype=float)

    def g(x, mu, s1, s2):
        s = np.where(x < mu, s1, s2)
        return np.exp(-0.5 * ((x - mu) / s) ** 2)

    x = 1.056 * g(lam, 599.8, 37.9, 31.0) + 0.362 * g(lam, 442.0, 16.0, 26.7) \
        - 0.065 * g(lam, 501.1, 20.4, 26.2)
    y = 0.821 * g(lam, 568.8, 46.9, 40.5) + 0.286 * g(lam, 530.9, 16.3, 31.1)
    z = 1.217 * g(lam, 437.0, 11.8, 36.0) + 0.681 * g(lam, 459.0, 26.0, 13.8)
    return x, y, z


def temperature_rgb(t_kelvin):
    """Display colour (sRGB, 0..1, brightest channel 1) of a black body."""
    lam = np.arange(380.0, 781.0, 5.0)
    lm = lam * 1e-9
    planck = 1.0 / (lm ** 5 * (np.exp(1.4387769e-2 / (lm * t_kelvin)) - 1.0))
    cx, cy, cz = _cie_xyz(lam)
    xyz = np.array([np.sum(planck * cx), np.sum(planck * cy), np.sum(planck * cz)])
    m = np.array([[3.2406, -1.5372, -0.4986],
                  [-0.9689, 1.8758, 0.0415],
                  [0.0557, -0.2040, 1.0570]])
    rgb = np.clip(m @ xyz, 0.0, None)
    rgb /= rgb.max()
    return np.where(rgb <= 0.0031308, 12.92 * rgb, 1.055 * np.power(rgb, 1 / 2.4) - 0.055)


# Colour groups of the catalogue: group k holds the stars whose B-V lies in
# [BV_MIN + k*BV_STEP, BV_MIN + (k+1)*BV_STEP); the ends take everything beyond.
BV_GROUPS = 256
BV_MIN = -0.40
BV_MAX = 2.15
BV_STEP = (BV_MAX - BV_MIN) / BV_GROUPS


def bv_group(bv):
    k = np.floor((np.asarray(bv, dtype=float) - BV_MIN) / BV_STEP).astype(int)
    return np.clip(k, 0, BV_GROUPS - 1)


def bv_group_colors():
    """One display colour per colour group, from the group's middle B-V."""
    colors = []
    for k in range(BV_GROUPS):
        bv = BV_MIN + (k + 0.5) * BV_STEP
        colors.append(tuple(float(c) for c in temperature_rgb(bv_to_temperature(bv))))
    return colors


# Colour index of a star without a measured B-V, from its spectral class.
SPECTRAL_BV = {"O": -0.32, "B": -0.16, "A": 0.10, "F": 0.42, "G": 0.68,
               "K": 1.15, "M": 1.60, "C": 2.2, "N": 2.2, "R": 1.5, "S": 1.8,
               "W": -0.2}


def spectral_bv(sp):
    return SPECTRAL_BV.get(sp[:1].upper() if sp else "", 0.6)
