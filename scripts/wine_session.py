"""One Wine session for tenkari.exe: a Wine prefix made for the session, one wineserver for the
whole session, a private Xvfb display where none is given, and a log of all that Wine says.

    with WineSession(prefix, locale="ja_JP.UTF-8") as wine:
        wine.run(["tenkari.exe"], timeout=60)

LANG=ja_JP.UTF-8 gives code page 932 (the locale must be generated); C.UTF-8 gives 1252.
Wine reports Windows 7 unless windows_version names another ("win10": 10.0.18362; Wine 8 knows
no win11, and Windows 11 reports major version 10 as well).

With record_browser, web pages open as on Windows (.html is a htmlfile) and the "browser" that
Wine's winebrowser starts only writes the URL it was given, one a line, to browser_log.

Making a prefix (wineboot) takes half a minute and 700 MB, nearly all of it Wine's programs and
libraries, which Wine never writes again once the prefix is made. So one template is made per
Wine, beside the prefixes (wine-template), and each session's prefix is made anew from it: those
files are hard links to the template's, every other one (the registry above all, which
wineserver rewrites in place when a file has more than one link) a copy of its own, which costs a
second and some 20 MB. Then the session's settings go in, in its own locale (the fonts that
stand in for the Japanese faces, the DPI, the virtual desktop, the Windows version, the browser),
and are read back. The template is used only once it has been checked (Wine starts a program in
it and its fonts are in place); its mark names the Wine that made it (version and loader), and a
template whose mark names another Wine, or whose prefixes do not work, is made anew.

Everything Wine writes on stderr (its errors; a crash's backtrace instead of a crash dialog)
goes to the session's log, by default beside the prefix; stderr_tail gives its last lines.
"""
import fcntl
import os
import pathlib
import select
import shutil
import subprocess
import time

from reg_file import read_reg_export

# Japanese face names the program and Wine's dialogs ask for, and the IPA font that stands in
# for each. The Mincho faces map to the proportional IPA P明朝, whose wider Latin letters give
# dialog units that hold the input dialog's longest label.
FONT_SUBSTITUTES = {
    "MS 明朝": "IPAPMincho",
    "ＭＳ 明朝": "IPAPMincho",
    "MS Mincho": "IPAPMincho",
    "MS P明朝": "IPAPMincho",
    "ＭＳ Ｐ明朝": "IPAPMincho",
    "MS PMincho": "IPAPMincho",
    "MS ゴシック": "IPAGothic",
    "ＭＳ ゴシック": "IPAGothic",
    "MS Gothic": "IPAGothic",
    "MS Pゴシック": "IPAPGothic",
    "ＭＳ Ｐゴシック": "IPAPGothic",
    "MS PGothic": "IPAPGothic",
    "MS UI Gothic": "IPAPGothic",
    "MS Shell Dlg": "IPAPGothic",
    "MS Shell Dlg 2": "IPAPGothic",
    "MS Sans Serif": "IPAPGothic",
}
# Caption buttons and frames drawn by Wine itself need these.
WINE_FONTS = ["tahoma.ttf", "tahomabd.ttf", "marlett.ttf"]
WINE_FONT_DIR = pathlib.Path("/usr/share/wine/fonts")
TEMPLATE_NAME = "wine-template"
TEMPLATE_MARK = "tenkari-template"
# The marks of a prefix these scripts made: a session's, one being made, and those that earlier
# versions of this script left.
SETUP_MARK = "tenkari-ready"
MAKING_MARK = "tenkari-making"
OLD_MARKS = ["tenkari-setup-1"]
# Files of a prefix that Wine writes only when it makes one: its programs and libraries, fonts
# and code page tables. A session's prefix shares them with the template.
SHARED_SUFFIXES = {".dll", ".exe", ".drv", ".sys", ".ocx", ".acm", ".cpl", ".ax", ".tlb",
                   ".ttf", ".nls", ".ds", ".com"}
