#!/usr/bin/python3
"""Builds the body textures in share/textures from Debian packages, and makes
the ones no package carries.

Every map is a cylindrical (longitude-latitude) picture, longitude 0 in the
middle, north up, resized to a power-of-two size and saved as JPEG (opaque)
or PNG (with alpha). The sources and their credits are listed in TEXTURES;
the generated ones in make_generated(). The texture-resolution folders
beside ./textures are made from it (resolution_folders).

Usage: make_textures.py SHARE_DIR [--folders]   (--folders: only the folders)
"""

import os
import sys

import numpy as np
from PIL import Image, ImageFilter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sources import need  # noqa: E402

ST = "/usr/share/stellarium/textures/"
OU = "/usr/share/openuniverse/textures/"
XP = "/usr/share/xplanet/images/"

# output name, source file, package, size
TEXTURES = [
    ("earth.jpg", XP + "earth.jpg", "xplanet-images", (2048, 1024)),
    ("moon.jpg", ST + "moon_4k.jpg", "stellarium-data", (2048, 1024)),
    ("mars.jpg", OU + "mars.jpg", "openuniverse-common", (2048, 1024)),
    ("jupiter.jpg", OU + "jupiter.jpg", "openuniverse-common", (1024, 512)),
    ("saturn.jpg", ST + "saturn.png", "stellarium-data", (512, 256)),
    ("mercury.jpg", ST + "mercury.png", "stellarium-data", (512, 256)),
    ("venus.jpg", ST + "venus.png", "stellarium-data", (512, 256)),
    ("uranus.jpg", ST + "uranus.png", "stellarium-data", (512, 256)),
    ("neptune.jpg", ST + "neptune.png", "stellarium-data", (512, 256)),
    ("pluto.jpg", ST + "pluto.png", "stellarium-data", (512, 256)),
    ("sun.jpg", ST + "sun.png", "stellarium-data", (512, 256)),
    ("io.jpg", OU + "io.jpg", "openuniverse-common", (1024, 512)),
    ("europa.jpg", OU + "europa.jpg", "openuniverse-common", (1024, 512)),
    ("ganymede.jpg", OU + "ganymede.jpg", "openuniverse-common", (1024, 512)),
    ("callisto.jpg", OU + "callisto.jpg", "openuniverse-common", (1024, 512)),
    ("titan.jpg", ST + "titan.png", "stellarium-data", (512, 256)),
    ("mimas.jpg", ST + "mimas.png", "stellarium-data", (512, 256)),
    ("enceladus.jpg", ST + "enceladus.png", "stellarium-data", (512, 256)),
    ("tethys.jpg", ST + "tethys.png", "stellarium-data", (512, 256)),
    ("dione.jpg", ST + "dione.png", "stellarium-data", (512, 256)),
    ("rhea.jpg", ST + "rhea.png", "stellarium-data", (512, 256)),
    ("iapetus.jpg", ST + "iapetus.png", "stellarium-data", (512, 256)),
    ("phobos.jpg", ST + "phobos.png", "stellarium-data", (512, 256)),
    ("deimos.jpg", ST + "deimos.png", "stellarium-data", (512, 256)),
    ("triton.jpg", ST + "triton.png", "stellarium-data", (512, 256)),
    ("charon.jpg", ST + "charon.png", "stellarium-data", (512, 256)),
    ("miranda.jpg", ST + "miranda.png", "stellarium-data", (512, 256)),
    ("ariel.jpg", ST + "ariel.png", "stellarium-data", (512, 256)),
    ("umbriel.jpg", ST + "umbriel.png", "stellarium-data", (512, 256)),
    ("titania.jpg", ST + "titania.png", "stellarium-data", (512, 256)),
    ("oberon.jpg", ST + "oberon.png", "stellarium-data", (512, 256)),
    ("ceres.jpg", ST + "ceres.png", "stellarium-data", (512, 256)),
    ("vesta.jpg", ST + "vesta.png", "stellarium-data", (512, 256)),
]


def save_jpeg(im, path, quality=85):
    im.convert("RGB").save(path, "JPEG", quality=quality, optimize=True, progressive=False)


def copy_maps(out):
    for name, src, pkg, size in TEXTURES:
        im = Image.open(need(src, pkg))
        if im.mode in ("RGBA", "LA", "P"):
            im = im.convert("RGBA")
            bg = Image.new("RGBA", im.size, (0, 0, 0, 255))
            im = Image.alpha_composite(bg, im)
        save_jpeg(im.convert("RGB").resize(size, Image.LANCZOS), os.path.join(out, name))


def ring_strip(src, pkg, path, width):
    """A ring as a strip: s across the ring (inner edge left), alpha = opacity."""
    im = Image.open(need(src, pkg)).convert("RGBA")
    row = np.asarray(im, dtype=np.uint8)[:1]
    strip = Image.fromarray(np.repeat(row, 4, axis=0), "RGBA").resize((width, 4), Image.LANCZOS)
    strip.save(path, optimize=True)


