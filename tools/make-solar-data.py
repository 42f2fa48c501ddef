#!/usr/bin/python3
"""Writes the solar-system part of the shipped data set from published values.

Outputs (under share/data): ssystem.def (the body data file), the orbit files
of the Sun, the planets, Pluto and the Moon (orbits/planets/) and of the moons
(orbits/satellites/), and places.dpl (cities and observatories).

Sources (see share/data/SOURCES.md):
- Planet mean elements and rates: E. M. Standish, "Keplerian Elements for
  Approximate Positions of the Major Planets" (JPL Solar System Dynamics),
  table 1 (1800-2050), mean ecliptic and equinox of J2000.
- Lunar mean elements: J. Meeus, Astronomical Algorithms (2nd ed.), ch. 47,
  with the general precession in longitude removed to stay in the J2000 frame.
- Moon orbits: JPL "Planetary Satellite Mean Orbital Parameters" (mean
  elements referred to the local Laplace planes, with the Laplace poles).
- Radii, poles and rotation: IAU WGCCRE report 2015 (Archinal et al. 2018),
  2009 values where 2015 gives none.

Conventions of the model (see model/OrbitMath.h): J2000 ecliptic frame, AU,
degrees in files. A planet's "Peri:" is its longitude of perihelion; the
Earth's file holds the Sun's geocentric elements. A moon's frame is its
parent's axis frame, built from "AxisLat:" (the ecliptic latitude of the north
pole) and "AxisLon:" (the pole's ecliptic longitude minus 90 degrees); moon
elements are turned from the Laplace plane into that frame here.
"""

import math
import os
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "share", "data")
KM_PER_AU = 149597870.0
OBLIQUITY = math.radians(84381.406 / 3600.0)  # J2000 (IAU 2006)
PRECESSION = 5029.0966 / 3600.0               # general precession, degrees per century
GST0 = 280.46061837                           # mean sidereal time at J2000, degrees
GST_RATE = 360.98564736629                    # degrees per day
DAYS_PER_CENTURY = 36525.0

# --- vectors -----------------------------------------------------------------

def rx(a, v):
    c, s = math.cos(a), math.sin(a)
    return (v[0], c * v[1] - s * v[2], s * v[1] + c * v[2])

def ry(a, v):
    c, s = math.cos(a), math.sin(a)
    return (c * v[0] + s * v[2], v[1], -s * v[0] + c * v[2])

def rz(a, v):
    c, s = math.cos(a), math.sin(a)
    return (c * v[0] - s * v[1], s * v[0] + c * v[1], v[2])

def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])

def dot(a, b):
    return sum(x * y for x, y in zip(a, b))

def unit(v):
    n = math.sqrt(dot(v, v))
    return tuple(x / n for x in v)

def radec(ra, dec):
    ra, dec = math.radians(ra), math.radians(dec)
    return (math.cos(dec) * math.cos(ra), math.cos(dec) * math.sin(ra), math.sin(dec))

def eq_to_ecl(v):
    return rx(-OBLIQUITY, v)

def norm360(x):
    return x % 360.0

# --- rotation data ------------------------------------------------------------

def axis_keywords(pole_ra, pole_dec):
    """AxisLat and AxisLon of a north pole given in ICRF coordinates."""
    p = eq_to_ecl(radec(pole_ra, pole_dec))
    lat = math.degrees(math.asin(p[2]))
    lon = math.degrees(math.atan2(p[1], p[0]))
    return lat, norm360(lon - 90.0)

def axis_frame_inverse(axis_lat, axis_lon, v):
    """A vector of the ecliptic frame in the body's axis frame."""
    lat_i = math.radians(axis_lat - 90.0)
    lon_i = math.radians(axis_lon - 90.0)
    return ry(-lat_i, rz(-lon_i, v))

def spin_keywords(kind, pole_ra, pole_dec, w0, wd):
    """SpinSpeed and SpinOffset that put the prime meridian (body -y of the
    sphere, where a map's longitude 0 lies) where the IAU model puts it."""
    axis_lat, axis_lon = axis_keywords(pole_ra, pole_dec)
    pole = radec(pole_ra, pole_dec)
    node = unit(cross((0.0, 0.0, 1.0), pole))
    w = math.radians(w0)
    pm = tuple(math.cos(w) * n + math.sin(w) * c for n, c in zip(node, cross(pole, node)))
    v = axis_frame_inverse(axis_lat, axis_lon, eq_to_ecl(pm))
    s0 = math.degrees(math.atan2(v[0], -v[1]))
    if kind == "Moon":
        speed = 360.0 / wd
        offset = s0 - 2451545.0 * 360.0 / speed
    else:
        speed = GST_RATE / wd
        offset = s0 - GST0 / speed
    return speed, norm360(offset), axis_lat, axis_lon

