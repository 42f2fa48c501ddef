#!/usr/bin/python3
"""Builds the Milky Way: the band texture and the program's band and layer meshes.

  textures/mway.jpg          "Mway:" texture: the Milky Way along the galactic
                             equator, 2048x512. Column u: galactic longitude
                             l = (0.5 - u) * 360 deg (the centre in the middle,
                             l growing to the left, as seen from inside); row v
                             (0 at the top): latitude b with
                             tan b = tan(BAND_B) * (1 - 2 v), the central
                             cylindrical projection that a flat band of two
                             rings at b = +-BAND_B shows undistorted.
  sky/MilkyWayMeshData.h     the meshes (program data tables): seven nested
                             Polygon layers following the real band's brightness
                             contours (core first), and the textured band of
                             64 quads between the two rings.

Source: stellarium-data's milkyway.png, an equatorial panorama (u = (90 deg -
RA) / 360, v = (90 deg - Dec) / 180) by Axel Mellinger.

Frames (as the program draws them): a layer vertex is drawn after a turn of
-70 deg about z, so it is stored as Rz(+70 deg) * e (e the J2000 star-sphere
direction); a band vertex is drawn after the rotation of the Euler angles
(-48.5, -43.0, -42.0) deg (first about Y, second about X, third about Z, the
X turn applied first), so it is stored as that rotation's inverse applied to e.

Usage: make_milkyway.py SHARE_DIR SOURCE_DIR
"""

import math
import os
import sys

import numpy as np
from PIL import Image
from scipy import ndimage

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import skyframes as sf  # noqa: E402
from sources import need  # noqa: E402

BAND_B = 30.0  # latitude of the band's rings, degrees
BAND_RADIUS = 1.0743
LAYER_RADIUS = 0.987
LAYER_TURN_DEG = 70.0
BAND_EULER = (-0.8464846872172498, -0.7504915783575616, -0.7330382858376184)
BAND_COLUMNS = 64
LAYER_STEP_DEG = 3.0
# Layers 0 (core) .. 6 (outermost): normalised brightness above which a point
# belongs to the layer.
LAYER_LEVELS = (0.80, 0.64, 0.50, 0.38, 0.27, 0.17, 0.09)

# J2000 equatorial -> galactic (Hipparcos definition)
GAL_FROM_EQ = np.array([
    [-0.0548755604162154, -0.8734370902348850, -0.4838350155487132],
    [0.4941094278755837, -0.4448296299600112, 0.7469822444972189],
    [-0.8676661490190047, -0.1980763734312015, 0.4559837761750669],
])


def gal_to_eq(l_deg, b_deg):
    g = sf.eq_vector(l_deg, b_deg)  # same formula in the galactic frame
    return g @ GAL_FROM_EQ  # inverse of a rotation: its transpose


def band_rotation():
    a1, a2, a3 = BAND_EULER
    return sf.rot("z", a3) @ sf.rot("y", a1) @ sf.rot("x", a2)


class Panorama:
    def __init__(self, path):
        a = np.asarray(Image.open(path).convert("RGB"), dtype=float) / 255.0
        self.rgb = a
        self.h, self.w = a.shape[:2]

    def sample(self, e):
        """Bilinear colour at star-sphere directions e (..., 3)."""
        ra, dec = sf.vector_radec(e)
        x = ((90.0 - ra) / 360.0 % 1.0) * self.w - 0.5
        y = (90.0 - dec) / 180.0 * self.h - 0.5
        out = [ndimage.map_coordinates(self.rgb[..., c], [y.ravel(), x.ravel()], order=1,
                                       mode="grid-wrap").reshape(x.shape) for c in range(3)]
        return np.stack(out, axis=-1)


def band_texture(pano, path, w=2048, h=512):
    u = (np.arange(w) + 0.5) / w
    v = (np.arange(h) + 0.5) / h
    l_deg = (0.5 - u) * 360.0
    b_deg = np.degrees(np.arctan(math.tan(math.radians(BAND_B)) * (1 - 2 * v)))
    L, B = np.meshgrid(l_deg, b_deg)
    rgb = pano.sample(gal_to_eq(L, B))
    # The band is drawn at 0.45 of the texture's colour (no blending): lift it,
    # and fade the rings' edges to black.
    rgb = np.clip(rgb * 1.9, 0, 1) ** 0.85
    fade = np.clip((BAND_B - np.abs(B)) / 4.0, 0, 1)[..., None]
    Image.fromarray((rgb * fade * 255).round().astype(np.uint8)).save(
        path, "JPEG", quality=88, optimize=True)


