#!/usr/bin/env python3
"""Builds the help from its one source: a WinHelp file (Shift-JIS, character set 128, locale
0x0411) for the help viewer, and a UTF-8 HTML page with the same topics and links.

    make_help.py --source help/tenkari_help.txt --hlp テンカリ.HLP --html テンカリ.html

The source (UTF-8):
    title: TITLE                  the help's title (first line)
    == ID TITLE                   starts a topic; the first topic is the contents
    ### HEADING                   a heading paragraph inside a topic
    any other line                one paragraph; [[ID|text]] links to topic ID
Lines starting with "#" followed by a space are comments; empty lines are skipped.

The WinHelp file is a 4.0 file with uncompressed 4 KB topic blocks and no phrase compression.
Its internal files: |SYSTEM (title, contents, main window, locale and character set records),
|FONT, |TOPIC, |CONTEXT (topic hashes), |TTLBTREE (topic titles) and an empty |CTXOMAP, reached
through the B-tree directory that the file header points to.
"""
import argparse
import html
import pathlib
import re
import struct
import os
import sys

CODE_PAGE = "cp932"
SHIFT_JIS_CHARSET = 128
JAPANESE_LCID = 0x0411
TOPIC_BLOCK = 4096
BLOCK_HEADER = 12
# The face the viewer asks for; with character set 128 any Japanese face stands in for it.
FACE_NAME = b"MS PGothic"
FONT_TITLE, FONT_TEXT, FONT_HEADING = 0, 1, 2
LINK = re.compile(r"\[\[([a-z0-9_]+)\|([^\]]+)\]\]")
TOPIC_ID = re.compile(r"[a-z][a-z0-9_]*")


class SourceError(ValueError):
    pass


# -- the source --------------------------------------------------------------------------

class Topic:
    def __init__(self, topic_id, title):
        self.id = topic_id
        self.title = title
        # Each paragraph: (kind, pieces); kind "text" or "heading"; a piece is a str or
        # (target id, text).
        self.paragraphs = []


def split_links(line):
    pieces, last = [], 0
    for match in LINK.finditer(line):
        if match.start() > last:
            pieces.append(line[last:match.start()])
        pieces.append((match.group(1), match.group(2)))
        last = match.end()
    if last < len(line):
        pieces.append(line[last:])
    if "[[" in "".join(p for p in pieces if isinstance(p, str)):
        raise SourceError(f"a link that is not [[id|text]]: {line}")
    return pieces


def read_source(path, version):
    text = pathlib.Path(path).read_text(encoding="utf-8").replace("@VERSION@", version)
    lines = text.splitlines()
    if not lines or not lines[0].startswith("title: "):
        raise SourceError("the source must begin with 'title: '")
    title = lines[0][len("title: "):].strip()
    topics = []
    for number, line in enumerate(lines[1:], 2):
        line = line.rstrip()
        if not line or line.startswith("# "):
            continue
        if line.startswith("== "):
            parts = line[3:].split(" ", 1)
            if len(parts) != 2 or not TOPIC_ID.fullmatch(parts[0]):
                raise SourceError(f"line {number}: '== id title' expected")
            topics.append(Topic(parts[0], parts[1].strip()))
            continue
        if not topics:
            raise SourceError(f"line {number}: text before the first topic")
        if line.startswith("### "):
            topics[-1].paragraphs.append(("heading", [line[4:].strip()]))
        else:
            topics[-1].paragraphs.append(("text", split_links(line)))
    ids = [topic.id for topic in topics]
    if len(set(ids)) != len(ids):
        raise SourceError("two topics share an id")
    for topic in topics:
        for _, pieces in topic.paragraphs:
            for piece in pieces:
                if isinstance(piece, tuple) and piece[0] not in ids:
                    raise SourceError(f"topic {topic.id} links to unknown topic {piece[0]}")
    contents = topics[0]
    linked = {p[0] for _, pieces in contents.paragraphs for p in pieces if isinstance(p, tuple)}
    missing = [i for i in ids[1:] if i not in linked]
    if missing:
        raise SourceError(f"the contents topic does not link to {missing}")
    return title, topics


def sjis(text):
    return text.encode(CODE_PAGE)


