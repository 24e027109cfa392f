// The monitor's decoder reading rows the real painters leave on the fake
// screen, on many widths, and refusing rows that are not whole frames.
#include "monitor/row_decoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "link/line_code.h"
#include "platform/fake/fake_desktop.h"
#include "row_helpers.h"

namespace lv {
namespace {

using monitor::ColumnSpan;
using monitor::DecodedRow;
using monitor::DecodeRow;
using monitor::FrameKind;
using monitor::RowFault;

// Screen widths (HORZRES) from small to large; 102 and 200 give cells of one
// and two pixels.
const int kWidths[] = {102, 200, 640, 800, 1024, 1152, 1280, 1366, 1440, 1600, 1680, 1920, 2048, 2560, 3440, 3840};

DecodedRow Decode(const std::vector<Colour>& row) { return DecodeRow(row.data(), row.size()); }

// Paints frames on a fake screen of one width and hands back the row.
class Painter {
public:
    explicit Painter(int horzRes) : desk_(horzRes, 768), w_(std::uint32_t(horzRes - 1)), g_(w_) {}
    std::vector<Colour> Off(std::uint16_t flags = kOffFlags) {
        PaintOffFrame(flags, w_);
        return Take();
    }
    std::vector<Colour> Rows(std::uint32_t top, std::uint32_t bottom) {
        PaintRowsFrame(top, bottom, w_);
        return Take();
    }
    std::vector<Colour> Columns(std::uint32_t left, std::uint32_t right) {
        PaintColumnsFrame(left, right, w_);
        return Take();
    }
    // Where the painter puts a column's edge: x, or X(96) past the frame.
    std::int64_t EdgeX(std::uint32_t value) const {
        const ColumnEdge e = MapColumn(value, g_);
        return e.cell >= std::uint32_t(kFrameCells) ? g_.cellStart[kFrameCells] : g_.cellStart[e.cell] + e.offset;
    }
    const FrameGeometry& Geometry() const { return g_; }
    std::uint32_t LastColumn() const { return w_; }

private:
    std::vector<Colour> Take() {
        desk_.screen.frames.clear();
        return desk_.screen.Row();
    }
    fake::FakeDesktop desk_;
    std::uint32_t w_;
    FrameGeometry g_;
};

TEST(RowDecoder, ReadsOffAndRowsFramesOnEveryWidth) {
    for (int width : kWidths) {
        SCOPED_TRACE(width);
        Painter p(width);
        const DecodedRow off = Decode(p.Off());
        EXPECT_EQ(off.kind, FrameKind::Off);
        EXPECT_EQ(off.header, 0xEC6BE0u);

        struct Case {
            std::uint32_t top, bottom, wantTop, wantBottom;
        };
        const Case cases[] = {
            {0, 768, 0, 768},
            {60, 500, 60, 500},
            {0, 0, 0, 0},
            {4095, 4095, 4095, 4095},
            {2100, 2101, 2100, 2101},
            // Bits above the 12-bit fields: the bottom's spill into the top field.
            {772, 0xFFFFFFFC, 4095, 4092},
            {4096 + 5, 7, 5, 7},
        };
        for (const Case& c : cases) {
            const DecodedRow rows = Decode(p.Rows(c.top, c.bottom));
            EXPECT_EQ(rows.kind, FrameKind::Rows) << c.top << " " << c.bottom;
            EXPECT_EQ(rows.header, 0xEC6BE1u);
            EXPECT_EQ(rows.top, c.wantTop);
            EXPECT_EQ(rows.bottom, c.wantBottom);
        }
    }
}

TEST(RowDecoder, WorkedExampleOn1024) {
    Painter p(1024);
    const DecodedRow rows = Decode(p.Rows(200, 600));
    EXPECT_EQ(rows.kind, FrameKind::Rows);
    EXPECT_EQ(rows.top, 200u);
    EXPECT_EQ(rows.bottom, 600u);

    const DecodedRow cols = Decode(p.Columns(100, 500));
    ASSERT_EQ(cols.kind, FrameKind::Columns);
    EXPECT_EQ(cols.header, 0xEC6BE2u);
    EXPECT_EQ(cols.redFirst, 101);
    EXPECT_EQ(cols.redEnd, 497);
    EXPECT_EQ(cols.left, (ColumnSpan{100, 100}));
    EXPECT_EQ(cols.right, (ColumnSpan{500, 500}));

    // The whole screen: red over every cell, edges standing for 0..2 and for
    // everything from the frame's end on.
    const DecodedRow full = Decode(p.Columns(0, 1024));
    ASSERT_EQ(full.kind, FrameKind::Columns);
    EXPECT_EQ(full.redFirst, 2);
    EXPECT_EQ(full.redEnd, 1020);
    EXPECT_EQ(full.left, (ColumnSpan{0, 2}));
    EXPECT_EQ(full.right, (ColumnSpan{1021, ColumnSpan::kNoLimit}));

    // Both edges in one cell.
    const DecodedRow narrow = Decode(p.Columns(503, 507));
    EXPECT_EQ(narrow.redFirst, 499);
    EXPECT_EQ(narrow.redEnd, 503);
    EXPECT_EQ(narrow.left, (ColumnSpan{503, 503}));
    EXPECT_EQ(narrow.right, (ColumnSpan{507, 507}));
}

// Every column, as a left and as a right edge: the decoded span holds it,
// and is exactly the set of columns the painter puts at that x.
TEST(RowDecoder, ColumnEdgesMapBackToTheirScreenColumns) {
    for (int width : kWidths) {
        SCOPED_TRACE(width);
        Painter p(width);
        const std::uint32_t w = p.LastColumn();
        const std::int64_t frameEnd = p.Geometry().cellStart[kFrameCells];
        // Stride through the big screens; every column on the others.
        const std::uint32_t step = width > 2000 ? 7 : 1;
        for (std::uint32_t v = 0; v <= w + 4; v += step) {
            // Left edges: red from v to past the frame's end.
            const std::int64_t x = p.EdgeX(v);
            const DecodedRow asLeft = Decode(p.Columns(v, w + 100));
            if (x >= frameEnd) {
                EXPECT_EQ(asLeft.kind, FrameKind::Columns) << v;
                EXPECT_FALSE(asLeft.hasRed) << v;
            } else {
                ASSERT_TRUE(asLeft.hasRed) << v;
                EXPECT_EQ(asLeft.redFirst, x) << v;
                EXPECT_TRUE(asLeft.left.Contains(v)) << v;
                EXPECT_EQ(p.EdgeX(asLeft.left.first), x) << v;
                EXPECT_EQ(p.EdgeX(asLeft.left.last), x) << v;
                if (asLeft.left.first > 0) {
                    EXPECT_NE(p.EdgeX(asLeft.left.first - 1), x) << v;
                }
                EXPECT_NE(p.EdgeX(asLeft.left.last + 1), x) << v;
            }
            // Right edges: red from column 2 to v.
            if (v <= 2) continue;
            const DecodedRow asRight = Decode(p.Columns(2, v));
            const std::int64_t end = p.EdgeX(v);
            ASSERT_TRUE(asRight.hasRed) << v;
            EXPECT_EQ(asRight.redEnd, end) << v;
            EXPECT_TRUE(asRight.right.Contains(v)) << v;
            EXPECT_EQ(p.EdgeX(asRight.right.first), end) << v;
            EXPECT_NE(p.EdgeX(asRight.right.first - 1), end) << v;
            if (asRight.right.last != ColumnSpan::kNoLimit) {
                EXPECT_EQ(p.EdgeX(asRight.right.last), end) << v;
                EXPECT_NE(p.EdgeX(asRight.right.last + 1), end) << v;
            }
        }
    }
}

TEST(RowDecoder, ColumnsFramesOfCommonRegions) {
    struct Case {
        std::uint32_t left, right;
    };
    for (int width : kWidths) {
        if (width < 640) continue;
        SCOPED_TRACE(width);
        Painter p(width);
        const std::uint32_t screen = std::uint32_t(width);
        const Case cases[] = {{40, 700 % screen}, {0, screen}, {screen / 4, screen / 2},
                              {screen - 100, screen}, {1, screen - 1}, {300, 301}};
        for (const Case& c : cases) {
            const DecodedRow row = Decode(p.Columns(c.left, c.right));
            ASSERT_EQ(row.kind, FrameKind::Columns) << c.left << " " << c.right;
            const test::RedRun run = test::FindRedRun(p.Columns(c.left, c.right));
            ASSERT_EQ(row.hasRed, run.first >= 0);
            if (!row.hasRed) continue;
            EXPECT_EQ(row.redFirst, run.first);
            EXPECT_EQ(row.redEnd, run.last + 1);
            EXPECT_TRUE(row.left.Contains(c.left)) << c.left;
            EXPECT_TRUE(row.right.Contains(c.right)) << c.right;
        }
        // Equal edges, and a left edge past the frame: no red.
        EXPECT_FALSE(Decode(p.Columns(500, 500)).hasRed);
        EXPECT_FALSE(Decode(p.Columns(screen + 4, 0xFFFFFFFC)).hasRed);
        EXPECT_EQ(Decode(p.Columns(screen + 4, 0xFFFFFFFC)).kind, FrameKind::Columns);
    }
}

// Rows the monitor must not read as a frame: the desktop, part desktop and
// part frame, cut short or shifted.
TEST(RowDecoder, RefusesRowsThatAreNotWholeFrames) {
    Painter p(1024);
    const std::vector<Colour> rows = p.Rows(60, 500);
    const std::vector<Colour> cols = p.Columns(40, 700);
    const int n = int(rows.size());
    auto desktopOver = [](std::vector<Colour> row, int from, int to) {
        for (int x = from; x < to; ++x) row[std::size_t(x)] = fake::DesktopColourAt(x);
        return row;
    };
    auto fill = [](std::vector<Colour> row, int from, int to, Colour c) {
        for (int x = from; x < to; ++x) row[std::size_t(x)] = c;
        return row;
    };
    auto addRed = [](std::vector<Colour> row, int from, int to) {
        for (int x = from; x < to; ++x) row[std::size_t(x)] |= 0x0000FF;
        return row;
    };
    // A pixel of the rows frame whose red is on, and one whose green is off.
    int redX = -1;
    for (int x = 0; x < n && redX < 0; ++x) {
        if (RedOf(rows[std::size_t(x)]) == 255) redX = x;
    }
    ASSERT_GE(redX, 0);
    auto setRed = [](std::vector<Colour> row, int x, int red) {
        Colour& c = row[std::size_t(x)];
        c = MakeColour(std::uint8_t(red), GreenOf(c), BlueOf(c));
        return row;
    };
    std::vector<Colour> desktop(static_cast<std::size_t>(n));
    for (int x = 0; x < n; ++x) desktop[std::size_t(x)] = fake::DesktopColourAt(x);

    struct Case {
        const char* what;
        std::vector<Colour> row;
        RowFault fault;
    };
    const Case cases[] = {
        {"the desktop", desktop, RowFault::WrongClock},
        {"a black row", std::vector<Colour>(std::size_t(n), 0), RowFault::WrongClock},
        {"a white row", std::vector<Colour>(std::size_t(n), 0xFFFFFF), RowFault::WrongClock},
        {"left half repainted", desktopOver(rows, 0, n / 2), RowFault::WrongClock},
        {"right half repainted", desktopOver(cols, n / 2, n), RowFault::WrongClock},
        {"one desktop pixel in a bit", desktopOver(rows, 300, 301), RowFault::WrongClock},
        {"the last pixel repainted", desktopOver(rows, n - 1, n), RowFault::WrongClock},
        {"black over the middle", fill(rows, 400, 600, 0), RowFault::WrongClock},
        {"white over two bits", fill(cols, 400, 480, 0xFFFFFF), RowFault::WrongClock},
        {"blue over the lead", fill(rows, 0, 2, 0xFF0000), RowFault::WrongClock},
        {"a window frame's grey", fill(rows, 700, 800, 0xA6A6A6), RowFault::WrongClock},
        {"cut inside the cells", std::vector<Colour>(rows.begin(), rows.begin() + 900), RowFault::WrongClock},
        {"cut at the tail", std::vector<Colour>(rows.begin(), rows.end() - 3), RowFault::WrongClock},
        {"shifted right", [&] {
             std::vector<Colour> r(2, 0);
             r.insert(r.end(), rows.begin(), rows.end() - 2);
             return r;
         }(), RowFault::WrongClock},
        {"too narrow", std::vector<Colour>(rows.begin(), rows.begin() + 101), RowFault::TooNarrow},
        {"empty", {}, RowFault::TooNarrow},
        // A second red run in a columns frame; red on an off frame.
        {"columns with two runs", addRed(cols, 900, 910), RowFault::BadPayload},
        {"off with red in its last pixel", addRed(p.Off(), n - 1, n), RowFault::BadPayload},
        {"rows with red changing inside a bit", addRed(rows, 20, 21), RowFault::BadPayload},
        // Every channel fully on or off: a red of 191 or 128 where the frame
        // has 255 is neither, nor a green of 64 where it has 0.
        {"red at 191", setRed(rows, redX, 191), RowFault::WrongClock},
        {"red at 128", setRed(rows, redX, 128), RowFault::WrongClock},
        {"red at 64", setRed(rows, redX, 64), RowFault::WrongClock},
    };
    for (const Case& c : cases) {
        const DecodedRow d = Decode(c.row);
        EXPECT_EQ(d.kind, FrameKind::None) << c.what;
        EXPECT_EQ(d.fault, c.fault) << c.what << ": " << monitor::FaultName(d.fault);
    }

    // Near enough to 255 or 0 counts as on or off: the same frame.
    EXPECT_TRUE(Decode(setRed(rows, redX, 192)).SameFrame(Decode(rows)));
    EXPECT_TRUE(Decode(setRed(rows, 0, 63)).SameFrame(Decode(rows)));

    // A row one pixel short keeps every cell and reads as the same frame.
    const std::vector<Colour> shortTail(rows.begin(), rows.end() - 1);
    EXPECT_TRUE(Decode(shortTail).SameFrame(Decode(rows)));
}

TEST(RowDecoder, RefusesOtherHeaders) {
    Painter p(1280);
    const FrameGeometry& g = p.Geometry();
    // Flips the green of one bit over its four cells.
    auto flipGreen = [&](std::vector<Colour> row, int bit) {
        for (std::int64_t x = g.cellStart[4 * bit]; x < g.cellStart[4 * bit + 4]; ++x) {
            row[std::size_t(x)] ^= 0x00FF00;
        }
        return row;
    };
    const std::vector<Colour> rows = p.Rows(60, 500);
    for (int bit : {0, 3, 10, 19}) {
        const DecodedRow d = Decode(flipGreen(rows, bit));
        EXPECT_EQ(d.fault, RowFault::WrongHeader) << bit;
        EXPECT_EQ(d.header, 0xEC6BE1u ^ (0x800000u >> bit)) << bit;
    }
    // Type 3 (rows with bit 22 set) and type 9.
    EXPECT_EQ(Decode(flipGreen(rows, 22)).fault, RowFault::UnknownType);
    EXPECT_EQ(Decode(flipGreen(rows, 20)).fault, RowFault::UnknownType);
    // The off frame built from other flags has another fixed pattern.
    EXPECT_EQ(Decode(p.Off(0x0000)).fault, RowFault::WrongHeader);
    EXPECT_EQ(Decode(p.Off(0xD6FF)).kind, FrameKind::Off);  // the low byte is not shown

    // Green changing inside a bit.
    std::vector<Colour> torn = rows;
    torn[std::size_t(g.cellStart[5] + 1)] ^= 0x00FF00;
    EXPECT_EQ(Decode(torn).fault, RowFault::WrongHeader);
}

// The wider cells come first on every screen; a row whose extra pixel sits
// further right was not painted for this screen, and its columns would map
// back wrongly.
TEST(RowDecoder, RefusesCellsWiderAfterNarrower) {
    Painter p(1024);
    const FrameGeometry& g = p.Geometry();
    for (std::vector<Colour> row : {p.Rows(60, 500), p.Columns(100, 900)}) {
        ASSERT_TRUE(Decode(row).Valid());
        // Cell 41 loses a pixel, cell 70 gains one: the same length.
        row.erase(row.begin() + g.cellStart[41]);
        row.insert(row.begin() + g.cellStart[70], row[std::size_t(g.cellStart[70])]);
        EXPECT_EQ(Decode(row).fault, RowFault::WrongClock);
    }
}

// Screens whose width leaves the painter's last cells past the right edge
// show no whole frame, and the monitor says so.
TEST(RowDecoder, FramesCutByTheScreenEdgeAreRefused) {
    for (int width : {1057, 1058, 1061}) {
        Painter p(width);
        EXPECT_EQ(Decode(p.Rows(60, 500)).kind, FrameKind::None) << width;
        EXPECT_EQ(Decode(p.Off()).kind, FrameKind::None) << width;
    }
    EXPECT_EQ(Decode(Painter(1062).Off()).kind, FrameKind::Off);
}

}  // namespace
}  // namespace lv
