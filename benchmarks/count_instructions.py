#!/usr/bin/env python3
"""Counts the instructions of one full annual reading (name number, year pillar, composition)
under callgrind and holds the figure against its budget.

    benchmarks/count_instructions.py PATH_TO_TENKARI_READING_INSTRUCTIONS --budget N

The program is run twice, for 1 and for 1001 readings, counting only the instructions under
full_annual_reading; the difference divided by 1000 leaves out what the first reading alone
pays (resolving library calls). An instruction count is the same on every run on one machine
and toolchain, where a time is not, so a count over the budget is a regression: it fails.
"""
import argparse
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

FIRST, LAST = 1, 1001


def instructions(program, readings, work):
    out = pathlib.Path(work, f"callgrind.{readings}")
    run = subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={out}",
                          "--toggle-collect=full_annual_reading*", program, str(readings)],
                         capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit(f"{program} {readings} failed under callgrind ({run.returncode}):\n{run.stderr}")
    totals = re.search(r"^totals: (\d+)", out.read_text(), re.MULTILINE)
    if not totals:
        sys.exit(f"no totals in {out}")
    return int(totals.group(1))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program")
    parser.add_argument("--budget", type=int, required=True)
    args = parser.parse_args()
    if shutil.which("valgrind") is None:
        sys.exit("valgrind is missing: install the Debian package valgrind "
                 "(scripts/setup-debian.sh does)")
    with tempfile.TemporaryDirectory() as work:
        first = instructions(args.program, FIRST, work)
        last = instructions(args.program, LAST, work)
    per_reading = round((last - first) / (LAST - FIRST))
    print(f"instructions per full annual reading: {per_reading} (budget {args.budget})")
    if per_reading > args.budget:
        print(f"FAILED: {per_reading - args.budget} instructions over the budget")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
