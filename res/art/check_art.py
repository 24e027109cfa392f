#!/usr/bin/env python3
"""Read back the art written by make_art.py and check it byte by byte.

Checks that the resource script and the build name the same picture files
and that the scaled bitmaps carry the ids of the scheme in resource.h; then
parses every .bmp / .ico / .cur header, image directory and pixel block (PNG
images included) against the sizes below, and stops with a non-zero exit
code at the first thing that is off.

    python3 check_art.py OUTDIR RCFILE NAME...

NAME... are the files the build expects (CMake's list of art outputs).
"""

import os
import re
import struct
import sys
import zlib

GREY = (192, 192, 192)         # tool bar background, keyed out
WHITE = (255, 255, 255)
YELLOW = (255, 230, 0)
RED = (235, 30, 30)
BLACK = (0, 0, 0)
LOGO_BLUE = (20, 80, 190)
TB_COLOURS = {GREY, WHITE, YELLOW, RED, LOGO_BLUE}

# Scale index k -> percent; the k-th bitmap has the 100 % id + 1000 * k.
SCALES = (100, 125, 150, 175, 200, 250, 300)
# percent -> one tool bar image, the bar logo (round half up: 22.5 -> 23)
TB_CELL = {100: (17, 15), 125: (21, 19), 150: (26, 23), 175: (30, 26),
           200: (34, 30), 250: (43, 38), 300: (51, 45)}
BAR_LOGO = {100: (24, 18), 125: (30, 23), 150: (36, 27), 175: (42, 32),
            200: (48, 36), 250: (60, 45), 300: (72, 54)}
TOOLBARS = {"tb165": (6, WHITE), "tb172": (4, YELLOW), "tb174": (4, RED)}

# name -> (width, height, tool bar cells or None)
BITMAPS = {
    "covu.bmp": (400, 273, None),
    "covu_200.bmp": (800, 546, None),
    "logo178.bmp": (144, 82, None),
    "logo178_200.bmp": (288, 164, None),
}
for pct in SCALES:
    suffix = "" if pct == 100 else "_%d" % pct
    BITMAPS["logo177%s.bmp" % suffix] = BAR_LOGO[pct] + (None,)
    for stem, (cells, _) in TOOLBARS.items():
        w, h = TB_CELL[pct]
        BITMAPS["%s%s.bmp" % (stem, suffix)] = (w * cells, h, cells)

ICON_SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
CURSOR_SIZES = [32, 48, 64, 96, 128]
# name -> (type, [(size, hot_x, hot_y)], has transparent pixels)
ICONS = {
    "icon128.ico": (1, [(n, 0, 0) for n in ICON_SIZES], False),
    "icon145.ico": (1, [(n, 0, 0) for n in ICON_SIZES], False),
    "icon146.ico": (1, [(n, 0, 0) for n in ICON_SIZES], False),
    "cur147.cur": (2, [(n, 0, 0) for n in CURSOR_SIZES], False),
    "cur148.cur": (2, [(n, 0, 0) for n in CURSOR_SIZES], False),
    # the move cursor's hot spot is the centre of its arrows
    "cur184.cur": (2, [(32, 16, 15), (48, 24, 23), (64, 32, 30), (96, 48, 45),
                       (128, 64, 60)], True),
}

# The 100 % pictures' resource ids, which the program loads and which must
# never move.
BASE_IDS = {"covu.bmp": "COVU", "tb165.bmp": 165, "tb172.bmp": 172,
            "tb174.bmp": 174, "logo177.bmp": 177, "logo178.bmp": 178,
            "icon128.ico": 128, "icon145.ico": 145, "icon146.ico": 146,
            "cur147.cur": 147, "cur148.cur": 148, "cur184.cur": 184}

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


class Bad(Exception):
    pass


def expect(cond, what):
    if not cond:
        raise Bad(what)


# --------------------------------------------------------------------------
# The resource script

