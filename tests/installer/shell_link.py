"""Reads a shortcut (.lnk, the Shell Link Binary File Format) as Windows resolves it: the target
from its item list (each folder's long name in UTF-16), the working folder and the icon location
from its Unicode strings."""
import struct

HAS_ID_LIST = 0x1
HAS_LINK_INFO = 0x2
STRING_FLAGS = [("name", 0x4), ("relative_path", 0x8), ("working_dir", 0x10),
                ("arguments", 0x20), ("icon_location", 0x40)]
IS_UNICODE = 0x80
HEADER_SIZE = 0x4C
LINK_CLSID = bytes.fromhex("0114020000000000c000000000000046")


class LinkError(ValueError):
    pass


def _utf16_ending_at(data, end):
    """The UTF-16 name whose terminating NUL ends at end."""
    if data[end - 2:end] != b"\0\0":
        raise LinkError("an unterminated name")
    start = end - 2
    while start >= 2 and data[start - 2:start] != b"\0\0":
        start -= 2
    return data[start:end - 2].decode("utf-16-le")


def _item_name(item):
    """The name of one item of the list: a drive ("C:\\") or a file or folder, whose long name
    is in the extension block after its short name, ending just before the block's last word
    (the block's offset in the item)."""
    kind = item[2] & 0x70
    if kind == 0x20:
        return item[3:item.index(b"\0", 3)].decode("ascii")
    if kind != 0x30:
        return None
    short_end = item.index(b"\0", 14) + 1
    extension = short_end + (short_end & 1)
    size, = struct.unpack_from("<H", item, extension)
    return _utf16_ending_at(item, extension + size - 2)


def read_link(data):
    if len(data) < HEADER_SIZE or struct.unpack_from("<I", data)[0] != HEADER_SIZE or \
            data[4:20] != LINK_CLSID:
        raise LinkError("not a shell link")
    flags, = struct.unpack_from("<I", data, 0x14)
    icon_index, show_command = struct.unpack_from("<iI", data, 0x38)
    link = {"icon_index": icon_index, "show_command": show_command}
    position = HEADER_SIZE
    if flags & HAS_ID_LIST:
        size, = struct.unpack_from("<H", data, position)
        names = []
        item = position + 2
        while True:
            item_size, = struct.unpack_from("<H", data, item)
            if item_size == 0:
                break
            name = _item_name(data[item:item + item_size])
            if name is not None:
                names.append(name)
            item += item_size
        link["target"] = (names[0] + "\\".join(names[1:])) if names else None
        position += 2 + size
    if flags & HAS_LINK_INFO:
        position += struct.unpack_from("<I", data, position)[0]
    for name, flag in STRING_FLAGS:
        if flags & flag:
            count, = struct.unpack_from("<H", data, position)
            position += 2
            if flags & IS_UNICODE:
                # Wine counts the terminating NUL too.
                link[name] = data[position:position + 2 * count].decode("utf-16-le").rstrip("\0")
                position += 2 * count
            else:
                raise LinkError("a shortcut without Unicode strings")
    return link
