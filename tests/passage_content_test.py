#!/usr/bin/env python3
"""Rules of content on the reading passages under data/, beyond their form (which the unit
tests check on the embedded tables): the banner alone judges the year, and no other piece passes
a verdict on the whole period; each field of life (money, work, health, love) is judged by the
ten-god passage alone, the stage text keeping to the phase of the cycle; no medical forecast
and no promise; health is care and not diagnosis; few passages talk of the workplace or keep to
one template; every sentence fits a reader of any age and life; lines break where a reader
pauses; the hexagram bodies keep one polite register, the ten-god passages do not repeat one
another, one spelling for each word; the stage text takes no stance of its own; and the readings
that a user sees (10 name stems x 60 year pillars) do not pile up directives, contradict their
banner, judge one field twice or set the stage text against the ten-god passage.

usage: passage_content_test.py DATA_DIR TENKARI_CLI [--report]
  TENKARI_CLI composes the 600 readings, as the program does.
  --report prints the measured figures as well, beside those before the passages were
  revised to one story, for anyone.
"""
import concurrent.futures
import os
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
    "|休息|むくみ|肌の|肌が|医師|体を|心身|体力|食べ過ぎ|飲み過ぎ|深酒|休む日"
    "|(?<![だ助受付掛欠避向儲抜駆分授預届])けが(?=[をにやのなもはへ。、]|人)")
MOST_HEALTH_PASSAGES = 20
# One spelling of each word: the spellings on the left are not used.
SPELLINGS = {
    "てゆ": "ていく", "気付": "気づく", "気を付け": "気をつける", "怪我": "けが", "閃き": "ひらめき",
    "堰き": "せき止める", "奢り": "おごり", "労わ": "いたわる", "心掛け": "心がけ", "のびやか": "伸びやか",
    "ふだん": "普段", "囚われ": "とらわれる", "るぶん": "る分", "疎か": "おろそか",
    "独りで": "一人で",
}
# 〜込む (染み込む, 打ち込む …) in kanji.
KOMU_IN_KANA = re.compile("(染み|持ち|詰め|背負い|抱え|打ち|取り|垂れ|舞い|溶け|呑み|注ぎ|入り|追い|流れ)こ[まみむめもん]")
MOST_PLEASE_HEAVY_READINGS = 30  # readings that show 下さい three times or more
MOST_OPENING_WITH_KONEN_NO_ANATA = 25
MOST_FIRST_SENTENCES_ON_THE_YEAR = 50
SHARED_PHRASE = 14  # characters that no two ten-god passages may share
# A line of a ten-god or stage text breaks where a reader pauses, and is no stub.
LINE_ENDS = ("、", "。")
SHORTEST_LINE = 12  # characters
POLITE_ENDINGS = ("です", "ます", "ません", "ましょう", "下さい", "でしょう")

# Each field of life is judged by one piece: the ten-god passage, whose mark judges its own
# field. The stage text speaks of the phase of the cycle and the stance that suits it, so it
# names none of these; and a reading never has both pieces on the same field. Work takes in
# its results and position.
FIELDS = {
    "money": re.compile(
        "(?<!黄)金(?!属|銀|色|星)|収入|財|出費|費用|浪費|散財|儲|稼|給|貯|借|貸し|買い物|家計"
        "|資産|投資|投機|損得|禄"),
    "work": re.compile(
        "仕事|職|働|務め|勤|業績|事業|商売|商い|成果|手柄|業務|作業|会社|上司|部下|同僚|昇進|昇格"
        "|出世|地位|名声|名誉|肩書|評価|任され|引き立て|人の上に立"),
    "health": re.compile(
        "健康|(?<![全一具主自大団本正実])体(調|力|を|の|が|も)|身体|(?<!臆)病|医|診|薬|心身|養生"
        "|摂生|夜更かし|睡眠|寝不足|疲れ|(?<![だ助受付掛欠避向儲抜駆分授預届])けが(?=[をにやのなもはへ。、]|人)|怪我|休息|休養|休[まみむめ]|食べ過ぎ|飲み過ぎ|深酒"
        "|冷え|凝り"),
    "love": re.compile(
        "恋|愛情|婚|縁談|良縁|縁[がもを]結|異性|伴侶|配偶|夫婦|交際|出会い|ときめ|情に流"),
}
# The stage text does not close on rest or on the care of one's health as a habit.
REST_WORDS = re.compile("休|養生|生活|暮らし|いたわ|健やか|無理をせず|睡眠|心身|体")
# The stage text speaks of a phase, not of the year or its fortune.
YEAR_WORDS = re.compile("今年|この一年|一年|本年|運気|運勢|盛運")
# A verdict on the whole period: 〜年です, 〜時です, 〜時期です, 〜日々となります and their kin.
PERIOD_VERDICT = re.compile(
    "(年|時|時期|日々|運)(です|で、|でも(あり|ある)|となり|になり|となる|になる|と言え)"
    "|(日|日々)が続[きく]")
