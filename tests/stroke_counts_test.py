#!/usr/bin/env python3
"""The stroke table against KANJIDIC as installed (Debian package kanjidic): every kanji that
KANJIDIC grades (G field: the jōyō and jinmeiyō kanji, which given names are written with)
stands in the class of its accepted stroke count, the first S value, except the kanji whose
class the table pins; and the table agrees with the accepted counts for at least 99% of its
kanji. Reads the sources itself, so a fault in the generator cannot hide here.

usage: stroke_counts_test.py PATH_TO_STROKE_CLASSES
"""
import pathlib
import re
import sys

KANJIDIC = pathlib.Path("/usr/share/edict/kanjidic")
# Graded kanji whose class the table fixes away from KANJIDIC's accepted count.
PINNED = {"牙": 4, "瓜": 5}
LEAST_AGREEMENT = 0.99
# KANJIDIC 2022 grades 2,888 kanji of the table; far fewer found means it was not read right.
LEAST_GRADED = 2800

failures = []


def check(what, condition, detail=""):
    if not condition:
        failures.append(f"{what}: {detail}")


def table_classes(path):
    """Character -> class for every character of the table (after the lines starting with #,
    which name its sources, line k holds class k)."""
    classes = {}
    lines = [line for line in path.read_bytes().split(b"\n") if not line.startswith(b"#")]
    check("30 classes and a final line feed", len(lines) == 31 and lines[30] == b"", len(lines))
    for klass, line in enumerate(lines[:30], 1):
        for char in line.decode("cp932"):
            classes[char] = klass
    return classes


def kanjidic_entries():
    """Character -> (accepted stroke count, grade or None)."""
    entries = {}
    for raw in KANJIDIC.read_bytes().decode("euc_jp").splitlines():
        if raw.startswith("#") or not raw.strip():
            continue
        fields = raw.split("{", 1)[0].split()
        strokes = [int(f[1:]) for f in fields[2:] if re.fullmatch(r"S\d+", f)]
        grades = [int(f[1:]) for f in fields[2:] if re.fullmatch(r"G\d+", f)]
        entries[fields[0]] = (strokes[0], grades[0] if grades else None)
    return entries


def main():
    if not KANJIDIC.is_file():
        print(f"FAILED {KANJIDIC} is missing (install the Debian package kanjidic)")
        return 1
    classes = table_classes(pathlib.Path(sys.argv[1]))
    entries = kanjidic_entries()
    kanji = [char for char in classes if char in entries]

    graded = [char for char in kanji if entries[char][1] is not None]
    check("graded kanji found", len(graded) >= LEAST_GRADED, len(graded))
    moved = [char for char in graded if classes[char] != entries[char][0]]
    for char in moved:
        if char not in PINNED:
            check(f"graded {char}", False,
                  f"class {classes[char]}, KANJIDIC counts {entries[char][0]}")
    for char, klass in PINNED.items():
        check(f"pinned {char}", classes.get(char) == klass, classes.get(char))

    agreeing = sum(1 for char in kanji if classes[char] == entries[char][0])
    agreement = agreeing / len(kanji) if kanji else 0
    check("kanji of the table in KANJIDIC", len(kanji) == 6353, len(kanji))
    check("agreement with KANJIDIC", agreement >= LEAST_AGREEMENT,
          f"{agreeing} of {len(kanji)}")

    for failure in failures:
        print("FAILED", failure)
    print(f"{len(graded)} graded kanji, {len(moved)} off their KANJIDIC count "
          f"(pinned: {''.join(PINNED)}); {agreeing} of {len(kanji)} kanji "
          f"({agreement:.2%}) at their KANJIDIC count")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
