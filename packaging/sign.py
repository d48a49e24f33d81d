#!/usr/bin/env python3
"""Signs a PE or MSI file in place with Authenticode (SHA-256) through osslsigncode, with the
certificate that TENKARI_SIGN_PKCS12 and TENKARI_SIGN_PASSWORD give, and a timestamp from
TENKARI_SIGN_TIMESTAMP_URL where one is set.

    TENKARI_SIGN_PKCS12=cert.p12 TENKARI_SIGN_PASSWORD=… sign.py tenkari.exe

The password reaches osslsigncode through a file only this user can read, never on a command
line that every user of the machine can see. The program name in the signature is ASCII:
osslsigncode writes it as an IA5 string, which cannot hold Japanese.
"""
import os
import pathlib
import subprocess
import sys
import tempfile


def sign(path):
    pkcs12 = os.environ["TENKARI_SIGN_PKCS12"]
    signed = path.with_name(path.name + ".signed")
    with tempfile.TemporaryDirectory() as folder:
        password = pathlib.Path(folder) / "password"
        descriptor = os.open(password, os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o600)
        with os.fdopen(descriptor, "w", encoding="utf-8") as stream:
            stream.write(os.environ.get("TENKARI_SIGN_PASSWORD", ""))
        command = ["osslsigncode", "sign", "-pkcs12", pkcs12, "-readpass", str(password),
                   "-h", "sha256", "-n", "tenkari", "-in", str(path), "-out", str(signed)]
        timestamp = os.environ.get("TENKARI_SIGN_TIMESTAMP_URL")
        if timestamp:
            command[2:2] = ["-ts", timestamp]
        signed.unlink(missing_ok=True)
        result = subprocess.run(command, capture_output=True, text=True)
    if result.returncode != 0:
        signed.unlink(missing_ok=True)
        sys.exit(f"signing {path.name} failed: {result.stdout.strip()} {result.stderr.strip()}")
    signed.replace(path)
    print(f"signed {path.name}")


def main():
    if not os.environ.get("TENKARI_SIGN_PKCS12"):
        sys.exit("TENKARI_SIGN_PKCS12 is not set")
    for name in sys.argv[1:]:
        sign(pathlib.Path(name))


if __name__ == "__main__":
    main()