def brightness_grid(pano):
    """Normalised brightness on a galactic grid: l every LAYER_STEP_DEG, b every 0.5 deg."""
    ls = np.arange(0.0, 360.0, LAYER_STEP_DEG)
    bs = np.arange(-40.0, 40.01, 0.5)
    L, B = np.meshgrid(ls, bs, indexing="ij")
    fine_l = np.arange(0.0, 360.0, 0.5)
    FL, FB = np.meshgrid(fine_l, bs, indexing="ij")
    lum = pano.sample(gal_to_eq(FL, FB)).mean(axis=-1)
    lum = ndimage.gaussian_filter(lum, (4.0, 3.0), mode=("wrap", "nearest"))
    step = int(LAYER_STEP_DEG / 0.5)
    lum = lum[::step]
    bg = np.median(lum[:, np.abs(bs) > 32])
    top = np.percentile(lum, 99.7)
    return ls, bs, np.clip((lum - bg) / (top - bg), 0, None)


def layer_extents(ls, bs, n, level):
    """Per longitude column: (b_low, b_high, b_peak) of the region above level, or None."""
    out = []
    near = np.abs(bs) <= 15.0
    for k in range(len(ls)):
        prof = n[k]
        cand = np.where(near, prof, -1)
        p = int(np.argmax(cand))
        if prof[p] < level:
            out.append(None)
            continue
        lo = p
        while lo > 0 and prof[lo - 1] >= level:
            lo -= 1
        hi = p
        while hi < len(bs) - 1 and prof[hi + 1] >= level:
            hi += 1
        out.append((bs[lo] - 0.25, bs[hi] + 0.25, bs[p]))
    return out


def layer_mesh(ls, ext):
    """Triangles of one layer: quads between neighbouring columns, tapered run ends."""
    m = len(ls)
    verts, tris = [], []
    active = [e is not None for e in ext]
    if not any(active):
        return np.zeros((0, 3)), []
    if all(active):
        starts = [0]
    else:
        starts = [k for k in range(m) if active[k] and not active[k - 1]]
    for s in starts:
        run = [s]
        while active[(run[-1] + 1) % m] and (run[-1] + 1) % m != s:
            run.append((run[-1] + 1) % m)
        closed = all(active)
        base = len(verts)
        for k in run:
            lo, hi, _ = ext[k]
            verts.append((ls[k], lo))
            verts.append((ls[k], hi))
        for i in range(len(run) - 1 + (1 if closed else 0)):
            a = base + 2 * i
            b = base + 2 * ((i + 1) % len(run))
            tris += [(a, b, b + 1), (a, b + 1, a + 1)]
        if not closed:
            for k, sign, first in ((run[0], -1, base), (run[-1], 1, base + 2 * (len(run) - 1))):
                tip = len(verts)
                verts.append((ls[k] + sign * 0.5 * LAYER_STEP_DEG, ext[k][2]))
                tris.append((tip, first, first + 1))
    v = np.array(verts)
    e = gal_to_eq(v[:, 0], v[:, 1])
    stored = (e @ sf.rot("z", math.radians(LAYER_TURN_DEG)).T) * LAYER_RADIUS
    return stored, tris


def band_mesh():
    inv = band_rotation().T
    cols = np.arange(BAND_COLUMNS) * (360.0 / BAND_COLUMNS)
    top = gal_to_eq(cols, np.full_like(cols, BAND_B))
    bottom = gal_to_eq(cols, np.full_like(cols, -BAND_B))
    verts = np.vstack([top, bottom]) @ inv.T * BAND_RADIUS
    normals = -(gal_to_eq(cols, np.zeros_like(cols)) @ inv.T)
    k = np.arange(BAND_COLUMNS + 1)
    u = 0.5 - k / BAND_COLUMNS  # continuous across the seam (the texture repeats)
    tex = np.vstack([np.column_stack([u, np.ones_like(u)]),   # top ring: image top
                     np.column_stack([u, np.zeros_like(u)])])  # bottom ring
    tris = []
    nb = BAND_COLUMNS
    for j in range(nb):
        j1 = (j + 1) % nb
        t_top, t_bot = j, nb + 1 + j
        tris.append((j, nb + j, nb + j1, j, j, j1, t_top, t_bot, t_bot + 1))
        tris.append((j, nb + j1, j1, j, j1, j1, t_top, t_bot + 1, t_top + 1))
    return verts, normals, tex, tris


