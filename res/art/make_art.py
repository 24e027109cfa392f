#!/usr/bin/env python3
"""Draw Lumivane's bitmaps, icons and cursors.

Every picture the resource script pulls in is painted here from a few
rectangles, discs, lines and a tiny bitmap font, then written out as
.bmp / .ico / .cur with nothing but the standard library.  The output is
byte-identical on every run, so the generated files never need to be
kept in version control.

Each picture is drawn at every size Windows may ask for (the table of
sizes below), laid out in units that are rounded to whole pixels at that
size, so the larger ones are as sharp as the 96 DPI ones rather than
stretched copies of them.

    python3 make_art.py OUTDIR
"""

import math
import os
import struct
import sys
import zlib

# --------------------------------------------------------------------------
# Sizes

# The tool bars and the bar logo at these display scales, in percent.  The
# k-th one's bitmaps are named NAME_PERCENT.bmp and carry the 100 % resource
# id plus 1000 * k (lumivane.rc, resource.h).
BAR_SCALES = (100, 125, 150, 175, 200, 250, 300)
# The splash and the About logo at 1x and 2x.
PICTURE_SCALES = (100, 200)
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)      # every .ico holds these
CURSOR_SIZES = (32, 48, 64, 96, 128)                # every .cur holds these
PNG_MIN_SIZE = 256          # icon images this large are stored as PNG

TB_CELL = (17, 15)          # one tool bar image at 100 %
BAR_LOGO = (24, 18)
SPLASH = (400, 273)
ABOUT_LOGO = (144, 82)


def snap(v):
    """Round half up to a whole pixel (25.5 -> 26), the same on every run."""
    return int(math.floor(v + 0.5))


def scaled(n, percent):
    return (n * percent + 50) // 100


def file_name(stem, percent, ext):
    """tb165.bmp at 100 %, tb165_125.bmp at 125 %."""
    return "%s.%s" % (stem, ext) if percent == 100 else "%s_%d.%s" % (stem, percent, ext)


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

    def fill_where(self, test, color, bounds=None):
        """Paint every pixel whose centre satisfies test(cx, cy).

        bounds (x0, y0, x1, y1), when given, is a box outside which test is
        known to fail; only the pixels it touches are tried."""
        xs, ys, xe, ye = 0, 0, self.width, self.height
        if bounds is not None:
            xs = max(xs, int(math.floor(bounds[0])))
            ys = max(ys, int(math.floor(bounds[1])))
            xe = min(xe, int(math.ceil(bounds[2])) + 1)
            ye = min(ye, int(math.ceil(bounds[3])) + 1)
        for y in range(ys, ye):
            row = self.px[y]
            for x in range(xs, xe):
                if test(x + 0.5, y + 0.5):
                    row[x] = color

    def disc(self, cx, cy, r, color):
        r2 = r * r
        self.fill_where(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r2, color,
                        (cx - r, cy - r, cx + r, cy + r))

    def line(self, x0, y0, x1, y1, width, color):
        """Thick segment between two points given in pixel-edge units
        (pixel x covers x .. x + 1)."""
        self.polyline([(x0, y0), (x1, y1)], width, color)

    def polyline(self, points, width, color):
        """Round-capped thick path through points."""
        half = width / 2.0
        half2 = half * half
        segs = list(zip(points, points[1:]))

        def test(x, y):
            return any(_seg_dist2(x, y, a[0], a[1], b[0], b[1]) <= half2
                       for a, b in segs)
        self.fill_where(test, color, _bounds(points, half))

    def polygon(self, points, color):
        self.fill_where(lambda x, y: _inside(x, y, points), color,
                        _bounds(points, 0))

    def round_rect(self, x0, y0, x1, y1, r, color):
        """Filled rectangle with corners rounded by radius r (edges, not centres)."""
        def test(x, y):
            if not (x0 <= x <= x1 and y0 <= y <= y1):
                return False
            dx = max(x0 + r - x, 0, x - (x1 - r))
            dy = max(y0 + r - y, 0, y - (y1 - r))
            return dx * dx + dy * dy <= r * r
        self.fill_where(test, color, (x0, y0, x1, y1))

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


