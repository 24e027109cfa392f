// The line code against the worked example of a 1024-pixel screen, the other
// common widths, and a literal painter that draws every part with a pen of
// its own.
#include "link/line_code.h"

#include <gtest/gtest.h>

#include "bench/literal_painter.h"
#include "platform/fake/fake_desktop.h"
#include "row_helpers.h"

namespace lv {
namespace {

using fake::FakeDesktop;
using test::BlueAt;
using test::FindRedRun;
using test::GreenAt;
using test::RedAt;

std::vector<Colour> PaintedRow(int horzRes, void (*paint)(std::uint32_t w)) {
    FakeDesktop desk(horzRes, 768);
    paint(std::uint32_t(horzRes - 1));
    return desk.screen.Row();
}

struct GeometryCase {
    std::uint32_t horzRes, cellWidth, remainder, wideCells;
    std::int64_t end;
};

TEST(LineCode, CellGeometryOfCommonWidths) {
    const GeometryCase cases[] = {
        {1024, 10, 63, 58, 1020}, {800, 8, 31, 26, 796},     {1152, 11, 95, 90, 1148},
        {1280, 13, 31, 26, 1276}, {1600, 16, 63, 58, 1596},
    };
    for (const GeometryCase& c : cases) {
        SCOPED_TRACE(c.horzRes);
        const FrameGeometry g(c.horzRes - 1);
        EXPECT_EQ(g.cellWidth, c.cellWidth);
        EXPECT_EQ(g.remainder, c.remainder);
        EXPECT_EQ(g.cellStart[kFrameCells], c.end);
        EXPECT_EQ(g.cellStart[kFrameCells], std::int64_t(c.horzRes) - 4);
        for (std::uint32_t j = 0; j < kFrameCells; ++j) {
            const std::int64_t width = g.cellStart[j + 1] - g.cellStart[j];
            EXPECT_EQ(width, j < c.wideCells ? c.cellWidth + 1 : c.cellWidth) << "cell " << j;
        }
    }
    const FrameGeometry g(1023);
    EXPECT_EQ(g.cellStart[58], 640);
    EXPECT_EQ(g.cellStart[60], 660);
}

TEST(LineCode, Words) {
    EXPECT_EQ(OffHeaderWord(kOffFlags), 0xEC6BE000u);
    EXPECT_EQ(OffHeaderWord(0x0000), kOffBaseWord);
    EXPECT_EQ(RowsPayloadWord(200, 600), 0x0C825800u);
    // A bottom of 4096 or more spills into the top field; a top loses its
    // high bits.
    EXPECT_EQ(RowsPayloadWord(0, 4096), 0x00100000u);
    EXPECT_EQ(RowsPayloadWord(4096 + 5, 0), 0x00500000u);
}

// The 24 bits of the worked example: x range, green of the off, rows and
// columns frames, red of a rows frame for top 200 and bottom 600.
struct BitRow {
    int first, last;
    bool offGreen, rowsGreen, columnsGreen, rowsRed;
};
constexpr BitRow kBits1024[24] = {
    {2, 45, 1, 1, 1, 0},      {46, 89, 1, 1, 1, 0},     {90, 133, 1, 1, 1, 0},
    {134, 177, 0, 0, 0, 0},   {178, 221, 1, 1, 1, 1},   {222, 265, 1, 1, 1, 1},
    {266, 309, 0, 0, 0, 0},   {310, 353, 0, 0, 0, 0},   {354, 397, 0, 0, 0, 1},
    {398, 441, 1, 1, 1, 0},   {442, 485, 1, 1, 1, 0},   {486, 529, 0, 0, 0, 0},
    {530, 573, 1, 1, 1, 0},   {574, 617, 0, 0, 0, 0},   {618, 659, 1, 1, 1, 1},
    {660, 699, 1, 1, 1, 0},   {700, 739, 1, 1, 1, 0},   {740, 779, 1, 1, 1, 1},
    {780, 819, 1, 1, 1, 0},   {820, 859, 0, 0, 0, 1},   {860, 899, 0, 0, 0, 1},
    {900, 939, 0, 0, 0, 0},   {940, 979, 0, 0, 1, 0},   {980, 1019, 0, 1, 0, 0},
};

TEST(LineCode, WorkedExampleBitsOn1024) {
    const auto off = PaintedRow(1024, [](std::uint32_t w) { PaintOffFrame(kOffFlags, w); });
    const auto rows = PaintedRow(1024, [](std::uint32_t w) { PaintRowsFrame(200, 600, w); });
    const auto cols = PaintedRow(1024, [](std::uint32_t w) { PaintColumnsFrame(0, 0, w); });
    const FrameGeometry g(1023);
    for (int b = 0; b < 24; ++b) {
        SCOPED_TRACE(b);
        const BitRow& bit = kBits1024[b];
        EXPECT_EQ(g.cellStart[4 * b], bit.first);
        EXPECT_EQ(g.cellStart[4 * b + 4] - 1, bit.last);
        // Cell 0 is left black by the leftward first line: start after it.
        const int from = b == 0 ? int(g.cellStart[1]) : bit.first;
        for (int x = from; x <= bit.last; ++x) {
            ASSERT_EQ(GreenAt(off, x), bit.offGreen) << "x " << x;
            ASSERT_EQ(GreenAt(rows, x), bit.rowsGreen) << "x " << x;
            ASSERT_EQ(GreenAt(cols, x), bit.columnsGreen) << "x " << x;
            ASSERT_EQ(RedAt(rows, x), bit.rowsRed) << "x " << x;
            ASSERT_FALSE(RedAt(off, x));
            // The clock: high in the middle two cells of the bit.
            const int phase = int(std::upper_bound(g.cellStart, g.cellStart + 97, x) - g.cellStart - 1) % 4;
            ASSERT_EQ(BlueAt(off, x), phase == 1 || phase == 2) << "x " << x;
        }
    }
}

TEST(LineCode, OffFrameRunsOn1024) {
    const auto row = PaintedRow(1024, [](std::uint32_t w) { PaintOffFrame(kOffFlags, w); });
    struct Run {
        int first, last;
        Colour colour;
    };
    const Run runs[] = {
        {0, 12, MakeColour(0, 0, 0)},        {13, 34, MakeColour(0, 255, 255)},
        {35, 56, MakeColour(0, 255, 0)},     {57, 78, MakeColour(0, 255, 255)},
        {1010, 1022, MakeColour(0, 0, 0)},   {1023, 1023, MakeColour(0, 255, 0)},
    };
    for (const Run& r : runs) {
        for (int x = r.first; x <= r.last; ++x) EXPECT_EQ(row[std::size_t(x)], r.colour) << "x " << x;
    }
    EXPECT_NE(row[1009], MakeColour(0, 0, 0));  // bit 23's clock is high just before
}

// The lead, the tail and the last pixel on other common widths: black up to
// the end of cell 0, cells 1 and 2 (clock high, header bit 0 set) after it,
// black from X(96) = W - 3 to W - 1, and cell 0's colour at x = W.
TEST(LineCode, LeadTailAndLastPixelOnCommonWidths) {
    struct Case {
        int horzRes;
        int cell1, cell3, cell95;  // X(1), X(3), X(95)
    };
    const Case cases[] = {{1024, 13, 35, 1010}, {1366, 17, 47, 1348}, {1920, 22, 62, 1897}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.horzRes);
        const int w = c.horzRes - 1;
        const auto off = PaintedRow(c.horzRes, [](std::uint32_t last) { PaintOffFrame(kOffFlags, last); });
        const auto rows = PaintedRow(c.horzRes, [](std::uint32_t last) { PaintRowsFrame(2100, 2200, last); });
        for (int x = 0; x < c.cell1; ++x) ASSERT_EQ(off[std::size_t(x)], MakeColour(0, 0, 0)) << "x " << x;
        for (int x = c.cell1; x < c.cell3; ++x) ASSERT_EQ(off[std::size_t(x)], MakeColour(0, 255, 255)) << "x " << x;
        EXPECT_EQ(off[std::size_t(c.cell3)], MakeColour(0, 255, 0));  // cell 3: clock low
        // Cell 95 is black (bit 23 is 0, clock low) and so is the tail;
        // cell 94 just before has its clock high.
        for (int x = c.cell95; x < w - 3; ++x) ASSERT_EQ(off[std::size_t(x)], MakeColour(0, 0, 0)) << "x " << x;
        EXPECT_EQ(off[std::size_t(c.cell95 - 1)], MakeColour(0, 0, 255));
        for (int x = w - 3; x < w; ++x) {
            EXPECT_EQ(off[std::size_t(x)], MakeColour(0, 0, 0)) << "x " << x;
            EXPECT_EQ(rows[std::size_t(x)], MakeColour(0, 0, 0)) << "x " << x;
        }
        EXPECT_EQ(off[std::size_t(w)], MakeColour(0, 255, 0));
        EXPECT_EQ(rows[std::size_t(w)], MakeColour(255, 255, 0));  // top 2100: red bit 0 set
    }
}

TEST(LineCode, ColumnMappingOn1024) {
    const FrameGeometry g(1023);
    struct Case {
        std::uint32_t value, cell, offset;
        std::int64_t x;
    };
    const Case cases[] = {
        {0, 0, 0, 2},      {1, 0, 0, 2},      {2, 0, 0, 2},       {12, 1, 0, 13},
        {100, 9, 0, 101},  {500, 45, 0, 497}, {640, 57, 9, 638},  {641, 58, 0, 640},
        {800, 73, 9, 799}, {1020, 95, 9, 1019},
        // Where the quotient (value - 2) div c reaches the extra count n = 59
        // and passes it: 591 and 592 land on one x, as do 601 and 602.
        {591, 53, 2, 587}, {592, 53, 2, 587}, {593, 53, 3, 588}, {601, 54, 1, 597},
        {602, 54, 1, 597}, {603, 54, 2, 598},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const ColumnEdge e = MapColumn(c.value, g);
        EXPECT_EQ(e.cell, c.cell);
        EXPECT_EQ(e.offset, c.offset);
        EXPECT_EQ(g.cellStart[e.cell] + e.offset, c.x);
    }
    EXPECT_EQ(MapColumn(1021, g).cell, 96u);
    EXPECT_GE(MapColumn(0xFFFFFFFC, g).cell, 96u);
}

TEST(LineCode, ColumnsFrameRedRunsOnCommonWidths) {
    struct Case {
        int horzRes;
        std::uint32_t left, right;
        int first, last;  // -1: no red at all
    };
    const Case cases[] = {
        {1024, 100, 500, 101, 496},  // an ordinary region
        {1024, 0, 1024, 2, 1019},    // the full-width rule
        {1024, 503, 507, 499, 502},  // both edges in cell 45
        {1024, 300, 300, -1, -1},    // left equal to right
        {1024, 1028, 0xFFFFFFFC, -1, -1},  // both edges beyond the frame
        {1024, 500, 5000, 497, 1019},      // a right edge beyond the frame keeps red to the end
        {1024, 592, 602, 587, 596},        // both edges at the extra count's boundary
        // 1366: c = 14, n = 17, cells 0..15 are 15 wide, X(96) = 1362.
        {1366, 100, 500, 100, 498},
        {1366, 0, 1366, 2, 1361},
        // 1920: c = 19, n = 91, cells 0..89 are 20 wide, X(96) = 1916.
        {1920, 100, 500, 100, 498},
        {1920, 0, 1920, 2, 1915},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.horzRes << ": " << c.left << ".." << c.right);
        FakeDesktop desk(c.horzRes, 768);
        PaintColumnsFrame(c.left, c.right, std::uint32_t(c.horzRes - 1));
        const test::RedRun run = FindRedRun(desk.screen.Row());
        EXPECT_TRUE(run.contiguous);
        EXPECT_EQ(run.first, c.first);
        EXPECT_EQ(run.last, c.last);
    }
}

