#!/usr/bin/env python3
# Generates data/stroke_classes.txt, the stroke table of the name number:
# a first line "# Sources: ..." naming the versions of the Debian packages it
# was made from, then thirty lines, line k holding in Shift-JIS (code page
# 932) every character that counts k strokes.
# Sources, both as installed by Debian packages:
#   KANJIDIC (package kanjidic): /usr/share/edict/kanjidic, the stroke
#     counts of the JIS X 0208 kanji (S fields; the first is the accepted
#     count, later ones are variant counts) and their grades (G field, present
#     for exactly the jōyō and jinmeiyō kanji, the ones given names may use);
#   Unihan (package unicode-data): /usr/share/unicode/Unihan_IRGSources.txt.bz2,
#     field kTotalStrokes.
# KANJIDIC is the work of the Electronic Dictionary Research and Development
# Group, used under its licence (Creative Commons Attribution-ShareAlike);
# Unihan is part of the Unicode Character Database, (c) Unicode, Inc., used
# under the Unicode terms of use. See the README.
# Other versions of the sources may move a few kanji, so the table and its
# report record the package versions (as dpkg reports them), and the
# regeneration check compares only when the installed versions are those.
# The kana, letters and marks, and the kanji whose class is fixed by hand,
# are listed in this file.
#
# It also writes data/stroke_moves.md, a UTF-8 report of every kanji whose
# class differs from its accepted KANJIDIC count.
#
# Usage: gen_stroke_classes.py [--output FILE] [--moves FILE]
#        gen_stroke_classes.py --sources   (prints the installed versions)
#
# Standard library only. The output is deterministic: the same inputs always
# give the same bytes.

"""Generate the stroke table from KANJIDIC and Unihan stroke counts.

How a kanji gets its class:

1. Kanji fixed by hand (the FIXED_* tables below) take their fixed class.
   Classes 1, 2 and 25 to 30 are complete as fixed here; no other kanji
   may enter them.
2. Every other kanji starts from its accepted KANJIDIC count.
3. The class sizes are exact (KANJI_PER_CLASS). Where the accepted counts do
   not fill the classes exactly, kanji are moved away from them. A kanji that
   KANJIDIC grades (a jōyō or jinmeiyō kanji, which names are written
   with) is never moved while an ungraded one can take its place: people
   check the name number against the count their dictionary gives. Among the
   rest, kanji are moved to counts that a source gives for them (a later
   KANJIDIC S value or a Unihan kTotalStrokes value) wherever that is
   possible, and then the fewest kanji possible, by the smallest steps. This
   is solved as a minimum-cost assignment by successive shortest paths over a
   graph whose nodes are the classes (see balance()).

The kanji whose class differs from the accepted KANJIDIC count are listed in
the report written with --moves (data/stroke_moves.md by default).
"""

import argparse
import bz2
import collections
import os
import re
import subprocess
import sys
import unicodedata

KANJIDIC_PATH = "/usr/share/edict/kanjidic"
UNIHAN_PATH = "/usr/share/unicode/Unihan_IRGSources.txt.bz2"

# The Debian packages that install the two sources.
SOURCE_PACKAGES = ("kanjidic", "unicode-data")

CLASS_COUNT = 30

# Characters per class (kanji, kana, letters and marks together).
CHARS_PER_CLASS = [
    24, 98, 128, 138, 168, 207, 316, 436, 465, 550,
    575, 576, 537, 432, 429, 368, 301, 204, 173, 128,
    113, 65, 52, 36, 19, 9, 9, 5, 5, 2,
]

# Kanji per class.
KANJI_PER_CLASS = [
    5, 29, 58, 109, 148, 200, 315, 436, 465, 550,
    575, 576, 537, 432, 429, 368, 301, 204, 173, 128,
    113, 65, 52, 36, 19, 9, 9, 5, 5, 2,
]

TOTAL_CHARS = 6568
TOTAL_KANJI = 6353
LEVEL1_KANJI = 2965
LEVEL2_KANJI = 3388

# The kanji range of the table: JIS X 0208 levels 1 and 2 up to 0xEAA2.
# 凜 (0xEAA3) and 熙 (0xEAA4), added to JIS X 0208 late, are in no class.
KANJI_FIRST = 0x889F
KANJI_LAST = 0xEAA2
LEVEL2_FIRST = 0x989F
EXCLUDED_KANJI = "凜熙"

