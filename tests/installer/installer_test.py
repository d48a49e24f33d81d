#!/usr/bin/env python3
"""The installer end to end under Wine, in a prefix made anew for each run: a silent install; the
files, the Start-menu shortcut and the entry in Apps read back from the disk, the .lnk and the
registry; the installed program started as the shortcut starts it shows a reading and writes its
file into Documents, and 目次 opens the help beside it; the same build again, another build of
the same version and a newer version each leave one installation and one entry, and an older
version over a newer one is refused; a silent uninstall leaves only the reading file.

With --sign the release is made signed, with a throwaway self-signed certificate given to cpack
through TENKARI_SIGN_PKCS12 and TENKARI_SIGN_PASSWORD: the exe and the installer verify against
that certificate and not against another, and it is the signed exe that is installed and run.

    installer_test.py --build build/windows --driver tenkari_e2e_driver.exe --cli tenkari-cli \
        --locale ja_JP.UTF-8 --prefix build/windows/installer-prefix-ja_JP.UTF-8 --work DIR
"""
import argparse
import math
import os
import pathlib
import re
import secrets
import shutil
import subprocess
import sys
import urllib.parse
import zipfile

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parents[1]
sys.path.insert(0, str(ROOT / "scripts"))
from reg_file import read_reg_export  # noqa: E402
from resource_ids import IDS  # noqa: E402
from shell_link import read_link  # noqa: E402
from tenkari_driver import DriverClient, DriverError, failure_report, windows_path  # noqa: E402
from wine_session import WineSession  # noqa: E402

NAME = "テンカリ"
PUBLISHER = "テンカリ開発チーム"
UNINSTALL = r"HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall"
SHELL_FOLDERS = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders"
READING = {"name": "木林森", "birth": "1960", "year": "1999"}
READING_FILE = "木林森1999年.TXT"
MSIEXEC = r"C:\windows\system32\msiexec.exe"
# What msiexec ends with when the user cancelled (ERROR_INSTALL_USEREXIT), of which a Unix exit
# status would keep only the low byte; the driver reads it whole.
USER_EXIT = 1602
HELP_TITLE = "テンカリ ヘルプ"
PAGE_WAIT_S = 30
IDOK = 1


def read_pages(path):
    """{dialog: [(control, type, attributes, text)]} from the package's table of controls."""
    pages = {}
    for line in path.read_text(encoding="utf-8").splitlines()[3:]:
        dialog, control, kind, _, _, _, _, attributes, _, text = line.split("\t")[:10]
        pages.setdefault(dialog, []).append((control, kind, int(attributes or 0), text))
    return pages


UI_PAGES = read_pages(ROOT / "packaging" / "ui" / "Control.idt")


