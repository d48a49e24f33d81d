"""One Wine session for tenkari.exe: a cached prefix per locale with Japanese fonts, one
wineserver for the whole session, and a private Xvfb display where none is given.

    with WineSession(prefix, locale="ja_JP.UTF-8") as wine:
        wine.run(["tenkari.exe"], timeout=60)

LANG=ja_JP.UTF-8 gives code page 932 (the locale must be generated); C.UTF-8 gives 1252.
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
SETUP_MARK = "tenkari-setup-1"
# The display scaling of a prefix: Wine takes the system DPI from LogPixels, first the user's,
# then the machine's current hardware profile. 96 is Wine's own default (100 %).
DEFAULT_DPI = 96
DPI_KEYS = [r"HKCU\Control Panel\Desktop",
            r"HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts"]
DPI_MARK = "tenkari-dpi"


def prefix_name(locale, dpi=DEFAULT_DPI):
    """The folder name of the cached prefix for a locale and a DPI; a prefix holds one DPI, and
    the 96-DPI prefixes keep the plain name."""
    return f"wine-prefix-{locale}" + ("" if dpi == DEFAULT_DPI else f"-{dpi}dpi")


class WineError(RuntimeError):
    pass


def _ensure_locale(locale):
    if locale.startswith("C."):
        return
    listed = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.lower()
    if locale.lower().replace("utf-8", "utf8") not in listed.split():
        raise WineError(f"the locale {locale} is not generated: run scripts/setup-debian.sh")


class WineSession:
    def __init__(self, prefix, locale="ja_JP.UTF-8", display=None, screen="1280x1024x24",
                 timeout=60, dpi=DEFAULT_DPI):
        self.prefix = pathlib.Path(prefix).resolve()
        self.locale = locale
        self.dpi = dpi
        self.display = display
        self.screen = screen
        self.timeout = timeout
        self._xvfb = None
        self._server = None
        self.env = None

    # -- set-up ---------------------------------------------------------------------------
    def __enter__(self):
        _ensure_locale(self.locale)
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
            self._prepare_prefix()
            # One wineserver for the whole session, and Wine's background processes started
            # once with their output detached, so that no later call waits on them.
            self._server = subprocess.Popen(["wineserver", "-f", "-p"], env=env,
                                            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                            stderr=subprocess.DEVNULL)
            self._wine(["wine", "cmd", "/c", "exit"], timeout=120)
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

    def _prepare_prefix(self):
        mark = self.prefix / SETUP_MARK
        self._check_dpi()
        if mark.exists():
            return
        self.prefix.parent.mkdir(parents=True, exist_ok=True)
        self._wine(["wineboot", "-i"], timeout=300)
        keys = [(r"HKCU\Software\Wine\X11 Driver", "Managed", "N")]
        substitutes = r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes"
        keys += [(substitutes, face, font) for face, font in FONT_SUBSTITUTES.items()]
        for key, name, value in keys:
            self._wine(["wine", "reg", "add", key, "/v", name, "/d", value, "/f"], timeout=60)
        fonts = self.prefix / "drive_c" / "windows" / "Fonts"
        fonts.mkdir(parents=True, exist_ok=True)
        for font in WINE_FONTS:
            if (WINE_FONT_DIR / font).exists():
                shutil.copy(WINE_FONT_DIR / font, fonts / font)
        self._set_dpi()
        self._wine(["wineserver", "-w"], timeout=120)
        mark.write_text("prefix prepared\n")

    def _check_dpi(self):
        """A prefix made at one DPI is never used for another: its folder is named for it."""
        dpi_mark = self.prefix / DPI_MARK
        made_for = int(dpi_mark.read_text()) if dpi_mark.exists() else DEFAULT_DPI
        if (self.prefix / SETUP_MARK).exists() and made_for != self.dpi:
            raise WineError(f"the prefix {self.prefix} is set to {made_for} DPI, not {self.dpi}")

    def _set_dpi(self):
        if self.dpi == DEFAULT_DPI:
            return
        for key in DPI_KEYS:
            self._wine(["wine", "reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d",
                        str(self.dpi), "/f"], timeout=60)
        (self.prefix / DPI_MARK).write_text(f"{self.dpi}\n")

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
        if self.env is not None:
            subprocess.run(["timeout", "20", "wineserver", "-k"], env=self.env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if self._server is not None:
            try:
                self._server.wait(timeout=20)
            except subprocess.TimeoutExpired:
                self._server.kill()
        if self._xvfb is not None:
            self._xvfb.terminate()
            try:
                self._xvfb.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self._xvfb.kill()
        return False