# Kana, full-width letters and marks, by class (complete). A voiced kana
# counts its base kana plus two, a semi-voiced one plus one, a small kana
# the same as its full-size form. Ｕ is in no class.
NON_KANJI = {
    1: ("くしつのへっ", "ノフヘレ", "ＣＩＯＳｃｌｏｓ", "ー"),
    2: ("いうこてとひめりろんぺぃぅ",
        "アイカクコスセソトナニヌハヒマムメヤユラリルワンプペァィャュ",
        "ＤＪＬＰＱＴＶＸａｂｄｅｆｈｉｊｎｐｑｒｔｕｖｘｙ", "〃"),
    3: ("あえかけさすせちにぬみむもやゆよらるれわぐじづべぴぁぇゃゅょ",
        "ウエオキケサシタチツテミモヨロヲブベパピゥェォッョ",
        "ＡＢＦＧＨＫＮＲＹＺｇｋｍｚ", "々"),
    4: ("おきそたねはふまをごでどびぉ", "ネホガグゴズゼゾドバビ", "ＥＭＷｗ", ""),
    5: ("なほがげざずぜぢぱぷ", "ギゲザジダヂヅデポヴ", "", ""),
    6: ("ぎぞだばぶぽ", "ボ", "", ""),
    7: ("ぼ", "", "", ""),
}
HIRAGANA_LEFT_OUT = "ゎゐゑ"
KATAKANA_LEFT_OUT = "ヮヰヱヵヶ"
LETTERS_LEFT_OUT = "Ｕ"
HIRAGANA_COUNT = 80
KATAKANA_COUNT = 81
LETTER_COUNT = 51
MARKS = "々〃ー"

# Classes whose kanji are listed here completely.
COMPLETE_CLASSES = {
    1: "一乙丶丿亅",
    2: "九七十人丁刀二入乃八卜又了力乂亠儿冂冖冫几凵勹匕匚匸卩厂厶",
    25: "欝廳攬灣籬糶臠蠻覊躡釁鑰鑵靉顱鬣鹽黌鼈",
    26: "欖矚讚躪鑷驢鬮鱶黶",
    27: "鑽鑼鑾顴顳驥驤鱸黷",
    28: "纜钁鑿驩鸚",
    29: "鬱欟爨驪鸛",
    30: "驫鸞",
}

# Further kanji with a fixed class. A reduced radical counts the strokes of
# its written form: 氵 3, 忄 3, 扌 3, 艹 3, 辶 3, 阝 3, 王 as a left part 4,
# 礻 4, 犭 3, 月 as a left part 4, 衤 5.
FIXED_RADICAL_FORMS = (
    "池6 江6 河8 海9 性8 情11 快7 打5 持9 指9 花7 草9 英8 萬12 "
    "近7 進11 道12 辻5 遡13 謎16 郎9 部11 都11 阿8 陽12 院10 "
    "理11 球11 玲9 神9 福13 祥10 猫11 狂7 肝7 胸10 腕12 補12 被10"
)
# Numerals count as written.
FIXED_NUMERALS = "一1 二2 三3 四5 五4 六4 七2 八2 九2 十2 百6 千3 万3"
# Old forms count by their own shape, beside their new forms.
FIXED_OLD_FORMS = "國11 国8 澤16 沢7 廣15 広5 邊19 辺5 龍16 竜10"
# Counts that differ between forms or dictionaries, settled here.
FIXED_DISPUTED = "葛11 飴13 瓜5 牙4 巨5 臣7"
# Counts that the worked examples and tests of the name number rely on.
FIXED_EXAMPLES = "木4 林8 森12 日4 本5 亜7 汕6"

# Costs of the balancing step. Leaving a kanji at its accepted count costs
# nothing. Moving it costs MOVE_COST, plus STEP_COST per stroke of distance,
# plus SINGLE_SOURCE_COST when only one of the two sources gives the new
# count, or NO_SOURCE_COST per stroke of distance when neither does (such a
# count is a guess, and a far guess is worse than a near one); and
# GRADED_COST more when KANJIDIC grades the kanji. GRADED_COST is above all
# other costs of the whole table together (6,353 kanji, each below
# 3 * 10 ** 10), so no set of ungraded moves is dearer than one graded kanji
# moved. The weights make the solver prefer, in this order: graded kanji at
# their accepted counts; counts some source gives; fewer moved kanji; smaller
# steps; counts both sources give. Remaining ties go to the kanji with the
# lower Shift-JIS code and to the lower class number.
GRADED_COST = 10 ** 15
NO_SOURCE_COST = 10 ** 9
MOVE_COST = 10 ** 6
STEP_COST = 10 ** 3
SINGLE_SOURCE_COST = 1


