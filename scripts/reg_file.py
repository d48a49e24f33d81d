"""Reads what `reg export` writes (REGEDIT5, UTF-16): {key: {name: value}}, a string as str, a
dword as int, an expandable string (hex(2)) as str; a key's default value has the name ""."""


def read_reg_export(text):
    keys = {}
    current = None
    pending = ""
    for line in text.splitlines():
        line = pending + line.strip()
        if line.endswith("\\") and not line.startswith("["):
            pending = line[:-1]
            continue
        pending = ""
        if line.startswith("[") and line.endswith("]"):
            current = keys.setdefault(line[1:-1], {})
        elif current is not None and line.startswith('"') and "=" in line:
            name, _, data = line.partition('"=')
            current[name[1:].replace('\\"', '"').replace("\\\\", "\\")] = _value(data)
        elif current is not None and line.startswith("@="):
            current[""] = _value(line[2:])
    return keys


def _value(data):
    if data.startswith('"'):
        return data[1:-1].replace('\\"', '"').replace("\\\\", "\\")
    if data.startswith("dword:"):
        return int(data[6:], 16)
    if data.startswith("hex(2):"):
        raw = bytes(int(byte, 16) for byte in data[7:].split(",") if byte)
        return raw.decode("utf-16-le").rstrip("\0")
    return data
