#!/usr/bin/env python3
"""Starts tenkari.exe under Wine in a Japanese locale.

With a display ($DISPLAY answering), the program opens there and this returns when it ends.
Without one, it runs the road of one reading (木林森, born 1960, 男, judged 1999) through the
real program on a virtual display, saves a screenshot of each step and prints their paths.

    show_program.py --exe tenkari.exe --driver tenkari_e2e_driver.exe [--locale C.UTF-8] [--road]
                    [--dpi 144]

--dpi shows it at another display scaling (96 is 100 %, 144 is 150 %, 192 is 200 %), in a Wine
prefix of its own set to that DPI; the virtual display grows with it, as a monitor made for that
scaling would.
"""
import argparse
import os
import pathlib
import subprocess
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from resource_ids import IDS  # noqa: E402
from tenkari_driver import DriverClient, DriverError, failure_report, windows_path  # noqa: E402
from wine_session import DEFAULT_DPI, WineSession, prefix_name  # noqa: E402

ROOT = pathlib.Path(__file__).resolve().parents[1]
PROGRAM_LIFETIME_S = 24 * 3600


def display_answers():
    display = os.environ.get("DISPLAY")
    if not display:
        return False
    result = subprocess.run(["xdpyinfo", "-display", display], stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, timeout=10)
    return result.returncode == 0


def run_on_display(args, output):
    print(f"Starting tenkari.exe on {os.environ['DISPLAY']} ({args.locale}); files it writes go "
          f"to {output}", flush=True)
    with WineSession(args.prefix, locale=args.locale, display=os.environ["DISPLAY"],
                     dpi=args.dpi) as wine:
        result = wine.run([args.exe], timeout=PROGRAM_LIFETIME_S, cwd=output,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    print(f"tenkari.exe ended with exit code {result.returncode}")


def run_the_road(args, output):
    shots = ROOT / "build" / "screenshots" / args.locale
    if args.dpi != DEFAULT_DPI:
        shots = shots.with_name(f"{args.locale}-{args.dpi}dpi")
    shots.mkdir(parents=True, exist_ok=True)
    # Only what this road writes is listed at the end.
    for old in output.glob("*.TXT"):
        old.unlink()
    print(f"No display: running the road of one reading through tenkari.exe on a virtual "
          f"display ({args.locale}, {args.dpi} DPI).", flush=True)
    taken = []
    screen = f"{1280 * args.dpi // DEFAULT_DPI}x{1024 * args.dpi // DEFAULT_DPI}x24"
    with WineSession(args.prefix, locale=args.locale, screen=screen, dpi=args.dpi) as wine, \
            DriverClient(wine, args.driver) as driver:
        def shot(name, what):
            path = shots / f"{len(taken) + 1}-{name}.png"
            wine.screenshot(path)
            taken.append(path)
            print(f"  {what}: {path.relative_to(ROOT)}", flush=True)

        step = "the start of tenkari.exe"
        try:
            driver.call("start", windows_path(args.exe), windows_path(output))
            shot("main-window", "the main window テンカリ")
            step = "the input dialog"
            driver.call("command", IDS["IDM_ANNUAL_READING"])
            driver.call("wait", "input_dialog")
            for control, text in (("IDC_NAME", "木林森"), ("IDC_BIRTH_YEAR", "1960"),
                                  ("IDC_JUDGED_YEAR", "1999")):
                driver.call("set", IDS[control], text)
            shot("input-dialog", "the input dialog, filled")
            step = "the annual reading"
            driver.call("click", "input_dialog", 1)
            box = driver.call("wait", "message_box")["window"]
            shot("annual-reading", f"the annual reading box {box['caption']}")
            driver.call("click", "message_box", 1)
            driver.call("buttons", 1)
            shot("file-output-button", "the main window with the file output button")
            step = "the file output"
            driver.call("press_file_button")
            step = "the hexagram reading"
            driver.call("command", IDS["IDM_HEXAGRAM_READING"])
            box = driver.call("wait", "message_box")["window"]
            shot("hexagram-reading", f"the hexagram reading box {box['caption']}")
            driver.call("click", "message_box", 1)
            driver.call("gone", "message_box")
            driver.call("press_file_button")
            if (args.exe.parent / "テンカリ.HLP").exists():
                step = "the help"
                driver.call("command", IDS["IDM_HELP_CONTENTS"])
                viewer = driver.call("viewer", 30000)["window"]
                shot("help-contents", f"the help {viewer['caption']} at its contents")
                driver.call("end_foreign")
            step = "the end of the program"
            driver.call("command", IDS["IDM_EXIT"])
            exit_code = driver.call("wait_exit")["exit_code"]
        except DriverError as failure:
            sys.exit(failure_report(f"the road of one reading, at {step}", failure, wine,
                                    driver))
    print(f"tenkari.exe ended with exit code {exit_code}; the readings it wrote:")
    for path in sorted(output.glob("*.TXT")):
        print(f"  {path.relative_to(ROOT)}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--exe", type=pathlib.Path, required=True)
    parser.add_argument("--driver", type=pathlib.Path, required=True)
    parser.add_argument("--locale", default="ja_JP.UTF-8")
    parser.add_argument("--prefix", type=pathlib.Path)
    parser.add_argument("--dpi", type=int, default=DEFAULT_DPI,
                        help="the display scaling to show the program at, 96 by default")
    parser.add_argument("--road", action="store_true",
                        help="run the road with screenshots even where there is a display")
    args = parser.parse_args()
    args.exe, args.driver = args.exe.resolve(), args.driver.resolve()
    args.prefix = args.prefix or ROOT / "build" / "windows" / prefix_name(args.locale, args.dpi)
    output = ROOT / "build" / "output"
    output.mkdir(parents=True, exist_ok=True)
    if display_answers() and not args.road:
        run_on_display(args, output)
    else:
        run_the_road(args, output)


if __name__ == "__main__":
    main()
