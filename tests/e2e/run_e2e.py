#!/usr/bin/env python3
"""End-to-end tests of tenkari.exe under Wine: runs each scenario of scenarios.json against the
real program through tenkari_e2e_driver.exe, in one Wine session per locale.

    run_e2e.py --exe tenkari.exe --driver tenkari_e2e_driver.exe --cli tenkari-cli \
               --locale ja_JP.UTF-8 --prefix build/wine-prefix-ja --work build/e2e-ja

Readings are compared byte for byte with what `tenkari-cli --sjis` gives for the same input.
"""
import argparse
import json
import pathlib
import re
import shutil
import subprocess
import sys
import urllib.parse

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "scripts"))
from resource_ids import IDS  # noqa: E402
from tenkari_driver import DriverClient, DriverError, failure_report, windows_path  # noqa: E402
from wine_session import WineSession  # noqa: E402

HERE = pathlib.Path(__file__).resolve().parent
VK_RETURN = 0x0D
VK_ESCAPE = 0x1B
# The platform's ids of the standard buttons.
IDOK = 1
IDCANCEL = 2
# The caption Wine gives a message box that has none of its own.
DEFAULT_CAPTIONS = {"ja_JP.UTF-8": "エラー", "C.UTF-8": "Error"}
# The help 目次 opens: the WinHelp file where Windows has the viewer, the page from Windows 10 on.
HELP_FILES = {None: "テンカリ.HLP", "win10": "テンカリ.html"}
HELP_PAGE_WAIT_S = 30
# The program's own boxes of a help or a save that failed, as the user reads them.
HELP_NOT_OPENED = {
    "caption": "ヘルプ", "owner": "main_window",
    "text": "ヘルプを開けませんでした。\n\nファイル: {file}\nフォルダー: {folder}\n理由: {reason}\n\n"
            "{advice}"}
HELP_MISSING = {"reason": "ファイルが見つかりません。",
                "advice": "ヘルプのファイルは tenkari.exe と同じフォルダーに置いて下さい。"}
HELP_WITHOUT_BROWSER = {"reason": "ウェブページを開くプログラムが設定されていません。",
                        "advice": "ブラウザーを起動して、次のファイルを開いて下さい。\n{page}"}
SAVE_FAILED = {
    "caption": "ファイル出力", "owner": "main_window",
    "text": "判断結果をファイルに保存できませんでした。\n\nファイル: {file}\nフォルダー: {folder}\n"
            "理由: {reason}\n\n判断結果はそのまま残っています。原因を取り除いてから、もう一度"
            "「ファイル出力」を押して下さい。"}
# The program's own words for why a save failed, by the cause the scenario data names.
SAVE_REASONS = {
    "name_refused": "ファイル名に使えない文字（\\ / : * ? < > | など）が姓名に含まれています。"
                    "テンカリで扱えない文字（一部の旧字体など）も ? に置き換わるため、ファイル名には"
                    "使えません。",
    "folder_in_the_way": "同じ名前のフォルダーがあるため、ファイルを作れません。",
    "read_only_file": "同じ名前のファイルが読み取り専用のため、書き換えられません。",
    "disk_full": "ディスクの空き領域が足りません。",
}
FILE_OUTPUT_BUTTON = {"class": "Button", "text": "ファイル出力", "x": 450, "y": 300,
                      "width": 100, "height": 32, "extended_style": 0, "visible": True}
# The window styles the scenario data names.
STYLES = {
    "WS_POPUP": 0x80000000, "WS_CHILD": 0x40000000, "WS_VISIBLE": 0x10000000,
    "WS_CAPTION": 0x00C00000, "WS_BORDER": 0x00800000, "WS_SYSMENU": 0x00080000,
    "WS_GROUP": 0x00020000, "WS_TABSTOP": 0x00010000, "DS_SETFONT": 0x40, "DS_MODALFRAME": 0x80,
    "SS_LEFT": 0x0, "SS_RIGHT": 0x2, "SS_ICON": 0x3, "ES_AUTOHSCROLL": 0x80,
    "BS_PUSHBUTTON": 0x0, "BS_DEFPUSHBUTTON": 0x1, "BS_AUTORADIOBUTTON": 0x9,
}
# The virtual keys the scenario data names.
KEY_CODES = {"ctrl": 0x11, "s": 0x53}


class ScenarioFailure(AssertionError):
    pass


class ScenarioSkipped(Exception):
    pass


