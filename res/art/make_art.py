#!/usr/bin/env python3
"""Draw Lumivane's bitmaps, icons and cursors.

Every picture the resource script pulls in is painted here from a few
rectangles, discs, lines and a tiny bitmap font, then written out as
.bmp / .ico / .cur with nothing but the standard library.  The output is
byte-identical on every run, so the generated files never need to be
kept in version control.

    python3 make_art.py OUTDIR
"""

import os
import struct
import sys

# --------------------------------------------------------------------------
# Colours

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
YELLOW = (255, 230, 0)
RED = (235, 30, 30)
TB_GREY = (192, 192, 192)      # tool bar background, keyed out as transparent
LOGO_BLUE = (20, 80, 190)
LOGO_BLUE_EDGE = (10, 40, 110)


# --------------------------------------------------------------------------
# A tiny raster: rows of (r, g, b) tuples, None meaning "transparent".

class Canvas:
    def __init__(self, width, height, fill=BLACK):
        self.width = width
        self.height = height
        self.px = [[fill] * width for _ in range(height)]

    def put(self, x, y, color):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = color

    def get(self, x, y):
        return self.px[y][x]

    def rect(self, x0, y0, x1, y1, color):
        """Filled rectangle, corners inclusive."""
        for y in range(max(y0, 0), min(y1, self.height - 1) + 1):
            row = self.px[y]
            for x in range(max(x0, 0), min(x1, self.width - 1) + 1):
                row[x] = color

    def frame(self, x0, y0, x1, y1, color, thickness=1):
        """Rectangle outline, corners inclusive, drawn inwards."""
        t = thickness - 1
        self.rect(x0, y0, x1, y0 + t, color)
        self.rect(x0, y1 - t, x1, y1, color)
        self.rect(x0, y0, x0 + t, y1, color)
        self.rect(x1 - t, y0, x1, y1, color)

    def fill_where(self, test, color):
        """Paint every pixel whose centre satisfies test(cx, cy)."""
        for y in range(self.height):
            row = self.px[y]
            for x in range(self.width):
                if test(x + 0.5, y + 0.5):
                    row[x] = color

    def disc(self, cx, cy, r, color):
        r2 = r * r
        self.fill_where(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r2, color)

    def line(self, x0, y0, x1, y1, width, color):
        """Thick segment between two points given in pixel-centre units."""
        half2 = (width / 2.0) ** 2
        self.fill_where(lambda x, y: _seg_dist2(x, y, x0, y0, x1, y1) <= half2,
                        color)

    def polygon(self, points, color):
        self.fill_where(lambda x, y: _inside(x, y, points), color)

    def round_rect(self, x0, y0, x1, y1, r, color):
        """Filled rectangle with corners rounded by radius r (edges, not centres)."""
        def test(x, y):
            if not (x0 <= x <= x1 and y0 <= y <= y1):
                return False
            dx = max(x0 + r - x, 0, x - (x1 - r))
            dy = max(y0 + r - y, 0, y - (y1 - r))
            return dx * dx + dy * dy <= r * r
        self.fill_where(test, color)

    def blit(self, src, dx, dy):
        for y in range(src.height):
            for x in range(src.width):
                c = src.px[y][x]
                if c is not None:
                    self.put(dx + x, dy + y, c)

    def downsample(self, factor):
        """Box-filter average, for anti-aliased small pictures."""
        out = Canvas(self.width // factor, self.height // factor)
        n = factor * factor
        for y in range(out.height):
            for x in range(out.width):
                r = g = b = 0
                for sy in range(y * factor, (y + 1) * factor):
                    for sx in range(x * factor, (x + 1) * factor):
                        c = self.px[sy][sx]
                        r += c[0]
                        g += c[1]
                        b += c[2]
                out.px[y][x] = ((r + n // 2) // n, (g + n // 2) // n,
                                (b + n // 2) // n)
        return out


def _seg_dist2(px, py, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else ((px - x0) * dx + (py - y0) * dy) / length2
    t = min(1.0, max(0.0, t))
    ex, ey = x0 + t * dx - px, y0 + t * dy - py
    return ex * ex + ey * ey


def _inside(px, py, pts):
    """Even-odd point-in-polygon test."""
    inside = False
    j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > py) != (yj > py):
            if px < xi + (py - yi) * (xj - xi) / (yj - yi):
                inside = not inside
        j = i
    return inside


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t + 0.5) for i in range(3))


# --------------------------------------------------------------------------
# Bitmap font, 5 columns wide.  Rows 0-6 sit on the baseline, rows 7-8 are
# only used by descenders.

FONT = {
    'L': ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    'M': ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    'Q': [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    'V': ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    'a': [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    'c': [".....", ".....", ".###.", "#....", "#....", "#...#", ".###."],
    'e': [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    'g': [".....", ".....", ".####", "#...#", "#...#", ".####", "....#",
          "#...#", ".###."],
    'h': ["#....", "#....", "#.##.", "##..#", "#...#", "#...#", "#...#"],
    'i': ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."],
    'm': [".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"],
    'n': [".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"],
    'o': [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."],
    'r': [".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."],
    't': [".#...", ".#...", "####.", ".#...", ".#...", ".#..#", "..##."],
    'u': [".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"],
    'v': [".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
}
SPACE_COLS = 3


def _glyph_cols(ch):
    """Column range actually inked, so narrow letters like 'i' stay narrow."""
    rows = FONT[ch]
    used = [c for c in range(5) if any(r[c] == '#' for r in rows)]
    return used[0], used[-1]


def text_width(s, scale):
    cols = 0
    for i, ch in enumerate(s):
        if ch == ' ':
            cols += SPACE_COLS
        else:
            a, b = _glyph_cols(ch)
            cols += b - a + 1
        if i < len(s) - 1:
            cols += 1
    return cols * scale


def draw_text(c, x, y, s, scale, color):
    for ch in s:
        if ch == ' ':
            x += (SPACE_COLS + 1) * scale
            continue
        a, b = _glyph_cols(ch)
        for ry, row in enumerate(FONT[ch]):
            for cx in range(a, b + 1):
                if row[cx] == '#':
                    px = x + (cx - a) * scale
                    py = y + ry * scale
                    c.rect(px, py, px + scale - 1, py + scale - 1, color)
        x += (b - a + 2) * scale


# --------------------------------------------------------------------------
# The product mark: a monitor whose screen holds one brightened rectangle.
# Laid out on a 16x16 grid and scaled by whole pixels, so 16 and 32 pixel
# versions stay crisp.

def product_logo(size, color):
    k = size // 16
    c = Canvas(size, size, LOGO_BLUE)
    c.frame(0, 0, size - 1, size - 1, LOGO_BLUE_EDGE)

    def box(x0, y0, x1, y1):           # grid cells, inclusive
        c.rect(x0 * k, y0 * k, (x1 + 1) * k - 1, (y1 + 1) * k - 1, color)

    # screen bezel
    box(2, 2, 13, 2)
    box(2, 10, 13, 10)
    box(2, 2, 2, 10)
    box(13, 2, 13, 10)
    # the enhanced region
    box(5, 5, 10, 7)
    # stand
    box(7, 11, 8, 12)
    box(4, 13, 11, 13)
    return c


# --------------------------------------------------------------------------
# Pictures

def draw_splash():
    w, h = 400, 273
    c = Canvas(w, h)
    top, bottom = (30, 56, 128), (5, 12, 40)
    for y in range(h):
        c.rect(0, y, w - 1, y, mix(top, bottom, y / (h - 1)))

    # title, with a soft drop shadow
    scale = 6
    title = "Lumivane"
    tx = (w - text_width(title, scale)) // 2
    draw_text(c, tx + 3, 27, title, scale, (3, 8, 28))
    draw_text(c, tx, 24, title, scale, WHITE)

    # monitor: bezel, dim screen content, one brightened region
    sx0, sy0, sx1, sy1 = 120, 94, 279, 199
    c.round_rect(sx0, sy0, sx1 + 1, sy1 + 1, 6, (150, 168, 198))
    c.rect(sx0 + 7, sy0 + 7, sx1 - 7, sy1 - 7, (12, 22, 52))
    ex0, ey0, ex1, ey1 = 168, 118, 248, 168
    for i, y in enumerate(range(sy0 + 14, sy1 - 10, 9)):
        x_end = sx1 - 14 - (i * 37) % 50
        for x in range(sx0 + 14, x_end + 1):
            for yy in (y, y + 3):
                inside = ex0 <= x <= ex1 and ey0 <= yy <= ey1
                c.put(x, yy, (150, 200, 255) if inside else (40, 62, 110))
    # the region itself: brighter fill under the content, then its border
    for y in range(ey0, ey1 + 1):
        for x in range(ex0, ex1 + 1):
            if c.get(x, y) == (12, 22, 52):
                c.put(x, y, (50, 96, 178))
    c.frame(ex0, ey0, ex1, ey1, (255, 236, 140), 2)
    # stand
    c.rect(188, sy1 + 1, 211, sy1 + 14, (120, 138, 170))
    c.round_rect(152, sy1 + 14, 248, sy1 + 21, 3, (150, 168, 198))

    sub = "region enhancement"
    draw_text(c, (w - text_width(sub, 2)) // 2, 237, sub, 2, (170, 196, 236))

    c.frame(4, 4, w - 5, h - 5, (196, 212, 240))
    return c


def draw_brand_logo(width, height):
    """Monitor badge with a bold L, laid out on a 64x48 unit grid."""
    ss = 8                                    # supersampling factor
    u = width * ss / 64.0                     # pixels per unit at high res
    c = Canvas(width * ss, height * ss, (222, 222, 218))

    def R(x0, y0, x1, y1, r, color):
        c.round_rect(x0 * u, y0 * u, x1 * u, y1 * u, r * u, color)

    R(6, 3, 58, 37, 4, (44, 52, 70))          # bezel
    R(10, 7, 54, 33, 1, (34, 104, 206))       # screen
    R(16, 11, 24, 29, 0, WHITE)               # L stem
    R(16, 23, 40, 29, 0, WHITE)               # L foot
    R(42, 11, 48, 17, 1, (255, 204, 40))      # highlight spark
    R(28, 37, 36, 41, 0, (44, 52, 70))        # neck
    R(19, 41, 45, 45, 2, (44, 52, 70))        # base
    return c.downsample(ss)


def draw_about_logo():
    """The About box's 144 x 82 picture: the monitor badge and the brand."""
    c = Canvas(144, 82, (222, 222, 218))
    c.blit(draw_brand_logo(80, 60), 4, 11)
    name = "QVM"
    draw_text(c, 88 + (52 - text_width(name, 3)) // 2, 31, name, 3, (44, 52, 70))
    return c


def tb_question(cell):
    glyph = ["..####..",
             ".##..##.",
             "##....##",
             "......##",
             ".....##.",
             "....##..",
             "...##...",
             "...##...",
             "........",
             "...##...",
             "...##..."]
    ox, oy = 4, 2
    for y, row in enumerate(glyph):
        for x, ch in enumerate(row):
            if ch == '#':
                cell.put(ox + x, oy + y, RED)


def tb_logo(cell, color):
    # The 16x16 mark without its outer row/column of edge: a 15x15 square.
    mark = product_logo(16, color)
    cell.rect(1, 0, 15, 14, LOGO_BLUE)
    for y in range(1, 16):
        for x in range(1, 16):
            if mark.get(x, y) != LOGO_BLUE_EDGE:
                cell.put(x, y - 1, mark.get(x, y))


def tb_move(cell):
    cell.rect(1, 0, 15, 14, RED)
    cx, cy = 8, 7
    for sx in (-1, 1):
        for sy in (-1, 1):
            for k in range(2, 6):
                cell.put(cx + sx * k, cy + sy * k, WHITE)
            tx, ty = cx + sx * 5, cy + sy * 5
            for j in (1, 2):
                cell.put(tx - sx * j, ty, WHITE)
                cell.put(tx, ty - sy * j, WHITE)


def tb_white(cell):
    cell.rect(0, 0, 16, 14, WHITE)


def draw_toolbar(logo_color, count):
    cells = [tb_question, lambda c: tb_logo(c, logo_color), tb_move]
    cells += [tb_white] * (count - len(cells))
    strip = Canvas(17 * count, 15, TB_GREY)
    for i, paint in enumerate(cells):
        cell = Canvas(17, 15, TB_GREY)
        paint(cell)
        strip.blit(cell, 17 * i, 0)
    return strip


def draw_cross_cursor():
    c = Canvas(32, 32, (26, 26, 34))
    c.frame(0, 0, 31, 31, WHITE)
    c.line(6.5, 6.5, 25.5, 25.5, 4, RED)
    c.line(25.5, 6.5, 6.5, 25.5, 4, RED)
    return c


def draw_arrow_cursor():
    c = Canvas(32, 32, BLACK)
    c.frame(0, 0, 31, 31, WHITE)
    c.polygon([(0, 0), (15, 0), (0, 15)], WHITE)   # head, tip in the corner
    c.line(6, 6, 25, 25, 5, WHITE)                 # shaft
    return c


def draw_move_cursor(size, cx, cy):
    """Four-way arrow centred on the hot spot, transparent around it."""
    if size >= 32:
        arm, head, half_shaft = 13, 5, 1
    else:
        arm, head, half_shaft = 6, 3, 0
    ink = set()
    for ax, ay in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        for d in range(arm + 1):
            if d > arm - head:
                half = arm - d            # arrow head widens towards the body
            else:
                half = half_shaft
            for s in range(-half, half + 1):
                ink.add((cx + ax * d + ay * s, cy + ay * d + ax * s))
    c = Canvas(size, size, None)
    for x, y in ink:
        for dy in (-1, 0, 1):
            for dx in (-1, 0, 1):
                c.put(x + dx, y + dy, WHITE)
    for x, y in ink:
        c.put(x, y, BLACK)
    return c


# --------------------------------------------------------------------------
# File writers

def bmp_bytes(c):
    row_len = (c.width * 3 + 3) & ~3
    rows = []
    for y in range(c.height - 1, -1, -1):          # bottom-up
        row = bytearray()
        for r, g, b in c.px[y]:
            row += bytes((b, g, r))
        row += b"\0" * (row_len - len(row))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, c.width, c.height, 1, 24, 0,
                       len(pixels), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0,
                       14 + len(info))
    return head + info + pixels


def _dib_8bpp(c):
    """One icon/cursor image: header, 256-colour palette, XOR and AND maps."""
    palette = [BLACK]          # index 0 is what transparent pixels carry
    index = {BLACK: 0}
    for row in c.px:
        for col in row:
            if col is not None and col not in index:
                index[col] = len(palette)
                palette.append(col)
    if len(palette) > 256:
        raise ValueError("too many colours for an 8-bit image")
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    pal += b"\0" * (1024 - len(pal))

    xor_row = (c.width + 3) & ~3
    and_row = ((c.width + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for y in range(c.height - 1, -1, -1):
        bits = bytearray(and_row)
        line = bytearray(xor_row)
        for x, col in enumerate(c.px[y]):
            if col is None:
                bits[x >> 3] |= 0x80 >> (x & 7)
            else:
                line[x] = index[col]
        xor += line
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, c.width, c.height * 2, 1, 8, 0,
                       len(xor) + len(mask), 0, 0, 256, 0)
    return info + pal + bytes(xor) + bytes(mask)


def icon_bytes(images, kind=1):
    """images: list of (canvas, hot_x, hot_y); kind 1 = .ico, 2 = .cur."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for c, hx, hy in images:
        blob = _dib_8bpp(c)
        if kind == 1:
            f1, f2 = 1, 8               # planes, bit count
        else:
            f1, f2 = hx, hy             # hot spot
        out += struct.pack("<BBBBHHII", c.width & 0xFF, c.height & 0xFF, 0, 0,
                           f1, f2, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return out + b"".join(blobs)


# --------------------------------------------------------------------------

def build():
    files = {
        "covu.bmp": bmp_bytes(draw_splash()),
        "logo177.bmp": bmp_bytes(draw_brand_logo(24, 18)),
        "logo178.bmp": bmp_bytes(draw_about_logo()),
        "tb165.bmp": bmp_bytes(draw_toolbar(WHITE, 6)),
        "tb172.bmp": bmp_bytes(draw_toolbar(YELLOW, 4)),
        "tb174.bmp": bmp_bytes(draw_toolbar(RED, 4)),
    }
    for name, color in (("icon128.ico", WHITE), ("icon145.ico", YELLOW),
                        ("icon146.ico", RED)):
        files[name] = icon_bytes([(product_logo(32, color), 0, 0),
                                  (product_logo(16, color), 0, 0)])
    files["cur147.cur"] = icon_bytes([(draw_cross_cursor(), 0, 0)], 2)
    files["cur148.cur"] = icon_bytes([(draw_arrow_cursor(), 0, 0)], 2)
    files["cur184.cur"] = icon_bytes([(draw_move_cursor(32, 16, 15), 16, 15),
                                      (draw_move_cursor(16, 8, 8), 8, 8)], 2)
    return files


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_art.py OUTDIR\n")
        return 2
    outdir = argv[1]
    os.makedirs(outdir, exist_ok=True)
    for name, data in build().items():
        with open(os.path.join(outdir, name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