def _bounds(points, margin):
    return (min(p[0] for p in points) - margin, min(p[1] for p in points) - margin,
            max(p[0] for p in points) + margin, max(p[1] for p in points) + margin)


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
# The product mark: a monitor whose screen holds one brightened rectangle,
# laid out on a 16 x 16 unit grid.  At 16, 32, 64 and 256 pixels a unit is
# whole pixels; between them every edge is rounded to a pixel, strokes keep
# one width all round and the parts stay centred under the screen, so the
# mark is as sharp and as symmetric at 20, 24 or 40 pixels.

def draw_mark(c, ox, oy, u, color):
    """The mark's strokes, grid origin at pixel (ox, oy), u pixels a unit."""
    def px(v, origin):
        return snap(origin + v * u)

    t = max(1, snap(u))                           # one unit of stroke
    left, right = px(2, ox), px(14, ox)           # screen bezel, outer edges
    top, bottom = px(2, oy), px(11, oy)
    c.frame(left, top, right - 1, bottom - 1, color, t)

    def centred(units, y0, y1):
        """A bar of that many units, centred under the bezel, rows y0..y1-1."""
        n = snap(units * u)
        if (right - left - n) % 2:                # keep it exactly centred
            n += 1 if units * u > n else -1
        x0 = left + (right - left - n) // 2
        c.rect(x0, y0, x0 + n - 1, y1 - 1, color)

    centred(6, px(5, oy), px(8, oy))              # the enhanced region
    centred(2, bottom, px(13, oy))                # stand: neck
    centred(8, px(13, oy), px(13, oy) + t)        # stand: foot


def product_logo(size, color):
    """The program's icon: the mark on a blue square with a dark edge."""
    c = Canvas(size, size, LOGO_BLUE)
    c.frame(0, 0, size - 1, size - 1, LOGO_BLUE_EDGE, max(1, snap(size / 32.0)))
    draw_mark(c, 0, 0, size / 16.0, color)
    return c


# --------------------------------------------------------------------------
# Pictures

def draw_splash(percent):
    """The start-up picture; percent 100 or 200, every coordinate doubled."""
    s = percent // 100
    w, h = SPLASH[0] * s, SPLASH[1] * s
    c = Canvas(w, h)
    top, bottom = (30, 56, 128), (5, 12, 40)
    for y in range(h):
        c.rect(0, y, w - 1, y, mix(top, bottom, y / (h - 1)))

    def box(x0, y0, x1, y1):
        """A box of the 400 x 273 layout, corners inclusive, in pixels."""
        return x0 * s, y0 * s, (x1 + 1) * s - 1, (y1 + 1) * s - 1

    # title, with a soft drop shadow
    scale = 6 * s
    title = "Lumivane"
    tx = (w - text_width(title, scale)) // 2
    draw_text(c, tx + 3 * s, 27 * s, title, scale, (3, 8, 28))
    draw_text(c, tx, 24 * s, title, scale, WHITE)

    # monitor: bezel, dim screen content, one brightened region
    sx0, sy0, sx1, sy1 = 120, 94, 279, 199
    screen = (12, 22, 52)
    c.round_rect(sx0 * s, sy0 * s, (sx1 + 1) * s, (sy1 + 1) * s, 6 * s,
                 (150, 168, 198))
    c.rect(*box(sx0 + 7, sy0 + 7, sx1 - 7, sy1 - 7), screen)
    ex0, ey0, ex1, ey1 = 168, 118, 248, 168
    for i, y in enumerate(range(sy0 + 14, sy1 - 10, 9)):     # lines of "text"
        x_end = sx1 - 14 - (i * 37) % 50
        for yy in (y, y + 3):
            for x in range(sx0 + 14, x_end + 1):
                inside = ex0 <= x <= ex1 and ey0 <= yy <= ey1
                c.rect(*box(x, yy, x, yy),
                       (150, 200, 255) if inside else (40, 62, 110))
    # the region itself: brighter fill under the content, then its border
    x0, y0, x1, y1 = box(ex0, ey0, ex1, ey1)
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            if c.get(x, y) == screen:
                c.put(x, y, (50, 96, 178))
    c.frame(x0, y0, x1, y1, (255, 236, 140), 2 * s)
    # stand
    c.rect(*box(188, sy1 + 1, 211, sy1 + 14), (120, 138, 170))
    c.round_rect(152 * s, (sy1 + 14) * s, 248 * s, (sy1 + 21) * s, 3 * s,
                 (150, 168, 198))

    sub = "region enhancement"
    draw_text(c, (w - text_width(sub, 2 * s)) // 2, 237 * s, sub, 2 * s,
              (170, 196, 236))

    c.frame(4 * s, 4 * s, w - 1 - 4 * s, h - 1 - 4 * s, (196, 212, 240), s)
    return c


