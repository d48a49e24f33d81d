#!/usr/bin/env python3
"""Reads a built テンカリ.HLP back and compares it with the help's source: the file header, the
internal directory, the |SYSTEM records (title, contents, main window caption, locale,
character set), the fonts,
every topic's title and paragraphs, and every link's target through |CONTEXT. Also checks that
the HTML page holds every topic and link. A reader of its own: it shares no code with the tool
that writes the file.

    check_help_file.py SOURCE HLP HTML VERSION
"""
import html.parser
import struct
import sys

TOPIC_BLOCK_SIZE = 4096
TOPIC_BLOCK_HEADER = 12
EXPECTED_FILES = ["|CONTEXT", "|CTXOMAP", "|FONT", "|SYSTEM", "|TOPIC", "|TTLBTREE"]


class Mismatch(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise Mismatch(message)


def u16(data, at):
    return struct.unpack_from("<H", data, at)[0]


def s16(data, at):
    return struct.unpack_from("<h", data, at)[0]


def u32(data, at):
    return struct.unpack_from("<I", data, at)[0]


# -- the source, read on its own terms -------------------------------------------------------

def parse_source(path, version):
    """Title and topics [(id, title, [paragraph])]; a paragraph is a list of pieces, a piece
    is ("text", str) or ("link", target id, str)."""
    with open(path, encoding="utf-8") as source:
        lines = source.read().replace("@VERSION@", version).split("\n")
    title = lines[0].split(":", 1)[1].strip()
    topics = []
    for line in lines[1:]:
        line = line.rstrip()
        if line == "" or line.startswith("# "):
            continue
        if line.startswith("== "):
            topic_id, topic_title = line[3:].split(" ", 1)
            topics.append((topic_id, topic_title.strip(), []))
        elif line.startswith("### "):
            topics[-1][2].append([("text", line[4:].strip())])
        else:
            pieces, rest = [], line
            while "[[" in rest:
                before, after = rest.split("[[", 1)
                inside, rest = after.split("]]", 1)
                target, label = inside.split("|", 1)
                if before:
                    pieces.append(("text", before))
                pieces.append(("link", target, label))
            if rest:
                pieces.append(("text", rest))
            topics[-1][2].append(pieces)
    return title, topics


def winhelp_hash(name):
    """The context hash: each letter, digit, '.' or '_' mapped to a small code, times 43."""
    codes = {c: i + 17 for i, c in enumerate("abcdefghijklmnopqrstuvwxyz")}
    codes.update({str(d): d for d in range(1, 10)})
    codes.update({"0": 10, ".": 12, "_": 13})
    value = 0
    for c in name.lower():
        value = (value * 43 + codes[c]) % (1 << 32)
    return value


# -- the file system ------------------------------------------------------------------------

def internal_file(hlp, offset):
    reserved, used, _ = struct.unpack_from("<IIB", hlp, offset)
    expect(used + 9 <= reserved and offset + reserved <= len(hlp),
           f"internal file at {offset} overruns the file")
    return hlp[offset + 9:offset + 9 + used]


def btree_entries(data, key_kind, value_size):
    """All leaf entries of a B-tree file, in leaf order, as (key, value bytes)."""
    magic, _flags, page_size = struct.unpack_from("<HHH", data, 0)
    expect(magic == 0x293B, f"B-tree magic {magic:#x}")
    root, _, total_pages, levels, count = struct.unpack_from("<hhhhi", data, 26)
    pages = data[38:]
    expect(len(pages) >= total_pages * page_size, "B-tree pages cut short")

    def key_at(page, at):
        if key_kind == "z":
            end = page.index(b"\0", at)
            return page[at:end], end + 1
        return struct.unpack_from("<i", page, at)[0], at + 4

    page_number = root
    for _ in range(levels - 1):  # down the first entries of the index pages
        page_number = s16(pages, page_number * page_size + 4)
    entries = []
    while page_number != -1:
        page = pages[page_number * page_size:(page_number + 1) * page_size]
        at = 8
        for _ in range(s16(page, 2)):
            key, at = key_at(page, at)
            # value_size None: a NUL-terminated string.
            size = page.index(b"\0", at) + 1 - at if value_size is None else value_size
            entries.append((key, page[at:at + size]))
            at += size
        page_number = s16(page, 6)
    expect(len(entries) == count, f"B-tree says {count} entries, holds {len(entries)}")
    keys = [k for k, _ in entries]
    expect(keys == sorted(keys), "B-tree keys out of order")
    return entries


# -- |TOPIC ---------------------------------------------------------------------------------

def topic_stream(topic):
    """The blocks' data joined, with their headers."""
    data, headers = bytearray(), []
    for start in range(0, len(topic), TOPIC_BLOCK_SIZE):
        headers.append(struct.unpack_from("<3I", topic, start))
        data += topic[start + TOPIC_BLOCK_HEADER:start + TOPIC_BLOCK_SIZE]
    return bytes(data), headers


def linear(topic_pos):
    block, offset = topic_pos >> 14, topic_pos & 0x3FFF
    expect(offset >= TOPIC_BLOCK_HEADER, f"TOPICPOS {topic_pos:#x} inside a block header")
    return block * (TOPIC_BLOCK_SIZE - TOPIC_BLOCK_HEADER) + offset - TOPIC_BLOCK_HEADER


def compressed(data, at, wide):
    """A compressed unsigned value: bit 0 of the first byte tells the long form."""
    if wide:
        if data[at] & 1:
            return u32(data, at) >> 1, at + 4
        return u16(data, at) >> 1, at + 2
    if data[at] & 1:
        return u16(data, at) >> 1, at + 2
    return data[at] >> 1, at + 1


def paragraph_pieces(data1, data2):
    at = 0
    _, at = compressed(data1, at, True)
    text_length, at = compressed(data1, at, False)
    expect(text_length == len(data2), "paragraph text length")
    at += 4
    bits = u16(data1, at)
    at += 2
    if bits & 0x0001:
        _, at = compressed(data1, at, True)
    for flag in (0x0002, 0x0004, 0x0008, 0x0010, 0x0020, 0x0040):
        if bits & flag:
            _, at = compressed(data1, at, False)
    expect(not bits & 0x0300, "paragraph with borders or tabs")
    texts = data2.split(b"\0")
    pieces, link, ended = [], None, False
    for text in texts[:-1]:
        if text:
            piece = text.decode("cp932")
            if link is None:
                pieces.append(("text", piece))
            else:
                pieces.append(("link", link, piece))
        command = data1[at]
        if command == 0x80:
            at += 3
        elif command == 0xE3:
            link = u32(data1, at + 1)
            at += 5
        elif command == 0x89:
            link = None
            at += 1
        elif command == 0x82:
            at += 1
        elif command == 0xFF:
            ended = True
            break
        else:
            raise Mismatch(f"unexpected format command {command:#x}")
    expect(ended and link is None, "paragraph not closed")
    # Neighbouring text pieces (split by a font change) are one run of text.
    merged = []
    for piece in pieces:
        if merged and piece[0] == "text" and merged[-1][0] == "text":
            merged[-1] = ("text", merged[-1][1] + piece[1])
        else:
            merged.append(piece)
    return merged


def read_topics(topic):
    """Topics in file order: (title, topic offset, [paragraph pieces])."""
    stream, headers = topic_stream(topic)
    topics = []
    pos, previous_pos = 0x0C, 0xFFFFFFFF
    block, chars_in_block = None, 0
    seen_headers = []
    while pos != 0xFFFFFFFF:
        at = linear(pos)
        size, len2, prev, following, len1, kind = struct.unpack_from("<5IB", stream, at)
        expect(prev == previous_pos, f"record at {pos:#x} names {prev:#x} before it")
        data1 = stream[at + 21:at + len1]
        data2 = stream[at + len1:at + size]
        expect(len(data2) == len2 and size == len1 + len2, f"record at {pos:#x} sizes")
        this_block = at // (TOPIC_BLOCK_SIZE - TOPIC_BLOCK_HEADER)
        if this_block != block:
            block, chars_in_block = this_block, 0
        if kind == 0x02:
            offset = block * 0x8000 + chars_in_block
            seen_headers.append((pos, data1))
            topics.append([data2.decode("cp932"), offset, []])
        elif kind == 0x20:
            topics[-1][2].append(paragraph_pieces(data1, data2))
            chars_in_block += len2
        else:
            raise Mismatch(f"record type {kind:#x}")
        previous_pos, pos = pos, following
    # Each topic header points at the next one.
    for (pos, data1), following in zip(seen_headers, seen_headers[1:] + [(0xFFFFFFFF, None)]):
        expect(u32(data1, 24) == following[0], f"topic header at {pos:#x}: next topic")
    # Each block header's first record lies in that block.
    for number, (_, first, _) in enumerate(headers):
        if first != 0xFFFFFFFF:
            expect(first >> 14 == number, f"block {number} first record {first:#x}")
    # The compiler's closing header has no title and no paragraphs.
    if topics and topics[-1][0] == "" and not topics[-1][2]:
        topics.pop()
    return topics


# -- the comparison -------------------------------------------------------------------------

def check(source_path, hlp_path, html_path, version):
    title, source_topics = parse_source(source_path, version)
    with open(hlp_path, "rb") as f:
        hlp = f.read()

    magic, directory_at, free, size = struct.unpack_from("<IIiI", hlp, 0)
    expect(magic == 0x00035F3F, f"file magic {magic:#x}")
    expect(size == len(hlp), f"header says {size} bytes, the file has {len(hlp)}")
    expect(free == -1, "free block list")
    directory = btree_entries(internal_file(hlp, directory_at), "z", 4)
    files = {name.decode("ascii"): internal_file(hlp, u32(value, 0)) for name, value in directory}
    expect(sorted(files) == EXPECTED_FILES, f"internal files {sorted(files)}")

    system = files["|SYSTEM"]
    expect(struct.unpack_from("<HHH", system, 0) == (0x036C, 33, 1), "|SYSTEM header")
    expect(u16(system, 10) == 0, "|SYSTEM flags: topics must be uncompressed")
    records, at = {}, 12
    while at < len(system):
        kind, length = struct.unpack_from("<HH", system, at)
        records.setdefault(kind, system[at + 4:at + 4 + length])
        at += 4 + length
    expect(records.get(1) == title.encode("cp932") + b"\0", "title record")
    expect(11 in records and records[11][0] == 128, "character set record is not 128")
    window = records.get(6, b"")
    expect(len(window) == 90 and u16(window, 0) & 0x0006 == 0x0006, "main window record")
    expect(window[12:21].split(b"\0")[0] == b"main", "the window record is not the main window")
    expect(window[21:72].split(b"\0")[0] == title.encode("cp932"), "main window caption")
    expect(9 in records and u16(records[9], 8) == 0x0411, "locale record is not 0x0411")

    font = files["|FONT"]
    faces, descriptors, face_at, descriptor_at = struct.unpack_from("<4H", font, 0)
    for n in range(descriptors):
        expect(u16(font, descriptor_at + 11 * n + 3) < faces, f"font {n} names no face")

    topics = read_topics(files["|TOPIC"])
    expect(len(topics) == len(source_topics),
           f"{len(topics)} topics in the file, {len(source_topics)} in the source")
    expect(u32(records[3], 0) == topics[0][1], "the contents record is not the first topic")
    context = {u32(value, 0): key % (1 << 32)
               for key, value in btree_entries(files["|CONTEXT"], "L", 4)}
    by_offset = {offset: topic_id
                 for (topic_id, _, _), (_, offset, _) in zip(source_topics, topics)}
    hash_to_offset = {h: o for o, h in context.items()}
    expect(len(context) == len(source_topics), "|CONTEXT entries")
    titles = {key: value for key, value in btree_entries(files["|TTLBTREE"], "L", None)}
    expect(sorted(titles) == sorted(by_offset), "|TTLBTREE offsets")
    for (_, topic_title, _), (_, offset, _) in zip(source_topics, topics):
        expect(titles[offset] == topic_title.encode("cp932") + b"\0", "|TTLBTREE title")

    for (topic_id, topic_title, paragraphs), (got_title, offset, got) in zip(source_topics,
                                                                              topics):
        where = f"topic {topic_id}"
        expect(got_title == topic_title, f"{where}: title {got_title!r}")
        expect(hash_to_offset.get(winhelp_hash(topic_id)) == offset,
               f"{where}: |CONTEXT does not lead to it")
        expect(got and got[0] == [("text", topic_title)], f"{where}: no title line")
        expect(len(got) - 1 == len(paragraphs),
               f"{where}: {len(got) - 1} paragraphs, {len(paragraphs)} in the source")
        for number, (want, have) in enumerate(zip(paragraphs, got[1:]), 1):
            resolved = []
            for piece in have:
                if piece[0] == "link":
                    target = by_offset.get(hash_to_offset.get(piece[1]))
                    expect(target is not None, f"{where} paragraph {number}: a link leads nowhere")
                    resolved.append(("link", target, piece[2]))
                else:
                    resolved.append(piece)
            expect(resolved == want, f"{where} paragraph {number}:\n  {resolved}\n  {want}")

    check_html(html_path, source_topics)
    print(f"{hlp_path}: {len(topics)} topics, "
          f"{sum(len(p) for _, _, p in source_topics)} paragraphs agree with {source_path}")


class PageReader(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.sections, self.links = [], []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "section":
            self.sections.append(attrs.get("id"))
        if tag == "a":
            self.links.append((self.sections[-1] if self.sections else None, attrs["href"]))


def check_html(path, source_topics):
    reader = PageReader()
    with open(path, encoding="utf-8") as page:
        reader.feed(page.read())
    expect(reader.sections == [t[0] for t in source_topics], "HTML sections")
    for topic_id, _, paragraphs in source_topics:
        wanted = [("#" + piece[1]) for p in paragraphs for piece in p if piece[0] == "link"]
        have = [href for section, href in reader.links if section == topic_id]
        expect(all(href in have for href in wanted), f"HTML topic {topic_id} lacks a link")


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    try:
        check(*sys.argv[1:])
    except Mismatch as failure:
        sys.exit(f"{sys.argv[2]}: {failure}")


if __name__ == "__main__":
    main()
