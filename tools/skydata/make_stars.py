#!/usr/bin/python3
"""Builds the star files of the sky from kstars-data's star table.

  data/stars/hipparcos.dhb   "Space:" file: every star (to magnitude ~9.4) in
                             ten magnitude classes, loaded lazily by the limit
  data/stars/catalog.dsc     "Stars:" catalogue: the naked-eye stars (to 6.5)
                             in 256 colour groups by B-V, with magnitudes
  data/stars/starcolor.map   "StarsColorMap:" colour of each colour group
  textures/star.png          "StarTexture:" the glow of one catalogue star

Usage: make_stars.py SHARE_DIR
"""

import os
import sys

import numpy as np
from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import skyframes as sf  # noqa: E402
import sources  # noqa: E402

CATALOG_MAG_LIMIT = 6.5
DHB_CLASSES = 10  # classes 0..9: magnitude rounded, brighter than 0 in class 0


def magnitude_class(mag):
    return np.clip(np.floor(mag + 0.5), 0, DHB_CLASSES - 1).astype(int)


def star_texture(size=64):
    """A bright core with a soft halo; white, the brightness in the alpha."""
    y, x = np.mgrid[0:size, 0:size]
    c = (size - 1) / 2.0
    r = np.hypot(x - c, y - c) / (size / 2.0)
    core = np.exp(-(r / 0.16) ** 2)
    halo = 0.35 * np.exp(-(r / 0.42) ** 2)
    a = np.clip(core + halo, 0, 1) * np.clip((1.0 - r) / 0.15, 0, 1)
    rgba = np.zeros((size, size, 4), dtype=np.uint8)
    rgba[..., 0:3] = 255
    rgba[..., 3] = np.round(a * 255).astype(np.uint8)
    return Image.fromarray(rgba, "RGBA")


def main(share):
    stars = sources.load_kstars_stars()
    vec = sf.eq_vector(stars.ra, stars.dec)
    outdir = os.path.join(share, "data", "stars")
    os.makedirs(outdir, exist_ok=True)

    cls = magnitude_class(stars.mag)
    groups = [vec[cls == k] for k in range(DHB_CLASSES)]
    sf.write_dhb(os.path.join(outdir, "hipparcos.dhb"), groups)

    bv = stars.bv.copy()
    nobv = np.isnan(bv)
    bv[nobv] = [sf.spectral_bv(stars.sp[i]) for i in np.where(nobv)[0]]
    bright = stars.mag <= CATALOG_MAG_LIMIT
    grp = sf.bv_group(bv)
    cat = []
    for k in range(sf.BV_GROUPS):
        sel = bright & (grp == k)
        cat.append((vec[sel], stars.mag[sel]))
    sf.write_catalog(os.path.join(outdir, "catalog.dsc"), cat)
    sf.write_color_map(os.path.join(outdir, "starcolor.map"), sf.bv_group_colors())

    texdir = os.path.join(share, "textures")
    os.makedirs(texdir, exist_ok=True)
    star_texture().save(os.path.join(texdir, "star.png"), optimize=True)

    print("stars: %d in %s (%s per class); catalogue %d to magnitude %.1f"
          % (len(stars), "hipparcos.dhb", [len(g) for g in groups], int(bright.sum()),
             CATALOG_MAG_LIMIT))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "share")
