#!/usr/bin/env python3
"""Check a compiled help file against the project it was compiled from.

    python3 check_chm.py LVHELP.CHM PROJECT.HHP

Reads the CHM's ITSF header and walks its directory (the PMGL listing
chunks), then checks that:
  - every page of the project ([FILES], the default topic, the contents and
    index files, every .htm page beside the project) is stored in the CHM
    with the byte length of its source file;
  - the viewer's own system files are there;
  - every local link of the pages, the contents and the index names a
    stored file, and an anchor that its page defines.
Stops with a non-zero exit code at the first thing that is off. Python 3
standard library only.
"""

import html.parser
import os
import struct
import sys
import urllib.parse

SYSTEM_FILES = ("/#SYSTEM", "/#TOPICS", "/#URLTBL", "/#URLSTR", "/#STRINGS")
PAGE_ENDINGS = (".htm", ".html")


class Bad(Exception):
    pass


# ---------------------------------------------------------------------------
# The CHM container

def read_encint(data, pos, end):
    """A CHM variable-length integer: 7 bits a byte, high bit = more follow."""
    value = 0
    while True:
        if pos >= end:
            raise Bad("directory entry runs past its chunk")
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            return value, pos


def read_directory(data):
    """Answers {name: (section, offset, length)} from the CHM's listing chunks."""
    if len(data) < 0x60 or data[:4] != b"ITSF":
        raise Bad("no ITSF signature: not a CHM file")
    version, header_len = struct.unpack_from("<II", data, 4)
    if version not in (2, 3) or header_len > len(data):
        raise Bad(f"unexpected ITSF version {version} or header length {header_len}")
    dir_offset, dir_len = struct.unpack_from("<QQ", data, 0x48)
    if dir_offset + dir_len > len(data):
        raise Bad("directory lies past the end of the file")
    if data[dir_offset:dir_offset + 4] != b"ITSP":
        raise Bad("no ITSP directory header")
    itsp_len = struct.unpack_from("<I", data, dir_offset + 8)[0]
    chunk_size = struct.unpack_from("<I", data, dir_offset + 0x10)[0]
    chunk_count = struct.unpack_from("<I", data, dir_offset + 0x2C)[0]
    if chunk_size < 0x20 or itsp_len + chunk_count * chunk_size > dir_len:
        raise Bad("directory chunks do not fit the directory")

    entries = {}
    for i in range(chunk_count):
        start = dir_offset + itsp_len + i * chunk_size
        if data[start:start + 4] != b"PMGL":
            continue  # an index chunk (PMGI): it repeats names, holds no files
        free = struct.unpack_from("<I", data, start + 4)[0]
        end = start + chunk_size - free
        if free >= chunk_size or end < start + 0x14:
            raise Bad(f"listing chunk {i} has a bad free-space length")
        pos = start + 0x14
        while pos < end:
            name_len, pos = read_encint(data, pos, end)
            if pos + name_len > end:
                raise Bad("directory name runs past its chunk")
            name = data[pos:pos + name_len].decode("utf-8", "replace")
            pos += name_len
            section, pos = read_encint(data, pos, end)
            offset, pos = read_encint(data, pos, end)
            length, pos = read_encint(data, pos, end)
            entries[name] = (section, offset, length)
    if not entries:
        raise Bad("the directory lists no files")

    # Section 0 is stored as is (the compressed pages are one file of it),
    # so every one of its files must lie inside this file: a cut file fails.
    content_offset = (struct.unpack_from("<Q", data, 0x58)[0] if version == 3
                      else dir_offset + dir_len)
    for name, (section, offset, length) in entries.items():
        if section == 0 and content_offset + offset + length > len(data):
            raise Bad(f"{name} lies past the end of the file (cut short?)")
    return entries


# ---------------------------------------------------------------------------
# The project

def read_project(hhp_path):
    """Answers (options, files) of a .hhp: its [OPTIONS] and its [FILES] list."""
    options, files, section = {}, [], None
    with open(hhp_path, encoding="latin-1") as f:
        for raw in f:
            line = raw.strip()
            if not line or line.startswith(";"):
                continue
            if line.startswith("[") and line.endswith("]"):
                section = line[1:-1].upper()
            elif section == "OPTIONS" and "=" in line:
                key, value = line.split("=", 1)
                options[key.strip().lower()] = value.strip()
            elif section == "FILES":
                files.append(line.replace("\\", "/"))
    return options, files


class LinkReader(html.parser.HTMLParser):
    """Collects a page's local links and the anchors it defines."""

    def __init__(self):
        super().__init__()
        self.links, self.anchors = [], set()

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        for key in ("name", "id"):
            if tag != "param" and attrs.get(key):
                self.anchors.add(attrs[key])
        for key in ("href", "src"):
            if attrs.get(key):
                self.links.append(attrs[key])
        if tag == "param" and (attrs.get("name") or "").lower() == "local":
            self.links.append(attrs.get("value") or "")


def read_links(path):
    reader = LinkReader()
    with open(path, encoding="latin-1") as f:
        reader.feed(f.read())
    return reader


def check(chm_path, hhp_path):
    with open(chm_path, "rb") as f:
        data = f.read()
    entries = read_directory(data)
    folder = os.path.dirname(os.path.abspath(hhp_path))
    options, files = read_project(hhp_path)

    for key in ("default topic", "contents file", "index file"):
        if not options.get(key):
            raise Bad(f"the project names no {key}")
    names = set(files)
    names.update(options[k] for k in ("default topic", "contents file", "index file"))
    names.update(n for n in os.listdir(folder) if n.lower().endswith(PAGE_ENDINGS))

    for name in sorted(names):
        stored = entries.get("/" + name)
        if stored is None:
            raise Bad(f"{name} is not in the help file")
        size = os.path.getsize(os.path.join(folder, name))
        if stored[2] != size:
            raise Bad(f"{name} is stored with {stored[2]} bytes, its source has {size}")
    for name in SYSTEM_FILES:
        if name not in entries:
            raise Bad(f"the viewer's {name} is missing")

    readers = {n: read_links(os.path.join(folder, n)) for n in sorted(names)
               if n.lower().endswith(PAGE_ENDINGS + (".hhc", ".hhk"))}
    for name, reader in readers.items():
        for link in reader.links:
            target = urllib.parse.urlsplit(link)
            if target.scheme or target.netloc:
                continue  # a web address, not part of the help file
            page = urllib.parse.unquote(target.path) or name
            if "/" + page not in entries:
                raise Bad(f"{name} links to {link}, which is not in the help file")
            if target.fragment and (page not in readers or
                                    target.fragment not in readers[page].anchors):
                raise Bad(f"{name} links to {link}, whose anchor does not exist")
    return len(names)


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    try:
        count = check(sys.argv[1], sys.argv[2])
    except (Bad, OSError) as e:
        print(f"check_chm: {sys.argv[1]}: {e}", file=sys.stderr)
        return 1
    print(f"check_chm: {sys.argv[1]}: {count} files stored and linked correctly")
    return 0


if __name__ == "__main__":
    sys.exit(main())