# The opening that the hexagram passages may keep, in at most MOST_HEXAGRAMS_OPENING_ON_TIME.
HEXAGRAM_OPENING = "時です"
MOST_HEXAGRAMS_OPENING_ON_TIME = 30
# No medical forecast: no illness, injury, accident, organ or body part, no doctor.
MEDICAL_WORDS = re.compile(
    "(?<!臆)病|疾|患|症|風邪|発熱|熱が出|寝込|体調を崩|体の不調|体調のすぐれ"
    "|医|診|通院|検診|健診|薬|治療|手術|入院"
    "|(?<![だ助受付掛欠避向儲抜駆分授預届])けが(?=[をにやのなもはへ。、]|人)|怪我|負傷|事故|骨折(?!り)|やけど|火傷|転倒|捻挫"
    "|関節|足腰|膝|喉|胃|腸|肝臓|腎|心臓|肺|気管|呼吸器|血圧|皮膚|視力|目の疲れ|体が冷え|冷えやす"
    "|腰(や|を痛|が痛|痛)|肩(や|が凝|の凝|こり)|凝りが|手足の|歯の")
# Promises a careful almanac does not print: certainty, a wish granted, a match made, a season
# or month named, a house bought or savings moved.
PROMISES = re.compile(
    "確実に|間違いなく|必ずや|必ず(報われ|叶|成功|増え|上が|実)|確かに(増え|上が|実|芽を出|報われ|叶|成功|手に)"
    "|(望み|願い|夢)(は|が|も)[^。]{0,6}(叶|かな|実現|成就)"
    "|(縁談|良縁|結婚)(も|は|が)[^。、]{0,10}(結ばれます|まとまります|調います|決まります|成就します)"
    "|秋口|春先|夏の終わり|年の瀬|暮れには|年末|年明け|(春|夏|秋|冬)(には|頃|ごろ)|上半期|下半期"
    "|年の(前半|後半|初め|終わり)|[一二三四五六七八九十正]月(に|には|頃|ごろ)"
    "|家を(買|建て)|(住まい|家|住宅|土地)の購入|土地を買"
    "|(溜め|ため)るより|(貯え|蓄え|貯金|預金|貯蓄|資金)を[^。]{0,6}(回し|動かし|流し|移し|投じ)(て|ましょう)"
    "|(回|流)して育て")
# The same passage reaches a reader of 17 and of 95: few name a workplace.
WORKPLACE_WORDS = re.compile(
    "職場|上司|部下|同僚|昇進|昇格|昇給|賞与|転職|就職|退職|辞表|辞職|出世|給料|給与|ボーナス|会社"
    "|社内|取引先|残業|出勤|異動|独立(?!心)|役職|管理職|勤め先|勤務")
MOST_WORKPLACE_PASSAGES = 10
# A lighter template: few ten-god passages hold a simile, fewer open on one, and 貴方 not in
# every passage.
SIMILE = re.compile("(?<!ない)(?<!ぬ)(ように|ごとく|かのよう)(?!し|な|心|気|努)")
MOST_SIMILE_PASSAGES = 40
MOST_SIMILE_OPENINGS = 20
MOST_ANATA = 66
# Every age, every life: the same passage reaches a student of 18 and a widow of 90, so a
# sentence that presumes youth, paid work, a superior, a parent, a teacher or mentor, a course
# towards a qualification, a single or married life or children carries its condition (独り身なら,
# 勤めのある人は, 目上の人と話すときは), in the hexagram bodies as well.
PRESUMED_LIVES = re.compile(
    "若者|若いうち|一人前|(?<!手)仕事|職場|勤め|報酬|給料|会社|働きぶり|働きへの|働き次第"
    "|(働き|務め)[^。]{0,10}(実入り|収入|報酬)|目上|上司|上の人|上に立|母親|父親|両親|恩師|師と"
    "|良き師|先生|先輩|先達|資格|縁談|ときめ|独身|配偶者|夫婦|子供|子ども|我が子|孫")
