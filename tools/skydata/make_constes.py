#!/usr/bin/python3
"""Builds the 88 constellation files and their list.

  data/constes/constes.cdl   the list: one ".cdl" file name per constellation
  data/constes/<Abr>.cdl     name, category, art, label place, area,
                             boundary ("Sep:") and figure ("Lines:")

Figures: stellarium-data's western sky culture (star pairs by Hipparcos
number), each star placed on its kstars-data star table entry, so the lines
end on the drawn stars. Boundaries: kstars-data cbounds.dat (IAU boundaries
precessed to J2000 and densified to 1-degree steps, so the drawn chords
follow them). Label places: kstars-data cnames.dat. Names: the Latin names,
blanks written as "_" (a name is one token). Art: make_art.py traces
stellarium-data's drawings into ".cab" files beside them.

Usage: make_constes.py SHARE_DIR
"""

import math
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_art  # noqa: E402
import skyframes as sf  # noqa: E402
import sources  # noqa: E402

SQDEG_PER_SR = (180.0 / math.pi) ** 2


def load_names():
    out = {}
    with open(os.path.join(sources.WESTERN, "constellation_names.eng.fab"), encoding="utf-8") as f:
        for line in f:
            cols = line.split("\t")
            if len(cols) >= 2 and not line.startswith("#"):
                out[cols[0].strip()] = cols[1].strip().strip('"')
    return out


def load_label_places():
    """Western-culture label places of kstars-data cnames.dat: abbreviation -> (ra, dec)."""
    out = {}
    block = None
    with open(sources.need(os.path.join(sources.KSTARS, "cnames.dat"), "kstars-data")) as f:
        for line in f:
            if line.startswith("C "):
                block = line[2:].strip()
                continue
            if block != "Western" or len(line) < 16 or line.startswith("#"):
                continue
            ra = (int(line[0:2]) + int(line[2:4]) / 60 + int(line[4:6]) / 3600) * 15.0
            sign = -1.0 if line[6] == "-" else 1.0
            dec = sign * (int(line[7:9]) + int(line[9:11]) / 60 + int(line[11:13]) / 3600)
            abbr = line[13:16].strip()
            out.setdefault(abbr, (ra, dec))
    return out


def load_boundaries():
    """Latin name -> list of (ra deg, dec deg) of its J2000 boundary outline."""
    out = {}
    cur = None
    with open(sources.need(os.path.join(sources.KSTARS, "cbounds.dat"), "kstars-data")) as f:
        for line in f:
            if line.startswith(":"):
                cur = []
                out[line[1:].strip()] = cur
            elif line.strip():
                w = line.split()
                cur.append(((float(w[0]) * 15.0) % 360.0, float(w[1])))
    for pts in out.values():  # the outline closes itself when drawn
        if len(pts) > 1 and np.allclose(pts[0], pts[-1]):
            pts.pop()
    return out


def _nearest(pts, p):
    v = sf.eq_vector(np.array([q[0] for q in pts]), np.array([q[1] for q in pts]))
    c = v @ sf.eq_vector(p[0], p[1])
    i = int(np.argmax(c))
    return i, math.degrees(math.acos(min(1.0, c[i])))


def join_serpens(caput, cauda, ophiuchus):
    """One outline for both parts of Serpens, joined along Ophiuchus' boundary.

    The outline is drawn as one line loop, so the way from one part to the
    other and back runs on boundary edges that Ophiuchus draws anyway.
    """
    best = None
    for i, p in enumerate(caput):
        j, d = _nearest(ophiuchus, p)
        if d < 0.02 and (best is None or d < best[2]):
            best = (i, j, d)
    ci, oi, _ = best
    best = None
    for i, p in enumerate(cauda):
        j, d = _nearest(ophiuchus, p)
        if d < 0.02:
            # prefer the Cauda vertex reached by the shortest walk along Ophiuchus
            n = len(ophiuchus)
            steps = min((j - oi) % n, (oi - j) % n)
            if best is None or steps < best[2]:
                best = (i, j, steps)
    ki, oj, _ = best
    n = len(ophiuchus)
    fwd = (oj - oi) % n
    if fwd <= n - fwd:
        walk = [ophiuchus[(oi + s) % n] for s in range(1, fwd)]
    else:
        walk = [ophiuchus[(oi - s) % n] for s in range(1, n - fwd)]
    a = caput[ci:] + caput[:ci] + [caput[ci]]
    b = cauda[ki:] + cauda[:ki] + [cauda[ki]]
    return a + walk + b + walk[::-1]