class GenerationError(Exception):
    pass


# A kanji whose class differs from its accepted KANJIDIC count; sources names
# the sources that give the class, fixed tells a class fixed here from one
# the balancing chose, grade is the KANJIDIC grade or None.
Move = collections.namedtuple("Move", "code char accepted klass sources fixed grade")


def check(condition, message):
    """Abort generation unless condition holds (kept under python -O)."""
    if not condition:
        raise GenerationError(message)


def source_versions():
    """The installed sources as "kanjidic V, unicode-data W", versions as dpkg reports them."""
    versions = []
    for package in SOURCE_PACKAGES:
        try:
            query = subprocess.run(["dpkg-query", "-W", "-f=${Version}", package],
                                   capture_output=True, text=True)
        except OSError as error:
            raise GenerationError("cannot run dpkg-query: %s" % error)
        version = query.stdout.strip()
        check(query.returncode == 0 and version,
              "the Debian package %s is not installed" % package)
        versions.append("%s %s" % (package, version))
    return ", ".join(versions)


def table_header(sources):
    """The first line of the table; lines that start with # are no class."""
    return ("# Sources: %s (Debian packages). Made by tools/gen_stroke_classes.py; do not edit."
            % sources)


def sjis_bytes(code):
    return bytes((code >> 8, code & 0xFF))


def sjis_code(char):
    data = char.encode("cp932")
    check(len(data) == 2, "not a double-byte character: %r" % char)
    return data[0] * 256 + data[1]


def jis_to_sjis(jis):
    """JIS X 0208 row/cell code (0x2121..0x7E7E) to Shift-JIS code."""
    hi, lo = jis >> 8, jis & 0xFF
    check(0x21 <= hi <= 0x7E and 0x21 <= lo <= 0x7E, "bad JIS code %04X" % jis)
    lead = ((hi - 0x21) >> 1) + 0x81
    if lead > 0x9F:
        lead += 0x40
    if hi & 1:
        trail = lo + 0x1F
        if trail >= 0x7F:
            trail += 1
    else:
        trail = lo + 0x7E
    return lead * 256 + trail


def table_kanji_codes():
    """Every code from KANJI_FIRST to KANJI_LAST that code page 932 decodes
    to a CJK ideograph, in ascending order."""
    codes = []
    for code in range(KANJI_FIRST, KANJI_LAST + 1):
        lead, trail = code >> 8, code & 0xFF
        if not (0x81 <= lead <= 0x9F or 0xE0 <= lead <= 0xFC):
            continue
        if not (0x40 <= trail <= 0xFC) or trail == 0x7F:
            continue
        try:
            char = sjis_bytes(code).decode("cp932")
        except UnicodeDecodeError:
            continue
        if len(char) == 1 and unicodedata.name(char, "").startswith("CJK "):
            codes.append(code)
    return codes


def read_kanjidic(path):
    """Map Shift-JIS code -> (character, [S counts], grade or None) for every
    entry."""
    check(os.path.isfile(path),
          "KANJIDIC not found at %s (install the Debian package kanjidic)" % path)
    entries = {}
    with open(path, "rb") as f:
        for number, raw in enumerate(f, 1):
            if raw.startswith(b"#") or not raw.strip():
                continue
            line = raw.decode("euc_jp")
            fields = line.split("{", 1)[0].split()
            check(len(fields) >= 2, "%s:%d: malformed entry" % (path, number))
            char = fields[0]
            code = jis_to_sjis(int(fields[1], 16))
            counts = [int(f[1:]) for f in fields[2:] if re.fullmatch(r"S[0-9]+", f)]
            check(counts, "%s:%d: %s has no stroke count" % (path, number, char))
            grades = [int(f[1:]) for f in fields[2:] if re.fullmatch(r"G[0-9]+", f)]
            check(len(grades) <= 1, "%s:%d: %s has two grades" % (path, number, char))
            check(sjis_bytes(code).decode("cp932", "replace") == char,
                  "%s:%d: %s does not match its JIS code" % (path, number, char))
            check(code not in entries, "%s:%d: %s listed twice" % (path, number, char))
            entries[code] = (char, counts, grades[0] if grades else None)
    return entries


