"""One Wine session for tenkari.exe: a cached prefix per locale with Japanese fonts, one
wineserver for the whole session, and a private Xvfb display where none is given.

    with WineSession(prefix, locale="ja_JP.UTF-8") as wine:
        wine.run(["tenkari.exe"], timeout=60)

LANG=ja_JP.UTF-8 gives code page 932 (the locale must be generated); C.UTF-8 gives 1252.
Wine reports Windows 7 unless windows_version names another ("win10": 10.0.18362; Wine 8 knows
no win11, and Windows 11 reports major version 10 as well).

With record_browser, web pages open as on Windows (.html is a htmlfile) and the "browser" that
Wine's winebrowser starts only writes the URL it was given, one a line, to browser_log.

A prefix is marked ready only once it has been checked: Wine starts a program in it, and the
fonts and registry settings below are in place. The mark names the Wine that made the prefix
(its version and the loader Debian's `wine` wrapper runs) and every registry setting it was given
(the DPI among them); a prefix whose mark names another Wine or other settings, or whose check
fails, is made anew rather than reused.
"""
import os
import pathlib
import select
import shutil
import subprocess
import time

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
SETUP_MARK = "tenkari-ready"
# Left in a prefix while it is being made, so that a half-made one is known as ours.
MAKING_MARK = "tenkari-making"
# What earlier versions of this script left in their prefixes.
OLD_MARKS = ["tenkari-setup-1"]
# Debian's `wine` wrapper runs the 32-bit loader when it is installed, else the 64-bit one.
DEBIAN_LOADERS = ["/usr/lib/wine/wine", "/usr/lib/wine/wine64"]
BASE_REGISTRY_SETTINGS = [(r"HKCU\Software\Wine\X11 Driver", "Managed", "N")] + [
    (r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes", face, font)
    for face, font in FONT_SUBSTITUTES.items()]
# The display scaling of a prefix: Wine takes the system DPI from LogPixels, first the user's,
# then the machine's current hardware profile. 96 is Wine's own default (100 %).
DEFAULT_DPI = 96
DPI_KEYS = [r"HKCU\Control Panel\Desktop",
            r"HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts"]


def prefix_name(locale, dpi=DEFAULT_DPI):
    """The folder name of the cached prefix for a locale and a DPI; a prefix holds one DPI, and
    the 96-DPI prefixes keep the plain name."""
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


class WineSession:
    def __init__(self, prefix, locale="ja_JP.UTF-8", display=None, screen="1280x1024x24",
                 virtual_desktop=False, windows_version=None, record_browser=False,
                 timeout=60, dpi=DEFAULT_DPI):
        self.prefix = pathlib.Path(prefix).resolve()
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
        self._xvfb = None
        self._server = None
        self.env = None

    # -- set-up ---------------------------------------------------------------------------
    def __enter__(self):
        _ensure_locale(self.locale)
        # Before any Wine call, which would leave files of its own in the folder.
        self._refuse_a_prefix_not_ours()
        try:
            if self.display is None:
                self.display = self._start_xvfb()
            env = dict(os.environ)
            env.update({
                "WINEPREFIX": str(self.prefix),
                "WINEDEBUG": "-all",
                "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
                "WINEARCH": "win64",
                "LANG": self.locale,
                "LC_ALL": self.locale,
                "DISPLAY": self.display,
            })
            self.env = env
            settings = self._registry_settings()
            identity = wine_identity() + "".join(
                f"setting {key}\\{name} = {value}\n" for key, name, value in settings)
            mark = self.prefix / SETUP_MARK
            reused = mark.is_file() and mark.read_text() == identity
            if not reused:
                self._make_prefix()
            self._start_server()
            fault = self._fault()
            if fault and reused:
                print(f"the Wine prefix {self.prefix} is broken ({fault}); making it anew",
                      flush=True)
                self._stop_server()
                self._make_prefix()
                self._start_server()
                fault = self._fault()
            if fault:
                raise WineError(f"the new Wine prefix {self.prefix} does not work: {fault}")
            mark.write_text(identity)
            (self.prefix / MAKING_MARK).unlink(missing_ok=True)
            if self.record_browser:
                self._write_browser()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _start_xvfb(self):
        """Starts a private Xvfb on a display number it picks itself (two sessions at once
        cannot take the same one) and returns the display once it accepts connections."""
        read_end, write_end = os.pipe()
        try:
            self._xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.screen,
                 "-nolisten", "tcp"],
                pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
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

    def _refuse_a_prefix_not_ours(self):
        if self.prefix.exists() and any(self.prefix.iterdir()):
            ours = [self.prefix / name for name in [SETUP_MARK, MAKING_MARK, *OLD_MARKS]]
            if not any(mark.exists() for mark in ours):
                raise WineError(f"{self.prefix} is not a prefix of these scripts; give another "
                                "folder, or remove it yourself")

    def _make_prefix(self):
        """A new prefix in place of the one there, with the fonts and registry settings. Only a
        folder that this script made (or an empty one) is ever removed: a prefix given by hand
        may hold someone's own Windows programs."""
        self._refuse_a_prefix_not_ours()
        if self.prefix.exists():
            shutil.rmtree(self.prefix)
        self.prefix.mkdir(parents=True, exist_ok=True)
        (self.prefix / MAKING_MARK).write_text("being made\n")
        self._wine(["wineboot", "-i"], timeout=300)
        for key, name, value in self._registry_settings():
            kind = ["/t", "REG_DWORD"] if isinstance(value, int) else []
            value_name = ["/v", name] if name else ["/ve"]
            self._wine(["wine", "reg", "add", key, *value_name, *kind, "/d", str(value), "/f"],
                       timeout=60)
        fonts = self.prefix / "drive_c" / "windows" / "Fonts"
        fonts.mkdir(parents=True, exist_ok=True)
        for font in self._wine_fonts():
            shutil.copy(WINE_FONT_DIR / font, fonts / font)
        self._wine(["wineserver", "-w"], timeout=120)

    def _start_server(self):
        # One wineserver for the whole session, and Wine's background processes started once
        # with their output detached, so that no later call waits on them.
        self._server = subprocess.Popen(["wineserver", "-f", "-p"], env=self.env,
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)

    def _stop_server(self):
        subprocess.run(["timeout", "20", "wineserver", "-k"], env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
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

    def _fault(self):
        """What is wrong with the prefix, or None: Wine must start a program in it, and the
        fonts and registry settings must be in place."""
        try:
            self._wine(["wine", "cmd", "/c", "exit"], timeout=120)
        except WineError as failure:
            return f"no program starts: {failure}"
        fonts = self.prefix / "drive_c" / "windows" / "Fonts"
        missing = [font for font in self._wine_fonts() if not (fonts / font).is_file()]
        if missing:
            return f"fonts missing: {', '.join(missing)}"
        exported = self.prefix / "tenkari-settings.reg"
        settings = self._registry_settings()
        for key in dict.fromkeys(key for key, _, _ in settings):
            try:
                self._wine(["wine", "reg", "export", key, "Z:" + str(exported).replace("/", "\\"),
                            "/y"], timeout=60)
                text = exported.read_bytes().decode("utf-16")
            except (WineError, OSError, UnicodeError) as failure:
                return f"the registry key {key} cannot be read: {failure}"
            finally:
                exported.unlink(missing_ok=True)
            for name, value in ((n, v) for k, n, v in settings if k == key):
                data = f"dword:{value:08x}" if isinstance(value, int) else f'"{value}"'
                data = data.replace("\\", "\\\\")
                exported_name = f'"{name}"' if name else "@"
                if f"{exported_name}={data}" not in text.splitlines():
                    return f"the registry value {key}\\{name} is not {value}"
        return None

    def _wine(self, args, timeout):
        result = subprocess.run(["timeout", "-k", "5", str(timeout), *args], env=self.env,
                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        if result.returncode != 0:
            raise WineError(f"{' '.join(args)} failed with {result.returncode}")

    # -- use ------------------------------------------------------------------------------
    def command(self, args, timeout=None):
        """The command line that runs a Windows program under this session's Wine."""
        return ["timeout", "-k", "5", str(timeout or self.timeout), "wine", *map(str, args)]

    def run(self, args, timeout=None, **kwargs):
        kwargs.setdefault("stdin", subprocess.DEVNULL)
        kwargs.setdefault("capture_output", "stdout" not in kwargs)
        return subprocess.run(self.command(args, timeout), env=self.env, **kwargs)

    def popen(self, args, timeout=None, **kwargs):
        return subprocess.Popen(self.command(args, timeout), env=self.env, **kwargs)

    def screenshot(self, path):
        subprocess.run(["import", "-display", self.display, "-window", "root", str(path)],
                       check=True, timeout=30)

    # -- tear-down ------------------------------------------------------------------------
    def __exit__(self, *exc):
        if self._server is not None:
            self._stop_server()
        elif self.env is not None:
            subprocess.run(["timeout", "20", "wineserver", "-k"], env=self.env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if self._xvfb is not None:
            self._xvfb.terminate()
            try:
                self._xvfb.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self._xvfb.kill()
        return False
