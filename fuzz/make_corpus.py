#!/usr/bin/env python3
"""Writes the fuzz targets' seed inputs into fuzz/corpus/TARGET/.

    fuzz/make_corpus.py LVROW

LVROW is the host build's lvrow (build/host/bin/lvrow): the decoder's seeds
are rows it paints. Each target's input layout is described at the top of
its fuzz/fuzz_TARGET.cpp; the seeds are small, a few of each kind, so that
the fuzzer starts from real frames and real command lines.
"""
import os
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OFF_FLAGS = 0xD640


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def u32(v):
    return struct.pack("<I", v & 0xFFFFFFFF)


# painters: u16 width - 1, u8 mode, u32 a, b, c, d, u16 flags, u8 faults.
def painters():
    OFF, ROWS, COLUMNS, LINK_REGION, LINK_OFF = range(5)

    def seed(name, width, mode, a=0, b=0, c=0, d=0, flags=OFF_FLAGS, faults=0):
        data = struct.pack("<HB", width - 1, mode) + u32(a) + u32(b) + u32(c) + u32(d)
        write("painters", name, data + struct.pack("<HB", flags, faults))

    seed("off-1024", 1024, OFF)
    seed("rows-1024", 1024, ROWS, 200, 600)
    seed("columns-1920", 1920, COLUMNS, 100, 500)
    seed("columns-whole-961", 961, COLUMNS, 0, 961)  # W mod 96 = 0: cells past the edge
    seed("columns-past-end-1366", 1366, COLUMNS, 1360, 0xFFFFFFFC)
    seed("off-width-1", 1, OFF)
    seed("columns-16384", 16384, COLUMNS, 5, 16000)
    seed("link-region-negative-1024", 1024, LINK_REGION, -4, -4, 1028, 772)
    seed("link-region-dragged-1366", 1366, LINK_REGION, 700, 500, 45, 60)
    seed("link-off-1920", 1920, LINK_OFF)
    seed("rows-no-pens-1024", 1024, ROWS, 1, 2, faults=0x01)
    seed("columns-no-yellow-pen-1024", 1024, COLUMNS, 10, 900, faults=0x02 | (3 << 2))


def lvrow_row(lvrow, *args):
    """The row lvrow paints, as (r, g, b) bytes a pixel."""
    out = subprocess.run([lvrow, *map(str, args)], check=True, capture_output=True, text=True).stdout
    pixels = bytearray()
    for line in out.splitlines():
        first, last, rgb = line.split()
        pixels += bytes.fromhex(rgb) * (int(last) - int(first) + 1)
    return bytes(pixels)


# row_decoder: r, g, b bytes a pixel.
def row_decoder(lvrow):
    write("row_decoder", "off-1024", lvrow_row(lvrow, "off", 1024))
    write("row_decoder", "rows-1024", lvrow_row(lvrow, "rows", 200, 600, 1024))
    write("row_decoder", "columns-1920", lvrow_row(lvrow, "columns", 100, 500, 1920))
    write("row_decoder", "columns-whole-1366", lvrow_row(lvrow, "columns", 0, 1366, 1366))
    write("row_decoder", "rows-one-pixel-cells-102", lvrow_row(lvrow, "rows", 7, 9, 102))
    write("row_decoder", "rows-1024-cut-at-tail", lvrow_row(lvrow, "rows", 60, 500, 1024)[:-9])
    desktop = b"".join(bytes((0x20, 0x60 + x % 16, 0x90)) for x in range(1024))
    write("row_decoder", "desktop-1024", desktop)


# message_tracker: records of u8 time code, u8 sample kind, its fields.
PAINTED, DESKTOP, MADE_UP, SAME = range(4)
WIDTH_1024, WIDTH_1920 = 3, 5


def painted(dt, kind, a, b, width, pokes=()):
    data = struct.pack("<BBB", dt, PAINTED, kind) + u32(a) + u32(b) + struct.pack("<BB", width, len(pokes))
    for x, colour in pokes:
        data += struct.pack("<H", x) + u32(colour)
    return data


def desktop(dt, width):
    return struct.pack("<BBB", dt, DESKTOP, width)


def same(dt):
    return struct.pack("<BB", dt, SAME)


def message_tracker():
    # The link's timing: off at 100, repaint at 200; rows at 300, columns at
    # 350, repaint at 450; samples every 10 ms in between.
    link = desktop(0, WIDTH_1024) + painted(100, 0, OFF_FLAGS, 0, WIDTH_1024)
    link += same(10) * 9 + desktop(10, WIDTH_1024) + same(10) * 9
    link += painted(10, 1, 60, 500, WIDTH_1024) + same(10) * 4
    link += painted(10, 2, 40, 700, WIDTH_1024) + same(10) * 9 + desktop(10, WIDTH_1024)
    write("message_tracker", "link-off-and-region-1024", link)
    # Rows whose columns come too late, columns alone, a damaged frame.
    late = painted(5, 1, 0, 1080, WIDTH_1920) + desktop(50, WIDTH_1920) + same(199)
    late += painted(100, 2, 0, 1920, WIDTH_1920) + desktop(50, WIDTH_1920)
    late += painted(50, 0, OFF_FLAGS, 0, WIDTH_1920, [(700, 0x808080)]) + desktop(1, WIDTH_1920)
    write("message_tracker", "late-columns-1920", late)
    # Times that are not numbers, go back, or jump.
    odd = painted(202, 1, 1, 2, WIDTH_1024) + painted(10, 2, 1, 2, WIDTH_1024)
    odd += struct.pack("<BBH", 201, SAME, 5000) + painted(203, 0, OFF_FLAGS, 0, WIDTH_1024)
    odd += desktop(205, WIDTH_1024) + desktop(200, WIDTH_1024)
    write("message_tracker", "odd-times", odd)
    # A made-up columns frame with its fields, then a made-up rows frame.
    made = struct.pack("<BBB", 10, MADE_UP, 3) + u32(0xEC6BE2) + u32(0) + u32(0) + b"\x01"
    made += u32(2) + u32(1019) + u32(0) + u32(2) + u32(1021) + u32(0xFFFFFFFF)
    made += struct.pack("<BBB", 10, MADE_UP, 2) + u32(0xEC6BE1) + u32(60) + u32(500) + b"\x00" + u32(0) * 6
    write("message_tracker", "made-up-rows", made)


# lvrow_args: NUL-separated argv words.
def lvrow_args():
    def seed(name, *words):
        write("lvrow_args", name, b"\0".join(w.encode() for w in words))

    seed("off", "off", "1024")
    seed("off-flags", "off", "1024", "0xD640")
    seed("rows-negative", "rows", "-4", "772", "1024")
    seed("columns-hex", "columns", "0x64", "500", "1920")
    seed("too-wide", "off", "1048577")
    seed("limits", "rows", "-0x80000000", "0xFFFFFFFF", "1048576")
    # strtoull's leniency, once taken: white space before the digits, a
    # second 0x.
    seed("newline-before-digits", "\n9")
    seed("second-0x", "rows", "0x0x5", "7", "1024")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    painters()
    row_decoder(sys.argv[1])
    message_tracker()
    lvrow_args()


if __name__ == "__main__":
    main()