CONDITIONS = re.compile("なら|人は|人も|方は|ときは|ときにも|場合|あれば|いれば|のある人|のいる人")
MOST_MEUE_PASSAGES = 8
# One story: the stage text tells of the phase and an inner stance. Whether to go alone or lean
# on others, to wait or to move, is the ten-god passage's to say with its mark; so the stage
# text takes no side, and no reading sets the two pieces on opposite sides.
STANCES = {
    "alone": re.compile(
        "人に頼らず|頼らない|誰の手も借りず|(一人|独り)で(考え|決め|進め|過ご|動|学|静か|思)|独断|独力"
        "|自分の(手|判断|力)で(事を|動|一歩|物事)|力だけが頼り|人付き合いは[^。]{0,6}控え"),
    "with others": re.compile(
        "(手|力|知恵)(も|を)借り|助け[^。]{0,6}を[^。]{0,8}受け|打ち明け|相談(できる|相手|し)"
        "|(一人|独り)で(背負|抱え)[わ込]|頼れる人|人の手を|歩調を合わせ|手を組|力を合わせ|教えを請"
        "|(人|周り|相手)の(意見|声|言い分|助言)[^。]{0,4}(聞|耳を)|(指図|意向|勧め)に[^。]{0,12}従"),
    "wait": re.compile(
        "待[ちつてと]|見送|先に(回|持ち越|しま|延ば)|動くより|動かず|控え(ましょう|て下さい|、|るのが)"
        "|機が熟|機の熟|立ち止ま|急がず|足踏み|ひと晩置|一晩置|焦らず"),
    "act": re.compile(
        "踏み出|飛び込|打って出|迷わず|思い切って|挑み|挑んで|挑む|動き出|始めて下さい|始めやす|始めましょう"
        "|ためらう?こと|ためらいは|ためらわ|踏み切|動かせます|決断して|行動力[^。]*合い|勇気を(出|もっ|持っ)"
        "|出直して"),
}
OPPOSED_STANCES = (("alone", "with others"), ("wait", "act"))
# The figures of the passages before the revision of one story, for anyone (measured on the
# data of commit 832aa0e with these same rules); --report prints them beside today's.
BEFORE = {
    "ten-god passages with a health line": 3,
    "ten-god passages sharing a 14-character phrase with an earlier one": 0,
    "ten-god passages opening with 今年の貴方": 0,
    "ten-god first sentences ending on the year": 0,
    "lines of 11 characters or fewer": 1,
    "lines that break inside a phrase": 73,
    "field words in the 12 stage texts": 0,
    "stage texts that speak of the year": 0,
    "stage texts closing on rest or health": 0,
    "stage texts that take a stance": 12,
    "ten-god passages with a period verdict (body or mark)": 0,
    "stage texts with a period verdict": 0,
    "hexagram passages with a period verdict beyond the opening": 0,
    "hexagram passages opening on 〜時です。": 27,
    "ten-god passages with a medical word": 0,
    "stage texts with a medical word": 0,
    "hexagram passages with a medical word": 0,
    "ten-god passages with a promise word": 0,
    "stage texts with a promise word": 0,
    "hexagram passages with a promise word": 0,
    "ten-god passages naming a workplace": 0,
    "sentences presuming a life without its condition": 47,
    "ten-god passages naming 目上": 15,
    "ten-god passages with a 〜ように simile": 90,
    "ten-god passages opening on a 〜ように simile": 39,
    "貴方 in the ten-god passages": 26,
    "readings with 下さい three times or more": 0,
    "readings with 下さい twice or more": 234,
    "readings whose mark symbol differs in tone from the banner": 105,
    "readings whose text contradicts the banner": 0,
    "readings whose stage and ten-god passages speak of the same field": 0,
    "readings whose stage and ten-god passages take opposite stances": 98,
}

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


def prose_of(text):
    """Body and mark lines, without the heading."""
    _, body, marks = split_passage(text)
    return "".join(body + marks)


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

# Lines break where a reader pauses, at a comma or a full stop, and none is a stub.
stubs = 0
broken = 0
for key in [f"ten_god/{d}-{x}" for d, x in CELLS] + [f"twelve_stage/stage-{s}" for s in range(12)]:
    _, body, marks = split_passage(read(key))
    for line in body + marks:
        stubs += len(line) < SHORTEST_LINE
        broken += not line.endswith(LINE_ENDS)
        check(f"{key} has a stub line", len(line) >= SHORTEST_LINE, line)
        check(f"{key} breaks a line inside a phrase", line.endswith(LINE_ENDS), line)
figures["lines of 11 characters or fewer"] = stubs
figures["lines that break inside a phrase"] = broken