def read_unihan(path, wanted):
    """Map character -> [kTotalStrokes values] for the wanted characters."""
    check(os.path.isfile(path),
          "Unihan not found at %s (install the Debian package unicode-data)" % path)
    with bz2.open(path, "rb") as f:
        data = f.read()
    counts = {}
    for match in re.finditer(rb"^U\+([0-9A-F]+)\tkTotalStrokes\t([0-9 ]+)$",
                             data, re.MULTILINE):
        char = chr(int(match.group(1), 16))
        if char in wanted:
            counts[char] = [int(v) for v in match.group(2).split()]
    return counts


def parse_fixed(text):
    pairs = []
    for item in text.split():
        pairs.append((item[0], int(item[1:])))
    return pairs


def fixed_kanji():
    """Map character -> fixed class, checking that no kanji is fixed twice
    with different classes."""
    fixed = {}

    def put(char, klass):
        if char in fixed:
            check(fixed[char] == klass,
                  "%s fixed to both class %d and class %d" % (char, fixed[char], klass))
        fixed[char] = klass

    for klass, chars in sorted(COMPLETE_CLASSES.items()):
        check(len(chars) == len(set(chars)), "class %d lists a kanji twice" % klass)
        check(len(chars) == KANJI_PER_CLASS[klass - 1],
              "class %d lists %d kanji, not %d" % (klass, len(chars), KANJI_PER_CLASS[klass - 1]))
        for char in chars:
            put(char, klass)
    for text in (FIXED_RADICAL_FORMS, FIXED_NUMERALS, FIXED_OLD_FORMS,
                 FIXED_DISPUTED, FIXED_EXAMPLES):
        for char, klass in parse_fixed(text):
            check(1 <= klass <= CLASS_COUNT, "%s fixed to class %d" % (char, klass))
            check(klass not in COMPLETE_CLASSES or char in COMPLETE_CLASSES[klass],
                  "%s fixed to complete class %d without being listed there" % (char, klass))
            put(char, klass)
    return fixed


def check_non_kanji():
    """Check the kana, letter and mark lists; return character -> class."""
    classes = {}
    hiragana, katakana, letters, marks = [], [], [], []
    for klass, (hira, kata, lett, mark) in sorted(NON_KANJI.items()):
        for group, chars in ((hiragana, hira), (katakana, kata),
                             (letters, lett), (marks, mark)):
            for char in chars:
                check(char not in classes, "%s listed twice" % char)
                classes[char] = klass
                group.append(char)
    check(len(hiragana) == HIRAGANA_COUNT, "%d hiragana" % len(hiragana))
    check(len(katakana) == KATAKANA_COUNT, "%d katakana" % len(katakana))
    check(len(letters) == LETTER_COUNT, "%d letters" % len(letters))
    check(sorted(marks) == sorted(MARKS), "marks are %r" % "".join(marks))

    # The kana are JIS X 0208 rows 4 and 5 less the left-out ones; the
    # letters are Ａ..Ｚ and ａ..ｚ less Ｕ.
    row4 = [chr(c) for c in range(ord("ぁ"), ord("ん") + 1)]
    row5 = [chr(c) for c in range(ord("ァ"), ord("ヶ") + 1)]
    latin = ([chr(c) for c in range(ord("Ａ"), ord("Ｚ") + 1)] +
             [chr(c) for c in range(ord("ａ"), ord("ｚ") + 1)])
    check(sorted(hiragana) == [c for c in row4 if c not in HIRAGANA_LEFT_OUT],
          "hiragana are not row 4 less %s" % HIRAGANA_LEFT_OUT)
    check(sorted(katakana) == [c for c in row5 if c not in KATAKANA_LEFT_OUT],
          "katakana are not row 5 less %s" % KATAKANA_LEFT_OUT)
    check(sorted(letters) == [c for c in latin if c not in LETTERS_LEFT_OUT],
          "letters are not Ａ..Ｚ ａ..ｚ less %s" % LETTERS_LEFT_OUT)

    # Voiced +2, semi-voiced +1, small = full size.
    for char in hiragana + katakana:
        parts = unicodedata.normalize("NFD", char)
        if len(parts) == 2:
            base, mark = parts
            check(base in classes, "base kana of %s not listed" % char)
            plus = {"\u3099": 2, "\u309a": 1}[mark]
            check(classes[char] == classes[base] + plus,
                  "%s counts %d, its base %s %d" % (char, classes[char], base, classes[base]))
        name = unicodedata.name(char)
        if " SMALL " in name:
            full = unicodedata.lookup(name.replace(" SMALL ", " "))
            check(classes[char] == classes.get(full),
                  "small %s counts %d, %s %s" % (char, classes[char], full, classes.get(full)))

    for char in classes:
        sjis_code(char)  # each is a double-byte character of code page 932
    return classes


