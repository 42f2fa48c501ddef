"""Constellation art: stellarium-data's western drawings traced into ".cab" files.

Each drawing (Johan Meuris, Free Art License) names three anchor stars with
their pixel places. Pixel (x, y) goes to the sky by the affine map of the
image plane onto the plane through the three anchor stars, seen from the
centre (the way the drawings are meant to be placed); the traced lines are
then written in the local frame of the ".cab" format:

  position p (|p| = 2), scale s, angle 0; a point (x, y) is drawn at
  n + R * (s * -x, s * y, 0), n = p / |p|, R the shortest turn of (0, 0, 1)
  onto n. So a sky direction d (on the plane tangent at n: d / (d . n))
  has x = -(d . R(1,0,0)) / (s (d . n)), y = (d . R(0,1,0)) / (s (d . n)).
"""

import math
import os
import struct

import numpy as np

import skyframes as sf
import sources
import trace_art

CAB_SCALE = 0.01  # local units of 1/100 radian on the tangent plane


def shortest_turn(n):
    """Rotation matrix of the shortest turn of (0, 0, 1) onto the unit vector n."""
    z = np.array([0.0, 0.0, 1.0])
    axis = np.cross(z, n)
    s = np.linalg.norm(axis)
    c = float(n @ z)
    if s < 1e-12:
        if c > 0:
            return np.eye(3)
        raise ValueError("art centred on the south pole has no defined turn")
    k = axis / s
    kx = np.array([[0, -k[2], k[1]], [k[2], 0, -k[0]], [-k[1], k[0], 0]])
    return np.eye(3) + s * kx + (1 - c) * (kx @ kx)


def anchor_map(pix, vecs):
    """Affine map of pixel (x, y) to the plane through the three anchor stars."""
    a = np.array([[x, y, 1.0] for x, y in pix])
    coef = np.linalg.solve(a, np.array(vecs))  # rows: U, V, A
    return coef


def handedness(coef, centre):
    """+1 when the drawing reads unmirrored seen from inside the sphere."""
    east = np.cross([0.0, 0.0, 1.0], centre)
    east /= np.linalg.norm(east)
    north = np.cross(centre, east)
    u, v = coef[0], coef[1]  # d/dx (image right) and d/dy (image down)
    m = np.array([[u @ -east, v @ -east], [u @ -north, v @ -north]])
    return 1 if np.linalg.det(m) > 0 else -1


def write_cab(fn, centre, points, strips):
    with open(fn, "wb") as f:
        f.write(struct.pack("<5f", *(2.0 * centre), CAB_SCALE, 0.0))
        f.write(struct.pack("<i", len(points)))
        f.write(np.asarray(points, dtype="<f4").tobytes())
        idx = []
        for k, s in enumerate(strips):
            if k:
                idx.append(-1)
            idx.extend(s)
        f.write(struct.pack("<i", len(idx)))
        f.write(np.asarray(idx, dtype="<i4").tobytes())


def build(outdir, stars, locate):
    """Writes <Abr>.cab for every drawing; returns abbreviation -> file name."""
    arts = {}
    report = []
    with open(os.path.join(sources.WESTERN, "constellationsart.fab")) as f:
        entries = [line.split() for line in f if line.strip() and not line.startswith("#")]
    for w in entries:
        abbr, image = w[0], w[1]
        nums = [int(x) for x in w[2:11]]
        pix = [(nums[0], nums[1]), (nums[3], nums[4]), (nums[6], nums[7])]
        rows = [locate(h) for h in (nums[2], nums[5], nums[8])]
        if any(r is None for r in rows):
            report.append("%s: anchor star missing" % abbr)
            continue
        vecs = [sf.eq_vector(stars.ra[r], stars.dec[r]) for r in rows]
        coef = anchor_map(pix, vecs)
        lines, (h, w_) = trace_art.trace(os.path.join(sources.WESTERN, image))
        mid = np.array([w_ / 2.0, h / 2.0, 1.0]) @ coef
        centre = mid / np.linalg.norm(mid)
        rot = shortest_turn(centre)
        e1, e2 = rot[:, 0], rot[:, 1]
        points, strips = [], []
        for line in lines:
            xy1 = np.column_stack([line[:, 1], line[:, 0], np.ones(len(line))])
            d = xy1 @ coef
            dn = d @ centre
            if np.any(dn < 0.2):  # farther than ~78 degrees from the centre
                continue
            x = -(d @ e1) / (CAB_SCALE * dn)
            y = (d @ e2) / (CAB_SCALE * dn)
            strips.append(list(range(len(points), len(points) + len(line))))
            points.extend(zip(x.tolist(), y.tolist()))
        fn = "%s.cab" % abbr
        write_cab(os.path.join(outdir, fn), centre, points, strips)
        arts[abbr] = fn
        ra, dec = sf.vector_radec(centre)
        report.append("%s %s: %d points, %d lines, centre %.1f %.1f, %s"
                      % (abbr, image, len(points), len(strips), ra, dec,
                         "unmirrored" if handedness(coef, centre) > 0 else "MIRRORED"))
    return arts, report