def fields_of(text):
    return {field for field, words in FIELDS.items() if words.search(text)}


def sentences(text):
    return [sentence + "。" for sentence in text.split("。") if sentence]


TEN_GOD_KEYS = [f"ten_god/{d}-{x}" for d, x in CELLS]
STAGE_BODIES = {f"twelve_stage/stage-{s}": body_of(text) for s, text in enumerate(STAGES)}

def stances_of(text):
    return {stance for stance, words in STANCES.items() if words.search(text)}


# The stage text keeps to its phase: no field of life, no year, no closing on rest or health,
# no stance to take.
stage_field_words = 0
stage_year = 0
stage_rest_close = 0
stage_stances = 0
for key, body in STAGE_BODIES.items():
    found = stances_of(body)
    stage_stances += bool(found)
    check(f"{key} takes a stance", not found, found)
    for field, words in FIELDS.items():
        found = [m.group(0) for m in words.finditer(body)]
        stage_field_words += len(found)
        check(f"{key} speaks of {field}", not found, found)
    found = YEAR_WORDS.findall(body)
    stage_year += bool(found)
    check(f"{key} speaks of the year, not of the phase", not found, found)
    last = sentences(body)[-1]
    closes_on_rest = bool(REST_WORDS.search(last))
    stage_rest_close += closes_on_rest
    check(f"{key} closes on rest or health", not closes_on_rest, last)
figures["field words in the 12 stage texts"] = stage_field_words
figures["stage texts that speak of the year"] = stage_year
figures["stage texts closing on rest or health"] = stage_rest_close
figures["stage texts that take a stance"] = stage_stances

# No piece but the banner passes a verdict on the whole period. The hexagram passages may
# open on 〜時です (in at most 30 of them), and say so nowhere else.
period_ten_god = 0
for key in TEN_GOD_KEYS:
    found = PERIOD_VERDICT.search(prose_of(read(key)))
    period_ten_god += bool(found)
    check(f"{key} passes a verdict on the period", not found, found and found.group(0))
period_stage = 0
for key, body in STAGE_BODIES.items():
    found = PERIOD_VERDICT.search(body)
    period_stage += bool(found)
    check(f"{key} passes a verdict on the period", not found, found and found.group(0))
hexagram_time_openings = 0
period_hexagram = 0
for key, text in HEXAGRAMS.items():
    body = "".join(line for line in text.split("\n")[2:] if line)
    first, rest = body.split("。", 1) if "。" in body else (body, "")
    if first.endswith(HEXAGRAM_OPENING):
        hexagram_time_openings += 1
    else:
        rest = body
    found = PERIOD_VERDICT.search(rest)
    period_hexagram += bool(found)
    check(f"hexagram/{key} passes a verdict on the period beyond its opening", not found,
          found and found.group(0))
figures["ten-god passages with a period verdict (body or mark)"] = period_ten_god
figures["stage texts with a period verdict"] = period_stage
figures["hexagram passages with a period verdict beyond the opening"] = period_hexagram
figures["hexagram passages opening on 〜時です。"] = hexagram_time_openings
check("hexagram openings on 〜時です", hexagram_time_openings <= MOST_HEXAGRAMS_OPENING_ON_TIME,
      hexagram_time_openings)

# No medical forecast and no promise, in any passage a reading shows.
READ_KEYS = TEN_GOD_KEYS + list(STAGE_BODIES) + [f"hexagram/{k}" for k in HEXAGRAMS]
for words, what in ((MEDICAL_WORDS, "medical"), (PROMISES, "promise")):
    counts = {"ten-god passages": 0, "stage texts": 0, "hexagram passages": 0}
    group_of = {"ten_god": "ten-god passages", "twelve_stage": "stage texts", "hexagram": "hexagram passages"}
    for key in READ_KEYS:
        text = "".join(read(key).split("\n")[2:])  # not the heading: 病 names a stage
        found = [m.group(0) for m in words.finditer(text)]
        counts[group_of[key.split("/")[0]]] += bool(found)
        check(f"{key} makes a {what} claim", not found, found)
    for group, count in counts.items():
        figures[f"{group} with a {what} word"] = count

# Age-neutral: the workplace in few ten-god passages.
workplace = sum(bool(WORKPLACE_WORDS.search(read(key))) for key in TEN_GOD_KEYS)
figures["ten-god passages naming a workplace"] = workplace
check("ten-god passages naming a workplace", workplace <= MOST_WORKPLACE_PASSAGES, workplace)