def balance(free, capacity, cost):
    """Assign each free kanji a class so that class c receives exactly
    capacity[c] kanji at least total cost.

    free: list of kanji keys in tie-break order; capacity: class -> size;
    cost(key, klass) -> int. Returns key -> class.

    Each kanji first takes its cheapest class; the over-full classes then
    hand kanji on along cheapest paths to under-full ones. An edge u -> v of
    the class graph moves one kanji now in u to v at the smallest cost
    difference; each unit is sent along a shortest path (Bellman-Ford, as
    differences can be negative), which keeps the assignment optimal.
    """
    classes = sorted(capacity)
    check(sum(capacity.values()) == len(free),
          "%d free kanji for %d places" % (len(free), sum(capacity.values())))
    check(all(size >= 0 for size in capacity.values()), "negative class capacity")

    costs = {key: {c: cost(key, c) for c in classes} for key in free}
    place = {}
    members = {c: [] for c in classes}
    for key in free:
        best = min(classes, key=lambda c: (costs[key][c], c))
        place[key] = best
        members[best].append(key)

    order = {key: i for i, key in enumerate(free)}
    edge_cache = {}

    def edges_from(u):
        # v -> (cost difference, kanji) for the cheapest kanji of u to move.
        if u not in edge_cache:
            best = {}
            for key in members[u]:
                here = costs[key][u]
                for v in classes:
                    if v == u:
                        continue
                    candidate = (costs[key][v] - here, order[key], key)
                    if v not in best or candidate < best[v]:
                        best[v] = candidate
            edge_cache[u] = {v: (d, key) for v, (d, _, key) in best.items()}
        return edge_cache[u]

    while True:
        excess = {c: len(members[c]) - capacity[c] for c in classes}
        sources = [c for c in classes if excess[c] > 0]
        if not sources:
            break
        dist = {c: (0 if excess[c] > 0 else None) for c in classes}
        prev = {}
        for round_ in range(len(classes) + 1):
            changed = False
            for u in classes:
                if dist[u] is None:
                    continue
                for v, (d, key) in sorted(edges_from(u).items()):
                    if dist[v] is None or dist[u] + d < dist[v]:
                        dist[v] = dist[u] + d
                        prev[v] = (u, key)
                        changed = True
            if not changed:
                break
            check(round_ < len(classes), "negative cycle in the class graph")
        sinks = [c for c in classes if excess[c] < 0 and dist[c] is not None]
        check(sinks, "no kanji can move into the under-full classes %s" %
              [c for c in classes if excess[c] < 0])
        target = min(sinks, key=lambda c: (dist[c], c))
        path = []
        node = target
        while node in prev:
            u, key = prev[node]
            path.append((key, u, node))
            node = u
            check(len(path) <= len(classes), "cycle in the shortest-path tree")
        check(excess[node] > 0, "shortest path does not start at an over-full class")
        for key, u, v in path:
            members[u].remove(key)
            members[v].append(key)
            place[key] = v
            edge_cache.pop(u, None)
            edge_cache.pop(v, None)
    return place


def source_names(klass, variants, unihan):
    names = []
    if klass in variants:
        names.append("KANJIDIC variant")
    if klass in unihan:
        names.append("Unihan")
    return ", ".join(names) if names else "none"