class Failure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class InstallerRun:
    def __init__(self, wine, args, release):
        self.wine = wine
        self.args = args
        self.release = release
        self.drive_c = args.prefix / "drive_c"
        folders = self.shell_folders()
        self.documents = folders["Personal"]
        self.programs_menu = folders["Programs"]
        self.install_dir = folders["Local AppData"] + "\\Programs\\" + NAME

    # -- reading Windows back ----------------------------------------------------------------
    def unix(self, windows):
        check(windows[:3].upper() == "C:\\", f"not on drive C: {windows}")
        return self.drive_c.joinpath(*[part for part in windows[3:].split("\\") if part])

    def shell_folders(self):
        result = self.wine.run(["reg", "query", SHELL_FOLDERS], timeout=60)
        check(result.returncode == 0, "the shell folders cannot be read")
        folders = {}
        for line in result.stdout.decode("ascii", "replace").splitlines():
            name, kind, value = (line.strip().split("    ") + ["", "", ""])[:3]
            if kind == "REG_SZ":
                folders[name] = value
        return folders

    def registry(self, key):
        """The key and its subkeys as `reg export` writes them, or None when there is none."""
        exported = self.args.work / "export.reg"
        exported.unlink(missing_ok=True)
        result = self.wine.run(["reg", "export", key, windows_path(exported), "/y"], timeout=60)
        if result.returncode != 0:
            return None
        return read_reg_export(exported.read_bytes().decode("utf-16"))

    def apps_entries(self):
        keys = self.registry(UNINSTALL) or {}
        return {key.rsplit("\\", 1)[1]: values for key, values in keys.items()
                if values.get("DisplayName") == NAME}

    def user_files(self):
        users = self.drive_c / "users"
        return {str(path.relative_to(users)) for path in users.rglob("*") if path.is_file()}

    def msiexec(self, *arguments, log, refused=False):
        """A silent msiexec that must succeed, or with refused, end with 1603 (a fatal error,
        as a launch condition that fails gives), of which a Unix exit status keeps the low
        byte."""
        result = self.wine.run(["msiexec", *arguments, "/qn", "/l*v", windows_path(log)],
                               timeout=300)
        expected = 1603 & 0xFF if refused else 0
        check(result.returncode == expected, f"msiexec {' '.join(arguments)} exited with "
                                             f"{result.returncode}, not {expected}; see {log}")

    # -- what an installation must be --------------------------------------------------------
    def check_installed(self, msi, version):
        folder = self.unix(self.install_dir)
        check(folder.is_dir(), f"no folder {self.install_dir}; "
                               f"{sorted(p.name for p in folder.parent.glob('*'))}")
        installed = sorted(path.name for path in folder.iterdir())
        shipped = sorted(path.name for path in self.release.iterdir())
        check(installed == shipped, f"installed {installed}, not {shipped}")
        for name in shipped:
            check((folder / name).read_bytes() == (self.release / name).read_bytes(),
                  f"the installed {name} differs from the release's")

        links = sorted(path.name for path in self.unix(self.programs_menu).rglob("*.lnk"))
        check(links == [NAME + ".lnk"], f"Start-menu shortcuts {links}")
        link = read_link((self.unix(self.programs_menu) / (NAME + ".lnk")).read_bytes())
        check(link.get("target") == self.install_dir + "\\tenkari.exe",
              f"the shortcut starts {link.get('target')}")
        check(link.get("working_dir", "").rstrip("\\") == self.documents,
              f"the shortcut starts in {link.get('working_dir')}, not {self.documents}")
        icon = self.unix(link.get("icon_location", "C:\\"))
        check(icon.is_file() and icon.read_bytes() == self.args.icon.read_bytes(),
              f"the shortcut's icon {link.get('icon_location')} is not the program's")
        check(link["icon_index"] == 0, f"icon index {link['icon_index']}")

        properties = package_table(msi, "Property")
        code = properties["ProductCode"]
        entries = self.apps_entries()
        check(list(entries) == [code], f"entries in Apps: {list(entries)}, not [{code}]")
        entry = entries[code]
        # Wine's Windows Installer writes no DisplayIcon and no EstimatedSize; Windows writes them
        # from ARPPRODUCTICON and ARPSIZE, read from the package itself.
        size = math.ceil(sum(path.stat().st_size for path in folder.iterdir()) / 1024)
        check(properties.get("ARPPRODUCTICON") == "tenkari.ico" and
              properties.get("ARPSIZE") == str(size),
              f"ARPPRODUCTICON {properties.get('ARPPRODUCTICON')}, ARPSIZE "
              f"{properties.get('ARPSIZE')} (the files take {size} KB)")
        check(package_icon(msi, "tenkari.ico") == self.args.icon.read_bytes(),
              "the package's icon for Apps is not the program's")
        # A per-user package writes nothing for the machine: every value it writes is the user's.
        roots = {row.split("\t")[0] for row in package_table(msi, "Registry").values()}
        check(roots == {"1"}, f"the package writes registry values under the roots {roots}")
        expected = {
            "DisplayName": NAME, "DisplayVersion": version, "Publisher": PUBLISHER,
            "InstallLocation": self.install_dir + "\\",
            "UninstallString": f"MsiExec.exe /X{code}", "NoModify": 1, "NoRepair": 1,
        }
        for name, value in expected.items():
            check(entry.get(name) == value, f"Apps entry {name} is {entry.get(name)!r}, "
                                            f"not {value!r}")
        return link

    def run_program(self, link, driver):
        """Starts the program as the shortcut does and writes one reading into Documents."""
        started = driver.call("start", link["target"], link["working_dir"])
        check(started["caption"] == NAME and started["has_menu"], f"main window {started}")
        self.write_a_reading(driver, help_too=True)

    def write_a_reading(self, driver, help_too=False):
        """The program that the driver drives, alone on the screen, writes one reading into
        Documents (which must then be where it runs), opens the help if asked, and ends."""
        shown = [window["kind"] for window in driver.call("windows")["windows"]]
        check(shown == ["main_window"], f"windows shown: {shown}")
        written = self.unix(self.documents) / READING_FILE
        written.unlink(missing_ok=True)
        try:
            driver.call("command", IDS["IDM_ANNUAL_READING"])
            driver.call("wait", "input_dialog")
            for control, field in (("IDC_NAME", "name"), ("IDC_BIRTH_YEAR", "birth"),
                                   ("IDC_JUDGED_YEAR", "year")):
                driver.call("set", IDS[control], READING[field])
            driver.call("click", "input_dialog", IDOK)
            box = driver.call("wait", "message_box")["window"]
            expected = self.cli_reading()
            check(bytes.fromhex(box["text_cp932"]) == expected, "the reading box differs from "
                                                                 "tenkari-cli's reading")
            driver.call("click", "message_box", IDOK)
            driver.call("gone", "message_box")
            driver.call("press_file_button")
            check(written.is_file() and written.read_bytes() == expected,
                  f"{READING_FILE} in Documents is missing or differs")
            if help_too:
                self.help_opens(driver)
            driver.call("command", IDS["IDM_EXIT"])
            code = driver.call("wait_exit")["exit_code"]
            check(code == 0, f"exit code {code}")
        finally:
            if not driver.broken:
                driver.call("kill", check=False)

    # -- the pages of the installer -----------------------------------------------------------
    def open_package(self, driver, msi):
        """Opens the package as a double click does: msiexec with its full pages."""
        driver.call("start", MSIEXEC, self.documents, f'/i "{windows_path(msi)}"')

    def page(self, driver, dialog, first_text, shown=(), hidden=()):
        """Waits for the page of the dialog that shows first_text and reads it back: every
        control the package's tables give it, visible at first (but those hidden by a condition)
        or by one of shown, says what the tables say, with the product's name, version and
        folder put in."""
        page = driver.call("page", self.deformatted(first_text))["page"]
        check(page["caption"] == f"{NAME} {self.args.version} のセットアップ",
              f"the page's caption is {page['caption']!r}")
        expected = [self.deformatted(text) for control, kind, attributes, text in UI_PAGES[dialog]
                    if kind in ("Text", "PushButton", "CheckBox") and text and
                    (attributes & 1 and control not in hidden or control in shown)]
        seen = [control["text"] for control in page["controls"] if control["visible"] and
                control["text"] and control["class"].lower() in ("static", "button")]
        # The order of the controls is the page's tab order, which the texts do not depend on.
        check(sorted(seen) == sorted(expected), f"the page {dialog} shows\n{seen}\nnot\n{expected}")
        return page

    def deformatted(self, text):
        text = re.sub(r"^\{\\\w+\}", "", text).replace("&", "")
        return (text.replace("[ProductName]", NAME).replace("[ProductVersion]", self.args.version)
                .replace("[INSTALLDIR]", self.install_dir + "\\"))

    def walk_the_pages(self, driver, msi):
        """The package opened as a person opens it: the welcome page, キャンセル leaves nothing;
        opened again, インストール, then the finish page with テンカリを起動する checked, which
        starts the installed program in Documents; opened once more, the page that offers
        removal, and 削除 takes everything installed away."""
        before = self.user_files()
        self.open_package(driver, msi)
        self.page(driver, "WelcomeDlg", "[ProductName] [ProductVersion] をインストールします")
        driver.call("press", "キャンセル")
        self.page(driver, "UserExit", "セットアップを中断しました")
        driver.call("press", "完了")
        code = driver.call("wait_exit", 60000)["exit_code"]
        check(code == USER_EXIT, f"msiexec cancelled ended with {code}, not {USER_EXIT}")
        check(self.user_files() == before and not self.apps_entries(),
              f"the cancelled install left {sorted(self.user_files() - before)}")
        print("ok    キャンセル on the welcome page leaves nothing behind")

        self.open_package(driver, msi)
        self.page(driver, "WelcomeDlg", "[ProductName] [ProductVersion] をインストールします")
        driver.call("press", "インストール(I)")
        finish = self.page(driver, "ExitDialog", "セットアップが完了しました")
        launch = [c for c in finish["controls"] if c["text"] == "テンカリを起動する"]
        check(len(launch) == 1 and launch[0]["checked"], f"テンカリを起動する: {launch}")
        driver.call("press", "完了")
        code = driver.call("wait_exit", 60000)["exit_code"]
        check(code == 0, f"msiexec ended with {code}")
        self.check_installed(msi, self.args.version)
        driver.call("adopt", NAME)
        self.write_a_reading(driver)
        print("ok    the pages install, and the finish page starts the program in Documents")

        self.open_package(driver, msi)
        self.page(driver, "MaintenanceDlg", "[ProductName] [ProductVersion] はインストールされています")
        driver.call("press", "削除(R)")
        self.page(driver, "ExitDialog", "[ProductName] を削除しました。保存した判断結果のファイルは、"
                  "そのまま残っています。", shown=("Removed",), hidden=("Installed", "Launch"))
        driver.call("press", "完了")
        code = driver.call("wait_exit", 60000)["exit_code"]
        check(code == 0, f"msiexec removing ended with {code}")
        documents = str(self.unix(self.documents).relative_to(self.drive_c / "users"))
        check(self.user_files() - before == {f"{documents}/{READING_FILE}"} and
              not self.apps_entries(), f"after 削除: {sorted(self.user_files() - before)}")
        print("ok    opened again, the package offers removal, and 削除 leaves only the reading")

    def help_opens(self, driver):
        """目次 opens the help beside the installed exe, although the program runs in Documents:
        as Windows 10, the page in the browser; as Windows 7, the WinHelp viewer, with no
        question, at the contents. Where the code page is not 932 the viewer's caption reaches
        the driver as the help's Shift-JIS bytes read in code page 1252."""
        driver.call("command", IDS["IDM_HELP_CONTENTS"])
        if self.args.windows_version == "win10":
            self.page_opened(self.unix(self.install_dir) / "テンカリ.html")
            return
        viewer = driver.call("viewer", 30000)["window"]
        check(viewer["dialogs"] == [], f"the viewer asked: {viewer['dialogs']}")
        caption = viewer["caption"]
        if not self.args.locale.startswith("ja_JP"):
            caption = caption.encode("cp1252", "replace").decode("cp932", "replace")
        check(HELP_TITLE in caption, f"the viewer's title is {caption!r}")
        driver.call("end_foreign")

    def page_opened(self, page):
        """The browser that the prefix names writes down the one URL it was given (a path through
        the prefix's dosdevices, which leads to the page)."""
        urls = self.wine.opened_urls(PAGE_WAIT_S)
        check(urls is not None, f"no browser was started within {PAGE_WAIT_S} s")
        opened = (pathlib.Path(urllib.parse.unquote(urls[0][len("file://"):])).resolve()
                  if len(urls) == 1 and urls[0].startswith("file://") else None)
        check(opened == page.resolve(), f"the browser was given {urls}, not {page}")

    def cli_reading(self):
        result = subprocess.run([self.args.cli, "--name", READING["name"], "--birth",
                                 READING["birth"], "--year", READING["year"], "--sjis"],
                                capture_output=True, timeout=30)
        check(result.returncode == 0, "tenkari-cli refused the reading")
        return result.stdout