def draw_brand_logo(width, height, snap_edges=True):
    """Monitor badge with a bold L, laid out on a 64x48 unit grid.

    Drawn 8 times larger and averaged down, which only softens the rounded
    corners when snap_edges puts every straight edge on a whole pixel.  The
    100 % bar and About logos keep their first drawing (snap_edges False),
    with edges where the grid falls."""
    ss = 8                                    # supersampling factor
    upx = width / 64.0                        # pixels per unit
    c = Canvas(width * ss, height * ss, (222, 222, 218))

    def edge(v):
        return (snap(v * upx) if snap_edges else v * upx) * ss

    def R(x0, y0, x1, y1, r, color):
        c.round_rect(edge(x0), edge(y0), edge(x1), edge(y1), r * upx * ss, color)

    R(6, 3, 58, 37, 4, (44, 52, 70))          # bezel
    R(10, 7, 54, 33, 1, (34, 104, 206))       # screen
    R(16, 11, 24, 29, 0, WHITE)               # L stem
    R(16, 23, 40, 29, 0, WHITE)               # L foot
    side = edge(6)                            # highlight spark, kept square
    c.round_rect(edge(42), edge(11), edge(42) + side, edge(11) + side,
                 upx * ss, (255, 204, 40))
    R(28, 37, 36, 41, 0, (44, 52, 70))        # neck
    R(19, 41, 45, 45, 2, (44, 52, 70))        # base
    return c.downsample(ss)


def draw_bar_logo(percent):
    """The bar's logo 177: the badge alone, 24 x 18 at 100 %."""
    return draw_brand_logo(scaled(BAR_LOGO[0], percent),
                           scaled(BAR_LOGO[1], percent), percent != 100)


def draw_about_logo(percent):
    """The About box's picture 178, 144 x 82 at 1x: the badge and the brand."""
    s = percent // 100
    c = Canvas(ABOUT_LOGO[0] * s, ABOUT_LOGO[1] * s, (222, 222, 218))
    c.blit(draw_brand_logo(80 * s, 60 * s, s != 1), 4 * s, 11 * s)
    name = "QVM"
    draw_text(c, 88 * s + (52 * s - text_width(name, 3 * s)) // 2, 31 * s, name,
              3 * s, (44, 52, 70))
    return c


# Tool bar images: a 17 x 15 cell at 100 %, whose pictures fill the 15 x 15
# square in its middle.  Every size is drawn in units of square / 15 with
# hard edges: the tool bar keys out TB_GREY exactly, so a blended edge
# would leave a grey fringe on any other button colour.

def _tb_square(cell):
    """(left, unit) of a cell's square; its side is the cell's height."""
    return (cell.width - cell.height) // 2, cell.height / 15.0


