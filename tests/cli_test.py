#!/usr/bin/env python3
"""tenkari-cli end to end: the road of one reading (木林森, 1960, 男, 1999), its hexagram,
file output, refusals, usage errors and the stroke breakdown. Expected readings are assembled from the data files.

usage: cli_test.py PATH_TO_TENKARI_CLI DATA_DIR
"""
import os
import pathlib
import resource
import signal
import subprocess
import sys
import tempfile

CLI = os.path.abspath(sys.argv[1])
DATA = pathlib.Path(sys.argv[2])
ROAD = ["--name", "木林森", "--birth", "1960", "--year", "1999"]

failures = []
passed = 0


def data(key):
    return (DATA / (key + ".txt")).read_bytes()


def run(*args, cwd=None, largest_file=None):
    """tenkari-cli with its output; with largest_file, no file it writes may grow beyond that
    many bytes, as on a disk that takes no more."""
    def limit():
        signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
        resource.setrlimit(resource.RLIMIT_FSIZE, (largest_file, largest_file))
    return subprocess.run([CLI, *args], capture_output=True, cwd=cwd,
                          preexec_fn=limit if largest_file is not None else None)


def check(what, condition, detail=""):
    global passed
    if condition:
        passed += 1
    else:
        failures.append(f"{what}: {detail}")


ROAD_ANNUAL = (b"1999" + data("texts/annual_heading_suffix") + data("ten_god/4-2")
               + data("twelve_stage/stage-4") + data("texts/relation_clash")
               + data("texts/banner_1"))
ROAD_HEXAGRAM = data("hexagram/2-4")


def test_road_annual():
    raw = run(*ROAD, "--sjis")
    check("road --sjis exit", raw.returncode == 0, raw.stderr)
    check("road reading as Shift-JIS", raw.stdout == ROAD_ANNUAL, raw.stdout[:80])
    utf8 = run(*ROAD)
    check("road reading as UTF-8", utf8.stdout == ROAD_ANNUAL.decode("cp932").encode("utf-8"))
    check("road pieces", ROAD_ANNUAL.decode("cp932").split("\n")[2:3] == ["探究"])


def test_road_numbers():
    out = run(*ROAD, "--numbers")
    expected = ("name_number=24\nname_stem=4\nname_branch=0\ncounted_age=40\n"
                "age_cycle_number=40\nyear_stem=2\nyear_branch=6\nname_trigram=0\n"
                "age_trigram=0\noutput_file_name=木林森1999年.TXT\n")
    check("road --numbers", out.stdout.decode() == expected, out.stdout.decode())


def test_road_hexagram():
    out = run(*ROAD, "--hexagram", "--sjis")
    check("hexagram reading", out.stdout == ROAD_HEXAGRAM, out.stdout)
    check("hexagram heading", ROAD_HEXAGRAM.decode("cp932").startswith("\n易卦：風地観\n"))
    numbers = run(*ROAD, "--hexagram", "--numbers").stdout.decode()
    check("hexagram trigrams", "name_trigram=2\nage_trigram=4\n" in numbers, numbers)
    check("hexagram file name", numbers.endswith("output_file_name=木林森1999年易卦.TXT\n"),
          numbers)


def test_write():
    with tempfile.TemporaryDirectory() as folder:
        run(*ROAD, "--write", cwd=folder)
        run(*ROAD, "--hexagram", "--write", cwd=folder)
        annual = pathlib.Path(folder, "木林森1999年.TXT")
        hexagram = pathlib.Path(folder, "木林森1999年易卦.TXT")
        check("annual file", annual.exists() and annual.read_bytes() == ROAD_ANNUAL)
        check("hexagram file", hexagram.exists() and hexagram.read_bytes() == ROAD_HEXAGRAM)
        # A longer file of the same name is replaced whole.
        annual.write_bytes(b"x" * 5000)
        run(*ROAD, "--write", cwd=folder)
        check("file replaced", annual.read_bytes() == ROAD_ANNUAL)
        check("no carriage returns", b"\r" not in annual.read_bytes())


def as_cp932_holds(text):
    """The text as code page 932 holds it: "?" for each character it cannot hold."""
    return text.encode("cp932", errors="replace").decode("cp932")


def test_write_failures():
    # A file asked for and not written is named on standard error, with status 4 and no reading.
    with tempfile.TemporaryDirectory() as folder:
        blocked = pathlib.Path(folder, "blocked")
        pathlib.Path(blocked, "木林森1999年.TXT").mkdir(parents=True)
        cases = [("a folder in the way", "木林森", blocked),
                 ("a path separator in the name", "木/林", folder),
                 ("a character Windows refuses in a file name", "木*林", folder),
                 # Code page 932 cannot hold 𠮷: the name holds "?", as in the exe.
                 ("a character outside code page 932", "𠮷田", folder)]
        # The write fails only when the file is flushed on closing; an earlier file of that name
        # keeps what it held, and nothing else is left.
        full = pathlib.Path(folder, "full")
        full.mkdir()
        pathlib.Path(full, "木林森1999年.TXT").write_bytes(b"earlier")
        cases.append(("a disk that takes no more", "木林森", full))
        for what, name, cwd in cases:
            out = run("--name", name, "--birth", "1960", "--year", "1999", "--write", cwd=cwd,
                      largest_file=16 if cwd == full else None)
            message = out.stderr.decode()
            check(f"--write with {what}", out.returncode == 4 and out.stdout == b""
                  and message.startswith("tenkari-cli: ") and f"{as_cp932_holds(name)}1999年.TXT" in message,
                  (out.returncode, message))
        check("the folder left as it was", pathlib.Path(blocked, "木林森1999年.TXT").is_dir())
        check("the earlier file kept, nothing left beside it",
              [(p.name, p.read_bytes()) for p in full.iterdir()] == [("木林森1999年.TXT", b"earlier")])
        check("nothing written outside", not pathlib.Path(folder, "木").exists())