def package_table(msi, table):
    """{first column: second column} of a two-column table of an installer."""
    exported = subprocess.run(["msiinfo", "export", str(msi), table], capture_output=True,
                              check=True, env=dict(os.environ, WINDOWS_LANGUAGE="ja")).stdout
    rows = exported.decode("utf-8").replace("\r\n", "\n").splitlines()[3:]
    return dict(line.split("\t")[:2] for line in rows)


def package_icon(msi, name):
    """The bytes of an icon of an installer's Icon table."""
    return subprocess.run(["msiinfo", "extract", str(msi), f"Icon.{name}"], capture_output=True,
                          check=True).stdout


def newer_version(version):
    parts = version.split(".")
    parts[-1] = str(int(parts[-1]) + 1)
    return ".".join(parts)


def run(command, **kwargs):
    result = subprocess.run([str(part) for part in command], capture_output=True, text=True,
                            **kwargs)
    check(result.returncode == 0, f"{' '.join(map(str, command[:2]))} failed:\n"
                                  f"{result.stdout}{result.stderr}")
    return result.stdout


def make_certificate(folder, name):
    """A self-signed code-signing certificate (PEM) and its key in a PKCS#12 file."""
    key, cert, pkcs12 = folder / f"{name}.key", folder / f"{name}.pem", folder / f"{name}.p12"
    password = secrets.token_hex(16)
    run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key,
         "-out", cert, "-days", "2", "-subj", f"/CN=テンカリ test {name}",
         "-addext", "keyUsage=critical,digitalSignature",
         "-addext", "extendedKeyUsage=codeSigning"])
    run(["openssl", "pkcs12", "-export", "-inkey", key, "-in", cert, "-out", pkcs12,
         "-passout", "env:TENKARI_TEST_PASSWORD"],
        env=dict(os.environ, TENKARI_TEST_PASSWORD=password))
    return cert, pkcs12, password


