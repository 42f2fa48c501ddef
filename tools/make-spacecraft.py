#!/usr/bin/python3
"""The shipped spacecraft: Mars Science Laboratory (Curiosity) on its way to Mars.

Trajectory: the transfer orbit is computed here as the Lambert arc about the Sun that
joins the Earth-Moon barycentre at the published launch (2011-11-26 15:02 UTC, Atlas V
from Cape Canaveral) to Mars at the published landing (2012-08-06 05:18 UTC, spacecraft
event time), with ERFA's approximate planet places (eraPlan94, python3-erfa) turned to
the ecliptic and equinox of J2000 (obliquity 84381.406"). The arc is sampled every six
hours from launch to landing; positions in km relative to the Sun. It stands in for
the flown trajectory with its correction manoeuvres; the arc leaves the Earth at
3.3 km/s and meets Mars at 3.5 km/s (hyperbolic excess speeds).

Model: a simple cruise configuration made here (share/models/msl.obj and msl.mtl):
the cruise stage's solar-array disc, the backshell and the 70-degree heat shield
(4.5 m across), along the x axis, which the program turns away from the Sun; size
normalised to a radius of 1 (the file's "Radius:" gives the size).

Run from the project root: /usr/bin/python3 tools/make-spacecraft.py
"""
import math

import erfa
import numpy as np

MU_SUN = 1.32712440018e11  # km^3/s^2
AU_KM = 149597870.0
LAUNCH = (2011, 11, 26, 15, 2, 0.0)
LANDING = (2012, 8, 6, 5, 17, 57.0)
STEP_DAYS = 0.25
TRAJECTORY = "share/data/orbits/spacecrafts/msl.dsc"
MODEL = "share/models/msl"


def jd(y, m, d, hh, mm, ss):
    a, b = erfa.cal2jd(y, m, d)
    return a + b + (hh + mm / 60.0 + ss / 3600.0) / 24.0


def ecliptic(planet, t, part=0):
    """Heliocentric place (km, part 0) or velocity (km/s, part 1), ecliptic J2000."""
    pv = erfa.plan94(t, 0.0, planet)
    eps = erfa.obl06(2451545.0, 0.0)
    x, y, z = pv[part] * AU_KM / (86400.0 if part else 1.0)
    return np.array([x, math.cos(eps) * y + math.sin(eps) * z,
                     -math.sin(eps) * y + math.cos(eps) * z])


def stumpff(z):
    if z > 1e-8:
        s = math.sqrt(z)
        return (s - math.sin(s)) / s ** 3, (1 - math.cos(s)) / z
    if z < -1e-8:
        s = math.sqrt(-z)
        return (math.sinh(s) - s) / s ** 3, (math.cosh(s) - 1) / -z
    return 1.0 / 6.0, 0.5


def lambert(r1, r2, dt):
    """Velocity at r1 of the prograde arc to r2 in dt seconds (universal variables)."""
    n1, n2 = np.linalg.norm(r1), np.linalg.norm(r2)
    dtheta = math.acos(np.dot(r1, r2) / (n1 * n2))
    if np.cross(r1, r2)[2] < 0:
        dtheta = 2 * math.pi - dtheta
    A = math.sin(dtheta) * math.sqrt(n1 * n2 / (1 - math.cos(dtheta)))

    def y(z):
        S, C = stumpff(z)
        return n1 + n2 + A * (z * S - 1) / math.sqrt(C)

    def time(z):
        S, C = stumpff(z)
        return ((y(z) / C) ** 1.5 * S + A * math.sqrt(y(z))) / math.sqrt(MU_SUN)

    lo, hi = -4 * math.pi ** 2, 4 * math.pi ** 2 - 1e-9
    while y(lo) < 0:
        lo += 0.1
    for _ in range(200):  # time grows with z: bisect
        mid = 0.5 * (lo + hi)
        if time(mid) > dt:
            hi = mid
        else:
            lo = mid
    z = 0.5 * (lo + hi)
    S, C = stumpff(z)
    f = 1 - y(z) / n1
    g = A * math.sqrt(y(z) / MU_SUN)
    return (r2 - f * r1) / g


def propagate(r0, v0, dt):
    """Position after dt seconds on the conic through r0 with velocity v0."""
    n0 = np.linalg.norm(r0)
    vr = np.dot(r0, v0) / n0
    alpha = 2 / n0 - np.dot(v0, v0) / MU_SUN
    x = math.sqrt(MU_SUN) * abs(alpha) * dt
    for _ in range(100):
        z = alpha * x * x
        S, C = stumpff(z)
        F = (n0 * vr / math.sqrt(MU_SUN) * x * x * C + (1 - alpha * n0) * x ** 3 * S
             + n0 * x - math.sqrt(MU_SUN) * dt)
        dF = (n0 * vr / math.sqrt(MU_SUN) * x * (1 - alpha * x * x * S)
              + (1 - alpha * n0) * x * x * C + n0)
        step = F / dF
        x -= step
        if abs(step) < 1e-10:
            break
    z = alpha * x * x
    S, C = stumpff(z)
    f = 1 - x * x / n0 * C
    g = dt - x ** 3 / math.sqrt(MU_SUN) * S
    return f * r0 + g * v0


