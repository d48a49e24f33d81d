#!/usr/bin/env python3
"""Times the start of tenkari.exe, from CreateProcess to its main window being visible, against a
bare Win32 window program built the same way, under one Wine session; reports the medians and
the size of tenkari.exe.

    benchmarks/startup/measure_startup.py [--starts 15] [--locale ja_JP.UTF-8]

Run after the windows preset has been built. Not a test: it prints numbers and judges nothing.
"""
import argparse
import pathlib
import statistics
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "scripts"))
from tenkari_driver import DriverClient, windows_path  # noqa: E402
from wine_session import WineSession  # noqa: E402

BUILD = ROOT / "build" / "windows"
PROGRAMS = {
    "tenkari.exe": BUILD / "app" / "win32" / "tenkari.exe",
    "bare window": BUILD / "benchmarks" / "startup" / "tenkari_bare_window.exe",
}
DRIVER = BUILD / "tests" / "e2e" / "tenkari_e2e_driver.exe"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--starts", type=int, default=15)
    parser.add_argument("--locale", default="ja_JP.UTF-8")
    args = parser.parse_args()
    for path in [*PROGRAMS.values(), DRIVER]:
        if not path.is_file():
            sys.exit(f"missing {path}: build the windows preset first")

    times = {name: [] for name in PROGRAMS}
    with tempfile.TemporaryDirectory() as work, \
            WineSession(BUILD / f"wine-prefix-{args.locale}", locale=args.locale) as wine, \
            DriverClient(wine, DRIVER) as driver:
        # One start of each first, so that neither pays for loading Wine's DLLs from disk.
        for path in PROGRAMS.values():
            driver.call("start", windows_path(path), windows_path(work))
            driver.call("kill")
        # Alternate the two, so that any drift of the machine falls on both alike.
        for _ in range(args.starts):
            for name, path in PROGRAMS.items():
                reply = driver.call("start", windows_path(path), windows_path(work))
                times[name].append(reply["elapsed_us"] / 1000)
                driver.call("close", "main_window")
                driver.call("wait_exit")

    medians = {name: statistics.median(values) for name, values in times.items()}
    for name, values in times.items():
        print(f"{name:12s} median {medians[name]:7.1f} ms   "
              f"min {min(values):7.1f}   max {max(values):7.1f}   ({len(values)} starts)")
    print(f"ratio tenkari.exe / bare window: {medians['tenkari.exe'] / medians['bare window']:.3f}")
    size = PROGRAMS["tenkari.exe"].stat().st_size
    print(f"tenkari.exe: {size} bytes ({size / 1024:.0f} KiB)")


if __name__ == "__main__":
    main()