def verifies(path, ca):
    result = subprocess.run(["osslsigncode", "verify", "-CAfile", str(ca), "-in", str(path)],
                            capture_output=True, text=True)
    return result.returncode == 0, result.stdout + result.stderr


def build_release(args):
    """The release as cpack makes it (the zip and the installer), signed with --sign, another
    build of the same version and a newer installer, both of the same files."""
    packages = args.work / "packages"
    shutil.rmtree(packages, ignore_errors=True)
    environment = dict(os.environ)
    for name in ("TENKARI_SIGN_PKCS12", "TENKARI_SIGN_PASSWORD", "TENKARI_SIGN_TIMESTAMP_URL"):
        environment.pop(name, None)
    if args.sign:
        certificates = args.work / "certificates"
        shutil.rmtree(certificates, ignore_errors=True)
        certificates.mkdir()
        cert, pkcs12, password = make_certificate(certificates, "signer")
        other, _, _ = make_certificate(certificates, "other")
        environment.update(TENKARI_SIGN_PKCS12=str(pkcs12), TENKARI_SIGN_PASSWORD=password)
    made = run(["cpack", "-B", packages], cwd=args.build, env=environment)
    base = f"tenkari-{args.version}-win64"
    release = args.work / "release"
    shutil.rmtree(release, ignore_errors=True)
    with zipfile.ZipFile(packages / f"{base}.zip") as archive:
        archive.extractall(release)
    if args.sign:
        check("unsigned" not in made and "signed tenkari.exe" in made and
              f"signed {base}.msi" in made, f"cpack said:\n{made}")
        for path in (release / "tenkari.exe", packages / f"{base}.msi"):
            ok, said = verifies(path, cert)
            check(ok, f"{path.name} does not verify against its certificate:\n{said}")
            ok, said = verifies(path, other)
            check(not ok, f"{path.name} verifies against another certificate:\n{said}")
            # What Windows shows as the program's name when it asks whether to run it: テンカリ
            # as a Unicode string, which an ASCII one cannot hold.
            signature = args.work / f"{path.name}.signature"
            signature.unlink(missing_ok=True)
            run(["osslsigncode", "extract-signature", "-in", path, "-out", signature])
            named = b"\x80" + bytes([2 * len(NAME)]) + NAME.encode("utf-16-be")
            check(named in signature.read_bytes(), f"{path.name}'s signature does not name {NAME}")
            print(f"ok    {path.name} is signed by the certificate, and by no other, as {NAME}")
    newer = newer_version(args.version)
    rebuilt_msi = build_msi(args, release, args.version, packages / "rebuilt" / f"{base}.msi",
                            commit="another commit")
    newer_msi = build_msi(args, release, newer, packages / f"tenkari-{newer}-win64.msi",
                          commit="a newer commit")
    return packages / f"{base}.msi", rebuilt_msi, newer, newer_msi, release