# --- the bodies ----------------------------------------------------------------

# Standish table 1: a, e, I, L, long.peri, long.node and their rates per century.
PLANET_ELEMENTS = {
    "Mercury": ((0.38709927, 0.20563593, 7.00497902, 252.25032350, 77.45779628, 48.33076593),
                (0.00000037, 0.00001906, -0.00594749, 149472.67411175, 0.16047689, -0.12534081)),
    "Venus": ((0.72333566, 0.00677672, 3.39467605, 181.97909950, 131.60246718, 76.67984255),
              (0.00000390, -0.00004107, -0.00078890, 58517.81538729, 0.00268329, -0.27769418)),
    "EMB": ((1.00000261, 0.01671123, -0.00001531, 100.46457166, 102.93768193, 0.0),
            (0.00000562, -0.00004392, -0.01294668, 35999.37244981, 0.32327364, 0.0)),
    "Mars": ((1.52371034, 0.09339410, 1.84969142, -4.55343205, -23.94362959, 49.55953891),
             (0.00001847, 0.00007882, -0.00813131, 19140.30268499, 0.44441088, -0.29257343)),
    "Jupiter": ((5.20288700, 0.04838624, 1.30439695, 34.39644051, 14.72847983, 100.47390909),
                (-0.00011607, -0.00013253, -0.00183714, 3034.74612775, 0.21252668, 0.20469106)),
    "Saturn": ((9.53667594, 0.05386179, 2.48599187, 49.95424423, 92.59887831, 113.66242448),
               (-0.00125060, -0.00050991, 0.00193609, 1222.49362201, -0.41897216, -0.28867794)),
    "Uranus": ((19.18916464, 0.04725744, 0.77263783, 313.23810451, 170.95427630, 74.01692503),
               (-0.00196176, -0.00004397, -0.00242939, 428.48202785, 0.40805281, 0.04240589)),
    "Neptune": ((30.06992276, 0.00859048, 1.77004347, -55.12002969, 44.96476227, 131.78422574),
                (0.00026291, 0.00005105, 0.00035372, 218.45945325, -0.32241464, -0.00508664)),
    "Pluto": ((39.48211675, 0.24882730, 17.14001206, 238.92903833, 224.06891629, 110.30393684),
              (-0.00031596, 0.00005170, 0.00004818, 145.20780515, -0.04062942, -0.01183482)),
}

# Physical data: equatorial radius km, polar radius km, magnitude (mean at
# opposition, greatest brilliancy for Mercury and Venus, the full Moon, the
# Earth as seen from the Sun's distance), IAU pole RA, Dec, W0, W rate (deg/day).
PHYSICAL = {
    "Sun": (695700.0, 695700.0, -26.74, 286.13, 63.87, 84.176, 14.1844000),
    "Mercury": (2440.53, 2438.26, -0.4, 281.0103, 61.4155, 329.5988, 6.1385108),
    "Venus": (6051.8, 6051.8, -4.6, 272.76, 67.16, 160.20, -1.4813688),
    "Earth": (6378.1366, 6356.7519, -3.9, 0.00, 90.00, 190.147, 360.9856235),
    "Moon": (1738.1, 1736.0, -12.7, 269.9949, 66.5392, 38.3213, 13.17635815),
    "Mars": (3396.19, 3376.20, -2.0, 317.269202, 54.432516, 176.049863, 350.891982443297),
    "Jupiter": (71492.0, 66854.0, -2.7, 268.056595, 64.495303, 284.95, 870.5360000),
    "Saturn": (60268.0, 54364.0, 0.7, 40.589, 83.537, 38.90, 810.7939024),
    "Uranus": (25559.0, 24973.0, 5.7, 257.311, -15.175, 203.81, -501.1600928),
    "Neptune": (24764.0, 24341.0, 7.8, 299.36, 43.46, 249.978, 541.1397757),
    "Pluto": (1188.3, 1188.3, 14.3, 132.993, -6.163, 302.695, 56.3625225),
}