def fmt_floats(a, per_line=6):
    vals = ["%.6ff" % x for x in np.asarray(a, dtype=float).ravel()]
    return "\n".join("    " + ", ".join(vals[i:i + per_line]) + "," for i in range(0, len(vals), per_line))


def fmt_ints(a, per_line=12):
    vals = ["%d" % x for x in np.asarray(a).ravel()]
    return "\n".join("    " + ", ".join(vals[i:i + per_line]) + "," for i in range(0, len(vals), per_line))


def write_header(path, layers, band):
    out = ["// Milky Way meshes: program data made by tools/skydata/make_milkyway.py from the",
           "// Milky Way panorama of stellarium-data (Axel Mellinger). Regenerate, do not edit.",
           "//",
           "// Layers 0 (core) to 6 (outermost), nested brightness contours of the band: vertices",
           "// at radius %.3f, stored turned %+.0f deg about z (the drawing turns them back)," % (LAYER_RADIUS, LAYER_TURN_DEG),
           "// triangles as index triples. Textured band: %d vertices at radius %.4f on two" % (2 * BAND_COLUMNS, BAND_RADIUS),
           "// rings at galactic latitude +-%.0f deg (top ring 0..%d, bottom ring %d..%d), stored" % (BAND_B, BAND_COLUMNS - 1, BAND_COLUMNS, 2 * BAND_COLUMNS - 1),
           "// in the frame that the band's fixed rotation turns onto the star sphere; %d inward" % BAND_COLUMNS,
           "// normals (one per column); %d texture coordinates (u, v), v = 1 at the image's top" % (2 * (BAND_COLUMNS + 1)),
           "// row (drawn as (u, 1 - v)); each triangle: three vertex, three normal and three",
           "// texture-coordinate indices.",
           "#pragma once",
           "",
           "#include <cstdint>",
           "",
           "// clang-format off",
           "namespace milkyway_data {",
           ""]
    for i, (verts, tris) in enumerate(layers):
        out += ["inline constexpr int kLayer%dVertexCount = %d;" % (i, len(verts)),
                "inline constexpr int kLayer%dTriangleCount = %d;" % (i, len(tris)),
                "inline constexpr float kLayer%dVertices[] = {" % i, fmt_floats(verts), "};",
                "inline constexpr std::uint16_t kLayer%dTriangles[] = {" % i, fmt_ints(tris), "};", ""]
    verts, normals, tex, tris = band
    out += ["inline constexpr int kBandVertexCount = %d;" % len(verts),
            "inline constexpr int kBandNormalCount = %d;" % len(normals),
            "inline constexpr int kBandTexCoordCount = %d;" % len(tex),
            "inline constexpr int kBandTriangleCount = %d;" % len(tris),
            "inline constexpr float kBandVertices[] = {", fmt_floats(verts), "};",
            "inline constexpr float kBandNormals[] = {", fmt_floats(normals), "};",
            "inline constexpr float kBandTexCoords[] = {", fmt_floats(tex, 8), "};",
            "inline constexpr std::int32_t kBandTriangles[] = {", fmt_ints(tris, 9), "};", "",
            "}  // namespace milkyway_data",
            "// clang-format on", ""]
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(out))


def main(share, srcdir):
    pano = Panorama(need("/usr/share/stellarium/textures/milkyway.png", "stellarium-data"))
    os.makedirs(os.path.join(share, "textures"), exist_ok=True)
    band_texture(pano, os.path.join(share, "textures", "mway.jpg"))
    ls, bs, n = brightness_grid(pano)
    layers = []
    for level in LAYER_LEVELS:
        verts, tris = layer_mesh(ls, layer_extents(ls, bs, n, level))
        layers.append((verts, tris))
    os.makedirs(os.path.join(srcdir, "sky"), exist_ok=True)
    write_header(os.path.join(srcdir, "sky", "MilkyWayMeshData.h"), layers, band_mesh())
    print("milky way: layers %s (vertices, triangles)"
          % [(len(v), len(t)) for v, t in layers])


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "share", sys.argv[2] if len(sys.argv) > 2 else ".")