TEST(LineCode, FullScreenColumnsLeaveNoBlackInCellZero) {
    const auto row = PaintedRow(1024, [](std::uint32_t w) { PaintColumnsFrame(0, 1024, w); });
    for (int x = 2; x <= 12; ++x) EXPECT_EQ(row[std::size_t(x)], MakeColour(255, 255, 0)) << x;
}

TEST(LineCode, NarrowRedRunKeepsCellWidths) {
    const auto row = PaintedRow(1024, [](std::uint32_t w) { PaintColumnsFrame(503, 507, w); });
    // Cell 45 (clock high) spans 497..507, cell 46 (clock high) 508..518,
    // cell 47 (clock low) starts at 519.
    EXPECT_FALSE(BlueAt(row, 496));
    EXPECT_TRUE(BlueAt(row, 497));
    EXPECT_TRUE(BlueAt(row, 518));
    EXPECT_FALSE(BlueAt(row, 519));
}

TEST(LineCode, LastPixelKeepsCellZeroColour) {
    const auto big = PaintedRow(1024, [](std::uint32_t w) { PaintRowsFrame(2100, 2200, w); });
    EXPECT_EQ(big[1023], MakeColour(255, 255, 0));
    const auto plain = PaintedRow(1024, [](std::uint32_t w) { PaintRowsFrame(200, 600, w); });
    EXPECT_EQ(plain[1023], MakeColour(0, 255, 0));
}

