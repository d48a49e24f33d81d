#!/usr/bin/env python3
"""Signs a PE or MSI file in place with Authenticode (SHA-256), with the certificate that
TENKARI_SIGN_PKCS12 and TENKARI_SIGN_PASSWORD give, and a timestamp from
TENKARI_SIGN_TIMESTAMP_URL where one is set.

    TENKARI_SIGN_PKCS12=cert.p12 TENKARI_SIGN_PASSWORD=… sign.py tenkari.exe

osslsigncode hashes the file and attaches the signature, but it writes the program's name in the
signature (the description Windows shows when it asks whether to run it) as an ASCII string,
which cannot hold テンカリ. So the signature is made here: osslsigncode gives the data to sign
(extract-data), the signed attributes are written with the name as a Unicode string (BMPString),
openssl signs them with the key, and osslsigncode attaches the signature (attach-signature) and
then the timestamp (add). The password reaches openssl through a file only this user can read,
never on a command line that every user of the machine can see.
"""
import base64
import hashlib
import os
import pathlib
import re
import subprocess
import sys
import tempfile

DESCRIPTION = "テンカリ"
# Object identifiers, as DER bytes of their arcs.
OIDS = {
    "signedData": "1.2.840.113549.1.7.2",
    "contentType": "1.2.840.113549.1.9.3",
    "messageDigest": "1.2.840.113549.1.9.4",
    "spcIndirectData": "1.3.6.1.4.1.311.2.1.4",
    "spcStatementType": "1.3.6.1.4.1.311.2.1.11",
    "spcOpusInfo": "1.3.6.1.4.1.311.2.1.12",
    "individualCodeSigning": "1.3.6.1.4.1.311.2.1.21",
    "sha256": "2.16.840.1.101.3.4.2.1",
    "rsaEncryption": "1.2.840.113549.1.1.1",
    "ecdsaWithSha256": "1.2.840.10045.4.3.2",
}