def earth_clouds(path):
    """Cloud layer: white, the cloud cover in the alpha (OpenUniverse cloud map)."""
    v = np.asarray(Image.open(need(OU + "clouds.jpg", "openuniverse-common")).convert("L"),
                   dtype=float) / 255.0
    a = np.clip((v - 0.42) / 0.5, 0.0, 1.0) ** 1.3
    rgba = np.zeros(v.shape + (4,), dtype=np.uint8)
    rgba[..., :3] = 255
    rgba[..., 3] = np.round(a * 255)
    Image.fromarray(rgba, "RGBA").resize((1024, 512), Image.LANCZOS).save(path, optimize=True)


def make_generated(out, rng):
    # A banded gas giant for bodies without a map of their own.
    h, w = 256, 512
    lat = np.linspace(-1, 1, h)[:, None]
    bands = 0.75 + 0.12 * np.sin(lat * 23.0) + 0.06 * np.sin(lat * 57.0 + 1.0)
    noise = np.asarray(Image.fromarray((rng.random((h // 8, w // 8)) * 255).astype(np.uint8))
                       .resize((w, h), Image.BICUBIC), dtype=float) / 255.0
    v = np.clip(bands + 0.05 * (noise - 0.5), 0, 1) * np.ones((1, w))
    rgb = np.stack([v * 0.93, v * 0.82, v * 0.64], axis=-1)
    save_jpeg(Image.fromarray((rgb * 255).astype(np.uint8)), os.path.join(out, "giant.jpg"))

    # Eclipse shadow: white (no darkening) with a dark soft disc of a quarter
    # of the width in radius, where the projection puts the shadow cone.
    n = 128
    y, x = np.mgrid[0:n, 0:n]
    r = np.hypot(x - (n - 1) / 2, y - (n - 1) / 2) / n
    v = np.clip((r - 0.19) / 0.06, 0, 1)
    img = np.repeat((v * 255).astype(np.uint8)[..., None], 3, axis=2)
    Image.fromarray(img, "RGB").save(os.path.join(out, "shadow.bmp"))

    # Asteroid belt: sparse grey specks on transparent (drawn as a decal).
    n = 256
    a = np.zeros((n, n), dtype=float)
    specks = rng.integers(0, n, size=(700, 2))
    a[specks[:, 0], specks[:, 1]] = rng.uniform(0.4, 1.0, 700)
    a = np.clip(np.asarray(Image.fromarray((a * 255).astype(np.uint8))
                           .filter(ImageFilter.MaxFilter(3)), dtype=float) / 255.0, 0, 1)
    rgba = np.zeros((n, n, 4), dtype=np.uint8)
    rgba[..., :3] = (np.array([170, 160, 150]) * (0.7 + 0.3 * a[..., None])).astype(np.uint8)
    rgba[..., 3] = (a * 220).astype(np.uint8)
    Image.fromarray(rgba, "RGBA").save(os.path.join(out, "astrbelt.png"), optimize=True)

    # Comet nucleus: dark rocky surface.
    h, w = 128, 256
    base = np.zeros((h, w))
    for scale, amp in ((4, 0.5), (16, 0.3), (64, 0.2)):
        layer = rng.random((h * scale // w + 2, scale + 1))
        base += amp * np.asarray(Image.fromarray((layer * 255).astype(np.uint8))
                                 .resize((w, h), Image.BICUBIC), dtype=float) / 255.0
    v = 0.25 + 0.35 * base
    img = (np.stack([v, v * 0.95, v * 0.9], axis=-1) * 255).astype(np.uint8)
    Image.fromarray(img, "RGB").save(os.path.join(out, "comet.bmp"))

    # Soft glow (coma, Sun halo): white, brightness falling off in the alpha.
    n = 128
    y, x = np.mgrid[0:n, 0:n]
    r = np.hypot(x - (n - 1) / 2, y - (n - 1) / 2) / (n / 2)
    a = np.clip(np.exp(-(r / 0.45) ** 2) * np.clip((1 - r) / 0.2, 0, 1), 0, 1)
    rgba = np.zeros((n, n, 4), dtype=np.uint8)
    rgba[..., :3] = 255
    rgba[..., 3] = (a * 255).astype(np.uint8)
    Image.fromarray(rgba, "RGBA").save(os.path.join(out, "glow.png"), optimize=True)

    # Landscape cursor (additive): a ring with a dot, on black.
    n = 64
    y, x = np.mgrid[0:n, 0:n]
    r = np.hypot(x - (n - 1) / 2, y - (n - 1) / 2) / (n / 2)
    v = np.clip(1 - np.abs(r - 0.8) / 0.08, 0, 1) + np.clip(1 - r / 0.15, 0, 1)
    img = np.stack([v * 255, v * 230, v * 120], axis=-1).clip(0, 255).astype(np.uint8)
    Image.fromarray(img, "RGB").save(os.path.join(out, "cursor.bmp"))


def panorama(path, rng, w=2048, h=512):
    """A landscape for the panorama cylinder: hills and trees, the sky transparent.

    The cylinder (radius 10) runs from 3.75 above the eye to 6.25 below it, the
    top row of the picture at its upper edge: row y looks at the elevation
    atan((3.75 - 10 y / h) / 10), the horizon at 37.5 % of the height.
    """
    az = np.arange(w) / w * 2 * np.pi
    prof = np.full(w, 0.8)
    for k, amp in ((2, 1.6), (3, 1.2), (5, 0.9), (9, 0.6), (17, 0.35), (31, 0.2)):
        prof += amp * np.sin(k * az + rng.uniform(0, 2 * np.pi))
    prof = np.maximum(prof, 0.3)
    hills = prof.copy()
    for _ in range(140):  # trees: narrow rounded crowns on the ridge
        c = rng.integers(0, w)
        half = rng.integers(3, 10)
        tall = rng.uniform(0.8, 2.6)
        x = np.arange(-half, half + 1)
        crown = tall * np.sqrt(np.clip(1 - (x / (half + 0.5)) ** 2, 0, 1))
        idx = (c + x) % w
        prof[idx] = np.maximum(prof[idx], prof[c] + crown)
    rows = np.arange(h)
    elev = np.degrees(np.arctan((3.75 - 10.0 * (rows + 0.5) / h) / 10.0))
    ground = elev[:, None] < prof[None, :]
    depth = np.clip((hills[None, :] - elev[:, None]) / 30.0, 0, 1)
    rgba = np.zeros((h, w, 4), dtype=np.uint8)
    rgba[..., 0] = (28 - 14 * depth).astype(np.uint8)
    rgba[..., 1] = (36 - 16 * depth).astype(np.uint8)
    rgba[..., 2] = (26 - 12 * depth).astype(np.uint8)
    rgba[..., 3] = np.where(ground, 255, 0).astype(np.uint8)
    Image.fromarray(rgba, "RGBA").save(path, optimize=True)


# The texture-resolution folders of the Detail dialog ("Detail.TexDir
# ./texturesLow" and so on). Mid holds the maps of ./textures; Low the same
# at most LOW_WIDTH pixels wide; High the largest map a package offers where
# that is larger than Mid's (the other packaged maps are no larger: Earth,
# Mars 2048, Jupiter and its moons 1024, the rest 512 pixels wide). Every
# folder is complete, so a choice never falls back to ./textures; files that
# are the same in two folders are byte copies (one object in the repository).
RESOLUTION_DIRS = ("texturesLow", "texturesMid", "texturesHigh")
LOW_WIDTH = 512
# output name: source, package, size
HIGH_MAPS = {
    "moon.jpg": (ST + "moon_4k.jpg", "stellarium-data", (4096, 2048)),
}


def save_like(im, path):
    if path.endswith(".jpg"):
        save_jpeg(im, path)
    else:
        im.save(path, optimize=True)


def resolution_folders(share):
    import shutil
    textures = os.path.join(share, "textures")
    names = sorted(f for f in os.listdir(textures) if os.path.isfile(os.path.join(textures, f)))
    for folder in RESOLUTION_DIRS:
        os.makedirs(os.path.join(share, folder), exist_ok=True)
    for name in names:
        mid = os.path.join(textures, name)
        shutil.copyfile(mid, os.path.join(share, "texturesMid", name))
        im = Image.open(mid)
        low = os.path.join(share, "texturesLow", name)
        if im.width > LOW_WIDTH:
            size = (LOW_WIDTH, max(1, im.height * LOW_WIDTH // im.width))
            save_like(im.resize(size, Image.LANCZOS), low)
        else:
            shutil.copyfile(mid, low)
        high = os.path.join(share, "texturesHigh", name)
        if name in HIGH_MAPS:
            src, pkg, size = HIGH_MAPS[name]
            save_jpeg(Image.open(need(src, pkg)).convert("RGB").resize(size, Image.LANCZOS), high)
        else:
            shutil.copyfile(mid, high)
    for folder in RESOLUTION_DIRS:
        out = os.path.join(share, folder)
        total = sum(os.path.getsize(os.path.join(out, f)) for f in os.listdir(out))
        print("%s: %d files, %.2f MB" % (folder, len(os.listdir(out)), total / 1e6))


def main(share):
    out = os.path.join(share, "textures")
    os.makedirs(out, exist_ok=True)
    copy_maps(out)
    ring_strip(ST + "saturn_rings_radial.png", "stellarium-data",
               os.path.join(out, "saturnring.png"), 512)
    ring_strip(ST + "uranus_rings.png", "stellarium-data", os.path.join(out, "uranusring.png"), 512)
    ring_strip(ST + "neptune_rings.png", "stellarium-data", os.path.join(out, "neptunering.png"), 512)
    earth_clouds(os.path.join(out, "earthclouds.png"))
    make_generated(out, np.random.default_rng(20240607))
    panorama(os.path.join(out, "panorama.png"), np.random.default_rng(7))
    total = sum(os.path.getsize(os.path.join(out, f)) for f in os.listdir(out))
    print("textures: %d files, %.2f MB" % (len(os.listdir(out)), total / 1e6))
    resolution_folders(share)


if __name__ == "__main__":
    args = [a for a in sys.argv[1:] if a != "--folders"]
    share_dir = args[0] if args else "share"
    if "--folders" in sys.argv[1:]:
        resolution_folders(share_dir)
    else:
        main(share_dir)