// Widths whose W mod 96 is 0..4: every cell is one pixel wider and the last
// cells fall past the edge. Nothing may land outside the row (on a desktop
// with a monitor to the right it would land on that monitor's top row, which
// the erase never repaints), and the cells that fit are painted as the
// countdown gives them.
TEST(LineCode, ScreensWithFewSparePixelsStayInsideTheRow) {
    for (int horzRes : {961, 963, 965, 1921}) {
        SCOPED_TRACE(horzRes);
        FakeDesktop desk(horzRes, 768);
        const FrameGeometry g(std::uint32_t(horzRes - 1));
        EXPECT_EQ(g.cellStart[1] - g.cellStart[0], g.cellWidth + 1);
        EXPECT_GT(g.cellStart[kFrameCells], horzRes - 1);
        PaintRowsFrame(10, 20, std::uint32_t(horzRes - 1));
        PaintColumnsFrame(0, std::uint32_t(horzRes), std::uint32_t(horzRes - 1));
        EXPECT_EQ(desk.screen.pixelsOffRow, 0);
        PaintRowsFrame(10, 20, std::uint32_t(horzRes - 1));
        const auto& row = desk.screen.Row();
        ASSERT_EQ(int(row.size()), horzRes);
        EXPECT_EQ(row[0], 0u);
        EXPECT_EQ(row[1], 0u);
        EXPECT_TRUE(BlueAt(row, int(g.cellStart[1])));   // cell 1: clock high
        EXPECT_FALSE(BlueAt(row, int(g.cellStart[3])));  // cell 3: clock low
        EXPECT_EQ(desk.screen.openDCs, 0);
    }
}

