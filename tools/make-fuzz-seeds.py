#!/usr/bin/python3
"""Makes the fuzzing seeds (tests/fuzz/seeds/READER/) and dictionaries
(tests/fuzz/dict/READER.dict) from the shipped data set and the test data.

Seeds are small: text files are cut at a line end after 6 KB, files with no
small sample in the data get a small one built here by their format. The
dictionaries hold the keywords (words ending in ":") and the other words of
the seeds that a reader compares, plus the words of each format named here.
Run from the repository root; it rewrites both directories."""

import glob
import os
import re
import shutil
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SEEDS = os.path.join(ROOT, "tests/fuzz/seeds")
DICTS = os.path.join(ROOT, "tests/fuzz/dict")
LIMIT = 6144


def cut(data):
    if len(data) <= LIMIT:
        return data
    end = data.rfind(b"\n", 0, LIMIT)
    return data[: end + 1 if end > 0 else LIMIT]


def sources(patterns):
    files = []
    for pattern in patterns:
        files += sorted(glob.glob(os.path.join(ROOT, pattern)))
    return files


def sgi(rle, channels, width=3, height=2):
    # 512-byte header: magic, storage, bytes per channel, dimension, sizes.
    header = struct.pack(">hbbHHHHII", 474, rle, 1, 3, width, height, channels, 0, 255)
    header = header.ljust(512, b"\0")
    rows = [bytes((x * 40 + y * 90 + c * 20) % 256 for x in range(width))
            for c in range(channels) for y in range(height)]
    if not rle:
        return header + b"".join(rows)
    # Each row as one literal run, then a stop byte; offsets then lengths.
    encoded = [bytes([0x80 | width]) + row + b"\0" for row in rows]
    table = 512 + 8 * len(rows)
    starts, at = [], table
    for row in encoded:
        starts.append(at)
        at += len(row)
    return (header + struct.pack(">%dI" % len(rows), *starts) +
            struct.pack(">%dI" % len(rows), *[len(r) for r in encoded]) + b"".join(encoded))


def star_binary():
    singles = [(1.0, 2.0, 3.0, 0.5, 1.0, 0.9, 0.8), (-1.0, 0.0, 2.0, 2.5, 0.7, 0.7, 1.0)]
    data = struct.pack("<i", len(singles))
    for record in singles:
        data += struct.pack("<7f", *record)
    groups = [(1.0, [(1, 0, 0), (0, 1, 0)]), (4.5, [(0, 0, 1)])]
    data += struct.pack("<i", len(groups))
    for magnitude, stars in groups:
        data += struct.pack("<fi", magnitude, len(stars))
        for star in stars:
            data += struct.pack("<3f", *star)
    return data


def hipparcos():
    groups = [[(1, 0, 0), (0, 1, 0)], [(0, 0, 1)], []]
    data = struct.pack("<i", len(groups))
    for stars in groups:
        data += struct.pack("<i", len(stars))
        for star in stars:
            data += struct.pack("<3f", *star)
    return data


def catalog():
    groups = [[((1, 0, 0), -1.4), ((0, 1, 0), 0.03)], [((0, 0, 1), 3.2)]]
    data = struct.pack("<i", len(groups))
    for stars in groups:
        data += struct.pack("<i", len(stars))
        for position, _ in stars:
            data += struct.pack("<3f", *position)
        for _, magnitude in stars:
            data += struct.pack("<f", magnitude)
    return data


def datafile(order):
    # The first byte picks text (even) or binary (odd) and how many reads the
    # next bytes name; the rest is the file.
    text = b"\x0e\x00\x01\x02\x03\x04\x05\x06\x07" + b"Radius: 6378.14 0x1F 010 2.5e3 Name Earth\n# c\n}\n"
    fmt = "<" if order == "le" else ">"
    binary = (b"\x0f\x00\x01\x02\x04\x05\x06\x07\x03" + struct.pack(fmt + "if d", 7, 1.5, 2.25) +
              b"Earth\0Name:\0" + struct.pack(fmt + "3i", 1, 2, 3))
    return {"text": text, "binary": binary}