PLANET_COLORS = {
    "Sun": (1.0, 0.95, 0.8), "Mercury": (0.7, 0.68, 0.65), "Venus": (0.95, 0.9, 0.75),
    "Earth": (0.55, 0.65, 0.9), "Moon": (0.75, 0.75, 0.72), "Mars": (0.9, 0.55, 0.4),
    "Jupiter": (0.9, 0.82, 0.7), "Saturn": (0.92, 0.86, 0.66), "Uranus": (0.7, 0.88, 0.92),
    "Neptune": (0.45, 0.6, 0.95), "Pluto": (0.8, 0.72, 0.62),
}

TEXTURES = {
    "Sun": "sun.jpg", "Mercury": "mercury.jpg", "Venus": "venus.jpg", "Earth": "earth.jpg",
    "Moon": "moon.jpg", "Mars": "mars.jpg", "Jupiter": "jupiter.jpg", "Saturn": "saturn.jpg",
    "Uranus": "uranus.jpg", "Neptune": "neptune.jpg", "Pluto": "pluto.jpg",
    "Io": "io.jpg", "Europa": "europa.jpg", "Ganymede": "ganymede.jpg", "Callisto": "callisto.jpg",
    "Titan": "titan.jpg", "Triton": "triton.jpg",
    "Phobos": "phobos.jpg", "Deimos": "deimos.jpg",
    "Mimas": "mimas.jpg", "Enceladus": "enceladus.jpg", "Tethys": "tethys.jpg",
    "Dione": "dione.jpg", "Rhea": "rhea.jpg", "Iapetus": "iapetus.jpg",
    "Miranda": "miranda.jpg", "Ariel": "ariel.jpg", "Umbriel": "umbriel.jpg",
    "Titania": "titania.jpg", "Oberon": "oberon.jpg", "Charon": "charon.jpg",
}

# Rings: inner and outer edge, colour, texture. Uranus and Neptune in km,
# the span of their ring strips (inner edge on the left, as make_textures.py
# makes them); Saturn in planet radii, from the C ring to the A ring's outer
# edge (its strip runs a little wider, see SOURCES.md).
RINGS = {
    "Saturn": ("1.239 2.269", "0.85 0.8 0.7", "saturnring.png"),
    "Uranus": ((26840.0, 97700.0), "0.7 0.7 0.7", "uranusring.png"),
    "Neptune": ((40900.0, 62932.0), "0.7 0.7 0.7", "neptunering.png"),
}

# The atmosphere a camera passes through on its way to a place: the particle
# define file, relative to the data directory.
ATMOSPHERES = {"Earth": "./effects/atmosphere.dfx", "Mars": "./effects/thinatmosphere.dfx"}

# Dwarf planet and asteroid with maps of their own. They stand beside the Sun
# (whose place is the origin) rather than in it: an asteroid list load
# replaces the Sun's asteroids, and leaves these and their textures alone
# (the list's same names are then skipped). The texture follows the orbit
# file, which would set the comet texture.
MAPPED_ASTEROIDS = [("Ceres", "ceres.jpg"), ("Vesta", "vesta.jpg")]

# Model-scale radius factors (Scale off) for each planet and its moons, and
# the orbit factor that keeps each planet's moons outside the enlarged planet.
MODEL_RADIUS = {"Sun": 20, "Mercury": 1000, "Venus": 1000, "Earth": 1000, "Mars": 1000,
                "Jupiter": 300, "Saturn": 300, "Uranus": 1000, "Neptune": 1000, "Pluto": 1000}
MOON_ORBIT = {"Earth": 50, "Mars": 600, "Jupiter": 80, "Saturn": 250, "Uranus": 300,
              "Neptune": 110, "Pluto": 100}