# -- DER, as much of it as a signature needs ----------------------------------------------------
def tlv(tag, content):
    length = len(content)
    if length < 0x80:
        encoded = bytes([length])
    else:
        digits = length.to_bytes((length.bit_length() + 7) // 8, "big")
        encoded = bytes([0x80 | len(digits)]) + digits
    return bytes([tag]) + encoded + content


def sequence(*items):
    return tlv(0x30, b"".join(items))


def set_of(*items):
    # DER orders the members of a SET OF by their encodings.
    return tlv(0x31, b"".join(sorted(items)))


def oid(name):
    arcs = [int(arc) for arc in OIDS[name].split(".")]
    body = bytes([40 * arcs[0] + arcs[1]])
    for arc in arcs[2:]:
        chunk = [arc & 0x7F]
        while arc > 0x7F:
            arc >>= 7
            chunk.append(0x80 | (arc & 0x7F))
        body += bytes(reversed(chunk))
    return tlv(0x06, body)


def algorithm(name, null_parameters=True):
    return sequence(oid(name), tlv(0x05, b"") if null_parameters else b"")


def elements(der):
    """The (tag, header + content, content) of each element of a DER string, in order."""
    found, at = [], 0
    while at < len(der):
        tag, length, start = der[at], der[at + 1], at + 2
        if length & 0x80:
            count = length & 0x7F
            length = int.from_bytes(der[start:start + count], "big")
            start += count
        found.append((tag, der[at:start + length], der[start:start + length]))
        at = start + length
    return found


def children(der):
    """The elements inside the one element that der is."""
    return elements(elements(der)[0][2])


# -- the signature --------------------------------------------------------------------------------
def run(command, **kwargs):
    result = subprocess.run([str(part) for part in command], capture_output=True, **kwargs)
    if result.returncode != 0:
        sys.exit(f"{command[0]} {command[1]} failed: {result.stdout.decode(errors='replace')} "
                 f"{result.stderr.decode(errors='replace')}")
    return result.stdout


def issuer_and_serial(certificate):
    """The signer's certificate as a SignerInfo names it: its issuer and serial number."""
    tbs = children(children(certificate)[0][1])
    # An explicit version [0] comes first in every certificate of today.
    rest = tbs[1:] if tbs[0][0] == 0xA0 else tbs
    serial, issuer = rest[0][1], rest[2][1]
    return sequence(issuer, serial)


def signed_attributes(indirect_data_content):
    # The digest covers the content's own bytes, without its tag and length.
    digest = hashlib.sha256(elements(indirect_data_content)[0][2]).digest()
    name = tlv(0xA0, tlv(0x80, DESCRIPTION.encode("utf-16-be")))
    return [
        sequence(oid("contentType"), set_of(oid("spcIndirectData"))),
        sequence(oid("spcOpusInfo"), set_of(sequence(name))),
        sequence(oid("spcStatementType"), set_of(sequence(oid("individualCodeSigning")))),
        sequence(oid("messageDigest"), set_of(tlv(0x04, digest))),
    ]


def pem_blocks(text):
    return [base64.b64decode("".join(block.split()))
            for block in re.findall(r"-----BEGIN CERTIFICATE-----(.*?)-----END CERTIFICATE-----",
                                    text, re.S)]


def signature_of(path, folder, password_file, certificates):
    """The signature of the file, as DER; the certificates it carries go to certificates as PEM,
    after the system's own."""
    pkcs12 = os.environ["TENKARI_SIGN_PKCS12"]
    data = folder / "data.der"
    run(["osslsigncode", "extract-data", "-h", "sha256", "-in", path, "-out", data])
    # ContentInfo { signedData, [0] SignedData { version, digests, contentInfo, signers } }
    content_info = children(children(data.read_bytes())[1][2])[2][1]
    # contentInfo { spcIndirectData, [0] SpcIndirectDataContent }
    indirect_data_content = children(content_info)[1][2]

    key = folder / "key.pem"
    run(["openssl", "pkcs12", "-in", pkcs12, "-passin", f"file:{password_file}", "-nocerts",
         "-nodes", "-out", key])
    signer = pem_blocks(run(["openssl", "pkcs12", "-in", pkcs12, "-passin",
                             f"file:{password_file}", "-nokeys", "-clcerts"]).decode())
    chain = pem_blocks(run(["openssl", "pkcs12", "-in", pkcs12, "-passin",
                            f"file:{password_file}", "-nokeys", "-cacerts"]).decode())
    if len(signer) != 1:
        sys.exit(f"{pkcs12} holds {len(signer)} certificates of its own, not one")
    system = pathlib.Path("/etc/ssl/certs/ca-certificates.crt")
    certificates.write_text((system.read_text() if system.is_file() else "") + "".join(
        "-----BEGIN CERTIFICATE-----\n" + base64.encodebytes(der).decode() +
        "-----END CERTIFICATE-----\n" for der in signer + chain))
    elliptic = b"EC PRIVATE KEY" in key.read_bytes() or b"id-ecPublicKey" in run(
        ["openssl", "pkey", "-in", key, "-noout", "-text"])

    attributes = signed_attributes(indirect_data_content)
    to_sign = folder / "attributes.der"
    to_sign.write_bytes(set_of(*attributes))
    signed = run(["openssl", "dgst", "-sha256", "-sign", key, to_sign])
    signer_info = sequence(
        tlv(0x02, b"\x01"), issuer_and_serial(signer[0]), algorithm("sha256"),
        tlv(0xA0, elements(set_of(*attributes))[0][2]),
        algorithm("ecdsaWithSha256", null_parameters=False) if elliptic
        else algorithm("rsaEncryption"),
        tlv(0x04, signed))
    return sequence(oid("signedData"), tlv(0xA0, sequence(
        tlv(0x02, b"\x01"), set_of(algorithm("sha256")), content_info,
        tlv(0xA0, b"".join(signer + chain)), set_of(signer_info))))


def sign(path):
    with tempfile.TemporaryDirectory() as name:
        folder = pathlib.Path(name)
        password = folder / "password"
        descriptor = os.open(password, os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o600)
        with os.fdopen(descriptor, "w", encoding="utf-8") as stream:
            stream.write(os.environ.get("TENKARI_SIGN_PASSWORD", ""))
        signature = folder / "signature.der"
        certificates = folder / "certificates.pem"
        signature.write_bytes(signature_of(path, folder, password, certificates))
        signed = folder / ("signed" + path.suffix)
        # osslsigncode checks the signature it attaches against the certificates it is given:
        # the system's, and those the signer brings (its own chain, which may end in a private
        # root).
        run(["osslsigncode", "attach-signature", "-sigin", signature, "-CAfile", certificates,
             "-in", path, "-out", signed])
        timestamp = os.environ.get("TENKARI_SIGN_TIMESTAMP_URL")
        if timestamp:
            stamped = folder / ("stamped" + path.suffix)
            run(["osslsigncode", "add", "-ts", timestamp, "-in", signed, "-out", stamped])
            signed = stamped
        # The temporary folder may be on another file system.
        path.write_bytes(signed.read_bytes())
    print(f"signed {path.name}")


def main():
    if not os.environ.get("TENKARI_SIGN_PKCS12"):
        sys.exit("TENKARI_SIGN_PKCS12 is not set")
    for name in sys.argv[1:]:
        sign(pathlib.Path(name))


if __name__ == "__main__":
    main()
