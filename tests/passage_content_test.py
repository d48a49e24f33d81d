#!/usr/bin/env python3
"""Rules of content on the reading passages under data/, beyond their form (which the unit
tests check on the embedded tables): the banner alone judges the year, health is care and not
diagnosis, the hexagram bodies keep one polite register, the ten-god passages do not repeat
one another, one spelling for each word, and the readings that a user sees (10 name stems x 60
year pillars) do not pile up directives or contradict their banner.

usage: passage_content_test.py DATA_DIR TENKARI_CLI [--report]
  TENKARI_CLI composes the 600 readings, as the program does.
  --report prints the measured figures as well.
"""
import pathlib
import re
import subprocess
import sys

DATA = pathlib.Path(sys.argv[1])
CLI = sys.argv[2]
REPORT = "--report" in sys.argv[3:]

MARKS = "○〇◎△▲●"
# A mark that praises and one that warns; △ and ▲ are mixed and never clash with a banner.
PRAISING_MARKS = "○〇◎"
WARNING_MARKS = "●"
GOOD_YEAR, BAD_YEAR = "吉年", "凶年"
# A name whose name number is 1, 2, … 10: one of each name stem (10 is 癸).
NAMES_BY_NAME_NUMBER = "一人山木田竹村林星高"

# Words that judge the whole year; the banner alone may do that. Checked in every ten-god and
# stage body (the mark lines may not even name the year).
VERDICT_WORDS = re.compile(
    "大吉|大凶|吉年|凶年|平年|万事順調|忍の一字|思うに任せぬ|運の良い|運の悪い|幸運な年|不運な年"
    "|(良い|よい|悪い|厳しい|苦しい|辛い|つらい|試練の|失う|実り豊かな|張りのある|大吉の)(一)?年")
# Organs and illnesses are not forecast; the health lines give general care.
ORGAN_WORDS = re.compile("心臓|腎|膀胱|肝臓|泌尿器|肺|気管|呼吸器|血圧|胃|腸|皮膚|骨や|骨を|骨が|神経")
# Health topics: a passage that names one of these carries a health line.
HEALTH_WORDS = re.compile(
    "体調|養生|睡眠|寝不足|寝つき|眠りが|体が冷え|冷えか|疲れ|肩や|肩こり|凝り|腰や|腰を痛|足腰|喉|頭痛"
    "|休息|むくみ|肌の|肌が|医師|体を|心身|体力|食べ過ぎ|飲み過ぎ|深酒|けが|休む日")
MOST_HEALTH_PASSAGES = 20
# One spelling of each word: the spellings on the left are not used.
SPELLINGS = {
    "てゆ": "ていく", "気付": "気づく", "気を付け": "気をつける", "怪我": "けが", "閃き": "ひらめき",
    "堰き": "せき止める", "奢り": "おごり", "労わ": "いたわる", "心掛け": "心がけ", "のびやか": "伸びやか",
    "ふだん": "普段", "囚われ": "とらわれる",
}
# 〜込む (染み込む, 打ち込む …) in kanji.
KOMU_IN_KANA = re.compile("(染み|持ち|詰め|背負い|抱え|打ち|取り|垂れ|舞い|溶け|呑み|注ぎ|入り|追い|流れ)こ[まみむめもん]")
MOST_PLEASE_HEAVY_READINGS = 30  # readings that show 下さい three times or more
MOST_OPENING_WITH_KONEN_NO_ANATA = 25
MOST_FIRST_SENTENCES_ON_THE_YEAR = 50
SHARED_PHRASE = 14  # characters that no two ten-god passages may share
SHORTEST_LAST_BODY_LINE = 11  # characters
# The first halves of set phrases (手を組む, 根を詰める, いつにも増して …): no line ends on one.
SET_PHRASE_HEADS = ("手を", "根を", "腰を", "耳を", "精を", "流れを", "短気を", "表に", "目に", "上に",
                    "先に", "手に", "脇に", "いつにも", "いつの", "ひびが", "邪魔が", "形を", "胸の")
POLITE_ENDINGS = ("です", "ます", "ません", "ましょう", "下さい", "でしょう")

failures = []
figures = {}


def check(what, condition, detail=""):
    if not condition:
        failures.append(f"{what}: {detail}")


def read(key):
    return (DATA / (key + ".txt")).read_bytes().decode("cp932")


def ten_god(d, x):
    return read(f"ten_god/{d}-{x}")


