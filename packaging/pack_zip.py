#!/usr/bin/env python3
"""Packs the staged release files into the zip, the same bytes for the same files: the entries in
name order, each stamped with the release's time (SOURCE_DATE_EPOCH, the commit's time), the exe
executable and every other file plain, with no owner and no extra field, so that two builds of
one commit give one zip.

    pack_zip.py --epoch 1764547200 --output tenkari-1.2-win64.zip STAGED_DIR

Names are stored in UTF-8 (and marked so), which every unzip of today reads.
"""
import argparse
import pathlib
import sys
import time
import zipfile

# The earliest time a zip entry can carry.
ZIP_EPOCH = (1980, 1, 1, 0, 0, 0)
UNIX = 3
EXECUTABLE, PLAIN = 0o100755, 0o100644


def entry(name, epoch, executable):
    info = zipfile.ZipInfo(name, date_time=max(time.gmtime(epoch)[:6], ZIP_EPOCH))
    info.create_system = UNIX
    info.external_attr = (EXECUTABLE if executable else PLAIN) << 16
    info.compress_type = zipfile.ZIP_DEFLATED
    return info


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--epoch", type=int, required=True)
    parser.add_argument("--output", type=pathlib.Path, required=True)
    parser.add_argument("staged", type=pathlib.Path)
    args = parser.parse_args()
    files = sorted(args.staged.iterdir())
    folders = [path.name for path in files if not path.is_file()]
    if folders:
        sys.exit(f"the release is flat, but {args.staged} holds the folders {folders}")
    args.output.unlink(missing_ok=True)
    with zipfile.ZipFile(args.output, "w") as archive:
        for path in files:
            info = entry(path.name, args.epoch, path.suffix.lower() == ".exe")
            archive.writestr(info, path.read_bytes(), compresslevel=9)


if __name__ == "__main__":
    main()