TEST(LineCode, PainterMatchesLiteralPaintingOnManyWidths) {
    const int widths[] = {640, 800, 961, 965, 1024, 1057, 1152, 1280, 1366, 1440, 1600, 1920, 2560, 3840};
    for (int horzRes : widths) {
        const std::uint32_t w = std::uint32_t(horzRes - 1);
        const FrameGeometry g(w);
        const std::uint32_t edges[][2] = {
            {0, 0}, {0, std::uint32_t(horzRes)}, {1, std::uint32_t(horzRes) - 3}, {37, 38},
            {100, 500}, {std::uint32_t(horzRes) / 2, std::uint32_t(horzRes) - 1},
            {std::uint32_t(horzRes) - 10, 0xFFFFFFFC},
        };
        std::vector<FramePlan> plans = {PlanOffFrame(kOffFlags, g), PlanRowsFrame(200, 600, g),
                                        PlanRowsFrame(0xFFFFFFFC, 0xFFFFFFFF, g)};
        for (const auto& e : edges) plans.push_back(PlanColumnsFrame(e[0], e[1], g));
        for (std::size_t i = 0; i < plans.size(); ++i) {
            SCOPED_TRACE(testing::Message() << horzRes << " plan " << i);
            FakeDesktop fast(horzRes, 768);
            PaintFramePlan(plans[i], g);
            FakeDesktop literal(horzRes, 768);
            PaintFramePlanLiterally(plans[i], g);
            EXPECT_EQ(fast.screen.Row(), literal.screen.Row());
            // The literal lines leave row 0 (the lead's pen stands at W + 1);
            // the program's painter draws nothing outside it.
            EXPECT_GT(literal.screen.pixelsOffRow, 0);
            EXPECT_EQ(fast.screen.pixelsOffRow, 0);
            EXPECT_LE(fast.screen.pensCreated, 8);
            EXPECT_EQ(fast.screen.pensCreated, fast.screen.pensDeleted);
            EXPECT_EQ(fast.screen.openDCs, 0);
        }
    }
}