def split_passage(text):
    """(heading, body lines, mark lines) of a ten-god or stage passage."""
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    heading, rest = lines[1], [line for line in lines[2:] if line]
    for i, line in enumerate(rest):
        if line[:1] in MARKS:
            return heading, rest[:i], rest[i:]
    return heading, rest, []


def cli(*arguments):
    result = subprocess.run([CLI, *arguments], capture_output=True, check=True)
    return result.stdout.decode("utf-8")


def numbers(name, year):
    """The derived numbers that tenkari-cli gives for a reading, born in year 1, male."""
    lines = cli("--name", name, "--birth", "1", "--year", str(year), "--numbers").splitlines()
    return {key: value for key, value in (line.split("=", 1) for line in lines)}


CELLS = [(d, x) for d in range(10) for x in range(10)]
STAGES = [read(f"twelve_stage/stage-{s}") for s in range(12)]
# The two cells whose stage text is a variant of its own.
CELL_STAGES = [read(f"twelve_stage/cell-{d}-{b}") for d, b in ((6, 0), (2, 1))]
HEXAGRAMS = {f"{a}-{b}": read(f"hexagram/{a}-{b}") for a in (1, 2, 3, 4, 6, 7, 8, 9)
             for b in (1, 2, 3, 4, 6, 7, 8, 9)}


def body_of(text):
    return "".join(split_passage(text)[1])


# The mark lines speak of the relation's own field, never of the year.
for d, x in CELLS:
    marks = "".join(split_passage(ten_god(d, x))[2])
    check(f"ten_god/{d}-{x} mark line judges the year", not re.search("[年吉凶]", marks), marks)

# No ten-god or stage body passes a verdict on the whole year.
for d, x in CELLS:
    found = VERDICT_WORDS.findall(body_of(ten_god(d, x)))
    check(f"ten_god/{d}-{x} verdict on the year", not found, found)
for s, text in enumerate(STAGES):
    found = VERDICT_WORDS.findall(body_of(text))
    check(f"stage-{s} verdict on the year", not found, found)

# Health as care: no organ or illness, and a health line in few of the ten-god passages.
health_passages = 0
for d, x in CELLS:
    text = ten_god(d, x)
    found = ORGAN_WORDS.findall(text)
    check(f"ten_god/{d}-{x} names an organ", not found, found)
    health_passages += bool(HEALTH_WORDS.search(text))
for s, text in enumerate(STAGES):
    found = ORGAN_WORDS.findall(text)
    check(f"stage-{s} names an organ", not found, found)
figures["ten-god passages with a health line"] = health_passages
check("health lines", health_passages <= MOST_HEALTH_PASSAGES, health_passages)

# One register in the hexagram passages: every sentence outside the advice line is polite, and
# the classical forms stay inside the advice line.
for key, text in HEXAGRAMS.items():
    body = [line for line in text.split("\n")[2:] if line]
    plain = [line for line in body if not line.startswith("(")]
    joined = "".join(plain)
    check(f"hexagram/{key} sentence runs on without 。", joined.endswith("。"), joined)
    for sentence in filter(None, joined.split("。")):
        check(f"hexagram/{key} sentence not polite", sentence.endswith(POLITE_ENDINGS), sentence)
    check(f"hexagram/{key} classical form outside the advice line",
          "べし" not in joined and not re.search("ば吉", joined), joined)

# One spelling for each word, in every passage.
for key in ([f"ten_god/{d}-{x}" for d, x in CELLS] + [f"twelve_stage/stage-{s}" for s in range(12)]
            + [f"hexagram/{k}" for k in HEXAGRAMS]):
    text = read(key)
    for spelling, preferred in SPELLINGS.items():
        check(f"{key} spells {spelling}", spelling not in text, f"write {preferred}")
    found = KOMU_IN_KANA.findall(text)
    check(f"{key} writes 〜こむ in kana", not found, "write 込む")

# No two ten-god passages share a phrase; line feeds do not part a phrase.
seen = {}
shared = 0
for d, x in CELLS:
    body = body_of(ten_god(d, x)) + "".join(split_passage(ten_god(d, x))[2])
    for i in range(len(body) - SHARED_PHRASE + 1):
        phrase = body[i:i + SHARED_PHRASE]
        other = seen.setdefault(phrase, (d, x))
        if other[0] != d or other[1] != x:
            shared += 1
            check(f"ten_god/{d}-{x} shares a phrase with ten_god/{other[0]}-{other[1]}", False, phrase)
            break
