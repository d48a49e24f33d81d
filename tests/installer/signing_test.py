#!/usr/bin/env python3
"""The release signed with a throwaway self-signed code-signing certificate: cpack, given the
certificate through TENKARI_SIGN_PKCS12 and TENKARI_SIGN_PASSWORD, signs tenkari.exe before it
packs it and then the installer; both signatures verify against that certificate and not
against another; the installer carries the signed exe; the signed exe starts under Wine and shows
its window.

    signing_test.py --build build/windows --driver tenkari_e2e_driver.exe \
        --prefix build/windows/signing-prefix --work DIR
"""
import argparse
import os
import pathlib
import secrets
import shutil
import subprocess
import sys
import zipfile

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parents[1]
sys.path.insert(0, str(ROOT / "scripts"))
from resource_ids import IDS  # noqa: E402
from tenkari_driver import DriverClient, windows_path  # noqa: E402
from wine_session import WineSession  # noqa: E402


class Failure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def run(command, **kwargs):
    result = subprocess.run([str(part) for part in command], capture_output=True, text=True,
                            **kwargs)
    check(result.returncode == 0, f"{' '.join(map(str, command[:2]))} failed:\n"
                                  f"{result.stdout}{result.stderr}")
    return result


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


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", type=pathlib.Path, required=True)
    parser.add_argument("--driver", type=pathlib.Path, required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--locale", default="ja_JP.UTF-8")
    parser.add_argument("--prefix", type=pathlib.Path, required=True)
    parser.add_argument("--work", type=pathlib.Path, required=True)
    args = parser.parse_args()
    work = args.work.resolve()
    shutil.rmtree(work, ignore_errors=True)
    (work / "certificates").mkdir(parents=True)
    try:
        cert, pkcs12, password = make_certificate(work / "certificates", "signer")
        other, _, _ = make_certificate(work / "certificates", "other")
        packages = work / "packages"
        environment = dict(os.environ, TENKARI_SIGN_PKCS12=str(pkcs12),
                           TENKARI_SIGN_PASSWORD=password)
        environment.pop("TENKARI_SIGN_TIMESTAMP_URL", None)
        made = run(["cpack", "-B", packages], cwd=args.build, env=environment).stdout
        base = f"tenkari-{args.version}-win64"
        check("unsigned" not in made and "signed tenkari.exe" in made and
              f"signed {base}.msi" in made, f"cpack said:\n{made}")

        release = work / "release"
        with zipfile.ZipFile(packages / f"{base}.zip") as archive:
            archive.extractall(release)
        exe, msi = release / "tenkari.exe", packages / f"{base}.msi"
        for path in (exe, msi):
            ok, said = verifies(path, cert)
            check(ok, f"{path.name} does not verify against its certificate:\n{said}")
            ok, said = verifies(path, other)
            check(not ok, f"{path.name} verifies against another certificate:\n{said}")
            print(f"ok    {path.name} is signed by the certificate, and by no other")
        extracted = work / "extracted"
        run(["msiextract", "-C", extracted, msi])
        inside = list(extracted.rglob("tenkari.exe"))
        check(len(inside) == 1 and inside[0].read_bytes() == exe.read_bytes(),
              "the installer does not carry the signed exe of the zip")
        print("ok    the installer carries the signed exe")

        with WineSession(args.prefix, locale=args.locale, virtual_desktop=True) as wine, \
                DriverClient(wine, args.driver) as driver:
            (work / "run").mkdir()
            started = driver.call("start", windows_path(exe), windows_path(work / "run"))
            check(started["caption"] == "テンカリ" and started["has_menu"],
                  f"main window {started}")
            shown = [window["kind"] for window in driver.call("windows")["windows"]]
            check(shown == ["main_window"], f"windows shown: {shown}")
            driver.call("command", IDS["IDM_EXIT"])
            code = driver.call("wait_exit")["exit_code"]
            check(code == 0, f"exit code {code}")
        print("ok    the signed exe starts under Wine and shows its window")
    except Failure as failure:
        print(f"FAIL  {failure}")
        sys.exit(1)


if __name__ == "__main__":
    main()