def test_refusals():
    cases = [
        (["--name", "", "--birth", "1960", "--year", "1999"], "データエラー"),
        (["--name", "木林森", "--birth", "abc", "--year", "1999"], "データエラー"),
        (["--name", "木林森", "--birth", "1990", "--year", "1989"], "判定年を確認して下さい"),
        (["--name", "木林森", "--birth", "2000", "--year", "2101"], "判定年を確認して下さい"),
        (["--name", "木林森", "--birth", "1879", "--year", "1999"], "判定年を確認して下さい"),
    ]
    for args, message in cases:
        out = run(*args)
        check(f"refused {args}", out.returncode == 2 and out.stderr.decode() == message + "\n"
              and out.stdout == b"", (out.returncode, out.stderr.decode()))


def test_usage():
    for args in ([], ["--name", "木林森"], [*ROAD, "--sex", "X"], [*ROAD, "--bogus"]):
        out = run(*args)
        check(f"usage {args}", out.returncode == 1 and b"usage:" in out.stderr, out.returncode)


def test_name_conversion():
    # A character that code page 932 cannot hold becomes "?", as the Windows ANSI calls make it.
    out = run("--name", "木\U0001F600林", "--birth", "1960", "--year", "1999", "--numbers")
    check("unconvertible character", "output_file_name=木?林1999年.TXT\n" in out.stdout.decode(),
          out.stdout.decode())
    # The name is cut to 34 bytes before anything else sees it.
    out = run("--name", "驫" * 18, "--birth", "1960", "--year", "1999", "--numbers", "--sex", "女")
    lines = out.stdout.decode()
    check("cut name", "name_number=450\n" in lines and f"={'驫' * 17}1999年.TXT" in lines, lines)


def test_hexagram_messages():
    # Full-width digits count nothing: name number 0, which has no trigram.
    out = run("--name", "１２", "--birth", "1960", "--year", "1999", "--hexagram")
    check("name message", out.stderr.decode() == "姓名をもう一度確認して下さい。\n", out.stderr)
    check("nothing shown", out.returncode == 3 and out.stdout == b"", out.returncode)


def test_strokes():
    # One line per byte pair: the character, or the code of a pair that straddles characters.
    cases = [
        ("木林森", "木 4\n林 8\n森 12\nsum 24\nname_number 24 丁 亥\n"),
        # A single-byte space shifts the pairs after it: (space, lead of 林), (trail of 林, end).
        ("木 林", "木 4\n0x2097 0\n0xD100 0\nsum 4\nname_number 4 丁 卯\n"),
        # Two letters pair with each other and leave 木 whole.
        ("ab木", "0x6162 0\n木 4\nsum 4\nname_number 4 丁 卯\n"),
        # The middle pair, 0x9F88, is the code of 汕, yet straddles two 亜.
        ("a亜亜", "0x6188 0\n0x9F88 6\n0x9F00 0\nsum 6\nname_number 6 己 巳\n"),
        ("驫驫驫驫驫", "驫 30\n" * 5 + "sum 150\nname_number 90 癸 巳\n"),
        # Cut to 34 bytes, as the dialog does.
        ("驫" * 18, "驫 30\n" * 17 + "sum 510\nname_number 450 癸 巳\n"),
        ("", "sum 0\nname_number 0 癸 亥\n"),
    ]
    for name, expected in cases:
        out = run("--strokes", "--name", name)
        check(f"--strokes {name!r}", out.returncode == 0 and out.stdout.decode() == expected
              and out.stderr == b"", (out.returncode, out.stdout.decode(), out.stderr))
    # Years are not needed, and do not change the breakdown when given.
    with_years = run("--strokes", *ROAD)
    check("--strokes with years", with_years.stdout.decode() == cases[0][1], with_years.stdout)
    # The breakdown ends at the name number that the reading uses.
    for name in ("木林森", "a亜亜", "鬱驫二"):
        numbers = run("--name", name, "--birth", "1960", "--year", "1999", "--numbers")
        number = numbers.stdout.decode().split("\n")[0].split("=")[1]
        strokes = run("--strokes", "--name", name).stdout.decode()
        check(f"--strokes agrees with --numbers for {name}",
              strokes.splitlines()[-1].split()[1] == number, (strokes, number))
    for args in (["--strokes"], ["--strokes", "--name", "木", "--numbers"],
                 ["--strokes", "--name", "木", "--write"]):
        out = run(*args)
        check(f"usage {args}", out.returncode == 1 and b"usage:" in out.stderr, out.returncode)


for test in [v for k, v in sorted(globals().items()) if k.startswith("test_")]:
    test()
for failure in failures:
    print("FAILED", failure)
print(f"{passed} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
