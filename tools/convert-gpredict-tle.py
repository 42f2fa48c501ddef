#!/usr/bin/python3
"""Artificial-satellite orbit files from the element sets of Debian's gpredict package.

Reads /usr/share/gpredict/data/satdata/satellites.dat (the two-line element sets of
about 980 satellites, January 2018) and the category lists *.cat beside it, and writes
one element file per category into share/data/orbits/asatellites/ (title line, line 1,
line 2; "#" lines are comments). Each satellite goes to the first category of CATEGORIES
that lists it, the others to other.tle, so that every title appears once.

Titles are gpredict's names with these changes, so that each is one unique list word:
the status marks of the operational lists (" [+]", " [-]", " [P]", ...) are dropped,
runs of blanks become one blank (the program turns blanks into "_"), names that begin
with a digit (international designators such as 2017-071N, which the reader would take
for element lines) get "OBJECT " before them, and names that stay shared by several
satellites get their catalogue number in brackets.

Run from the project root with /usr/bin/python3 after `apt-get install gpredict`.
"""
import collections
import os
import re

SATDATA = "/usr/share/gpredict/data/satdata"
OUT = "share/data/orbits/asatellites"
CATEGORIES = ["science", "visual", "weather", "noaa", "gps-ops", "galileo", "glo-ops",
              "molniya", "iridium-NEXT", "iridium", "cubesat", "amateur"]


def read_sets():
    sets = {}
    block = {}
    for line in open(os.path.join(SATDATA, "satellites.dat"), encoding="utf-8"):
        line = line.rstrip("\n")
        if line.startswith("["):
            block = {}
            sets[line.strip("[]")] = block
        elif "=" in line:
            key, value = line.split("=", 1)
            block[key] = value
    return {n: b for n, b in sets.items() if "TLE1" in b and "TLE2" in b and "NAME" in b}


def title_of(name):
    name = re.sub(r" \[[-+A-Z]\]$", "", name.strip())
    name = re.sub(r"\s+", " ", name)
    if name[:1].isdigit() or name[:1] == "#":
        name = "OBJECT " + name
    return name


def main():
    sets = read_sets()
    titles = {n: title_of(b["NAME"]) for n, b in sets.items()}
    count = collections.Counter(titles.values())
    for n in titles:
        if count[titles[n]] > 1:
            titles[n] = "%s (%s)" % (titles[n], n)
    assert len(set(titles.values())) == len(titles)

    placed = {}
    for category in CATEGORIES:
        for line in open(os.path.join(SATDATA, category + ".cat"), encoding="utf-8"):
            number = line.strip()
            if number in sets and number not in placed:
                placed[number] = category
    os.makedirs(OUT, exist_ok=True)
    for category in CATEGORIES + ["other"]:
        numbers = sorted((n for n in sets if placed.get(n, "other") == category),
                         key=lambda n: titles[n])
        if not numbers:
            continue
        with open(os.path.join(OUT, category + ".tle"), "w", encoding="ascii") as out:
            out.write("# %s: %d element sets of January 2018 from Debian's gpredict package\n"
                      % (category, len(numbers)))
            out.write("# (satdata/satellites.dat), converted by tools/convert-gpredict-tle.py.\n")
            for n in numbers:
                out.write("%s\n%s\n%s\n" % (titles[n], sets[n]["TLE1"], sets[n]["TLE2"]))
    print("%d sets" % len(sets))


if __name__ == "__main__":
    main()
