#!/usr/bin/env python3
"""Review and edit the Shift-JIS passage files under data/.

  passages.py show [KEY ...]   print passages in UTF-8 (all of them without a KEY)
  passages.py put KEY          store standard input (UTF-8) as the passage KEY, in code page 932
  passages.py sizes [KEY ...]  print each passage's length in Shift-JIS bytes

A KEY is a path under data/ without ".txt": ten_god/4-2, twelve_stage/stage-4, hexagram/2-4,
texts/banner_1.
Passages keep their exact bytes: a final line feed is stored only where the text has one.
"""
import pathlib
import sys

DATA = pathlib.Path(__file__).resolve().parent.parent / "data"
TABLES = ("ten_god", "twelve_stage", "hexagram", "texts")


def key_path(key):
    return DATA / (key + ".txt")


def all_keys():
    keys = []
    for table in TABLES:
        for path in sorted((DATA / table).glob("*.txt"), key=sort_key):
            keys.append(f"{table}/{path.stem}")
    return keys


def sort_key(path):
    parts = path.stem.replace("stage-", "").replace("cell-", "99-").split("-")
    return [int(p) if p.isdigit() else p for p in parts]


def show(keys):
    for key in keys or all_keys():
        text = key_path(key).read_bytes().decode("cp932")
        ending = "" if text.endswith("\n") else "  [no final line feed]"
        sys.stdout.write(f"=== {key} ({len(key_path(key).read_bytes())} bytes){ending}{text}\n")


def put(key):
    text = sys.stdin.buffer.read().decode("utf-8")
    data = text.encode("cp932")
    path = key_path(key)
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data)
    print(f"{key}: {len(data)} bytes")


def sizes(keys):
    for key in keys or all_keys():
        print(f"{key}\t{len(key_path(key).read_bytes())}")


def main(argv):
    if len(argv) >= 2 and argv[1] == "show":
        show(argv[2:])
    elif len(argv) == 3 and argv[1] == "put":
        put(argv[2])
    elif len(argv) >= 2 and argv[1] == "sizes":
        sizes(argv[2:])
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