TEST(LineCode, NothingIsPaintedWithoutAScreen) {
    FakeDesktop desk(1024, 768);
    desk.screen.failOpen = true;
    PaintOffFrame(kOffFlags, 1023);
    EXPECT_EQ(desk.screen.Row(), desk.screen.DesktopRow());
    EXPECT_EQ(desk.screen.pensCreated, 0);
}

TEST(LineCode, NoPensMeansNoDrawing) {
    FakeDesktop desk(1024, 768);
    desk.screen.failPens = true;
    PaintRowsFrame(200, 600, 1023);
    EXPECT_EQ(desk.screen.Row(), desk.screen.DesktopRow());
    EXPECT_EQ(desk.screen.openDCs, 0);
}

// A pen that cannot be made for one colour leaves that colour's stretches
// undrawn and everything else where it belongs. Undrawn shows what was
// there: cell 0's colour from the leftward first line, which stops short of
// its end at X(1) = 13, where the lead's black stays.
TEST(LineCode, APenRefusedForOneColourLeavesOnlyItsStretches) {
    const Colour refused = MakeColour(0, 255, 255);  // clock high, green set
    FakeDesktop whole(1024, 768);
    PaintOffFrame(kOffFlags, 1023);
    FakeDesktop desk(1024, 768);
    desk.screen.refusedPens.push_back(refused);
    PaintOffFrame(kOffFlags, 1023);
    const auto& row = desk.screen.Row();
    const auto& good = whole.screen.Row();
    int undrawn = 0;
    for (std::size_t x = 0; x < row.size(); ++x) {
        if (good[x] == refused) {
            EXPECT_EQ(row[x], x == 13 ? MakeColour(0, 0, 0) : MakeColour(0, 255, 0)) << "x " << x;
            ++undrawn;
        } else {
            EXPECT_EQ(row[x], good[x]) << "x " << x;
        }
    }
    // The header's set bits 0, 1, 2, 4, 5, 9, 10, 12 in 11-pixel cells, bit 14
    // across the change of width, bits 15 to 18 in 10-pixel cells.
    EXPECT_EQ(undrawn, 8 * 22 + 21 + 4 * 20);
    EXPECT_EQ(desk.screen.pensCreated, desk.screen.pensDeleted);
}

}  // namespace
}  // namespace lv
