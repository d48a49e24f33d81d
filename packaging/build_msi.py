#!/usr/bin/env python3
"""Builds the per-user installer of テンカリ from tenkari.wxs.in with Debian's msitools.

    build_msi.py --version 1.2 --exe tenkari.exe --hlp テンカリ.HLP --html テンカリ.html \
        --readme お読み下さい.txt --notice STROKE-DATA-NOTICE.txt --license LICENSE.txt \
        --strokes stroke_classes.txt \
        --icon MyApp.ico --commit COMMIT --epoch SECONDS --work DIR --output tenkari-1.2-win64.msi

The same files, version and commit give the same bytes: the product and package codes come from
the version, the commit and the files' own hash, and every time in the package (the summary's
and the cabinet's) is the epoch given, the commit's time.

wixl writes its strings in the code page that WINDOWS_LANGUAGE names (1252 without it, where
every Japanese string is lost), so both tools run with WINDOWS_LANGUAGE=ja. Then msibuild adds
what wixl cannot write and mends what it writes short:
- the string pool is forced to code page 932, so that a Windows whose ANSI code page is not 932
  still reads the Japanese names right (otherwise the pool has code page 0: the system's own);
- the summary, in Japanese like the product (wixl writes English and the template 1033);
- the pages a person sees on opening the package (wixl takes no <UI>): the Windows Installer's
  own tables of dialogs, controls and events, kept as data in ui/ (UTF-8, which msibuild reads
  under WINDOWS_LANGUAGE=ja), with their places in the UI sequence; the finish page's check box
  starts the installed program as the Start-menu shortcut does, in Documents;
- the entry in Apps names the folder it is installed in (ARPINSTALLLOCATION);
- the installed build of the same version counts as older, which wixl's Upgrade row leaves out.
"""
import argparse
import hashlib
import os
import pathlib
import shutil
import subprocess
import sys
import time
import uuid

HERE = pathlib.Path(__file__).resolve().parent
# Never changes: it ties every version of テンカリ together, so that a newer one replaces an older.
UPGRADE_CODE = "6D1E3F0A-55C2-4B7E-9F31-2A8C4D7B1E00"
# The pages: the welcome page on a first install, the page that offers removal when the product
# is installed, the progress page, and the pages of the end (done, cancelled, failed). The removal
# is asked before costing, which then takes REMOVE=ALL as an uninstall from the command line does.
UI_SEQUENCE = [("WelcomeDlg", "NOT Installed", 1250), ("MaintenanceDlg", "Installed", 750),
               ("ProgressDlg", None, 1299), ("ExitDialog", None, -1), ("UserExit", None, -2),
               ("FatalError", None, -3)]
# Custom actions: the program started from the finish page, in Documents and without waiting for
# it (type 34, an exe in a directory, + 192, asynchronous); the install folder for Apps (type 51,
# a property set).
CUSTOM_ACTIONS = [("LaunchTenkari", 226, "PersonalFolder", '"[INSTALLDIR]tenkari.exe"'),
                  ("SetInstallLocation", 51, "ARPINSTALLLOCATION", "[INSTALLDIR]")]
PROPERTIES = [("DefaultUIFont", "TenkariText"), ("LAUNCHAPP", "1")]
# The cabinet stamps each file with its time as local time: UTC, so that it is the same everywhere.
ENVIRONMENT = dict(os.environ, WINDOWS_LANGUAGE="ja", TZ="UTC")


def summary_information(version, package_code, epoch):
    """The package's summary, in Japanese like the product, as a table that msibuild imports:
    (property id, value) rows; the package code is its revision number."""
    saved = time.strftime("%Y/%m/%d %H:%M:%S", time.gmtime(epoch))
    rows = [
        (1, "932"),
        (2, "インストール データベース"),
        (3, f"テンカリ {version}"),
        (4, "テンカリ開発チーム"),
        (5, "インストーラー, MSI"),
        (6, "このインストーラー データベースには、テンカリをインストールするためのロジックと"
            "データが含まれています。"),
        (7, "x64;1041"),
        (9, "{" + package_code + "}"),
        (12, saved),
        (13, saved),
    ]
    lines = ["PropertyId\tValue", "i2\tl255", "_SummaryInformation\tPropertyId"]
    return "\r\n".join(lines + [f"{pid}\t{value}" for pid, value in rows]) + "\r\n"


def code(text):
    """A GUID of the package's own, the same for the same text."""
    return str(uuid.uuid5(uuid.UUID(UPGRADE_CODE), text)).upper()