def polygon_area_sqdeg(pts):
    lam = np.unwrap(np.radians([p[0] for p in pts] + [pts[0][0]]))
    s = np.sin(np.radians([p[1] for p in pts] + [pts[0][1]]))
    dl = np.diff(lam)
    sm = 0.5 * (s[1:] + s[:-1])
    total = dl.sum()
    if abs(total) < 1e-6:
        area = abs(np.sum(dl * sm))
    else:  # the outline goes round a pole
        area = min(abs(np.sum(dl * (1 - sm))), abs(np.sum(dl * (1 + sm))))
    return area * SQDEG_PER_SR


def strips_of(pairs):
    strips = []
    for a, b in pairs:
        if strips and strips[-1][-1] == a:
            strips[-1].append(b)
        elif strips and strips[-1][-1] == b:
            strips[-1].append(a)
        else:
            strips.append([a, b])
    return strips


def write_cdl(fn, name, art, pos, area, outline, strips, stars, locate):
    with open(fn, "w", encoding="ascii", newline="\n") as f:
        f.write("# %s: figure, IAU boundary and label place (J2000)\n" % name.replace("_", " "))
        f.write("Name: %s\nCateg: Default\n" % name)
        if art:
            f.write("Art: %s\n" % art)
        f.write("Pos: %.4f %.4f\nArea: %.3f\n" % (pos[0], pos[1], area))
        f.write("Sep:\n")
        for ra, dec in outline:
            f.write("%.5f %.5f\n" % (ra, dec))
        f.write("}\n")
        # figure stars: x = third number, y = first, z = second; the fourth is
        # the Hipparcos number
        f.write("Lines:\n")
        for k, strip in enumerate(strips):
            if k:
                f.write("\n")
            for hip in strip:
                row = locate(hip)
                if row is None:
                    continue
                e = sf.eq_vector(stars.ra[row], stars.dec[row])
                f.write("%.6f %.6f %.6f %d\n" % (e[1], e[2], e[0], hip))
        f.write("}\n")


def main(share):
    stars = sources.load_kstars_stars()
    loc = sources.HipLocator(stars)
    cache = {}

    def locate(hip):
        if hip not in cache:
            cache[hip] = loc.index(hip)
        return cache[hip]

    names = load_names()
    figures = sources.load_fab_lines(os.path.join(sources.WESTERN, "constellationship.fab"))
    places = load_label_places()
    bounds = load_boundaries()
    serpens = [bounds.pop("Serpens Caput"), bounds.pop("Serpens Cauda")]
    bounds["Serpens"] = join_serpens(serpens[0], serpens[1], bounds["Ophiuchus"])
    places.setdefault("Ser", places.get("SCp"))
    outdir = os.path.join(share, "data", "constes")
    os.makedirs(outdir, exist_ok=True)
    arts, art_report = make_art.build(outdir, stars, locate)
    if "-v" in sys.argv:
        print("\n".join(art_report))
    listed = []
    total_area = 0.0
    for abbr in sorted(names, key=lambda a: names[a]):
        latin = names[abbr]
        outline = bounds[latin]
        if latin == "Serpens":
            area = sum(polygon_area_sqdeg(part) for part in serpens)
        else:
            area = polygon_area_sqdeg(outline)
        total_area += area
        fn = "%s.cdl" % abbr
        write_cdl(os.path.join(outdir, fn), sources.ascii_token(latin), arts.get(abbr),
                  places[abbr], area, outline, strips_of(figures[abbr]), stars, locate)
        listed.append(fn)
    with open(os.path.join(outdir, "constes.cdl"), "w", newline="\n") as f:
        f.write("\n".join(listed) + "\n")
    missing = sorted(set(loc.missing))
    print("constellations: %d (%d with art), total area %.2f sq deg, figure stars not found: %s"
          % (len(listed), len(arts), total_area, missing))


if __name__ == "__main__":
    args = [a for a in sys.argv[1:] if a != "-v"]
    main(args[0] if args else "share")