def generate():
    """Return (the 30 lines as lists of Shift-JIS codes, the moves)."""
    # The kanji of the table.
    codes = table_kanji_codes()
    check(len(codes) == TOTAL_KANJI, "%d kanji in range, not %d" % (len(codes), TOTAL_KANJI))
    check(sum(1 for c in codes if c < LEVEL2_FIRST) == LEVEL1_KANJI, "level 1 count")
    check(sum(1 for c in codes if c >= LEVEL2_FIRST) == LEVEL2_KANJI, "level 2 count")
    for char in EXCLUDED_KANJI:
        check(sjis_code(char) > KANJI_LAST, "%s inside the kanji range" % char)
    code_set = set(codes)

    kanjidic = read_kanjidic(KANJIDIC_PATH)
    missing = sorted(code_set - set(kanjidic))
    check(not missing, "KANJIDIC lacks %d kanji, first %04X"
          % (len(missing), missing[0] if missing else 0))
    chars = {code: kanjidic[code][0] for code in codes}
    code_of = {char: code for code, char in chars.items()}
    unihan = read_unihan(UNIHAN_PATH, set(code_of))
    lacking = [chars[c] for c in codes if chars[c] not in unihan]
    check(not lacking, "Unihan lacks kTotalStrokes for %s" % "".join(lacking[:20]))

    accepted = {code: kanjidic[code][1][0] for code in codes}
    variants = {code: set(kanjidic[code][1][1:]) for code in codes}
    unihan_counts = {code: set(unihan[chars[code]]) for code in codes}
    grade = {code: kanjidic[code][2] for code in codes}

    # Fixed kanji.
    fixed = fixed_kanji()
    for char in fixed:
        check(char in code_of, "fixed kanji %s is not in the kanji range" % char)
    klass_of = {code_of[char]: klass for char, klass in fixed.items()}
    capacity = {}
    for klass in range(1, CLASS_COUNT + 1):
        if klass in COMPLETE_CLASSES:
            continue
        taken = sum(1 for k in klass_of.values() if k == klass)
        capacity[klass] = KANJI_PER_CLASS[klass - 1] - taken
        check(capacity[klass] >= 0, "class %d has too many fixed kanji" % klass)

    def cost(code, klass):
        if klass == accepted[code]:
            return 0
        step = abs(klass - accepted[code])
        given = (klass in variants[code]) + (klass in unihan_counts[code])
        if given == 0:
            extra = NO_SOURCE_COST * step
        elif given == 1:
            extra = SINGLE_SOURCE_COST
        else:
            extra = 0
        if grade[code] is not None:
            extra += GRADED_COST
        return MOVE_COST + STEP_COST * step + extra

    free = [code for code in codes if code not in klass_of]
    klass_of.update(balance(free, capacity, cost))

    # Assemble the lines.
    lines = [[] for _ in range(CLASS_COUNT)]
    for code, klass in klass_of.items():
        lines[klass - 1].append(code)
    non_kanji = check_non_kanji()
    for char, klass in non_kanji.items():
        lines[klass - 1].append(sjis_code(char))
    for line in lines:
        line.sort()

    verify(lines, chars, fixed, non_kanji, code_set)

    moves = []
    for code in codes:
        if klass_of[code] != accepted[code]:
            moves.append(Move(code, chars[code], accepted[code], klass_of[code],
                              source_names(klass_of[code], variants[code], unihan_counts[code]),
                              chars[code] in fixed, grade[code]))
    return lines, moves