def build_msi(args, release, version, output, commit):
    output.parent.mkdir(parents=True, exist_ok=True)
    result = subprocess.run(
        [sys.executable, str(ROOT / "packaging" / "build_msi.py"), "--version", version,
         "--exe", str(release / "tenkari.exe"), "--hlp", str(release / "テンカリ.HLP"),
         "--html", str(release / "テンカリ.html"), "--readme", str(release / "お読み下さい.txt"),
         "--notice", str(release / "STROKE-DATA-NOTICE.txt"),
         "--license", str(release / "LICENSE.txt"),
         "--strokes", str(release / "stroke_classes.txt"), "--icon", str(args.icon),
         "--commit", commit, "--epoch", str(int((release / "tenkari.exe").stat().st_mtime)),
         "--work", str(output.parent / f"work-{version}"), "--output", str(output)],
        capture_output=True, text=True)
    check(result.returncode == 0, f"the installer of {version} failed: {result.stderr}")
    return output


def keep_user_folders_in_prefix(prefix):
    """Wine makes Documents, Desktop and the like links to the home folder of the user who runs
    it: they become folders of the prefix, so that what the program writes stays there."""
    for user in (prefix / "drive_c" / "users").iterdir():
        for folder in user.iterdir():
            if folder.is_symlink():
                folder.unlink()
                folder.mkdir()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", type=pathlib.Path, required=True)
    parser.add_argument("--driver", type=pathlib.Path, required=True)
    parser.add_argument("--cli", type=pathlib.Path, required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--icon", type=pathlib.Path, default=ROOT / "resources" / "MyApp.ico")
    parser.add_argument("--locale", default="ja_JP.UTF-8")
    parser.add_argument("--windows-version", choices=["win10"],
                        help="the Windows the prefix reports (default: Wine's own, Windows 7)")
    parser.add_argument("--sign", action="store_true",
                        help="sign the release with a throwaway certificate made for the run")
    parser.add_argument("--prefix", type=pathlib.Path, required=True)
    parser.add_argument("--work", type=pathlib.Path, required=True)
    args = parser.parse_args()
    args.prefix = args.prefix.resolve()
    args.work = args.work.resolve()
    args.work.mkdir(parents=True, exist_ok=True)
    try:
        msi, rebuilt_msi, newer, newer_msi, release = build_release(args)
    except Failure as failure:
        sys.exit(f"FAIL  the release: {failure}")
    with WineSession(args.prefix, locale=args.locale, virtual_desktop=True,
                     windows_version=args.windows_version,
                     record_browser=args.windows_version == "win10") as wine, \
            DriverClient(wine, args.driver) as driver:
        step = "the install"
        try:
            keep_user_folders_in_prefix(args.prefix)
            installer = InstallerRun(wine, args, release)
            before = installer.user_files()
            check(not installer.apps_entries(), "an entry in Apps before the install")

            step = "the installer's pages"
            installer.walk_the_pages(driver, msi)
            step = "the install"
            installer.msiexec("/i", windows_path(msi), log=args.work / "install.log")
            link = installer.check_installed(msi, args.version)
            print(f"ok    installed {args.version} under {args.locale}")
            step = "the installed program"
            installer.run_program(link, driver)
            print("ok    the shortcut's program wrote its reading into Documents")

            step = "the same build again"
            installer.msiexec("/i", windows_path(msi), log=args.work / "again.log")
            installer.check_installed(msi, args.version)
            print("ok    the same build again leaves one installation")
            step = "another build of the same version"
            installer.msiexec("/i", windows_path(rebuilt_msi), log=args.work / "rebuilt.log")
            installer.check_installed(rebuilt_msi, args.version)
            print(f"ok    another build of {args.version} replaces the installed one")
            step = "a newer version"
            installer.msiexec("/i", windows_path(newer_msi), log=args.work / "newer.log")
            installer.check_installed(newer_msi, newer)
            print(f"ok    {newer} over {args.version} leaves one installation")
            step = "an older version over a newer"
            installer.msiexec("/i", windows_path(msi), log=args.work / "older.log", refused=True)
            installer.check_installed(newer_msi, newer)
            print(f"ok    {args.version} over {newer} is refused")

            step = "the uninstall"
            installer.msiexec("/x", windows_path(newer_msi), log=args.work / "uninstall.log")
            after = installer.user_files()
            documents = str(installer.unix(installer.documents).relative_to(
                installer.drive_c / "users"))
            check(after - before == {f"{documents}/{READING_FILE}"} and before <= after,
                  f"after the uninstall, new files {sorted(after - before)}, "
                  f"gone {sorted(before - after)}")
            check(not installer.unix(installer.install_dir).exists(),
                  f"{installer.install_dir} is still there")
            check(not installer.apps_entries(), "an entry in Apps after the uninstall")
            check(installer.registry(r"HKCU\Software\tenkari") is None,
                  r"HKCU\Software\tenkari is still there")
            print("ok    the uninstall leaves only the reading file")
        except (Failure, DriverError) as failure:
            sys.exit(failure_report(f"installer under {args.locale}, at {step}", failure, wine,
                                    driver))

if __name__ == "__main__":
    main()