# JPL mean elements of moons: a km, e, w, M, i, node, n deg/day, epoch JD,
# Laplace pole RA, Dec, mean radius km, magnitude (at the planet's opposition).
JD1950 = 2433282.5
JD1997 = 2450464.5
JD2000 = 2451545.0
MOONS = {
    "Mars": [
        ("Phobos", 9376.0, 0.0151, 150.057, 91.059, 1.075, 207.784, 1128.8447569, JD1950, 317.671, 52.893, 11.08, 11.4),
        ("Deimos", 23458.0, 0.0002, 260.729, 325.329, 1.788, 24.525, 285.1618790, JD1950, 316.657, 53.529, 6.2, 12.5),
    ],
    "Jupiter": [
        ("Io", 421800.0, 0.0041, 84.129, 342.021, 0.036, 43.977, 203.4889583, JD1997, 268.057, 64.495, 1821.49, 5.0),
        ("Europa", 671100.0, 0.0094, 88.970, 171.016, 0.466, 219.106, 101.3747242, JD1997, 268.084, 64.506, 1560.8, 5.3),
        ("Ganymede", 1070400.0, 0.0013, 192.417, 317.540, 0.177, 63.552, 50.3176072, JD1997, 268.168, 64.543, 2631.2, 4.6),
        ("Callisto", 1882700.0, 0.0074, 52.643, 181.408, 0.192, 298.848, 21.5710728, JD1997, 268.639, 64.749, 2410.3, 5.7),
    ],
    "Saturn": [
        ("Mimas", 185539.0, 0.0196, 332.499, 14.848, 1.574, 173.027, 381.994497, JD2000, 40.590, 83.538, 198.2, 12.9),
        ("Enceladus", 238042.0, 0.0000, 0.076, 199.686, 0.003, 342.507, 262.7319002, JD2000, 40.587, 83.538, 252.1, 11.7),
        ("Tethys", 294672.0, 0.0001, 45.202, 243.367, 1.091, 259.842, 190.6979085, JD2000, 40.587, 83.538, 531.0, 10.2),
        ("Dione", 377415.0, 0.0022, 284.315, 322.232, 0.028, 290.415, 131.5349316, JD2000, 40.587, 83.537, 561.4, 10.4),
        ("Rhea", 527068.0, 0.0002, 241.619, 179.781, 0.333, 351.042, 79.6900472, JD2000, 40.578, 83.537, 763.5, 9.7),
        ("Titan", 1221865.0, 0.0288, 180.532, 163.310, 0.306, 28.060, 22.5769768, JD2000, 36.213, 83.537, 2575.0, 8.4),
        ("Hyperion", 1500933.0, 0.0232, 303.178, 86.342, 0.615, 263.847, 16.9199514, JD2000, 36.213, 83.537, 135.0, 14.4),
        ("Iapetus", 3560854.0, 0.0293, 271.606, 201.789, 8.298, 81.105, 4.5379416, JD2000, 284.715, 78.749, 734.3, 11.0),
    ],
    "Uranus": [
        ("Miranda", 129900.0, 0.0013, 68.312, 311.330, 4.338, 326.438, 254.6906892, JD2000, 257.311, -15.175, 235.8, 15.8),
        ("Ariel", 190900.0, 0.0012, 115.349, 39.481, 0.041, 22.394, 142.8356681, JD2000, 257.311, -15.175, 578.9, 13.7),
        ("Umbriel", 266000.0, 0.0039, 84.709, 12.469, 0.128, 33.485, 86.8688923, JD2000, 257.311, -15.175, 584.7, 14.5),
        ("Titania", 436300.0, 0.0011, 284.400, 24.614, 0.079, 99.771, 41.3514316, JD2000, 257.311, -15.175, 788.9, 13.5),
        ("Oberon", 583500.0, 0.0014, 104.400, 283.088, 0.068, 279.771, 26.7394932, JD2000, 257.311, -15.175, 761.4, 13.7),
    ],
    "Neptune": [
        ("Triton", 354759.0, 0.0000, 344.046, 264.775, 156.865, 177.608, 61.2572637, JD2000, 299.456, 43.414, 1352.6, 13.5),
    ],
    "Pluto": [
        ("Charon", 19591.0, 0.0002, 146.106, 131.070, 0.080, 26.928, 56.3625225, JD2000, 132.993, -6.163, 606.0, 16.8),
    ],
}

# --- orbit files ---------------------------------------------------------------

HEADER = "# Made by tools/make-solar-data.py from published values; see share/data/SOURCES.md.\n"

def fmt(x):
    return "%.12g" % x

def write(path, text):
    full = os.path.join(ROOT, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "w") as f:
        f.write(text)

def spin_lines(name, kind):
    r_eq, r_pol, mag, ra, dec, w0, wd = PHYSICAL[name]
    speed, offset, lat, lon = spin_keywords(kind, ra, dec, w0, wd)
    return ("SpinSpeed: %s\nSpinOffset: %s\nAxisLat: %s\nAxisLon: %s\n"
            % (fmt(speed), fmt(offset), fmt(lat), fmt(lon)))