def tb_question(cell):
    """A red question mark: hook, slant and stem 1.8 units wide, which at
    100 % falls on exactly the pixels of the hand-drawn 8 x 11 glyph."""
    x0, u = _tb_square(cell)

    def at(x, y):                             # 100 % cell position -> pixels
        return x0 + (x - 1) * u, y * u

    hook = []
    for i in range(17):                       # an ellipse from 170 to -30 deg
        a = math.radians(170 - 200 * i / 16.0)
        hook.append(at(8 + 2.75 * math.cos(a), 5 - 2.5 * math.sin(a)))
    hook.append(at(8, 8.5))                   # the slant down to the stem
    cell.polyline(hook, 1.8 * u, RED)
    w = snap(1.8 * u)                         # stem and dot, pixel-aligned
    left = snap(at(8, 0)[0] - w / 2.0)
    cell.rect(left, snap(8 * u), left + w - 1, snap(10 * u) - 1, RED)
    dot = snap(11 * u)
    cell.rect(left, dot, left + w - 1, dot + w - 1, RED)


def tb_logo(cell, color):
    """The mark on its blue square, without the icon's edge: the square shows
    units 1 to 15 of the mark's grid."""
    x0, u = _tb_square(cell)
    cell.rect(x0, 0, x0 + cell.height - 1, cell.height - 1, LOGO_BLUE)
    draw_mark(cell, x0 - u, -u, u, color)


def tb_move(cell):
    """White arrows out to the four corners of a red square."""
    x0, u = _tb_square(cell)
    side = cell.height
    cell.rect(x0, 0, x0 + side - 1, side - 1, RED)
    cx, cy = x0 + side / 2.0, side / 2.0
    # one corner's arrow, as offsets from the centre; mirrored to the others
    segs = [((2, 2), (5, 5)), ((5, 5), (3, 5)), ((5, 5), (5, 3))]
    segs = [((a[0] * u, a[1] * u), (b[0] * u, b[1] * u)) for a, b in segs]
    half2 = (u / 2.0) ** 2

    def test(x, y):
        dx, dy = abs(x - cx), abs(y - cy)
        return any(_seg_dist2(dx, dy, a[0], a[1], b[0], b[1]) <= half2
                   for a, b in segs)
    cell.fill_where(test, WHITE)


def tb_white(cell):
    cell.rect(0, 0, cell.width - 1, cell.height - 1, WHITE)


def draw_toolbar(logo_color, count, percent):
    """A strip of count images: help, the mark, move, then blank ones."""
    w, h = scaled(TB_CELL[0], percent), scaled(TB_CELL[1], percent)
    cells = [tb_question, lambda c: tb_logo(c, logo_color), tb_move]
    cells += [tb_white] * (count - len(cells))
    strip = Canvas(w * count, h, TB_GREY)
    for i, paint in enumerate(cells):
        cell = Canvas(w, h, TB_GREY)
        paint(cell)
        strip.blit(cell, w * i, 0)
    return strip


# Pointers, laid out on their 32 x 32 grid and drawn at size / 32 pixels a
# unit; the hot spot scales with them.

def draw_cross_cursor(size):
    s = size / 32.0
    c = Canvas(size, size, (26, 26, 34))
    c.frame(0, 0, size - 1, size - 1, WHITE, max(1, snap(s)))
    c.line(6.5 * s, 6.5 * s, 25.5 * s, 25.5 * s, 4 * s, RED)
    c.line(25.5 * s, 6.5 * s, 6.5 * s, 25.5 * s, 4 * s, RED)
    return c


def draw_arrow_cursor(size):
    s = size / 32.0
    c = Canvas(size, size, BLACK)
    c.frame(0, 0, size - 1, size - 1, WHITE, max(1, snap(s)))
    c.polygon([(0, 0), (15 * s, 0), (0, 15 * s)], WHITE)   # head, tip in the corner
    c.line(6 * s, 6 * s, 25 * s, 25 * s, 5 * s, WHITE)     # shaft
    return c


def move_cursor_hot_spot(size):
    return snap(16 * size / 32.0), snap(15 * size / 32.0)