# -- WinHelp pieces ----------------------------------------------------------------------

def context_hash(name):
    """The viewer's hash of a topic id (letters, digits, '.' and '_' only)."""
    value = 0
    for char in name.lower():
        if "a" <= char <= "z":
            code = ord(char) - ord("a") + 17
        elif "1" <= char <= "9":
            code = ord(char) - ord("0")
        elif char == "0":
            code = 10
        elif char == ".":
            code = 12
        elif char == "_":
            code = 13
        else:
            raise SourceError(f"topic id {name} holds {char!r}")
        value = (value * 43 + code) & 0xFFFFFFFF
    return value


def signed32(value):
    return value - (1 << 32) if value & 0x80000000 else value


def compressed_ushort(value):
    return bytes([value * 2]) if value < 0x80 else struct.pack("<H", value * 2 + 1)


def compressed_long(value):
    biased = value + 0x4000 if -0x4000 <= value < 0x4000 else value + 0x4000000
    if biased < 0x8000:
        return struct.pack("<H", biased * 2)
    return struct.pack("<I", biased * 2 + 1)


class Paragraph:
    """One displayable paragraph: LinkData1 holds its format commands, LinkData2 its text
    pieces, each ended by a NUL that hands over to the next command."""

    def __init__(self, kind, pieces, hashes):
        commands, text = bytearray(), bytearray()
        font = FONT_HEADING if kind == "heading" else FONT_TEXT
        if kind == "title":
            font = FONT_TITLE
        text += b"\0"
        commands += b"\x80" + struct.pack("<H", font)
        for piece in pieces:
            if isinstance(piece, tuple):
                target, label = piece
                text += b"\0"
                commands += b"\xE3" + struct.pack("<I", hashes[target])
                text += sjis(label) + b"\0"
                commands += b"\x89"
            else:
                text += sjis(piece)
        text += b"\0"
        commands += b"\x82"
        text += b"\0"
        commands += b"\xFF"
        # Unknown byte 0, the byte 0x80, id 0, then the paragraph flags: space above when
        # a heading, none otherwise.
        info = bytearray(b"\x00\x80\x00\x00")
        if kind == "heading":
            info += struct.pack("<H", 0x0002) + compressed_ushort(12 + 0x40)
        else:
            info += struct.pack("<H", 0x0004) + compressed_ushort(4 + 0x40)
        body = bytes(info + commands)
        self.record_type = 0x20
        self.data1 = compressed_long(len(body)) + compressed_ushort(len(text)) + body
        self.data2 = bytes(text)


class TopicHeader:
    record_type = 0x02

    def __init__(self, title):
        self.title = title
        self.data2 = sjis(title) if title is not None else b""
        self.fields = None  # set at layout

    @property
    def data1(self):
        return struct.pack("<7I", *self.fields) if self.fields else bytes(28)


def lay_out_topics(topics, hashes):
    """The TOPICLINK records in order, with the TOPICPOS and TOPICOFFSET of each."""
    records, owners = [], []
    for number, topic in enumerate(topics):
        records.append(TopicHeader(topic.title))
        owners.append(number)
        records.append(Paragraph("title", [topic.title], hashes))
        owners.append(number)
        for kind, pieces in topic.paragraphs:
            records.append(Paragraph(kind, pieces, hashes))
            owners.append(number)
    # A closing topic header with no topic after it ends the last topic.
    records.append(TopicHeader(None))
    owners.append(None)

    block, offset, pos = 0, 0, BLOCK_HEADER
    for record in records:
        record.topic_offset = block * 0x8000 + offset
        record.topic_pos = block * 0x4000 + pos
        pos += 21 + len(record.data1) + len(record.data2)
        if record.record_type != 0x02:
            offset += len(record.data2)
        while pos >= TOPIC_BLOCK:
            block += 1
            offset = 0
            pos -= TOPIC_BLOCK - BLOCK_HEADER
    headers = [i for i, r in enumerate(records) if r.record_type == 0x02]
    for n, index in enumerate(headers):
        header = records[index]
        next_header = records[headers[n + 1]] if n + 1 < len(headers) else None
        size = sum(21 + len(r.data1) + len(r.data2)
                   for r in records[index + 1:(headers[n + 1] if next_header else None)])
        first_paragraph = records[index + 1] if index + 1 < len(records) and \
            records[index + 1].record_type != 0x02 else None
        prev_topic = records[headers[n - 1]] if 0 < n < len(headers) - 1 else None
        next_topic = next_header if next_header and n + 2 < len(headers) else None
        header.fields = (
            size,
            prev_topic.topic_offset if prev_topic else 0xFFFFFFFF,
            next_topic.topic_offset if next_topic else 0xFFFFFFFF,
            n,
            0xFFFFFFFF,
            first_paragraph.topic_pos if first_paragraph else 0xFFFFFFFF,
            next_header.topic_pos if next_header else 0xFFFFFFFF)
    return records, owners