def run(command):
    result = subprocess.run(command, env=ENVIRONMENT, capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit(f"{command[0]} failed ({result.returncode}): {result.stderr.strip()}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--version", required=True)
    parser.add_argument("--commit", required=True,
                        help="the commit the files were built from ('none' outside git)")
    parser.add_argument("--epoch", type=int, required=True,
                        help="the time of the release, in seconds since 1970 (the commit's)")
    for name in ("exe", "hlp", "html", "readme", "notice", "license", "strokes", "icon", "work",
                 "output"):
        parser.add_argument(f"--{name}", type=pathlib.Path, required=True)
    args = parser.parse_args()
    files = [args.exe, args.hlp, args.html, args.readme, args.notice, args.license, args.strokes]
    for path in files + [args.icon]:
        if not path.is_file():
            sys.exit(f"missing {path}")
    # The same build installed again finds itself, and another build, of this version or a
    # newer one, replaces the installed one: a build of the same version with the same code would
    # be refused by Windows. The files' hash tells apart two builds that name one commit, of a
    # tree with changes not yet committed.
    build = hashlib.sha256(args.commit.encode())
    for path in files:
        build.update(hashlib.sha256(path.read_bytes()).digest())
    build_id = f"{args.version} {build.hexdigest()}"
    package_code = code("package " + build_id)
    values = {
        "VERSION": args.version,
        "PRODUCT_CODE": code("product " + build_id),
        "UPGRADE_CODE": UPGRADE_CODE,
        "README_NAME": args.readme.name,
        # What Apps shows as the size: the installed files, in KB.
        "SIZE_KB": str((sum(path.stat().st_size for path in files) + 1023) // 1024),
    }
    # wixl takes only sources named relative to the .wxs: each file goes into the work folder
    # under a plain name.
    args.work.mkdir(parents=True, exist_ok=True)
    staged = args.work / "files"
    shutil.rmtree(staged, ignore_errors=True)
    staged.mkdir()
    for name in ("exe", "hlp", "html", "readme", "notice", "license", "strokes", "icon"):
        shutil.copyfile(getattr(args, name), staged / name)
        os.utime(staged / name, (args.epoch, args.epoch))
        values[name.upper()] = f"files/{name}"
    text = (HERE / "tenkari.wxs.in").read_text(encoding="utf-8")
    for key, value in values.items():
        text = text.replace(f"@{key}@", value)
    wxs = args.work / "tenkari.wxs"
    wxs.write_text(text, encoding="utf-8")
    args.output.unlink(missing_ok=True)
    run(["wixl", "--arch", "x64", "-o", str(args.output), str(wxs)])

    # An empty first two lines and "932<TAB>_ForceCodepage" on the third set the pool's code page.
    tables = args.work / "tables"
    tables.mkdir(exist_ok=True)
    (tables / "_ForceCodepage.idt").write_bytes(b"\r\n\r\n932\t_ForceCodepage\r\n")
    run(["msibuild", str(args.output), "-i", str(tables / "_ForceCodepage.idt")])
    summary = tables / "_SummaryInformation.idt"
    summary.write_text(summary_information(args.version, package_code, args.epoch),
                       encoding="utf-8", newline="")
    run(["msibuild", str(args.output), "-i", str(summary)])
    for table in sorted((HERE / "ui").glob("*.idt")):
        run(["msibuild", str(args.output), "-i", str(table)])
    queries = [f"INSERT INTO `Property` (`Property`, `Value`) VALUES ('{name}', '{value}')"
               for name, value in PROPERTIES]
    queries += ["INSERT INTO `CustomAction` (`Action`, `Type`, `Source`, `Target`) "
                f"VALUES ('{action}', {kind}, '{source}', '{target}')"
                for action, kind, source, target in CUSTOM_ACTIONS]
    queries += [f"INSERT INTO `InstallUISequence` (`Action`, `Condition`, `Sequence`) "
                f"VALUES ('{action}', '{condition}', {sequence})" if condition else
                f"INSERT INTO `InstallUISequence` (`Action`, `Sequence`) "
                f"VALUES ('{action}', {sequence})" for action, condition, sequence in UI_SEQUENCE]
    queries.append("INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) "
                   "VALUES ('SetInstallLocation', 1001)")
    for query in queries:
        run(["msibuild", str(args.output), "-q", query])
    # wixl drops IncludeMaximum: the installed build of this very version must count as older
    # (minimum and maximum inclusive, 0x100 | 0x200), or another build of it would install beside.
    # The attributes are part of the row's key, so the row is made anew.
    run(["msibuild", str(args.output), "-q",
         "DELETE FROM `Upgrade` WHERE `ActionProperty` = 'OLDERFOUND'"])
    run(["msibuild", str(args.output), "-q",
         "INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMin`, `VersionMax`, `Attributes`, "
         f"`ActionProperty`) VALUES ('{{{UPGRADE_CODE}}}', '0.0.0', '{args.version}', 768, "
         "'OLDERFOUND')"])


if __name__ == "__main__":
    main()