def planet_file(name):
    el, rate = PLANET_ELEMENTS[name]
    a, e, i, L, peri, node = el
    da, de, di, dL, dperi, dnode = rate
    text = HEADER + "# %s: J2000 mean elements, rates per century except L per day.\n" % name
    text += "A: %s %s\n" % (fmt(a), fmt(da))
    text += "e: %s %s\n" % (fmt(e), fmt(de))
    text += "Incl: %s %s\n" % (fmt(i), fmt(di))
    text += "L: %s %s 0\n" % (fmt(L), fmt(dL / DAYS_PER_CENTURY))
    text += "Peri: %s %s 0\n" % (fmt(peri), fmt(dperi))
    text += "Node: %s %s 0\n" % (fmt(node), fmt(dnode))
    return text + spin_lines(name, "Planet")

SUN_GEO_L = (280.46457166, 35999.37244981 / DAYS_PER_CENTURY)
SUN_GEO_PERI = (282.93768193, 0.32327364 / DAYS_PER_CENTURY)

def earth_file():
    el, rate = PLANET_ELEMENTS["EMB"]
    text = HEADER + ("# The Sun's geocentric elements (the Earth-Moon barycentre's turned by\n"
                     "# 180 degrees); L and Peri rates per day.\n")
    text += "A: %s %s\n" % (fmt(el[0]), fmt(rate[0]))
    text += "e: %s %s\n" % (fmt(el[1]), fmt(rate[1]))
    text += "Incl: %s %s\n" % (fmt(el[2]), fmt(rate[2]))
    text += "L: %s %s 0\n" % (fmt(SUN_GEO_L[0]), fmt(SUN_GEO_L[1]))
    text += "Peri: %s %s 0\n" % (fmt(SUN_GEO_PERI[0]), fmt(SUN_GEO_PERI[1]))
    text += "Node: 0 0 0\n"
    # The Earth turns by the mean sidereal time itself: the Greenwich meridian
    # (body -y) faces the direction of that angle.
    lat, lon = axis_keywords(*PHYSICAL["Earth"][3:5])
    return text + "SpinSpeed: 1\nSpinOffset: 180\nAxisLat: %s\nAxisLon: %s\n" % (fmt(lat), fmt(lon))

def moon_file():
    p = PRECESSION
    text = HEADER + ("# Geocentric mean elements (Meeus ch. 47) less the precession, so in the\n"
                     "# J2000 frame; L, Peri and Node rates per day, quadratic terms per century^2.\n")
    text += "A: %s 0\n" % fmt(384400.0 / KM_PER_AU)
    text += "e: 0.0549 0\n"
    text += "Incl: 5.1453964 0\n"
    text += "L: 218.3164477 %s -0.0015786\n" % fmt((481267.88123421 - p) / DAYS_PER_CENTURY)
    text += "Peri: 83.3530513 %s -0.01032\n" % fmt((4069.0137287 - p) / DAYS_PER_CENTURY)
    text += "Node: 125.0445479 %s 0.0020754\n" % fmt((-1934.1362891 - p) / DAYS_PER_CENTURY)
    text += "ParentL: %s %s 0\n" % (fmt(SUN_GEO_L[0]), fmt(SUN_GEO_L[1]))
    text += "ParentW: %s %s 0\n" % (fmt(SUN_GEO_PERI[0]), fmt(SUN_GEO_PERI[1]))
    return text + spin_lines("Moon", "Moon")

def sun_file():
    return HEADER + "# The Sun: no orbit, only its spin.\nA: 0 0\n" + spin_lines("Sun", "Sun")

def orbit_plane_angle(A, i, B):
    d = A - B
    r = d - 2 * math.pi * math.trunc(d / (2 * math.pi))
    if r < 0:
        r += 2 * math.pi
    if r < 0 or r > math.pi:
        return -math.acos(math.cos(-d) / math.sqrt(1 + (math.sin(-d) * math.tan(i)) ** 2))
    return math.acos(math.cos(d) / math.sqrt(1 + (math.sin(d) * math.tan(i)) ** 2))