# Left by a wineserver of the template; a prefix's own server makes its own.
NOT_CLONED = {"wineserver", TEMPLATE_MARK}
# Debian's `wine` wrapper runs the 32-bit loader when it is installed, else the 64-bit one.
DEBIAN_LOADERS = ["/usr/lib/wine/wine", "/usr/lib/wine/wine64"]
# Errors only: the fixme lines of a normal run would bury them.
WINE_DEBUG_CHANNELS = "-all,err+all"
BASE_REGISTRY_SETTINGS = [
    (r"HKCU\Software\Wine\X11 Driver", "Managed", "N"),
    # A program that crashes ends with its backtrace in the log, not in a dialog that waits.
    (r"HKCU\Software\Wine\WineDbg", "ShowCrashDialog", 0),
] + [(r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes", face, font)
     for face, font in FONT_SUBSTITUTES.items()]
# The display scaling of a prefix: Wine takes the system DPI from LogPixels, first the user's,
# then the machine's current hardware profile. 96 is Wine's own default (100 %).
DEFAULT_DPI = 96
DPI_KEYS = [r"HKCU\Control Panel\Desktop",
            r"HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts"]
ROOT_KEYS = {"HKCU": "HKEY_CURRENT_USER", "HKLM": "HKEY_LOCAL_MACHINE",
             "HKCR": "HKEY_CLASSES_ROOT"}
TAIL_LINES = 15
SHOWN_LINE = 240


def prefix_name(locale, dpi=DEFAULT_DPI):
    """The folder name of the prefix for a locale and a DPI; the 96-DPI prefixes keep the plain
    name."""
    return f"wine-prefix-{locale}" + ("" if dpi == DEFAULT_DPI else f"-{dpi}dpi")


class WineError(RuntimeError):
    pass


def wine_identity():
    """Which Wine makes and runs the prefixes: its version and its loader."""
    version = subprocess.run(["wine", "--version"], capture_output=True, text=True,
                             env=dict(os.environ, WINEDEBUG="-all"), timeout=60).stdout.strip()
    loader = os.environ.get("WINELOADER") or next(
        (path for path in DEBIAN_LOADERS if os.access(path, os.X_OK)), shutil.which("wine"))
    return f"version {version}\nloader {loader}\n"


def _ensure_locale(locale):
    if locale.startswith("C."):
        return
    listed = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.lower()
    if locale.lower().replace("utf-8", "utf8") not in listed.split():
        raise WineError(f"the locale {locale} is not generated: run scripts/setup-debian.sh")


def _is_ours(folder, marks):
    return not folder.exists() or not any(folder.iterdir()) or any(
        (folder / mark).exists() for mark in marks)


def _remove_ours(folder, marks):
    """Removes a folder that these scripts made; a prefix given by hand may hold someone's own
    Windows programs, so any other is refused."""
    if not _is_ours(folder, marks):
        raise WineError(f"{folder} is not a prefix of these scripts; give another folder, or "
                        "remove it yourself")
    if folder.is_symlink() or folder.is_file():
        folder.unlink()
    elif folder.exists():
        shutil.rmtree(folder)


def _link_or_copy(source, target):
    shared = pathlib.Path(source).suffix.lower() in SHARED_SUFFIXES
    if shared:
        try:
            os.link(source, target)
            return target
        except OSError:  # another file system: a copy of its own
            pass
    return shutil.copy2(source, target)


def registry_file(settings):
    """The settings as a file that regedit imports (REGEDIT5, UTF-16 with a byte-order mark)."""
    lines = ["Windows Registry Editor Version 5.00", ""]
    for key in dict.fromkeys(key for key, _, _ in settings):
        root, _, rest = key.partition("\\")
        lines.append(f"[{ROOT_KEYS[root]}\\{rest}]")
        for _, name, value in ((k, n, v) for k, n, v in settings if k == key):
            quoted = '"' + name.replace("\\", "\\\\").replace('"', '\\"') + '"' if name else "@"
            data = (f"dword:{value:08x}" if isinstance(value, int) else
                    '"' + value.replace("\\", "\\\\").replace('"', '\\"') + '"')
            lines.append(f"{quoted}={data}")
        lines.append("")
    return ("\r\n".join(lines) + "\r\n").encode("utf-16")


class WineSession:
    def __init__(self, prefix, locale="ja_JP.UTF-8", display=None, screen="1280x1024x24",
                 virtual_desktop=False, windows_version=None, record_browser=False,
                 timeout=60, dpi=DEFAULT_DPI, log=None):
        self.prefix = pathlib.Path(prefix).resolve()
        self.template = self.prefix.parent / TEMPLATE_NAME
        self.locale = locale
        self.dpi = dpi
        self.display = display
        self.screen = screen
        self.virtual_desktop = virtual_desktop
        self.windows_version = windows_version
        self.record_browser = record_browser
        self.browser_log = self.prefix / "tenkari-browser.log"
        self._browser = self.prefix / "tenkari-browser"
        self.timeout = timeout
        self.log = pathlib.Path(log) if log else self.prefix.with_name(self.prefix.name + ".log")
        self._log_file = None
        self._xvfb = None
        self._server = None
        self.env = None

    # -- set-up ---------------------------------------------------------------------------
    def __enter__(self):
        _ensure_locale(self.locale)
        try:
            self.log.parent.mkdir(parents=True, exist_ok=True)
            self._log_file = open(self.log, "wb", buffering=0)
            if self.display is None:
                self.display = self._start_xvfb()
            self.env = dict(os.environ)
            self.env.update({
                "WINEDEBUG": WINE_DEBUG_CHANNELS,
                "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
                "WINEARCH": "win64",
                "LANG": self.locale,
                "LC_ALL": self.locale,
                "DISPLAY": self.display,
            })
            fault = self._make_prefix(remake_template=False)
            if fault:
                # Said aloud, not only in the log: a template that heals is a fact to explain.
                said = (f"the prefix made from {self.template} does not work ({fault}); "
                        "making the template anew")
                print(said, flush=True)
                self._note(said)
                fault = self._make_prefix(remake_template=True)
            if fault:
                raise WineError(f"the new Wine prefix {self.prefix} does not work: {fault}"
                                + self.stderr_tail())
            if self.record_browser:
                self._write_browser()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _note(self, text):
        self._log_file.write(f"== {text}\n".encode())

    def _make_prefix(self, remake_template):
        """Makes the session's prefix from the template, starts its wineserver and gives it the
        settings; what is wrong with it, or None."""
        if self._server is not None:
            self._stop_server()
        with open(self.template.with_name(TEMPLATE_NAME + ".lock"), "w") as lock:
            # Two sessions at once make the template once.
            fcntl.flock(lock, fcntl.LOCK_EX)
            try:
                self._ensure_template(remake_template)
            except WineError as failure:
                return f"the template could not be made: {failure}"
            _remove_ours(self.prefix, [SETUP_MARK, MAKING_MARK, *OLD_MARKS])
            shutil.copytree(self.template, self.prefix, symlinks=True,
                            copy_function=_link_or_copy,
                            ignore=lambda folder, names: [n for n in names if n in NOT_CLONED])
        (self.prefix / SETUP_MARK).write_text(f"made from {self.template}\n")
        self._note(f"prefix {self.prefix} made from {self.template}")
        self._start_server()
        return self._give_settings(self._registry_settings())

    def _ensure_template(self, remake):
        identity = wine_identity()
        mark = self.template / TEMPLATE_MARK
        if not remake and mark.is_file() and mark.read_text() == identity:
            return
        self._note(f"making the template {self.template}")
        template_env = dict(self.env, WINEPREFIX=str(self.template), LANG="C.UTF-8",
                            LC_ALL="C.UTF-8")
        _remove_ours(self.template, [TEMPLATE_MARK, MAKING_MARK])
        self.template.mkdir(parents=True)
        (self.template / MAKING_MARK).write_text("being made\n")
        self._wine(["wineboot", "-i"], timeout=300, env=template_env)
        fonts = self.template / "drive_c" / "windows" / "Fonts"
        fonts.mkdir(parents=True, exist_ok=True)
        for font in self._wine_fonts():
            shutil.copy(WINE_FONT_DIR / font, fonts / font)
        try:
            self._wine(["wine", "cmd", "/c", "exit"], timeout=120, env=template_env)
        finally:
            self._wine(["wineserver", "-w"], timeout=120, env=template_env)
        missing = [font for font in self._wine_fonts() if not (fonts / font).is_file()]
        if missing:
            raise WineError(f"the template {self.template} lacks the fonts {', '.join(missing)}")
        (self.template / MAKING_MARK).unlink()
        mark.write_text(identity)

    def _give_settings(self, settings):
        """Imports the settings in one call and reads each key back: what is not as it should
        be, or None."""
        imported = self.prefix / "tenkari-settings-import.reg"
        imported.write_bytes(registry_file(settings))
        try:
            self._wine(["wine", "regedit", "/S", self._windows_path(imported)], timeout=120)
        except WineError as failure:
            return f"no program starts: {failure}"
        exported = self.prefix / "tenkari-settings.reg"
        for key in dict.fromkeys(key for key, _, _ in settings):
            try:
                self._wine(["wine", "reg", "export", key, self._windows_path(exported), "/y"],
                           timeout=60)
                values = read_reg_export(exported.read_bytes().decode("utf-16"))
            except (WineError, OSError, UnicodeError) as failure:
                return f"the registry key {key} cannot be read: {failure}"
            finally:
                exported.unlink(missing_ok=True)
            root, _, rest = key.partition("\\")
            found = {path.lower(): named for path, named in values.items()}.get(
                f"{ROOT_KEYS[root]}\\{rest}".lower(), {})
            for name, value in ((n, v) for k, n, v in settings if k == key):
                if found.get(name) != value:
                    return f"the registry value {key}\\{name} is {found.get(name)!r}, not {value!r}"
        return None

    @staticmethod
    def _windows_path(path):
        return "Z:" + str(path).replace("/", "\\")

    def _start_xvfb(self):
        """Starts a private Xvfb on a display number it picks itself (two sessions at once
        cannot take the same one) and returns the display once it accepts connections."""
        read_end, write_end = os.pipe()
        try:
            self._xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.screen,
                 "-nolisten", "tcp"],
                pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=self._log_file)
            os.close(write_end)
            write_end = None
            number = b""
            deadline = time.monotonic() + 20
            while not number.endswith(b"\n"):
                remaining = deadline - time.monotonic()
                if remaining <= 0 or not select.select([read_end], [], [], remaining)[0]:
                    raise WineError("Xvfb did not come up")
                chunk = os.read(read_end, 16)
                if not chunk:
                    raise WineError("Xvfb ended before it chose a display")
                number += chunk
            return ":" + number.decode().strip()
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)

    def opened_urls(self, timeout):
        """The URLs the recording browser was given since it was last asked, once it has
        written one (polled until timeout seconds have passed: None if none came)."""
        deadline = time.monotonic() + timeout
        while not (self.browser_log.exists() and self.browser_log.read_text().endswith("\n")):
            if time.monotonic() >= deadline:
                return None
            time.sleep(0.05)
        urls = self.browser_log.read_text().splitlines()
        self.browser_log.unlink()
        return urls

    def _write_browser(self):
        log = str(self.browser_log).replace("'", "'\\''")
        self._browser.write_text(f"#!/bin/sh\nprintf '%s\\n' \"$@\" >> '{log}'\n")
        self._browser.chmod(0o755)
        self.browser_log.unlink(missing_ok=True)

    def _start_server(self):
        # One wineserver for the whole session, and Wine's background processes started once
        # with their output detached, so that no later call waits on them.
        self.env["WINEPREFIX"] = str(self.prefix)
        self._server = subprocess.Popen(["wineserver", "-f", "-p"], env=self.env,
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=self._log_file)

    def _stop_server(self):
        subprocess.run(["timeout", "20", "wineserver", "-k"], env=self.env,
                       stdout=subprocess.DEVNULL, stderr=self._log_file)
        try:
            self._server.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self._server.kill()
        self._server = None

    def _registry_settings(self):
        """(key, name, value) of every setting the prefix is given; an int is a REG_DWORD, and
        the name "" is the key's default value."""
        dpi = [(key, "LogPixels", self.dpi) for key in DPI_KEYS] if self.dpi != DEFAULT_DPI else []
        desktop = []
        if self.virtual_desktop:
            size = "x".join(self.screen.split("x")[:2])
            desktop = [(r"HKCU\Software\Wine\Explorer", "Desktop", "Default"),
                       (r"HKCU\Software\Wine\Explorer\Desktops", "Default", size)]
        version = ([(r"HKCU\Software\Wine", "Version", self.windows_version)]
                   if self.windows_version else [])
        # Wine's prefix knows htmlfile but, with mshtml left out, maps no extension to it.
        browser = ([(r"HKCR\.html", "", "htmlfile"),
                    (r"HKCU\Software\Wine\WineBrowser", "Browsers", str(self._browser))]
                   if self.record_browser else [])
        return BASE_REGISTRY_SETTINGS + dpi + desktop + version + browser

    @staticmethod
    def _wine_fonts():
        return [font for font in WINE_FONTS if (WINE_FONT_DIR / font).exists()]

    def _wine(self, args, timeout, env=None):
        self._note(" ".join(args))
        result = subprocess.run(["timeout", "-k", "5", str(timeout), *args], env=env or self.env,
                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                stderr=self._log_file)
        if result.returncode != 0:
            raise WineError(f"{' '.join(args)} failed with {result.returncode}")

    # -- use ------------------------------------------------------------------------------
    def command(self, args, timeout=None):
        """The command line that runs a Windows program under this session's Wine."""
        return ["timeout", "-k", "5", str(timeout or self.timeout), "wine", *map(str, args)]

    def run(self, args, timeout=None, **kwargs):
        """Runs a Windows program to its end; its output is returned, what Wine says on stderr
        goes to the log."""
        kwargs.setdefault("stdin", subprocess.DEVNULL)
        kwargs.setdefault("stdout", subprocess.PIPE)
        kwargs.setdefault("stderr", self._log_file)
        self._note(" ".join(map(str, args)))
        return subprocess.run(self.command(args, timeout), env=self.env, **kwargs)

    def popen(self, args, timeout=None, **kwargs):
        kwargs.setdefault("stderr", self._log_file)
        self._note(" ".join(map(str, args)))
        return subprocess.Popen(self.command(args, timeout), env=self.env, **kwargs)

    def note(self, text):
        """A line of the caller's own in the log, to tell what follows from what went before."""
        self._note(text)

    def stderr_tail(self, since=None, lines=TAIL_LINES):
        """Wine's last lines in the log, or those since the caller's last note of since, with
        the log's path, to end a failure's message with. The driver's words, which the log holds
        too, are left out."""
        try:
            logged = self.log.read_bytes().decode("utf-8", "replace").splitlines()
        except OSError:
            logged = []
        if since is not None and f"== {since}" in logged:
            logged = logged[len(logged) - logged[::-1].index(f"== {since}"):]
        said = [line for line in logged if not line.startswith("== driver")][-lines:]
        shown = "\n".join("      | " + line[:SHOWN_LINE] for line in said) or "      | (nothing)"
        return f"\n      Wine's last words (all in {self.log}):\n{shown}"

    def screenshot(self, path):
        subprocess.run(["import", "-display", self.display, "-window", "root", str(path)],
                       check=True, timeout=30)

    # -- tear-down ------------------------------------------------------------------------
    def __exit__(self, *exc):
        if self._server is not None:
            self._stop_server()
        elif self.env is not None and "WINEPREFIX" in self.env:
            subprocess.run(["timeout", "20", "wineserver", "-k"], env=self.env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if self._xvfb is not None:
            self._xvfb.terminate()
            try:
                self._xvfb.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self._xvfb.kill()
        if self._log_file is not None:
            self._log_file.close()
            self._log_file = None
        return False