def topic_section(records):
    stream = bytearray()
    for i, record in enumerate(records):
        previous = records[i - 1].topic_pos if i else 0xFFFFFFFF
        following = records[i + 1].topic_pos if i + 1 < len(records) else 0xFFFFFFFF
        head = struct.pack("<5IB", 21 + len(record.data1) + len(record.data2),
                           len(record.data2), previous, following, 21 + len(record.data1),
                           record.record_type)
        stream += head + record.data1 + record.data2
    # Cut the stream into blocks, each led by the last record begun before it, the first
    # record begun in it and the last topic header begun before it.
    data_size = TOPIC_BLOCK - BLOCK_HEADER
    out = bytearray()
    starts = []
    position = 0
    for record in records:
        starts.append((position, record))
        position += 21 + len(record.data1) + len(record.data2)
    for block_start in range(0, len(stream), data_size):
        block_end = block_start + data_size
        before = [r for p, r in starts if p < block_start]
        inside = [r for p, r in starts if block_start <= p < block_end]
        last_link = before[-1].topic_pos if before else 0xFFFFFFFF
        first_link = inside[0].topic_pos if inside else 0xFFFFFFFF
        headers = [r for r in before if r.record_type == 0x02]
        last_header = headers[-1].topic_pos if headers else 0
        out += struct.pack("<3I", last_link, first_link, last_header)
        out += stream[block_start:block_end]
    # The last block is filled to its full size, as a reader takes whole blocks.
    out += bytes(-len(out) % TOPIC_BLOCK)
    return bytes(out)


def btree(entries, structure, page_size, flags):
    """A one-level B-tree: its header and one leaf page holding every entry (sorted)."""
    body = b"".join(entries)
    if len(body) + 8 > page_size:
        raise SourceError("a B-tree outgrew its single page")
    unused = page_size - 8 - len(body)
    header = struct.pack("<HHH16shhhhhhi", 0x293B, flags, page_size,
                         structure.encode().ljust(16, b"\0"), 0, 0, 0, -1, 1, 1, len(entries))
    page = struct.pack("<Hhhh", unused, len(entries), -1, -1) + body + bytes(unused)
    return header + page


def build_time():
    """The file's date: SOURCE_DATE_EPOCH where the build sets it, else a fixed one, so that
    the same source always gives the same file (and the same release zip)."""
    return int(os.environ.get("SOURCE_DATE_EPOCH", 0)) & 0x7FFFFFFF


def system_section(title, contents_offset):
    def record(kind, data):
        return struct.pack("<HH", kind, len(data)) + data

    out = struct.pack("<HHHIH", 0x036C, 33, 1, build_time(), 0)
    out += record(1, sjis(title) + b"\0")
    out += record(3, struct.pack("<I", contents_offset))
    # The main window, named "main" and captioned with the help's title: without it the
    # viewer keeps a caption of its own.
    caption = sjis(title)
    if len(caption) > 50:
        raise SourceError("the title is longer than a window caption may be")
    window = struct.pack("<H", 0x0006) + bytes(10) + b"main".ljust(9, b"\0")
    window += caption.ljust(51, b"\0") + bytes(90 - 72)
    out += record(6, window)
    out += record(9, bytes(8) + struct.pack("<H", JAPANESE_LCID))
    out += record(10, bytes([10, SHIFT_JIS_CHARSET]) + FACE_NAME + b"\0")
    out += record(11, bytes([SHIFT_JIS_CHARSET, 0, 0, 2, 0]))
    return out