# Every sentence fits every life, and 目上 in few ten-god passages.
presumed = 0
for key in TEN_GOD_KEYS + list(STAGE_BODIES) + [f"hexagram/{k}" for k in HEXAGRAMS]:
    prose = "".join(read(key).split("\n")[2:]) if key.startswith("hexagram") else prose_of(read(key))
    for sentence in sentences(prose):
        found = PRESUMED_LIVES.search(sentence) and not CONDITIONS.search(sentence)
        presumed += bool(found)
        check(f"{key} presumes a life without its condition", not found, sentence)
meue = sum("目上" in read(key) for key in TEN_GOD_KEYS)
figures["sentences presuming a life without its condition"] = presumed
figures["ten-god passages naming 目上"] = meue
check("ten-god passages naming 目上", meue <= MOST_MEUE_PASSAGES, meue)

# A lighter template.
simile_passages = sum(bool(SIMILE.search(prose_of(read(key)))) for key in TEN_GOD_KEYS)
simile_openings = sum(bool(SIMILE.search(sentences(body_of(read(key)))[0])) for key in TEN_GOD_KEYS)
anata = sum(read(key).count("貴方") for key in TEN_GOD_KEYS)
figures["ten-god passages with a 〜ように simile"] = simile_passages
figures["ten-god passages opening on a 〜ように simile"] = simile_openings
figures["貴方 in the ten-god passages"] = anata
check("ten-god passages with a simile", simile_passages <= MOST_SIMILE_PASSAGES, simile_passages)
check("ten-god passages opening on a simile", simile_openings <= MOST_SIMILE_OPENINGS, simile_openings)
check("貴方 in the ten-god passages", anata <= MOST_ANATA, anata)

# The readings a user sees: every name stem against every year pillar, as tenkari-cli composes
# them. Born in year 1 and judged in years 1 to 60, the counted age runs through the whole cycle.
please_heavy = 0
please_twice = 0
contradicting = 0
mark_against_banner = 0
same_field = 0
opposed = 0
pillars = set()
# The name stem comes from the name alone, the year pillar from the years alone.
name_stems = {name: int(numbers(name, 1)["name_stem"]) for name in NAMES_BY_NAME_NUMBER}
year_pillars = {year: numbers(NAMES_BY_NAME_NUMBER[0], year) for year in range(1, 61)}
# Composed on every core at once: one run of tenkari-cli each.
with concurrent.futures.ThreadPoolExecutor(os.cpu_count()) as workers:
    readings = dict(zip(
        [(name, year) for name in NAMES_BY_NAME_NUMBER for year in range(1, 61)],
        workers.map(lambda cell: cli("--name", cell[0], "--birth", "1", "--year", str(cell[1])),
                    [(name, year) for name in NAMES_BY_NAME_NUMBER for year in range(1, 61)])))
for name in NAMES_BY_NAME_NUMBER:
    for year in range(1, 61):
        d, x = name_stems[name], int(year_pillars[year]["year_stem"])
        pillars.add((d, x, year_pillars[year]["year_branch"]))
        reading = readings[(name, year)]
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
        same_field += bool(fields_of(body_of(stage)) & fields_of(prose_of(passage)))
        ours, its = stances_of(body_of(stage)), stances_of(prose_of(passage))
        sides = [pair for pair in OPPOSED_STANCES
                 if (pair[0] in ours and pair[1] in its) or (pair[1] in ours and pair[0] in its)]
        opposed += bool(sides)
        check(f"{name} {year}: stage and ten-god passages take opposite stances", not sides, sides)
check("the readings cover 10 name stems x 60 year pillars", len(pillars) == 600, len(pillars))
figures["readings with 下さい three times or more"] = please_heavy
figures["readings with 下さい twice or more"] = please_twice
figures["readings whose mark symbol differs in tone from the banner"] = mark_against_banner
figures["readings whose text contradicts the banner"] = contradicting
figures["readings whose stage and ten-god passages speak of the same field"] = same_field
figures["readings whose stage and ten-god passages take opposite stances"] = opposed
check("readings whose stage and ten-god passages share a field", same_field == 0, same_field)
check("readings heavy with 下さい", please_heavy <= MOST_PLEASE_HEAVY_READINGS, please_heavy)
check("readings that contradict their banner", contradicting == 0, contradicting)

if REPORT:
    print("before  now  figure")
    for what, value in figures.items():
        print(f"{BEFORE.get(what, '-'):>6}  {value:3}  {what}")
for failure in failures:
    print("FAIL", failure)
print(f"{len(failures)} failures")
sys.exit(1 if failures else 0)