def rc_pictures(rc_path):
    """{file name: resource id} of the BITMAP / ICON / CURSOR lines, ids
    resolved through resource.h (numbers) or kept as names."""
    with open(os.path.join(os.path.dirname(rc_path), "resource.h")) as f:
        defines = dict(re.findall(r"^#define\s+(\w+)\s+(\d+)\s*$", f.read(), re.M))
    pictures = {}
    with open(rc_path) as f:
        for line in f:
            m = re.match(r'\s*(\w+)\s+(BITMAP|ICON|CURSOR)\s+"([^"]+)"\s*$', line)
            if not m:
                continue
            name, _, path = m.groups()
            expect(path not in pictures, "%s is named twice" % path)
            pictures[path] = int(defines[name]) if name in defines else (
                int(name) if name.isdigit() else name)
    return pictures


def check_ids(pictures):
    """Every 100 % picture keeps its id; NAME_PERCENT.bmp has the id of
    NAME.bmp plus 1000 * (the percent's index), or NAME2X for a named one."""
    for path, rid in sorted(pictures.items(), key=lambda p: p[0]):
        m = re.match(r"(\w+?)_(\d+)\.bmp$", path)
        if not m:
            expect(BASE_IDS.get(path) == rid,
                   "%s has id %r, want %r" % (path, rid, BASE_IDS.get(path)))
            continue
        stem, pct = m.group(1), int(m.group(2))
        base = pictures.get(stem + ".bmp")
        expect(base is not None and pct in SCALES,
               "%s: no %s.bmp or no scale %d %%" % (path, stem, pct))
        want = base + "2X" if isinstance(base, str) else base + 1000 * SCALES.index(pct)
        expect(rid == want, "%s has id %r, want %r" % (path, rid, want))


# --------------------------------------------------------------------------
# Pixels