figures["ten-god passages sharing a 14-character phrase with an earlier one"] = shared

# The openings do not keep to one template.
opening_konen = 0
first_on_year = 0
for d, x in CELLS:
    body = body_of(ten_god(d, x))
    opening_konen += body.startswith("今年の貴方")
    first = body.split("。")[0]
    first_on_year += bool(re.search("年[^。、]{0,8}$", first))
figures["ten-god passages opening with 今年の貴方"] = opening_konen
figures["ten-god first sentences ending on the year"] = first_on_year
check("openings with 今年の貴方", opening_konen <= MOST_OPENING_WITH_KONEN_NO_ANATA, opening_konen)
check("first sentences on the year", first_on_year <= MOST_FIRST_SENTENCES_ON_THE_YEAR, first_on_year)

# No body ends on a stub line.
stubs = 0
for d, x in CELLS:
    body = split_passage(ten_god(d, x))[1]
    if len(body[-1]) < SHORTEST_LAST_BODY_LINE:
        stubs += 1
        check(f"ten_god/{d}-{x} ends its body on a stub line", False, body[-1])
figures["ten-god bodies ending on a line of 10 characters or fewer"] = stubs

# Line feeds do not split a set phrase.
for key in [f"ten_god/{d}-{x}" for d, x in CELLS] + [f"twelve_stage/stage-{s}" for s in range(12)]:
    for line in read(key).split("\n"):
        check(f"{key} splits a set phrase at a line end", not line.endswith(SET_PHRASE_HEADS), line)

# The readings a user sees: every name stem against every year pillar, as tenkari-cli composes
# them. Born in year 1 and judged in years 1 to 60, the counted age runs through the whole cycle.
please_heavy = 0
please_twice = 0
contradicting = 0
mark_against_banner = 0
pillars = set()
# The name stem comes from the name alone, the year pillar from the years alone.
name_stems = {name: int(numbers(name, 1)["name_stem"]) for name in NAMES_BY_NAME_NUMBER}
year_pillars = {year: numbers(NAMES_BY_NAME_NUMBER[0], year) for year in range(1, 61)}
for name in NAMES_BY_NAME_NUMBER:
    for year in range(1, 61):
        d, x = name_stems[name], int(year_pillars[year]["year_stem"])
        pillars.add((d, x, year_pillars[year]["year_branch"]))
        reading = cli("--name", name, "--birth", "1", "--year", str(year))
        passage = ten_god(d, x)
        stages = [text for text in STAGES + CELL_STAGES if text in reading]
        check(f"{name} {year}: the reading holds its ten-god passage", passage in reading)
        check(f"{name} {year}: the reading holds one stage text", len(stages) == 1, len(stages))
        stage = stages[0] if stages else ""
        banner = reading.rstrip("\n").rsplit("\n", 1)[-1]
        year_verdict = GOOD_YEAR if GOOD_YEAR in banner else BAD_YEAR if BAD_YEAR in banner else ""
        please = (passage + stage).count("下さい")
        please_heavy += please >= 3
        please_twice += please >= 2
        marks = "".join(split_passage(passage)[2])
        symbol = marks[:1]
        clash = ((symbol and symbol in PRAISING_MARKS and year_verdict == BAD_YEAR)
                 or (symbol and symbol in WARNING_MARKS and year_verdict == GOOD_YEAR))
        mark_against_banner += bool(clash)
        judges_year = bool(re.search("[年吉凶]", marks))
        verdicts = VERDICT_WORDS.search(body_of(passage)) or VERDICT_WORDS.search(body_of(stage))
        if (clash and judges_year) or verdicts:
            contradicting += 1
check("the readings cover 10 name stems x 60 year pillars", len(pillars) == 600, len(pillars))
figures["readings with 下さい three times or more"] = please_heavy
figures["readings with 下さい twice or more"] = please_twice
figures["readings whose mark symbol differs in tone from the banner"] = mark_against_banner
figures["readings whose text contradicts the banner"] = contradicting
check("readings heavy with 下さい", please_heavy <= MOST_PLEASE_HEAVY_READINGS, please_heavy)
check("readings that contradict their banner", contradicting == 0, contradicting)

if REPORT:
    for what, value in figures.items():
        print(f"{value:4}  {what}")
for failure in failures:
    print("FAIL", failure)
print(f"{len(failures)} failures")
sys.exit(1 if failures else 0)