# reader: source files, built seeds, extra dictionary words
READERS = {
    "image_bmp": (["tests/data/images/*.bmp", "share/textures/cursor.bmp"], {}, []),
    "image_sgi": ([], {"rgb": sgi(0, 3), "rgba-rle": sgi(1, 4), "grey-rle": sgi(1, 1)}, []),
    "image_jpeg": (["tests/data/images/*.jpg"], {}, []),
    "image_png": (["tests/data/images/*.png"], {}, []),
    "texture_image": (["tests/data/images/pil-rgb*", "tests/data/images/pil-grey8.png"],
                      {"rgb.sgi": sgi(1, 3)}, []),
    "datafile_le": ([], datafile("le"), []),
    "datafile_be": ([], datafile("be"), []),
    "scenario_line": (["tests/data/root/scenarios/*.scn", "share/scenarios/*.scn"],
                      {"conditions": b"?Orvex.FPS<40?Orvex.Wait 1:Orvex.Wait 2\n"
                                     b"?Timer.Speed!=1?Camera.Dist 7:\n"
                                     b"Orvex.Playing 1;Timer.Speed 10;Camera.Dist 3\n"}, []),
    "scenario_condition": ([], {"less": b"?Orvex.FPS<40?a:b\n29.97\n",
                                "equal": b"?Ssystem.Select=Earth?x.scn:y\n Earth \n",
                                "greater-equal": b"?A.B>=-1e3?:\n-1000\n"}, []),
    "body_data": (["tests/data/model/small.def", "tests/data/draw/solar.def",
                   "tests/data/view/ssystem.def", "tests/data/objects/earth.def"], {}, []),
    "orbit_planet": (["tests/data/model/orbits/earth.orb", "tests/data/model/orbits/mars.orb",
                      "share/data/orbits/planets/earth.orb"], {}, []),
    "orbit_moon": (["tests/data/model/orbits/moon.orb", "share/data/orbits/planets/moon.orb"], {}, []),
    "orbit_satellite": (["tests/data/model/orbits/phobos.orb",
                         "share/data/orbits/satellites/io.orb"], {}, []),
    "orbit_comet": (["tests/data/model/orbits/halley.orb",
                     "share/data/orbits/comets/109P_Swift-Tuttle.orb"], {}, []),
    "orbit_asteroid": (["tests/data/model/orbits/ceres.orb",
                        "share/data/orbits/asteroids/1927_LA.orb"], {}, []),
    "orbit_spacecraft": (["share/data/orbits/spacecrafts/*.dsc"], {}, []),
    "orbit_tle": (["tests/data/objects/satellites.tle"], {}, []),
    "list_comet": (["share/data/comets.dcl"], {}, []),
    "list_asteroid": (["share/data/asteroids.dal"], {}, []),
    "list_spacecraft": (["share/data/comets.dsl"], {}, []),
    "list_asatellite": (["share/data/asatellites.dal"], {}, []),
    "list_place": (["share/data/places.dpl"], {}, ["-weather", "-panorama"]),
    "stars_ascii": (["tests/data/stars/*.dsp"], {}, []),
    "stars_binary": ([], {"two-groups": star_binary()}, []),
    "stars_hipparcos": ([], {"three-groups": hipparcos()}, []),
    "star_catalog": ([], {"two-groups": catalog()}, []),
    "star_colors": (["tests/data/stars/*.map", "share/data/stars/starcolor.map"], {}, []),
    "constellation_list": (["tests/data/constes/constes.cdl", "tests/data/constes/odd.cdl"], {}, []),
    "constellation": (["tests/data/constes/[A-Z]*.cdl", "tests/data/constes/truncated*.cdl",
                       "share/data/constes/Ori.cdl"], {}, []),
    "art_cab": (["tests/data/constes/beta.cab", "share/data/constes/Cae.cab"], {}, []),
    "art_cat": (["tests/data/constes/*.cat"], {}, []),
    "obj_model": (["tests/data/objects/cube.obj"], {},
                  ["v", "vn", "vt", "f", "g", "s", "mtllib", "usemtl", "#"]),
    "obj_material": (["tests/data/objects/cube.mtl"], {},
                     ["newmtl", "Ka", "Kd", "Ks", "Ns", "d", "illum", "map_Kd"]),
    "configuration": (["share/data/config.def", "tests/data/root/data/config.def"], {}, []),
    "keymap": (["share/data/keymap.def", "tests/data/root/data/keymap.def"], {}, []),
    "help_file": (["share/data/argshelp.def", "tests/data/helpdoc/argshelp.def"], {}, []),
    "direction_names": (["share/data/direction.txt", "share/data/direction_ja.txt"], {}, []),
    "fixed_star_names": (["tests/data/names/fixedstars.txt", "share/data/fixedstars.txt"], {}, []),
    "galaxy_names": (["tests/data/names/galaxies.txt", "share/data/galaxies.txt"], {}, []),
    "display_config": (["share/stinit.cfg"], {}, []),
    "particles": (["share/effects/*.dfx", "tests/data/view/effects/*.dfx"], {}, []),
}

BINARY_FORMATS = {"image_bmp", "image_sgi", "image_jpeg", "image_png", "texture_image",
                  "stars_binary",
                "stars_hipparcos", "star_catalog", "datafile_le", "datafile_be"}


def words(data):
    out = set()
    for token in re.findall(rb"[^\s]+", data):
        if token.endswith(b":") and 1 < len(token) < 40:
            out.add(token)
        elif re.fullmatch(rb"[A-Z][A-Za-z]+\.[A-Za-z]+", token):
            out.add(token)  # Class.Word of a command line
    return out


def main():
    shutil.rmtree(SEEDS, ignore_errors=True)
    shutil.rmtree(DICTS, ignore_errors=True)
    os.makedirs(DICTS)
    for reader, (patterns, built, extra) in sorted(READERS.items()):
        folder = os.path.join(SEEDS, reader)
        os.makedirs(folder)
        seeds = {}
        for path in sources(patterns):
            with open(path, "rb") as f:
                seeds[os.path.basename(path)] = cut(f.read())
        for name, data in built.items():
            seeds[name] = data
        assert seeds, reader
        vocabulary = set(w.encode() for w in extra)
        for name, data in seeds.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)
            if reader not in BINARY_FORMATS:
                vocabulary |= words(data)
        if vocabulary:
            with open(os.path.join(DICTS, reader + ".dict"), "w") as f:
                for word in sorted(vocabulary):
                    escaped = "".join(c if 32 <= ord(c) < 127 and c not in '"\\' else
                                      "\\x%02x" % ord(c) for c in word.decode("latin-1"))
                    f.write('"%s"\n' % escaped)


if __name__ == "__main__":
    main()