def looks_alike(a, b, what):
    """Coarse likeness of two renderings of one picture at different sizes:
    the average colour of each ninth (3 x 3 blocks).  Rounding to whole
    pixels moves a ninth's colour by up to 40 between two correct sizes; a
    shape drawn at the wrong size or place, a part left out or another
    picture moves it by far more."""
    def blocks(img):
        w, h, px = img
        out = []
        for by in range(3):
            for bx in range(3):
                cols = [px[y][x] for y in range(by * h // 3, (by + 1) * h // 3)
                        for x in range(bx * w // 3, (bx + 1) * w // 3)]
                out.append([sum(c[i] for c in cols) / len(cols) for i in range(3)])
        return out
    worst = max(abs(p - q) for u, v in zip(blocks(a), blocks(b))
                for p, q in zip(u, v))
    expect(worst <= 64, "%s does not look like its first size "
           "(a ninth's colour is %d off)" % (what, worst))


def same_colour_shares(a, b, what):
    """Each colour covers about as much of both pictures (within a factor of
    two; correct sizes stay within 1.6).  For the tool bar's few flat
    colours, where a small mark left at its 100 % size or left out shifts
    no ninth enough."""
    def shares(img):
        w, h, px = img
        count = {}
        for row in px:
            for p in row:
                count[p] = count.get(p, 0) + 1
        return {p: n / float(w * h) for p, n in count.items()}
    sa, sb = shares(a), shares(b)
    for colour in set(sa) | set(sb):
        x, y = sa.get(colour, 0.0), sb.get(colour, 0.0)
        expect(max(x, y) < 0.02 or min(x, y) * 2 >= max(x, y),
               "%s: %r covers %.1f %% of it, %.1f %% at 100 %%"
               % (what, colour, 100 * x, 100 * y))


def read_bmp(data, width, height):
    expect(len(data) >= 54 and data[:2] == b"BM", "not a BMP")
    size, _, _, offset = struct.unpack_from("<IHHI", data, 2)
    expect(size == len(data), "file size field %d, file is %d" % (size, len(data)))
    (hsize, w, h, planes, bpp, comp, img_size,
     _, _, _, _) = struct.unpack_from("<IiiHHIIiiII", data, 14)
    expect(hsize == 40, "header size %d" % hsize)
    expect((w, h) == (width, height),
           "size %dx%d, want %dx%d" % (w, h, width, height))
    expect(planes == 1 and bpp == 24 and comp == 0,
           "planes/bpp/compression %d/%d/%d" % (planes, bpp, comp))
    row = (w * 3 + 3) & ~3
    expect(offset == 54 and img_size == row * h and len(data) == 54 + row * h,
           "pixel block does not match bottom-up padded rows")
    px = []
    for y in range(h):                    # top row first
        o = offset + (h - 1 - y) * row
        px.append([(data[o + 3 * x + 2], data[o + 3 * x + 1], data[o + 3 * x])
                   for x in range(w)])
    return w, h, px


def check_toolbar(img, cells, colour, base):
    w, h, px = img
    cw = w // cells
    for y, row in enumerate(px):
        for x, p in enumerate(row):
            # anything else is a blend that the grey key would not remove
            expect(p in TB_COLOURS, "pixel (%d,%d) is %r, not a tool bar colour"
                   % (x, y, p))
    # help, the mark in the strip's colour, move; then blank cells
    inks = [{RED}, {LOGO_BLUE, colour}, {RED, WHITE}]
    for i in range(cells):
        cell = [p for row in px for p in row[cw * i: cw * (i + 1)]]
        if i < 3:
            expect(px[0][cw * i] == GREY, "cell %d corner is not the key grey" % i)
            expect(set(cell) == inks[i] | {GREY}, "cell %d shows %s, want %s"
                   % (i, sorted(set(cell)), sorted(inks[i] | {GREY})))
            if base is not None:
                bw = len(base[2][0]) // cells
                mine = (cw, h, [row[cw * i: cw * (i + 1)] for row in px])
                theirs = (bw, base[1], [row[bw * i: bw * (i + 1)] for row in base[2]])
                looks_alike(mine, theirs, "cell %d" % i)
                same_colour_shares(mine, theirs, "cell %d" % i)
        else:
            expect(all(p == WHITE for p in cell), "cell %d not all white" % i)


def read_png(data, size):
    expect(data[:8] == PNG_SIGNATURE, "not a PNG")
    pos, chunks = 8, []
    while pos < len(data):
        n, kind = struct.unpack_from(">I4s", data, pos)
        body = data[pos + 8: pos + 8 + n]
        (crc,) = struct.unpack_from(">I", data, pos + 8 + n)
        expect(zlib.crc32(kind + body) & 0xFFFFFFFF == crc, "bad CRC in %r" % kind)
        chunks.append((kind, body))
        pos += 12 + n
    kinds = [k for k, _ in chunks]
    expect(kinds[0] == b"IHDR" and kinds[-1] == b"IEND", "chunk order %r" % kinds)
    w, h, depth, ctype, comp, filt, lace = struct.unpack(">IIBBBBB", chunks[0][1])
    expect((w, h) == (size, size), "PNG is %dx%d" % (w, h))
    expect((depth, ctype, comp, filt, lace) == (8, 6, 0, 0, 0),
           "PNG is not plain 8-bit RGBA")
    raw = zlib.decompress(b"".join(b for k, b in chunks if k == b"IDAT"))
    stride = 1 + 4 * w
    expect(len(raw) == stride * h, "PNG holds %d bytes, want %d" % (len(raw), stride * h))
    expect(all(raw[y * stride] == 0 for y in range(h)),
           "PNG rows are filtered (make_art writes them plain)")
    return [[tuple(raw[y * stride + 1 + 4 * x: y * stride + 5 + 4 * x])
             for x in range(w)] for y in range(h)]


def read_dib(data, offset, nbytes, size):
    (hsize, bw, bh, planes, bpp, comp, img_size,
     _, _, _, _) = struct.unpack_from("<IiiHHIIiiII", data, offset)
    expect(hsize == 40, "header size %d" % hsize)
    expect((bw, bh) == (size, 2 * size), "header size %dx%d" % (bw, bh))
    expect(planes == 1 and bpp == 32 and comp == 0,
           "not plain 32 bpp (planes/bpp/compression %d/%d/%d)" % (planes, bpp, comp))
    and_row = ((size + 31) // 32) * 4
    expect(img_size == (4 * size + and_row) * size, "image size %d" % img_size)
    expect(nbytes == 40 + img_size, "byte count %d" % nbytes)
    xor = offset + 40
    mask = xor + 4 * size * size
    px = []
    for y in range(size):                 # top row first; stored bottom-up
        r = size - 1 - y
        row = []
        for x in range(size):
            b, g, red, a = data[xor + 4 * (r * size + x): xor + 4 * (r * size + x) + 4]
            bit = (data[mask + r * and_row + (x >> 3)] >> (7 - (x & 7))) & 1
            expect(bit == (a == 0), "AND mask and alpha disagree at (%d,%d)" % (x, y))
            row.append((red, g, b, a))
        px.append(row)
    return px


def check_icon(data, kind, images, transparent):
    expect(len(data) >= 6, "truncated")
    reserved, typ, count = struct.unpack_from("<HHH", data, 0)
    expect(reserved == 0 and typ == kind, "type %d, want %d" % (typ, kind))
    expect(count == len(images), "%d images, want %d" % (count, len(images)))
    end = 6 + 16 * count
    first = None
    for i, (size, hx, hy) in enumerate(images):
        (w, h, colors, res, f1, f2,
         nbytes, offset) = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        tag = "image %d (%d px)" % (i, size)
        expect((w or 256, h or 256) == (size, size), "%s is %dx%d" % (tag, w, h))
        expect(colors == 0 and res == 0, "%s colour count/reserved" % tag)
        if kind == 1:
            expect((f1, f2) == (1, 32), "%s planes/bitcount %d/%d" % (tag, f1, f2))
        else:
            expect((f1, f2) == (hx, hy),
                   "%s hot spot (%d,%d), want (%d,%d)" % (tag, f1, f2, hx, hy))
        expect(offset == end and offset + nbytes <= len(data),
               "%s not packed after the previous one" % tag)
        end = offset + nbytes
        try:
            if data[offset: offset + 8] == PNG_SIGNATURE:
                expect(size >= 256, "PNG below 256 pixels, which old Windows cannot read")
                px = read_png(data[offset: end], size)
            else:
                px = read_dib(data, offset, nbytes, size)
        except Bad as e:
            raise Bad("%s: %s" % (tag, e))

        alphas = [p[3] for row in px for p in row]
        expect(set(alphas) <= {0, 255}, "%s has partly transparent pixels" % tag)
        expect(all(p[:3] == BLACK for row in px for p in row if p[3] == 0),
               "%s transparent pixels are not black" % tag)
        clear = alphas.count(0)
        if transparent:
            expect(0 < clear < size * size, "%s has no transparent area" % tag)
            expect(px[hy][hx] == BLACK + (255,),
                   "%s hot spot (%d,%d) is not on the arrows' black" % (tag, hx, hy))
        else:
            expect(clear == 0, "%s should be fully opaque" % tag)
        # on a green ground, so that transparent areas count too
        rgb = (size, size, [[p[:3] if p[3] else (0, 255, 0) for p in row] for row in px])
        if first is None:
            first = rgb
        else:
            looks_alike(rgb, first, tag)
    expect(end == len(data), "trailing bytes after the last image")


# --------------------------------------------------------------------------

def main(argv):
    if len(argv) < 3:
        sys.stderr.write("usage: check_art.py OUTDIR RCFILE NAME...\n")
        return 2
    outdir, rc_path, outputs = argv[1], argv[2], set(argv[3:])
    try:
        pictures = rc_pictures(rc_path)
        named = set(pictures)
        expect(named == outputs, "%s and the build's list differ: %s only in the "
               "script, %s only in the build" % (os.path.basename(rc_path),
                                                 sorted(named - outputs),
                                                 sorted(outputs - named)))
        expect(named == set(BITMAPS) | set(ICONS),
               "the pictures named are not the ones checked here: %s"
               % sorted(named ^ (set(BITMAPS) | set(ICONS))))
        check_ids(pictures)
    except (OSError, KeyError, Bad) as e:
        sys.stderr.write("%s: %s\n" % (rc_path, e))
        return 1

    full_size = {}
    for name in sorted(BITMAPS, key=lambda n: (len(n), n)) + sorted(ICONS):
        path = os.path.join(outdir, name)
        try:
            with open(path, "rb") as f:
                data = f.read()
            if name in BITMAPS:
                w, h, cells = BITMAPS[name]
                img = read_bmp(data, w, h)
                stem = name.split("_")[0].split(".")[0]
                base = full_size.setdefault(stem, img)
                if stem in TOOLBARS:
                    check_toolbar(img, cells, TOOLBARS[stem][1],
                                  None if base is img else base)
                elif base is not img:
                    looks_alike(img, base, "the picture")
            else:
                check_icon(data, *ICONS[name])
        except (OSError, struct.error, zlib.error, Bad) as e:
            sys.stderr.write("%s: %s\n" % (name, e))
            return 1
    print("all %d art files look right" % (len(BITMAPS) + len(ICONS)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