def draw_move_cursor(size):
    """Four-way black arrow with a white outline, centred on the hot spot,
    transparent around it."""
    s = size / 32.0
    cx, cy = move_cursor_hot_spot(size)
    arm, head = snap(13 * s), snap(5 * s)
    half_shaft = snap((3 * s - 1) / 2)        # shaft 3 pixels wide at 32
    outline = snap(s)
    ink = set()
    for ax, ay in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        for d in range(arm + 1):
            if d > arm - head:
                half = arm - d            # arrow head widens towards the body
            else:
                half = half_shaft
            for t in range(-half, half + 1):
                ink.add((cx + ax * d + ay * t, cy + ay * d + ax * t))
    c = Canvas(size, size, None)
    around = range(-outline, outline + 1)
    for x, y in ink:
        for dy in around:
            for dx in around:
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


def _rgba(col):
    return (0, 0, 0, 0) if col is None else (col[0], col[1], col[2], 255)


def _dib_32bpp(c):
    """One icon/cursor image: 32-bit BGRA with alpha, then the AND mask that
    older code paths read (set where the image is transparent)."""
    and_row = ((c.width + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for y in range(c.height - 1, -1, -1):          # bottom-up
        bits = bytearray(and_row)
        for x, col in enumerate(c.px[y]):
            r, g, b, a = _rgba(col)
            xor += bytes((b, g, r, a))
            if a == 0:
                bits[x >> 3] |= 0x80 >> (x & 7)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, c.width, c.height * 2, 1, 32, 0,
                       len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def _png_chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data +
            struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def png_bytes(c):
    """8-bit RGBA PNG, unfiltered rows, compressed by zlib."""
    raw = bytearray()
    for row in c.px:
        raw.append(0)                              # filter: none
        for col in row:
            raw += bytes(_rgba(col))
    ihdr = struct.pack(">IIBBBBB", c.width, c.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _png_chunk(b"IHDR", ihdr) +
            _png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            _png_chunk(b"IEND", b""))


def icon_bytes(images, kind=1):
    """images: list of (canvas, hot_x, hot_y); kind 1 = .ico, 2 = .cur.
    Images of PNG_MIN_SIZE and more are stored as PNG, the others as DIBs."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for c, hx, hy in images:
        blob = png_bytes(c) if c.width >= PNG_MIN_SIZE else _dib_32bpp(c)
        if kind == 1:
            f1, f2 = 1, 32              # planes, bit count
        else:
            f1, f2 = hx, hy             # hot spot
        out += struct.pack("<BBBBHHII", c.width & 0xFF, c.height & 0xFF, 0, 0,
                           f1, f2, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return out + b"".join(blobs)


# --------------------------------------------------------------------------

def build():
    files = {}
    for percent in PICTURE_SCALES:
        files[file_name("covu", percent, "bmp")] = bmp_bytes(draw_splash(percent))
        files[file_name("logo178", percent, "bmp")] = bmp_bytes(
            draw_about_logo(percent))
    for percent in BAR_SCALES:
        files[file_name("logo177", percent, "bmp")] = bmp_bytes(
            draw_bar_logo(percent))
        for stem, color, count in (("tb165", WHITE, 6), ("tb172", YELLOW, 4),
                                   ("tb174", RED, 4)):
            files[file_name(stem, percent, "bmp")] = bmp_bytes(
                draw_toolbar(color, count, percent))
    for name, color in (("icon128.ico", WHITE), ("icon145.ico", YELLOW),
                        ("icon146.ico", RED)):
        files[name] = icon_bytes([(product_logo(n, color), 0, 0)
                                  for n in ICON_SIZES])
    files["cur147.cur"] = icon_bytes([(draw_cross_cursor(n), 0, 0)
                                      for n in CURSOR_SIZES], 2)
    files["cur148.cur"] = icon_bytes([(draw_arrow_cursor(n), 0, 0)
                                      for n in CURSOR_SIZES], 2)
    files["cur184.cur"] = icon_bytes([(draw_move_cursor(n),) + move_cursor_hot_spot(n)
                                      for n in CURSOR_SIZES], 2)
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