def moon_elements_in_parent_frame(parent, m):
    """i, node, Peri for the model from Laplace-plane elements: the orbit is
    built in ICRF, turned to the ecliptic and into the parent's axis frame.
    Peri is chosen so that the model's in-plane angle (orbitPlaneAngle) gives
    the published argument of periapsis."""
    name, a, e, w, M, i, node, n, epoch, lra, ldec = m[:11]
    _, _, _, pra, pdec, _, _ = PHYSICAL[parent]
    axis_lat, axis_lon = axis_keywords(pra, pdec)
    # Laplace frame: x along the ascending node of the Laplace plane on the
    # ICRF equator, z along its pole.
    def laplace_to_icrf(v):
        return rz(math.radians(lra + 90.0), rx(math.radians(90.0 - ldec), v))
    def orbit_to_frame(v):
        v = rz(math.radians(w), v)
        v = rx(math.radians(i), v)
        v = rz(math.radians(node), v)
        return axis_frame_inverse(axis_lat, axis_lon, eq_to_ecl(laplace_to_icrf(v)))
    normal = orbit_to_frame((0.0, 0.0, 1.0))
    peri_dir = orbit_to_frame((1.0, 0.0, 0.0))
    inc = math.acos(max(-1.0, min(1.0, normal[2])))
    if inc < 1e-9:
        om = 0.0
    else:
        om = math.atan2(normal[0], -normal[1])
    line = (math.cos(om), math.sin(om), 0.0)
    arg = math.atan2(dot(peri_dir, cross(normal, line)), dot(peri_dir, line))
    # orbitPlaneAngle(d) = atan2(sin d, cos d |cos i|): invert it.
    d = math.atan2(math.sin(arg) * abs(math.cos(inc)), math.cos(arg))
    check = orbit_plane_angle(d + om, inc, om)
    assert abs(math.remainder(check - arg, 2 * math.pi)) < 1e-9, (name, check, arg)
    return math.degrees(inc), norm360(math.degrees(om)), norm360(math.degrees(d + om))

def moon_orbit_file(parent, m):
    name, a, e, w, M, i, node, n, epoch = m[:9]
    inc, om, peri = moon_elements_in_parent_frame(parent, m)
    period = 360.0 / abs(n)
    text = HEADER + ("# %s: JPL mean elements (Laplace plane, epoch JD %s) turned into the\n"
                     "# frame of %s's axis; a in km, n in degrees per day.\n" % (name, fmt(epoch), parent))
    text += "a: %s\ne: %s\nIncl: %s\nNode: %s\nPeri: %s\n" % (fmt(a), fmt(e), fmt(inc), fmt(om), fmt(peri))
    text += "M: %s\nn: %s\nt: %s\nP: %s\nRotSpeed: %s\n" % (fmt(M), fmt(n), fmt(epoch), fmt(period), fmt(period))
    return text

# --- the body data file ------------------------------------------------------

def states(mode0, mode1):
    """SimMode lines: each mode is (state, radius off, radius on, orbit off, orbit on)."""
    out = ""
    for index, (state, r1, r2, o1, o2) in enumerate((mode0, mode1)):
        out += "SimMode: %d State: %s RadiusRate: %s %s OrbitRate: %s %s\n" % (
            index, state, fmt(r1), fmt(r2), fmt(o1), fmt(o2))
    return out

def indent(text, depth):
    pad = "    " * depth
    return "".join(pad + line + "\n" if line else "\n" for line in text.splitlines())

def body_block(kind, name, body, depth):
    return indent("Child: %s %s" % (kind, name), depth) + indent(body, depth + 1) + indent("}", depth)

def physical_lines(name):
    r_eq, r_pol, mag = PHYSICAL[name][:3]
    c = PLANET_COLORS[name]
    text = "Radius: %s %s\nMagnitude: %s\nColor: %s %s %s\n" % (
        fmt(r_eq), fmt(round(r_pol / r_eq, 5)), fmt(mag), c[0], c[1], c[2])
    if name in TEXTURES:
        text += "Texture: %s\n" % TEXTURES[name]
    return text

def ring_lines(name):
    if name not in RINGS:
        return ""
    span, color, texture = RINGS[name]
    if not isinstance(span, str):
        r_eq = PHYSICAL[name][0]
        span = "%s %s" % (fmt(round(span[0] / r_eq, 4)), fmt(round(span[1] / r_eq, 4)))
    return "Ring: %s\nRingColor: %s\nRingTexture: %s\n" % (span, color, texture)

def moon_blocks(parent, depth):
    out = ""
    k = MODEL_RADIUS[parent]
    orbit = MOON_ORBIT.get(parent, 1)
    for m in MOONS.get(parent, []):
        name, radius, mag = m[0], m[11], m[12]
        body = "Radius: %s 1\nMagnitude: %s\nColor: 0.8 0.78 0.74\n" % (fmt(radius), fmt(mag))
        if name in TEXTURES:
            body += "Texture: %s\n" % TEXTURES[name]
        body += states(("Show", k, 1, orbit, 1), ("Hide", 1, 1, 1, 1))
        body += "Orbit: ./data/orbits/satellites/%s.orb\n" % name.lower()
        out += body_block("Satellite", name, body, depth)
    return out