def write_trajectory():
    t0, t1 = jd(*LAUNCH), jd(*LANDING)
    r1, r2 = ecliptic(3, t0), ecliptic(4, t1)
    v1 = lambert(r1, r2, (t1 - t0) * 86400.0)
    miss = np.linalg.norm(propagate(r1, v1, (t1 - t0) * 86400.0) - r2)
    assert miss < 1.0, miss
    times = list(np.arange(t0, t1, STEP_DAYS)) + [t1]
    with open(TRAJECTORY, "w") as out:
        out.write(__doc__.split("\n\n")[1].replace("\n", "\n# ").join(["# ", "\n"]))
        out.write("Name: Curiosity\n"
                  "Radius: 0.00225 1\n"
                  "Magnitude: 20\n"
                  "Color: 0.85 0.85 0.85\n"
                  "Model: msl.obj\n"
                  "SimMode: 0\n"
                  "State: Show\n"
                  "RadiusRate: 2000000000 1\n"
                  "OrbitRate: 1 1\n"
                  "SimMode: 1\n"
                  "State: Hide\n")
        out.write("OrbitData: %d\n" % len(times))
        for t in times:
            r = propagate(r1, v1, (t - t0) * 86400.0) if t > t0 else r1
            out.write("%.5f %.1f %.1f %.1f\n" % (t, r[0], r[1], r[2]))
    print("%d points; leaves the Earth-Moon barycentre at %.2f km/s"
          % (len(times), np.linalg.norm(v1 - ecliptic(3, t0, 1))))


class Mesh:
    def __init__(self):
        self.vertices = []
        self.groups = []

    def vertex(self, p):
        self.vertices.append(p)
        return len(self.vertices)

    def ring(self, x, r, n):
        return [self.vertex((x, r * math.cos(2 * math.pi * k / n), r * math.sin(2 * math.pi * k / n)))
                for k in range(n)]

    def band(self, group, a, b):
        """Quads joining ring a to ring b (b farther along +x seen from outside)."""
        n = len(a)
        faces = [(a[k], a[(k + 1) % n], b[(k + 1) % n], b[k]) for k in range(n)]
        self.groups.append((group, faces))

    def cap(self, group, ring, centre, outward_plus_x):
        n = len(ring)
        faces = [(centre, ring[(k + 1) % n], ring[k]) if not outward_plus_x
                 else (centre, ring[k], ring[(k + 1) % n]) for k in range(n)]
        self.groups.append((group, faces))


def write_model():
    n = 32
    scale = 1.0 / 2.25
    m = Mesh()
    s = lambda x, r: (x * scale, r * scale)
    # Cruise stage: solar-array disc facing the Sun (-x).
    c0 = m.ring(*s(-1.9, 2.0), n)
    c1 = m.ring(*s(-1.6, 2.0), n)
    m.band("cruise_stage", c0, c1)
    m.cap("cruise_stage", c0, m.vertex((-1.9 * scale, 0, 0)), False)
    # Backshell from the cruise stage to the heat shield's rim.
    b0 = m.ring(*s(-1.6, 0.9), n)
    b1 = m.ring(*s(0.0, 2.25), n)
    m.band("backshell", b0, b1)
    # The 70-degree sphere-cone heat shield.
    apex = m.vertex((2.25 / math.tan(math.radians(70)) * scale, 0, 0))
    m.cap("heat_shield", b1, apex, True)
    material = {"cruise_stage": "solar_array", "backshell": "white_paint",
                "heat_shield": "heat_shield"}
    # Every face must turn its front outwards from the x axis (or along it at
    # the ends), since back faces are culled.
    for group, faces in m.groups:
        for f in faces:
            p = [np.array(m.vertices[i - 1]) for i in f]
            normal = np.cross(p[1] - p[0], p[2] - p[0])
            centre = sum(p) / len(p)
            radial = np.array([0.0, centre[1], centre[2]])
            outward = radial if np.linalg.norm(radial) > 1e-6 else np.array([centre[0], 0, 0])
            if group == "cruise_stage" and abs(normal[1]) + abs(normal[2]) < 1e-9:
                outward = np.array([-1.0, 0, 0])
            assert np.dot(normal, outward) > 0, (group, f)
    with open(MODEL + ".mtl", "w") as out:
        out.write("# Materials of msl.obj, made by tools/make-spacecraft.py.\n"
                  "newmtl solar_array\nKa 0.05 0.05 0.1\nKd 0.12 0.16 0.38\nKs 0.6 0.6 0.7\nNs 600\n\n"
                  "newmtl white_paint\nKa 0.2 0.2 0.2\nKd 0.85 0.85 0.82\nKs 0.3 0.3 0.3\nNs 200\n\n"
                  "newmtl heat_shield\nKa 0.1 0.07 0.05\nKd 0.45 0.3 0.2\nKs 0.05 0.05 0.05\nNs 50\n")
    with open(MODEL + ".obj", "w") as out:
        out.write("# Mars Science Laboratory in its cruise configuration, made by\n"
                  "# tools/make-spacecraft.py: x points away from the Sun, radius 1.\n"
                  "mtllib msl.mtl\n")
        for v in m.vertices:
            out.write("v %.6f %.6f %.6f\n" % v)
        for group, faces in m.groups:
            out.write("g %s\nusemtl %s\n" % (group, material[group]))
            for f in faces:
                out.write("f %s\n" % " ".join(str(i) for i in f))


if __name__ == "__main__":
    write_trajectory()
    write_model()