def font_section():
    faces = [FACE_NAME.ljust(32, b"\0")]
    # Flags (1 bold), size in half points, family (3 swiss), face, colour, background.
    descriptors = [(1, 28, 3), (0, 20, 3), (1, 22, 3)]
    out = struct.pack("<4H", len(faces), len(descriptors), 8, 8 + 32 * len(faces))
    out += b"".join(faces)
    for flags, half_points, family in descriptors:
        out += struct.pack("<BBBH3B3B", flags, half_points, family, 0, 0, 0, 0, 0, 0, 0)
    return out


def build_hlp(title, topics):
    hashes = {topic.id: context_hash(topic.id) for topic in topics}
    if len(set(hashes.values())) != len(hashes):
        raise SourceError("two topic ids share a hash")
    records, owners = lay_out_topics(topics, hashes)
    offsets = {}
    for record, owner in zip(records, owners):
        if record.record_type == 0x02 and owner is not None:
            offsets[topics[owner].id] = record.topic_offset
    context = sorted((signed32(hashes[i]), offsets[i]) for i in hashes)
    titles = sorted((offsets[t.id], sjis(t.title)) for t in topics)
    files = {
        "|CONTEXT": btree([struct.pack("<iI", h, o) for h, o in context], "L4", 0x800, 0x0002),
        "|CTXOMAP": struct.pack("<H", 0),
        "|FONT": font_section(),
        "|SYSTEM": system_section(title, offsets[topics[0].id]),
        "|TOPIC": topic_section(records),
        "|TTLBTREE": btree([struct.pack("<I", o) + t + b"\0" for o, t in titles], "Lz", 0x800,
                           0x0002),
    }
    names = sorted(files, key=lambda name: name.encode())
    placed, offset = {}, 16
    for name in names:
        placed[name] = offset
        offset += 9 + len(files[name])
    directory = btree([name.encode() + b"\0" + struct.pack("<I", placed[name]) for name in names],
                      "z4", 0x400, 0x0402)
    total = offset + 9 + len(directory)
    out = bytearray(struct.pack("<IIiI", 0x00035F3F, offset, -1, total))
    for name in names + [None]:
        data = files[name] if name else directory
        out += struct.pack("<IIB", len(data) + 9, len(data), 0) + data
    return bytes(out)


# -- HTML ---------------------------------------------------------------------------------

def build_html(title, topics):
    def inline(pieces):
        out = []
        for piece in pieces:
            if isinstance(piece, tuple):
                out.append(f'<a href="#{piece[0]}">{html.escape(piece[1])}</a>')
            else:
                out.append(html.escape(piece))
        return "".join(out)

    parts = ["<!DOCTYPE html>", '<html lang="ja">', "<head>", '<meta charset="utf-8">',
             f"<title>{html.escape(title)}</title>",
             "<style>body{font-family:sans-serif;max-width:46em;margin:1em auto;padding:0 1em;"
             "line-height:1.7}section{border-top:1px solid #999;margin-top:2em}</style>",
             "</head>", "<body>", f"<h1>{html.escape(title)}</h1>"]
    for topic in topics:
        parts.append(f'<section id="{topic.id}">')
        parts.append(f"<h2>{html.escape(topic.title)}</h2>")
        for kind, pieces in topic.paragraphs:
            tag = "h3" if kind == "heading" else "p"
            parts.append(f"<{tag}>{inline(pieces)}</{tag}>")
        parts.append("</section>")
    parts += ["</body>", "</html>", ""]
    return "\n".join(parts)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", type=pathlib.Path, required=True)
    parser.add_argument("--hlp", type=pathlib.Path, required=True)
    parser.add_argument("--html", type=pathlib.Path, required=True)
    parser.add_argument("--version", required=True, help="the project version, for @VERSION@")
    args = parser.parse_args()
    try:
        title, topics = read_source(args.source, args.version)
        hlp = build_hlp(title, topics)
    except (SourceError, UnicodeEncodeError) as failure:
        sys.exit(f"{args.source}: {failure}")
    args.hlp.write_bytes(hlp)
    args.html.write_text(build_html(title, topics), encoding="utf-8")


if __name__ == "__main__":
    main()