# The last place of a block is the body's home place, which the observer's
# own moves (coordinates typed, the map clicked) carry along. A block that
# names places ends with the default place, so that those stay where they are.
HOME_PLACE = "Place: Surface\n    Latitude: 0\n    Longitude: 0\n}\n"

def ssystem_def():
    text = ("# The solar system: sim modes, the Sun with the planets, Pluto and their\n"
            "# moons, and the asteroid belt. Made by tools/make-solar-data.py.\n"
            "# DefineSimMode: name, radius rate with Scale off and on, orbit rate off and on.\n"
            "# The view clips at these: the radius rates are the near distance, the orbit\n"
            "# rates the far distance (AU), beyond the star sphere at 100.\n"
            "DefineSimMode: SolarSystem 0.001 0.00001 1000 1000\n"
            "DefineSimMode: EarthMoon 0.00001 0.00001 1000 1000\n\n")
    sun = physical_lines("Sun")
    sun += states(("Show", MODEL_RADIUS["Sun"], 1, 1, 1), ("Show", 1, 1, 1, 1))
    sun += "Orbit: ./data/orbits/planets/sun.orb\n"
    for name in ("Mercury", "Venus", "Earth", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"):
        k = MODEL_RADIUS[name]
        if name == "Earth":
            body = physical_lines("Earth")
            body += "CloudsTexture: earthclouds.png\nAtmosphere: %s\n" % ATMOSPHERES["Earth"]
            body += states(("Show", k, 1, 1, 1), ("Show", 20, 1, 1, 1))
            body += "Orbit: ./data/orbits/planets/earth.orb\n"
            body += "Place: Greenwich\n    Latitude: 51.4769\n    Longitude: -0.0005\n}\n" + HOME_PLACE
            moon = physical_lines("Moon")
            moon += states(("Show", k, 1, MOON_ORBIT["Earth"], 1), ("Show", 20, 1, 1, 1))
            moon += "Orbit: ./data/orbits/planets/moon.orb\n"
            moon += "Place: Tranquility_Base\n    Latitude: 0.6741\n    Longitude: 23.473\n}\n" + HOME_PLACE
            body += body_block("Moon", "Moon", moon, 0)
            sun += body_block("Earth", "Earth", body, 0)
            continue
        body = physical_lines(name)
        body += ring_lines(name)
        if name == "Mars":
            body += "Atmosphere: %s\n" % ATMOSPHERES["Mars"]
            body += "Place: Olympus_Mons\n    Latitude: 18.65\n    Longitude: 226.2\n}\n" + HOME_PLACE
        body += states(("Show", k, 1, 1, 1), ("Hide", 1, 1, 1, 1))
        body += "Orbit: ./data/orbits/planets/%s.orb\n" % name.lower()
        body += moon_blocks(name, 0)
        sun += body_block("Planet", name, body, 0)
    text += body_block("Sun", "Sun", sun, 0)
    text += "\n# Maps of their own: see MAPPED_ASTEROIDS in the converter.\n"
    for name, texture in MAPPED_ASTEROIDS:
        text += body_block("Asteroid", name, "Orbit: ./data/orbits/asteroids/%s.orb\n"
                           "Texture: %s\n" % (name, texture), 0)
    text += ("\n# The main asteroid belt, in AU.\n"
             "Child: AstrBelt MainBelt\n    InnerRadius: 2.1\n    OuterRadius: 3.3\n"
             "    Texture: ./textures/astrbelt.png\n}\n")
    return text

# --- places --------------------------------------------------------------------

CITIES = [
    ("Tokyo", 35.6895, 139.6917), ("Osaka", 34.6937, 135.5023), ("Beijing", 39.9042, 116.4074),
    ("Shanghai", 31.2304, 121.4737), ("Hong_Kong", 22.3193, 114.1694), ("Seoul", 37.5665, 126.9780),
    ("Singapore", 1.3521, 103.8198), ("Bangkok", 13.7563, 100.5018), ("Delhi", 28.6139, 77.2090),
    ("Mumbai", 19.0760, 72.8777), ("Dubai", 25.2048, 55.2708), ("Cairo", 30.0444, 31.2357),
    ("Nairobi", -1.2921, 36.8219), ("Johannesburg", -26.2041, 28.0473), ("Cape_Town", -33.9249, 18.4241),
    ("Lagos", 6.5244, 3.3792), ("Moscow", 55.7558, 37.6173), ("Istanbul", 41.0082, 28.9784),
    ("Athens", 37.9838, 23.7275), ("Rome", 41.9028, 12.4964), ("Berlin", 52.5200, 13.4050),
    ("Paris", 48.8566, 2.3522), ("London", 51.5074, -0.1278), ("Madrid", 40.4168, -3.7038),
    ("Stockholm", 59.3293, 18.0686), ("Reykjavik", 64.1466, -21.9426), ("New_York", 40.7128, -74.0060),
    ("Washington", 38.9072, -77.0369), ("Chicago", 41.8781, -87.6298), ("Los_Angeles", 34.0522, -118.2437),
    ("San_Francisco", 37.7749, -122.4194), ("Vancouver", 49.2827, -123.1207),
    ("Mexico_City", 19.4326, -99.1332), ("Honolulu", 21.3069, -157.8583), ("Anchorage", 61.2181, -149.9003),
    ("Sao_Paulo", -23.5505, -46.6333), ("Rio_de_Janeiro", -22.9068, -43.1729),
    ("Buenos_Aires", -34.6037, -58.3816), ("Lima", -12.0464, -77.0428), ("Santiago", -33.4489, -70.6693),
    ("Sydney", -33.8688, 151.2093), ("Melbourne", -37.8136, 144.9631), ("Perth", -31.9505, 115.8605),
    ("Auckland", -36.8485, 174.7633),
]

OBSERVATORIES = [
    ("Mauna_Kea", 19.8207, -155.4681), ("Paranal", -24.6275, -70.4044), ("La_Silla", -29.2563, -70.7380),
    ("ALMA_Chajnantor", -23.0193, -67.7532), ("Cerro_Tololo", -30.1690, -70.8063),
    ("Kitt_Peak", 31.9583, -111.5967), ("Palomar", 33.3563, -116.8650), ("Mount_Wilson", 34.2258, -118.0573),
    ("Lick", 37.3414, -121.6429), ("Yerkes", 42.5700, -88.5563), ("Roque_de_los_Muchachos", 28.7606, -17.8816),
    ("Pic_du_Midi", 42.9364, 0.1428), ("Siding_Spring", -31.2733, 149.0617), ("Parkes", -32.9984, 148.2635),
    ("Sutherland_SALT", -32.3760, 20.8107), ("Nobeyama", 35.9440, 138.4720), ("Xinglong", 40.3958, 117.5750),
    ("Jodrell_Bank", 53.2369, -2.3075), ("Effelsberg", 50.5247, 6.8828), ("Green_Bank", 38.4331, -79.8397),
    ("Arecibo", 18.3464, -66.7528), ("South_Pole", -90.0, 0.0),
]

# Places whose landscape shows the shipped panorama and a weather effect.
LANDSCAPE_PLACES = [
    ("Zermatt", 46.0207, 7.7491, "panorama.png", "./effects/snow.dfx"),
    ("Calton_Hill", 55.9553, -3.1826, "panorama.png", "./effects/rain.dfx"),
]

def places_dpl():
    lines = ["Version: 7.0 ", "Locale: en_us ", ""]
    for name, lat, lon in CITIES + OBSERVATORIES:
        lines.append("Earth %s %s %s " % (name, fmt(lat), fmt(lon)))
    for name, lat, lon, panorama, weather in LANDSCAPE_PLACES:
        lines.append("Earth %s %s %s -panorama %s -weather %s " % (name, fmt(lat), fmt(lon), panorama, weather))
    return "\n".join(lines) + "\n"

def main():
    write("orbits/planets/sun.orb", sun_file())
    write("orbits/planets/earth.orb", earth_file())
    write("orbits/planets/moon.orb", moon_file())
    for name in ("Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"):
        write("orbits/planets/%s.orb" % name.lower(), planet_file(name))
    for parent, moons in MOONS.items():
        for m in moons:
            write("orbits/satellites/%s.orb" % m[0].lower(), moon_orbit_file(parent, m))
    write("ssystem.def", ssystem_def())
    write("places.dpl", places_dpl())
    print("textures referenced:", " ".join(sorted(set(TEXTURES.values()) | {"earthclouds.png"}
                                                   | {r[2] for r in RINGS.values()}
                                                   | {t for _, t in MAPPED_ASTEROIDS})))

if __name__ == "__main__":
    main()