# A scenario's work folder on a disk of its own that holds two pages, which files fill.
SMALL_DISK = ["mount", "-t", "tmpfs", "-o", "size=8k,mode=0777", "tenkari-small-disk"]
FULL_DISK_FILLER = "filler"
PAGE = 4096


def style_value(names):
    return sum(STYLES[name] for name in names)


class ScenarioRun:
    """One scenario: a fresh copy of the program in a folder of its own, started in another
    folder beside it (its working folder), driven step by step."""

    def __init__(self, driver, wine, args, scenario, folder):
        self.driver = driver
        self.wine = wine
        self.args = args
        self.scenario = scenario
        self.folder = folder
        self.program = folder / "program"
        self.work = folder / "work"
        self.locale = args.locale
        self._readings = {}

    def check(self, condition, message):
        if not condition:
            raise ScenarioFailure(message)

    # -- expected texts ---------------------------------------------------------------------
    def reading(self, entry):
        """The Shift-JIS bytes tenkari-cli gives for a reading entry {name, birth, year, sex,
        hexagram}."""
        key = json.dumps(entry, sort_keys=True)
        if key not in self._readings:
            command = [self.args.cli, "--name", entry["name"], "--birth", str(entry["birth"]),
                       "--year", str(entry["year"]), "--sex", entry.get("sex", "男"), "--sjis"]
            if entry.get("hexagram"):
                command.append("--hexagram")
            result = subprocess.run(command, capture_output=True, timeout=30)
            self.check(result.returncode == 0, f"tenkari-cli refused {entry}")
            self._readings[key] = result.stdout
        return self._readings[key]

    def expected_bytes(self, expected):
        if "reading" in expected:
            return self.reading(expected["reading"])
        return expected["text"].encode("cp932")

    # -- steps ------------------------------------------------------------------------------
    def run(self):
        if self.work.is_mount():
            subprocess.run(["umount", "-l", str(self.work)], check=False)
        shutil.rmtree(self.folder, ignore_errors=True)
        self.work.mkdir(parents=True)
        self.program.mkdir()
        exe = self.program / self.args.exe.name
        shutil.copyfile(self.args.exe, exe)
        if self.scenario.get("only_as", self.args.windows_version) != self.args.windows_version:
            raise ScenarioSkipped(f"only as {self.scenario['only_as']}")
        if self.scenario.get("work_on_a_small_disk"):
            self.mount_a_small_disk_on_the_work_folder()
        try:
            try:
                started = self.driver.call("start", windows_path(exe), windows_path(self.work))
            except DriverError as failure:
                raise ScenarioFailure(f"start: {failure}") from None
            self.check(started["caption"] == "テンカリ" and started["has_menu"],
                       f"main window: {started}")
            for number, step in enumerate(self.scenario["steps"], 1):
                try:
                    getattr(self, "step_" + step[0])(*step[1:])
                except (ScenarioFailure, DriverError) as failure:
                    raise ScenarioFailure(f"step {number} {step}: {failure}") from None
        finally:
            if not self.driver.broken:
                self.driver.call("kill", check=False)
            if self.work.is_mount():
                subprocess.run(["umount", "-l", str(self.work)], check=False)

    def mount_a_small_disk_on_the_work_folder(self):
        """Mounts a disk of two pages on the work folder (this needs root)."""
        mounted = subprocess.run([*SMALL_DISK, str(self.work)], capture_output=True, text=True)
        if mounted.returncode != 0:
            raise ScenarioSkipped(f"no disk could be mounted: {mounted.stderr.strip()}")

    def step_fill_disk(self):
        """Fills what is left of the small disk, so that a file can still be made there but no
        byte written to it."""
        try:
            with open(self.work / FULL_DISK_FILLER, "ab", buffering=0) as filler:
                while True:
                    filler.write(b"x" * PAGE)
        except OSError:
            pass
        try:
            (self.work / "probe").write_bytes(b"x")
            raise ScenarioFailure("the disk of the work folder is not full")
        except OSError:
            pass
        finally:
            (self.work / "probe").unlink(missing_ok=True)

    def step_free_disk(self):
        (self.work / FULL_DISK_FILLER).unlink()

    def step_open_dialog(self, expected=None):
        self.driver.call("command", IDS["IDM_ANNUAL_READING"])
        self.step_dialog_open(expected)

    def step_dialog_open(self, expected=None):
        dialog = self.driver.call("wait", "input_dialog")["window"]
        self.check(dialog["caption"] == "入力画面" and dialog["owner"] == "main_window",
                   f"input dialog: {dialog}")
        for field, value in (expected or {}).items():
            self.check(dialog[field] == value, f"{field} is {dialog[field]!r}, not {value!r}")

    def step_fill(self, entries):
        ids = {"name": IDS["IDC_NAME"], "birth_year": IDS["IDC_BIRTH_YEAR"],
               "judged_year": IDS["IDC_JUDGED_YEAR"]}
        for field, text in entries.items():
            now = self.driver.call("set", ids[field], text)["now"]
            self.check(now == text, f"{field} holds {now!r}")

    def step_choose(self, sex):
        self.driver.call("click", "input_dialog", {"男": IDS["IDC_MALE"], "女": IDS["IDC_FEMALE"]}[sex])

    def step_press(self, how):
        if how == "run":
            self.driver.call("click", "input_dialog", IDOK)
        elif how == "cancel":
            self.driver.call("click", "input_dialog", IDCANCEL)
        elif how == "enter":
            self.driver.call("key", IDS["IDC_JUDGED_YEAR"], VK_RETURN)
        elif how == "escape":
            self.driver.call("key", IDS["IDC_NAME"], VK_ESCAPE)
        elif how == "close_box":
            self.driver.call("close", "input_dialog")
        else:
            raise ScenarioFailure(f"unknown press {how}")

    def step_dialog_closed(self):
        self.driver.call("gone", "input_dialog")

    def step_box(self, expected):
        """A message box with an OK button only and no icon: its caption ("default": the
        platform's own, as for a box given no caption), its owner and its text."""
        box = self.driver.call("wait", "message_box")["window"]
        caption = expected["caption"]
        if caption == "default":
            caption = DEFAULT_CAPTIONS[self.locale]
        self.check(box["caption"] == caption, f"caption {box['caption']!r}, not {caption!r}")
        self.check(box["owner"] == expected["owner"], f"owner {box['owner']}")
        self.check(box["buttons"] == [IDOK] and not box["shows_icon"],
                   f"buttons {box['buttons']}, icon {box['shows_icon']}")
        want = self.expected_bytes(expected)
        got = bytes.fromhex(box["text_cp932"])
        self.check(got == want, f"box text\n{got.decode('cp932', 'replace')}\n"
                                f"is not\n{want.decode('cp932', 'replace')}")
        self.driver.call("click", "message_box", IDOK)
        self.driver.call("gone", "message_box")

    def step_command(self, command):
        """A command by its name in resource.h, or a number that names none."""
        self.driver.call("command", IDS[command] if isinstance(command, str) else command)

    def step_settle(self):
        """Opens and closes the About box: posted commands are handled in order, so once it is
        up every command posted before has run. Then nothing else may be on the screen."""
        self.driver.call("command", IDS["IDM_ABOUT"])
        about = self.driver.call("wait", "other_dialog")["window"]
        self.check(about["caption"] == "テンカリ" and about["owner"] == "main_window",
                   f"About box: {about}")
        self.check(f"Ver {self.args.version}" in about["texts"] and "OK" in about["texts"],
                   f"About box texts: {about['texts']}")
        shown = [window["kind"] for window in self.driver.call("windows")["windows"]]
        self.check(sorted(shown) == ["main_window", "other_dialog"], f"windows shown: {shown}")
        self.driver.call("click", "other_dialog", IDOK)
        self.driver.call("gone", "other_dialog")

    def step_close_about(self, how):
        self.driver.call("command", IDS["IDM_ABOUT"])
        self.driver.call("wait", "other_dialog")
        if how == "close_box":
            self.driver.call("close", "other_dialog")
        else:
            self.driver.call("click", "other_dialog", IDOK)
        self.driver.call("gone", "other_dialog")

    def step_notice(self, expected, **inserts):
        """A box of the program's own with an icon and an OK button: its caption, its owner and
        its text, where {name} stands for an insert."""
        box = self.driver.call("wait", "message_box")["window"]
        self.check(box["caption"] == expected["caption"], f"caption {box['caption']!r}")
        self.check(box["owner"] == expected["owner"], f"owner {box['owner']}")
        self.check(box["buttons"] == [IDOK] and box["shows_icon"],
                   f"buttons {box['buttons']}, icon {box['shows_icon']}")
        want = expected["text"].format(**inserts)
        # The platform formatter writes each line end of the pattern as CR LF.
        shown = box["text"].replace("\r\n", "\n")
        self.check(shown == want, f"box text\n{box['text']!r}\nis not\n{want!r}")
        self.driver.call("click", "message_box", IDOK)
        self.driver.call("gone", "message_box")

    def help_file(self):
        return HELP_FILES[self.args.windows_version]

    def step_help_missing(self):
        """With no help beside the exe, 目次 names the file this Windows would open and the
        exe's folder in a box of the program's own: no viewer starts, no browser opens."""
        self.driver.call("command", IDS["IDM_HELP_CONTENTS"])
        self.step_notice(HELP_NOT_OPENED, file=self.help_file(),
                         folder=windows_path(self.program), **HELP_MISSING)
        self.check(not self.wine.browser_log.exists(), "a browser was started")

    def step_help_without_browser(self):
        """With no program set for web pages, 目次 offers Windows' choice of one, which Wine
        does not have; then a box names the page to open by hand."""
        placed = self.program / "テンカリ.html"
        shutil.copyfile(self.args.help_dir / placed.name, placed)
        self.wine.run(["reg", "delete", r"HKCR\.html", "/f"], timeout=60)
        try:
            self.driver.call("command", IDS["IDM_HELP_CONTENTS"])
            advice = HELP_WITHOUT_BROWSER["advice"].format(page=windows_path(placed))
            self.step_notice(HELP_NOT_OPENED, file=placed.name, folder=windows_path(self.program),
                             reason=HELP_WITHOUT_BROWSER["reason"], advice=advice)
            self.check(not self.wine.browser_log.exists(), "a browser was started")
        finally:
            self.wine.run(["reg", "add", r"HKCR\.html", "/ve", "/d", "htmlfile", "/f"], timeout=60)
            placed.unlink()

    def step_help_opens(self, expected):
        """With both help files beside the exe, and none where the program runs, 目次 opens the
        help from the exe's folder: up to Windows 8.1 the WinHelp viewer at the contents, with no
        question, under the help's title; from Windows 10 on the page, in the browser. The files
        go again afterwards."""
        self.check(self.args.help_dir is not None, "no --help-dir given")
        placed = [self.program / name for name in HELP_FILES.values()]
        for path in placed:
            shutil.copyfile(self.args.help_dir / path.name, path)
        try:
            self.driver.call("command", IDS["IDM_HELP_CONTENTS"])
            if self.args.windows_version == "win10":
                self.help_page_opened()
            else:
                self.help_viewer_opened(expected)
        finally:
            for path in placed:
                path.unlink()

    def help_viewer_opened(self, expected):
        """The viewer is an ANSI program: where the code page is not 932 it was given the file's
        short name, and its caption and topic text reach the driver in that code page, the
        caption as the help's Shift-JIS bytes and the text with ? for each character the code
        page cannot hold (the viewer itself draws them in a Japanese font)."""
        viewer = self.driver.call("viewer", 30000)["window"]
        self.check(viewer["dialogs"] == [], f"the viewer asked: {viewer['dialogs']}")
        caption, shows = viewer["caption"], expected["shows"]
        if not self.locale.startswith("ja_JP"):
            caption = caption.encode("cp1252", "replace").decode("cp932", "replace")
            shows = [line.encode("cp1252", "replace").decode("cp1252") for line in shows]
        self.check(expected["title"] in caption, f"the viewer's title is {caption!r}")
        shown = viewer["text"].replace("\r", "").split("\n")
        self.check(shown[:len(shows)] == shows, f"the viewer shows {shown[:len(shows)]}")
        self.driver.call("end_foreign")

    def help_page_opened(self):
        """The browser that the prefix names writes down the URL it is given: one, the file URL
        of the page beside the exe."""
        urls = self.wine.opened_urls(HELP_PAGE_WAIT_S)
        self.check(urls is not None, f"no browser was started within {HELP_PAGE_WAIT_S} s")
        page = (self.program / "テンカリ.html").resolve()
        self.check(len(urls) == 1 and urls[0].startswith("file://") and
                   pathlib.Path(urllib.parse.unquote(urls[0][len("file://"):])) == page,
                   f"the browser was given {urls}, not {page}")

    def step_save_fails(self, file_name, cause):
        """The file output button, pressed, cannot save the reading to file_name: the box names
        the file, the folder the program runs in and the reason, the program's own words for the
        cause that the data names, or the system's text for an error code. The click is posted,
        since the program answers it only once the box is closed."""
        self.driver.call("buttons", 1)
        self.driver.call("click", "main_window", IDS["IDM_FILE_OUTPUT"])
        reason = (self.driver.call("system_error", cause)["text"] if isinstance(cause, int)
                  else SAVE_REASONS[cause])
        self.step_notice(SAVE_FAILED, file=file_name, folder=windows_path(self.work),
                         reason=reason)

    def step_buttons(self, count):
        buttons = self.driver.call("buttons", count)["buttons"]
        for button in buttons:
            for field, value in FILE_OUTPUT_BUTTON.items():
                self.check(button[field] == value, f"button {field} is {button[field]!r}")
            style = button["style"] & 0xFFFF0000
            self.check(style == style_value(["WS_CHILD", "WS_VISIBLE"]) and
                       button["style"] & 0xF == 0, f"button style {button['style']:#x}")

    def step_write_file(self):
        self.driver.call("press_file_button")

    def step_file(self, name, expected):
        path = self.work / name
        self.check(path.is_file(), f"no file {name}; folder holds {self.listing()}")
        want = self.expected_bytes(expected)
        got = path.read_bytes()
        self.check(got == want, f"{name} holds {len(got)} bytes, not the {len(want)} expected")

    def step_put_file(self, name, size):
        (self.work / name).write_bytes(b"x" * size)

    def step_read_only(self, name, read_only):
        (self.work / name).chmod(0o444 if read_only else 0o644)

    def step_status(self, expected):
        """The status bar's text, where {folder} stands for the folder the program runs in."""
        want = expected.format(folder=windows_path(self.work))
        self.driver.call("status", want)

    def step_icon(self, size, partly_transparent):
        """The image the system picks from the icon MyApp at size pixels: that size, and with an
        anti-aliased edge of partly transparent pixels where it is drawn with alpha."""
        image = self.driver.call("icon", windows_path(self.args.exe), "MyApp", size)["image"]
        self.check(image["width"] == size and image["height"] == size,
                   f"the icon at {size} is {image['width']} x {image['height']}")
        self.check((image["partly_transparent"] > 0) == partly_transparent and
                   (image["bits"] == 32 or not partly_transparent),
                   f"the icon at {size}: {image}")

    def step_put_folder(self, name):
        (self.work / name).mkdir()

    def step_remove_file(self, name):
        (self.work / name).unlink()

    def step_remove_folder(self, name):
        (self.work / name).rmdir()

    def listing(self):
        return sorted(str(path.relative_to(self.folder)) for path in self.folder.rglob("*")
                      if path.is_file() and self.program not in path.parents)

    def step_files(self, names):
        """Exactly these files in the scenario's folder and below it, the work folder's parent
        included (the program's own folder aside), and none of them in the root of drive C."""
        expected = sorted("work/" + name for name in names)
        self.check(self.listing() == expected, f"files {self.listing()}, not {expected}")

    def step_absent_from_drive_c(self, name):
        path = self.args.prefix / "drive_c" / name
        self.check(not path.exists(), f"{name} was written to drive C")

    def step_exit(self, how):
        if how == "command":
            self.driver.call("command", IDS["IDM_EXIT"])
        else:
            self.driver.call("close", "main_window")
        code = self.driver.call("wait_exit")["exit_code"]
        self.check(code == 0, f"exit code {code}")

    def step_menu(self, expected):
        items = self.driver.call("menu", windows_path(self.args.exe), "MYAPP")["items"]
        self.check(items == expected, f"menu\n{json.dumps(items, ensure_ascii=False)}")

    def step_dialog_template(self, name, expected):
        dialog = self.driver.call("dialog", windows_path(self.args.exe), name)["dialog"]
        self.check(dialog["style"] == style_value(expected["style"]),
                   f"{name} style {dialog['style']:#x}")
        for field in ("caption", "x", "y", "cx", "cy", "font_size", "font"):
            self.check(dialog[field] == expected[field], f"{name} {field} {dialog[field]!r}")
        self.check(len(dialog["controls"]) == len(expected["controls"]),
                   f"{name} has {len(dialog['controls'])} controls")
        for order, (control, want) in enumerate(zip(dialog["controls"], expected["controls"]), 1):
            klass, control_id, text, x, y, cx, cy, styles = want
            text = text.replace("@VERSION@", self.args.version)
            got = (control["class"].upper(), control["id"], control["text"], control["x"],
                   control["y"], control["cx"], control["cy"], control["style"])
            wanted = (klass.upper(), control_id, text, x, y, cx, cy,
                      style_value(["WS_CHILD", "WS_VISIBLE"] + styles))
            self.check(got == wanted, f"{name} control {order}: {got} is not {wanted}")

    def step_keys(self, combination):
        """Keys pressed together at the keyboard, as "ctrl+s"; the step ends once the program
        has taken them and handled what they started."""
        self.driver.call("keys", *(KEY_CODES[key] for key in combination.split("+")))

    def step_dpi_changed(self, dpi, suggested):
        """The main window is told it went to a monitor of dpi, with a suggested rectangle
        {x, y, width, height}; it must take that rectangle."""
        window = self.driver.call("dpi_changed", dpi, suggested["x"], suggested["y"],
                                  suggested["width"], suggested["height"])
        got = {field: window[field] for field in suggested}
        self.check(got == suggested, f"the main window is at {got}, not {suggested}")

    def step_scaled_button(self, expected):
        """The file output button in the screen's pixels, with the main window's DPI and its
        DPI awareness (2: per monitor)."""
        button = self.driver.call("scaled_button")
        for field, value in expected.items():
            self.check(button[field] == value, f"button {field} is {button[field]!r}, not {value!r}")


