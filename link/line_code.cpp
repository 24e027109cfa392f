// Builds and paints the three frames of the screen-row line code.
#include "link/line_code.h"

#include <algorithm>
#include <limits>

#include "platform/platform.h"

namespace lv {

namespace {

constexpr Colour kBlack = 0x00000000;

// Cell j's colour: clock on blue, header bit on green, the given red.
Colour CellColour(int cell, std::uint32_t header, bool red) {
    const int bit = cell / 4;
    const int phase = cell % 4;
    const bool blue = phase == 1 || phase == 2;
    const bool green = ((header >> (31 - bit)) & 1u) != 0;
    return MakeColour(red ? 255 : 0, green ? 255 : 0, blue ? 255 : 0);
}

bool WordBit(std::uint32_t word, int bit) { return ((word >> (31 - bit)) & 1u) != 0; }

// Lines on the DC use 32-bit coordinates; frames on absurd widths are cut.
std::int32_t ToCoord(std::int64_t x) {
    const std::int64_t lo = std::numeric_limits<std::int32_t>::min();
    const std::int64_t hi = std::numeric_limits<std::int32_t>::max();
    return std::int32_t(std::clamp(x, lo, hi));
}

// Every frame whose cells carry one colour each: off and rows.
FramePlan PlanPlainCells(std::uint32_t header, std::uint32_t red, const FrameGeometry& g) {
    FramePlan plan;
    for (int j = 0; j < kFrameCells; ++j) {
        plan.Add(CellColour(j, header, WordBit(red, j / 4)), g.cellStart[j + 1]);
    }
    return plan;
}

// Pens for the colours of one frame, each made on first use and deleted at
// the end; the DC's own pen is put back before.
class PenCache {
public:
    explicit PenCache(HDc dc) : dc_(dc) {}
    ~PenCache() {
        if (selected_) Screen().SelectPen(dc_, original_);
        for (int i = 0; i < count_; ++i) Screen().DeletePen(pens_[i]);
    }
    PenCache(const PenCache&) = delete;
    PenCache& operator=(const PenCache&) = delete;

    // False when no pen of that colour can be made.
    bool Select(Colour colour) {
        HPen pen = Find(colour);
        if (IsNone(pen)) return false;
        if (selected_ && pen == current_) return true;
        current_ = pen;
        HPen previous = Screen().SelectPen(dc_, pen);
        if (!selected_) {
            original_ = previous;
            selected_ = true;
        }
        return true;
    }

private:
    HPen Find(Colour colour) {
        for (int i = 0; i < count_; ++i) {
            if (colours_[i] == colour) return pens_[i];
        }
        HPen pen = Screen().CreateSolidPen(colour);
        if (IsNone(pen) || count_ == kMax) return pen;
        colours_[count_] = colour;
        pens_[count_] = pen;
        ++count_;
        return pen;
    }

    static constexpr int kMax = 8;  // every channel is 0 or 255
    HDc dc_;
    HPen original_ = HPen::None;
    HPen current_ = HPen::None;
    bool selected_ = false;
    Colour colours_[kMax] = {};
    HPen pens_[kMax] = {};
    int count_ = 0;
};

// The pen on row 0, clipped to the primary screen's columns 0..W. The frame
// is drawn with a pen that stands past the right edge (the lead ends at
// W + 1) and, on widths with W mod 96 <= 4, cells that end beyond it. The
// display DC spans every monitor: on a desktop with a monitor to the right
// those pixels would land on its top row, which the erase never repaints.
// Each line paints only the part of its pixels that lies in 0..W, so the
// row itself gets exactly the pixels the unclipped line would give it.
class RowPen {
public:
    RowPen(IScreen& screen, HDc dc, std::uint32_t lastColumn)
        : screen_(screen), dc_(dc), last_(lastColumn) {}

    void MoveTo(std::int64_t x) { at_ = x; }