def verify(lines, chars, fixed, non_kanji, kanji_codes):
    """Re-check the finished table against every rule it must meet."""
    check(len(lines) == CLASS_COUNT, "%d classes" % len(lines))
    seen = {}
    for klass, line in enumerate(lines, 1):
        for code in line:
            check(code not in seen, "%04X in classes %d and %d" % (code, seen.get(code, 0), klass))
            seen[code] = klass
    check(len(seen) == TOTAL_CHARS, "%d characters, not %d" % (len(seen), TOTAL_CHARS))
    allowed = set(kanji_codes) | {sjis_code(c) for c in non_kanji}
    check(set(seen) == allowed, "the table does not hold exactly the allowed characters")
    for char in EXCLUDED_KANJI:
        check(sjis_code(char) not in seen, "%s is in the table" % char)
    for klass, line in enumerate(lines, 1):
        check(len(line) == CHARS_PER_CLASS[klass - 1], "class %d holds %d characters, not %d"
              % (klass, len(line), CHARS_PER_CLASS[klass - 1]))
        kanji = sum(1 for code in line if code in kanji_codes)
        check(kanji == KANJI_PER_CLASS[klass - 1],
              "class %d holds %d kanji, not %d" % (klass, kanji, KANJI_PER_CLASS[klass - 1]))
        check(line == sorted(line), "class %d not sorted" % klass)
        for code in line:
            check(code >> 8 >= 0x81 and (code & 0xFF) >= 0x40, "%04X not double-byte" % code)
    for klass, listed in COMPLETE_CLASSES.items():
        kanji = sorted(c for c in lines[klass - 1] if c in kanji_codes)
        check(kanji == sorted(sjis_code(c) for c in listed),
              "class %d does not hold exactly its listed kanji" % klass)
    for char, klass in list(fixed.items()) + list(non_kanji.items()):
        check(seen.get(sjis_code(char)) == klass,
              "%s is in class %s, not %d" % (char, seen.get(sjis_code(char)), klass))


def encode(lines, sources):
    out = bytearray(table_header(sources).encode("ascii") + b"\n")
    for line in lines:
        for code in line:
            out += sjis_bytes(code)
        out += b"\n"
    return bytes(out)


def moves_report(moves, sources):
    """The UTF-8 report of the kanji whose class differs from KANJIDIC."""
    fixed = sum(1 for m in moves if m.fixed)
    graded = [m for m in moves if m.grade is not None]
    graded_fixed = sum(1 for m in graded if m.fixed)
    out = [
        "Generated by tools/gen_stroke_classes.py from KANJIDIC and Unihan (Debian packages",
        "%s); do not edit." % sources,
        "",
        "# Kanji outside their KANJIDIC stroke count",
        "",
        "The stroke table `data/stroke_classes.txt` puts these %d kanji in a class other than"
        % len(moves),
        "their accepted stroke count in KANJIDIC (the first S value of the entry): %d whose"
        % fixed,
        "class the table's own rules fix, and %d moved so that every class holds exactly its"
        % (len(moves) - fixed),
        "number of kanji. Graded in KANJIDIC (G field: the jōyō and jinmeiyō kanji, which",
        "given names are written with): %d, of which %d have a fixed class and %d were moved."
        % (len(graded), graded_fixed, len(graded) - graded_fixed),
        "",
        "*Source of the class*: *KANJIDIC variant* is a later S value of the KANJIDIC entry,",
        "*Unihan* its kTotalStrokes value, *none* a count that neither gives. *Why*: *fixed*,",
        "the table's rules give the kanji its class; *class size*, moved to fill the classes.",
        "Listed by Shift-JIS code.",
        "",
        "| Kanji | Shift-JIS | KANJIDIC | Class | Source of the class | Why | Grade |",
        "|---|---|---|---|---|---|---|",
    ]
    for m in moves:
        out.append("| %s | %04X | %d | %d | %s | %s | %s |" % (
            m.char, m.code, m.accepted, m.klass, m.sources,
            "fixed" if m.fixed else "class size", "" if m.grade is None else "G%d" % m.grade))
    return ("\n".join(out) + "\n").encode("utf-8")


def main(argv=None):
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(
        description="Generate the stroke table from KANJIDIC and Unihan.")
    parser.add_argument("--output", default=os.path.join(root, "data", "stroke_classes.txt"),
                        help="file to write (default: data/stroke_classes.txt)")
    parser.add_argument("--moves", default=os.path.join(root, "data", "stroke_moves.md"),
                        help="report of the kanji whose class differs from the accepted "
                             "KANJIDIC count (default: data/stroke_moves.md)")
    parser.add_argument("--sources", action="store_true",
                        help="print the installed versions of the source packages, as the "
                             "table's first line names them, and write nothing")
    args = parser.parse_args(argv)
    try:
        sources = source_versions()
        if args.sources:
            print(sources)
            return 0
        lines, moves = generate()
    except GenerationError as error:
        sys.stderr.write("gen_stroke_classes: error: %s\n" % error)
        return 1
    with open(args.output, "wb") as f:
        f.write(encode(lines, sources))
    with open(args.moves, "wb") as f:
        f.write(moves_report(moves, sources))
    return 0


if __name__ == "__main__":
    sys.exit(main())