def project_version():
    """The version of the project() call in CMakeLists.txt, where it is written once."""
    cmake_lists = (HERE.parents[1] / "CMakeLists.txt").read_text(encoding="utf-8")
    return re.search(r"project\(tenkari VERSION ([0-9.]+)", cmake_lists).group(1)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--exe", type=pathlib.Path, required=True)
    parser.add_argument("--driver", type=pathlib.Path, required=True)
    parser.add_argument("--cli", type=pathlib.Path, required=True)
    parser.add_argument("--version",
                        help="the project version, which the About box shows as Ver VERSION "
                             "(default: the one CMakeLists.txt gives)")
    parser.add_argument("--locale", default="ja_JP.UTF-8")
    parser.add_argument("--prefix", type=pathlib.Path, required=True)
    parser.add_argument("--work", type=pathlib.Path, required=True)
    parser.add_argument("--scenarios", type=pathlib.Path, default=HERE / "scenarios.json")
    parser.add_argument("--only", help="run only the scenarios whose name holds this text")
    parser.add_argument("--dpi", type=int, default=96,
                        help="the display scaling of the Wine prefix (LogPixels), 96 by default")
    parser.add_argument("--help-dir", type=pathlib.Path,
                        help="the folder of the built テンカリ.HLP and テンカリ.html, for the "
                             "steps that open the help")
    parser.add_argument("--windows-version", choices=["win10"],
                        help="the Windows that Wine reports (default: its own, Windows 7)")
    args = parser.parse_args()
    args.version = args.version or project_version()
    args.prefix = args.prefix.resolve()
    for program in (args.exe, args.driver, args.cli):
        if not program.is_file():
            sys.exit(f"missing {program}: build it with "
                     "`cmake --preset windows && cmake --build --preset windows`, which makes "
                     "tenkari.exe, the driver and the host tenkari-cli")

    scenarios = json.loads(args.scenarios.read_text(encoding="utf-8"))
    scenarios = [s for s in scenarios if not args.only or args.only in s["name"]]
    failures, skipped = [], []
    with WineSession(args.prefix, locale=args.locale, dpi=args.dpi, virtual_desktop=True,
                     windows_version=args.windows_version, record_browser=True) as wine:
        driver = None
        try:
            for number, scenario in enumerate(scenarios, 1):
                # A driver that stopped answering is not asked again: the next scenario gets
                # a new one.
                if driver is None or driver.broken:
                    if driver is not None:
                        driver.close()
                    driver = DriverClient(wine, args.driver).open()
                folder = args.work.resolve() / f"{number:02d}"
                note = f"scenario {scenario['name']}"
                wine.note(note)
                try:
                    ScenarioRun(driver, wine, args, scenario, folder).run()
                    print(f"ok    {scenario['name']}")
                except ScenarioSkipped as reason:
                    skipped.append(scenario["name"])
                    print(f"skip  {scenario['name']}\n      {reason}")
                except ScenarioFailure as failure:
                    failures.append(scenario["name"])
                    print(failure_report(scenario["name"], failure, wine, driver, since=note))
        finally:
            if driver is not None:
                driver.close()
    print(f"{len(scenarios) - len(failures) - len(skipped)} of {len(scenarios)} scenarios passed"
          + (f" ({len(skipped)} skipped)" if skipped else "") +
          f" under {args.locale}" + (f" at {args.dpi} DPI" if args.dpi != 96 else "") +
          f" as {args.windows_version or 'Windows 7 (Wine default)'}")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
