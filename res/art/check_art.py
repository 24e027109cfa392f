#!/usr/bin/env python3
"""Read back the art written by make_art.py and check it byte by byte.

Parses every .bmp / .ico / .cur header, image directory and pixel block,
and stops with a non-zero exit code at the first thing that is off.

    python3 check_art.py OUTDIR
"""

import os
import struct
import sys

GREY = (192, 192, 192)
WHITE = (255, 255, 255)

# name -> (width, height) for bitmaps; tool bars also give their cell count
BITMAPS = {
    "covu.bmp": (400, 273, None),
    "logo177.bmp": (24, 18, None),
    "logo178.bmp": (144, 82, None),
    "tb165.bmp": (17 * 6, 15, 6),
    "tb172.bmp": (17 * 4, 15, 4),
    "tb174.bmp": (17 * 4, 15, 4),
}

# name -> (type, [(size, hot_x, hot_y)], has transparent pixels)
ICONS = {
    "icon128.ico": (1, [(32, 0, 0), (16, 0, 0)], False),
    "icon145.ico": (1, [(32, 0, 0), (16, 0, 0)], False),
    "icon146.ico": (1, [(32, 0, 0), (16, 0, 0)], False),
    "cur147.cur": (2, [(32, 0, 0)], False),
    "cur148.cur": (2, [(32, 0, 0)], False),
    "cur184.cur": (2, [(32, 16, 15), (16, 8, 8)], True),
}


class Bad(Exception):
    pass


def expect(cond, what):
    if not cond:
        raise Bad(what)


def check_bmp(data, width, height, cells):
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

    def pixel(x, y):                      # y counted from the top
        o = offset + (h - 1 - y) * row + 3 * x
        return data[o + 2], data[o + 1], data[o]

    if cells:
        for i in range(cells):
            cell = [pixel(17 * i + x, y) for y in range(15) for x in range(17)]
            if i < 3:
                expect(cell[0] == GREY, "cell %d corner is not the key grey" % i)
                expect(sum(p != GREY for p in cell) > 20,
                       "cell %d is nearly empty" % i)
            else:
                expect(all(p == WHITE for p in cell), "cell %d not all white" % i)


def check_icon(data, kind, images, transparent):
    expect(len(data) >= 6, "truncated")
    reserved, typ, count = struct.unpack_from("<HHH", data, 0)
    expect(reserved == 0 and typ == kind, "type %d, want %d" % (typ, kind))
    expect(count == len(images), "%d images, want %d" % (count, len(images)))
    end = 6 + 16 * count
    for i, (size, hx, hy) in enumerate(images):
        (w, h, colors, res, f1, f2,
         nbytes, offset) = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        tag = "image %d" % i
        expect((w, h) == (size, size), "%s is %dx%d" % (tag, w, h))
        expect(colors == 0 and res == 0, "%s colour count/reserved" % tag)
        if kind == 1:
            expect((f1, f2) == (1, 8), "%s planes/bitcount %d/%d" % (tag, f1, f2))
        else:
            expect((f1, f2) == (hx, hy),
                   "%s hot spot (%d,%d), want (%d,%d)" % (tag, f1, f2, hx, hy))
        expect(offset == end and offset + nbytes <= len(data),
               "%s not packed after the previous one" % tag)
        end = offset + nbytes

        (hsize, bw, bh, planes, bpp, comp, img_size,
         _, _, used, _) = struct.unpack_from("<IiiHHIIiiII", data, offset)
        expect(hsize == 40, "%s header size %d" % (tag, hsize))
        expect((bw, bh) == (size, 2 * size), "%s header size %dx%d" % (tag, bw, bh))
        expect(planes == 1 and bpp == 8 and comp == 0 and used in (0, 256),
               "%s is not plain 8 bpp with 256 colours" % tag)
        xor_row = (size + 3) & ~3
        and_row = ((size + 31) // 32) * 4
        expect(img_size == (xor_row + and_row) * size, "%s image size" % tag)
        expect(nbytes == 40 + 1024 + img_size, "%s byte count %d" % (tag, nbytes))

        pal = offset + 40
        xor = pal + 1024
        mask = xor + xor_row * size
        clear = 0
        for y in range(size):             # bottom-up rows
            for x in range(size):
                bit = (data[mask + y * and_row + (x >> 3)] >> (7 - (x & 7))) & 1
                idx = data[xor + y * xor_row + x]
                if bit:
                    clear += 1
                    expect(data[pal + 4 * idx: pal + 4 * idx + 3] == b"\0\0\0",
                           "%s transparent pixel is not black in the XOR map" % tag)
        if transparent:
            expect(0 < clear < size * size, "%s mask has no transparent area" % tag)
            y = size - 1 - hy
            hot = (data[mask + y * and_row + (hx >> 3)] >> (7 - (hx & 7))) & 1
            expect(hot == 0, "%s hot spot falls on a transparent pixel" % tag)
        else:
            expect(clear == 0, "%s should be fully opaque" % tag)
    expect(end == len(data), "trailing bytes after the last image")


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: check_art.py OUTDIR\n")
        return 2
    for name in sorted(BITMAPS) + sorted(ICONS):
        path = os.path.join(argv[1], name)
        try:
            with open(path, "rb") as f:
                data = f.read()
            if name in BITMAPS:
                check_bmp(data, *BITMAPS[name])
            else:
                check_icon(data, *ICONS[name])
        except (OSError, struct.error, Bad) as e:
            sys.stderr.write("%s: %s\n" % (name, e))
            return 1
    print("all %d art files look right" % (len(BITMAPS) + len(ICONS)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