    // Paints from the pen up to, not including, x, in either direction.
    void LineTo(std::int64_t x) {
        // The pixels the line covers, nearest the pen first.
        std::int64_t from = at_;
        std::int64_t to = x > at_ ? x - 1 : x + 1;
        at_ = x;
        if (x == from) return;
        const std::int64_t step = x > from ? 1 : -1;
        const std::int64_t lo = std::max<std::int64_t>(std::min(from, to), 0);
        const std::int64_t hi = std::min<std::int64_t>(std::max(from, to), last_);
        if (lo > hi) return;
        from = step > 0 ? lo : hi;
        to = step > 0 ? hi : lo;
        if (!placed_ || pos_ != from) screen_.MoveTo(dc_, ToCoord(from), 0);
        pos_ = to + step;
        placed_ = true;
        screen_.LineTo(dc_, ToCoord(pos_), 0);
    }

private:
    IScreen& screen_;
    HDc dc_;
    std::int64_t last_;
    std::int64_t at_ = 0;    // where the frame's pen stands
    std::int64_t pos_ = 0;   // where the DC's pen stands
    bool placed_ = false;
};

}  // namespace

FrameGeometry::FrameGeometry(std::uint32_t w) : lastColumn(w) {
    cellWidth = w / kFrameCells;
    remainder = std::uint8_t(w % kFrameCells);
    extra = std::uint8_t(std::max<int>(remainder, 4) - 4);
    // The extra pixel goes to each cell until the countdown from n reaches 0;
    // with n = 0 it never does and every cell is one pixel wider.
    std::uint8_t k = extra;
    std::uint32_t e = 1;
    cellStart[0] = 2;
    for (int j = 0; j < kFrameCells; ++j) {
        if (k != 0) {
            --k;
            if (k == 0) e = 0;
        }
        cellStart[j + 1] = cellStart[j] + cellWidth + e;
    }
}

void FramePlan::Add(Colour colour, std::int64_t end) {
    if (count < kMaxParts) parts[count++] = FramePart{colour, end};
}

std::uint32_t OffHeaderWord(std::uint16_t flags) {
    static constexpr int kTargets[8] = {30, 27, 25, 22, 20, 17, 15, 12};
    std::uint32_t spread = 0;
    for (int i = 0; i < 8; ++i) {
        if (flags & (0x8000u >> i)) spread |= 1u << kTargets[i];
    }
    return kOffBaseWord | spread;
}

std::uint32_t RowsPayloadWord(std::uint32_t top, std::uint32_t bottom) {
    return (top << 20) | (bottom << 8);
}

ColumnEdge MapColumn(std::uint32_t value, const FrameGeometry& g) {
    std::uint32_t v = std::max<std::uint32_t>(value, 2) - 2;
    const std::uint32_t c = g.cellWidth;
    if (c == 0) return ColumnEdge{kFrameCells, 0};  // no cell has a width to fall in
    const std::uint32_t q = v / c;
    if (q > g.extra) {
        v -= g.extra;
    } else if (q >= 1) {
        v -= q - 1;
    }
    return ColumnEdge{v / c, v % c};
}

FramePlan PlanOffFrame(std::uint16_t flags, const FrameGeometry& g) {
    return PlanPlainCells(OffHeaderWord(flags), 0, g);
}

FramePlan PlanRowsFrame(std::uint32_t top, std::uint32_t bottom, const FrameGeometry& g) {
    return PlanPlainCells(kRowsHeader, RowsPayloadWord(top, bottom), g);
}

FramePlan PlanColumnsFrame(std::uint32_t left, std::uint32_t right, const FrameGeometry& g) {
    ColumnEdge from;
    ColumnEdge to;
    const std::uint64_t fullRight = std::uint64_t(kFrameCells) * g.cellWidth + 2 + g.extra;
    if (left < 2 && right > fullRight) {
        from = ColumnEdge{0, 0};
        to = ColumnEdge{kFrameCells - 1, g.cellWidth};
    } else {
        from = MapColumn(left, g);
        to = MapColumn(right, g);
    }

    FramePlan plan;
    bool red = false;
    for (std::uint32_t j = 0; j < std::uint32_t(kFrameCells); ++j) {
        const int cell = int(j);
        const std::int64_t x = g.cellStart[j];
        const std::int64_t next = g.cellStart[j + 1];
        if (j == from.cell && j == to.cell) {
            plan.Add(CellColour(cell, kColumnsHeader, false), x + from.offset);
            plan.Add(CellColour(cell, kColumnsHeader, true), x + to.offset);
            plan.Add(CellColour(cell, kColumnsHeader, false), next);
        } else if (j == from.cell) {
            plan.Add(CellColour(cell, kColumnsHeader, red), x + from.offset);
            red = true;
            plan.Add(CellColour(cell, kColumnsHeader, red), next);
        } else if (j == to.cell) {
            plan.Add(CellColour(cell, kColumnsHeader, true), x + to.offset);
            red = false;
            plan.Add(CellColour(cell, kColumnsHeader, red), next);
        } else {
            plan.Add(CellColour(cell, kColumnsHeader, red), next);
        }
    }
    return plan;
}

void PaintFramePlan(const FramePlan& plan, const FrameGeometry& g, const char* device) {
    IScreen& screen = Screen();
    const HDc dc = device != nullptr ? screen.OpenMonitorDC(device) : screen.OpenScreenDC();
    if (IsNone(dc)) return;
    {
        PenCache pens(dc);
        RowPen pen(screen, dc, g.lastColumn);
        // A line whose pen cannot be made is not drawn; the pen still moves
        // on, so the rest of the frame lands where it belongs.
        auto lineTo = [&](Colour colour, std::int64_t x) {
            if (pens.Select(colour)) {
                pen.LineTo(x);
            } else {
                pen.MoveTo(x);
            }
        };
        // Lead: the whole row black; the pen is left past the right edge, so
        // the first part's line runs leftwards from there.
        pen.MoveTo(0);
        lineTo(kBlack, std::int64_t(g.lastColumn) + 1);
        // Cells. After the first part, parts of one colour in a row are one
        // line: the pixels are the same, the pen changes fewer.
        for (int i = 0; i < plan.count; ++i) {
            const FramePart& part = plan.parts[i];
            const bool joinsNext = i > 0 && i + 1 < plan.count &&
                                   plan.parts[i + 1].colour == part.colour;
            if (joinsNext) continue;
            lineTo(part.colour, part.end);
        }
        // Tail.
        pen.MoveTo(g.cellStart[kFrameCells]);
        lineTo(kBlack, g.lastColumn);
    }
    screen.CloseScreenDC(dc);
}

void PaintOffFrame(std::uint16_t flags, std::uint32_t lastColumn, const char* device) {
    const FrameGeometry g(lastColumn);
    PaintFramePlan(PlanOffFrame(flags, g), g, device);
}

void PaintRowsFrame(std::uint32_t top, std::uint32_t bottom, std::uint32_t lastColumn, const char* device) {
    const FrameGeometry g(lastColumn);
    PaintFramePlan(PlanRowsFrame(top, bottom, g), g, device);
}

void PaintColumnsFrame(std::uint32_t left, std::uint32_t right, std::uint32_t lastColumn, const char* device) {
    const FrameGeometry g(lastColumn);
    PaintFramePlan(PlanColumnsFrame(left, right, g), g, device);
}

}  // namespace lv
