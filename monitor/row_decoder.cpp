// Reads a frame from one row of pixels.
//
// The reading follows the pixels, in the order a controller would:
//   1. every pixel must be a frame colour (each channel fully off or on) and
//      the first two black - the lead;
//   2. blue must show exactly 24 pulses; each pulse is the two middle cells of
//      a bit, so its rising edge starts cell 4b + 1 and its falling edge cell
//      4b + 3. The narrowest pulse gives the cell width c; the other cell
//      edges lie in the middle of each pulse and gap, the wider cell first,
//      and every cell must be c or c + 1 wide, the wider ones first;
//   3. after the last cell the row must be black up to its last pixel;
//   4. each bit is sampled in the middle of its pulse, where no data edge can
//      be, and must be the same over the whole bit (green always, red for the
//      off and rows frames); green gives the header and its type code. Cell 0
//      is the exception: it starts black, the rest of the lead-in;
//   5. red gives the payload: 24 bits for rows, one run for columns.
#include "monitor/row_decoder.h"

#include <algorithm>

namespace lv::monitor {

namespace {

// Channel levels of one pixel: bit 0 red, 1 green, 2 blue. A channel that is
// neither near 0 nor near 255 is no frame pixel (the desktop's picture).
constexpr unsigned kRed = 1;
constexpr unsigned kGreen = 2;
constexpr unsigned kBlue = 4;
constexpr unsigned kNotFramePixel = 8;

unsigned ChannelLevel(std::uint8_t v, unsigned bit) {
    if (v <= 63) return 0;
    if (v >= 192) return bit;
    return kNotFramePixel;
}

unsigned Levels(Colour c) {
    return ChannelLevel(RedOf(c), kRed) | ChannelLevel(GreenOf(c), kGreen) |
           ChannelLevel(BlueOf(c), kBlue);
}

// The cells as the clock shows them.
struct Cells {
    std::int32_t start[kCells + 1] = {};  // X(0) .. X(96)
    std::int32_t rise[kClockPulses] = {};
    std::int32_t fall[kClockPulses] = {};
    std::uint32_t width = 0;  // c: the narrow cells' width
    std::uint32_t wide = 0;   // how many cells are c + 1 wide
};

// The rising and falling x of each blue pulse; false unless there are
// exactly 24.
bool FindPulses(const Colour* row, std::int32_t count, Cells& cells) {
    int pulses = 0;
    bool high = false;
    for (std::int32_t x = 0; x < count; ++x) {
        const bool blue = (Levels(row[x]) & kBlue) != 0;
        if (blue == high) continue;
        if (blue) {
            if (pulses == kClockPulses) return false;
            cells.rise[pulses] = x;
        } else {
            cells.fall[pulses++] = x;
        }
        high = blue;
    }
    return !high && pulses == kClockPulses;
}

// Cell edges from the pulses; false when the cells are not regular.
bool PlaceCells(std::int32_t count, Cells& cells) {
    std::int32_t narrowest = cells.fall[0] - cells.rise[0];
    for (int b = 1; b < kClockPulses; ++b) narrowest = std::min(narrowest, cells.fall[b] - cells.rise[b]);
    const std::int32_t c = narrowest / 2;
    if (c < 1) return false;
    // Two cells of c or c + 1 pixels, the wider first.
    auto middle = [](std::int32_t from, std::int32_t to) { return from + (to - from + 1) / 2; };
    cells.start[0] = 2;
    for (int b = 0; b < kClockPulses; ++b) {
        cells.start[4 * b + 1] = cells.rise[b];
        cells.start[4 * b + 2] = middle(cells.rise[b], cells.fall[b]);
        cells.start[4 * b + 3] = cells.fall[b];
        if (b + 1 < kClockPulses) cells.start[4 * b + 4] = middle(cells.fall[b], cells.rise[b + 1]);
    }
    // The last cell is a narrow one; at least one black pixel follows it
    // before the row's last pixel.
    cells.start[kCells] = cells.fall[kClockPulses - 1] + c;
    if (cells.start[kCells] > count - 2) return false;

    std::int32_t previous = c + 1;
    cells.width = std::uint32_t(c);
    cells.wide = 0;
    for (int j = 0; j < kCells; ++j) {
        const std::int32_t w = cells.start[j + 1] - cells.start[j];
        if (w != c && w != c + 1) return false;
        if (w > previous) return false;  // a wide cell after a narrow one
        if (w == c + 1) ++cells.wide;
        previous = w;
    }
    return true;
}

// The bit a channel shows over [from, to), sampled at `at`; false when it
// changes inside.
bool SteadyBit(const Colour* row, std::int32_t from, std::int32_t to, std::int32_t at, unsigned channel,
               bool& bit) {
    bit = (Levels(row[at]) & channel) != 0;
    for (std::int32_t x = from; x < to; ++x) {
        if (((Levels(row[x]) & channel) != 0) != bit) return false;
    }
    return true;
}

// 24 bits of a channel, first bit highest; false when a bit is not steady.
// Bit 0 is read from cells 1 to 3: cell 0 starts black (CellZeroFits).
bool ReadBits(const Colour* row, const Cells& cells, unsigned channel, std::uint32_t& word) {
    word = 0;
    for (int b = 0; b < kClockPulses; ++b) {
        const std::int32_t at = (cells.rise[b] + cells.fall[b]) / 2;
        const std::int32_t from = cells.start[b == 0 ? 1 : 4 * b];
        bool bit = false;
        if (!SteadyBit(row, from, cells.start[4 * b + 4], at, channel, bit)) return false;
        word = (word << 1) | (bit ? 1u : 0u);
    }
    return true;
}

// Cell 0 is painted last-but-one from the right: it shows black up to where
// its first stretch ends, and the first bit's colour after it. The off and
// rows frames end that stretch with the cell, so their cell 0 is all black;
// a columns frame may end it at its red edge.
bool CellZeroFits(const Colour* row, const Cells& cells, bool wholeCellBlack, bool greenBit0) {
    std::int32_t x = cells.start[0];
    const std::int32_t end = cells.start[1];
    while (x < end && Levels(row[x]) == 0) ++x;
    if (wholeCellBlack) return x == end;
    for (; x < end; ++x) {
        if (((Levels(row[x]) & kGreen) != 0) != greenBit0) return false;
    }
    return true;
}

// The screen columns whose edge the program paints at x, inside the cells.
// A column v + 2 is placed at v' = v - (q - 1) for 1 <= q <= n and v - n for
// q > n (q = v div c, n = wide cells + 1); v' is cell v' div c, offset
// v' mod c. Here the other way round: every v that gives this v'.
bool ColumnsAt(const Cells& cells, std::int32_t x, ColumnSpan& span) {
    const std::int64_t c = cells.width;
    const std::int64_t n = std::int64_t(cells.wide) + 1;
    if (x >= cells.start[kCells]) {
        // Red to the end of the frame: the edge was at or past its end.
        span = ColumnSpan{std::uint32_t(kCells * c + n + 2), ColumnSpan::kNoLimit};
        return true;
    }
    int j = 0;
    while (cells.start[j + 1] <= x) ++j;
    const std::int64_t offset = x - cells.start[j];
    if (offset >= c) return false;  // the extra pixel of a wide cell: no edge lands there
    const std::int64_t placed = j * c + offset;

    std::int64_t lo = -1;
    std::int64_t hi = -1;
    auto add = [&](std::int64_t v) {
        if (lo < 0 || v < lo) lo = v;
        if (v > hi) hi = v;
    };
    if (placed < c) add(placed);  // q = 0: unchanged
    if (c == 1) {
        if (placed == 1) {
            add(1);
            add(n);
        }
    } else if (placed >= 1) {
        // q(c - 1) + 1 <= v' <= q(c - 1) + c
        const std::int64_t below = placed - c;
        std::int64_t qFrom = below <= 0 ? 1 : (below + c - 2) / (c - 1);
        std::int64_t qTo = (placed - 1) / (c - 1);
        qFrom = std::max<std::int64_t>(qFrom, 1);
        qTo = std::min(qTo, n);
        for (std::int64_t q = qFrom; q <= qTo; ++q) {
            const std::int64_t v = placed + q - 1;
            if (v / c == q) add(v);
        }
    }
    if ((placed + n) / c > n) add(placed + n);  // q > n
    if (lo < 0) return false;
    // Columns 0 and 1 are placed as column 2.
    span = ColumnSpan{lo == 0 ? 0u : std::uint32_t(lo + 2), std::uint32_t(hi + 2)};
    return true;
}

// The one red run of a columns frame; false for red in two places or
// outside the cells.
bool ReadRedRun(const Colour* row, std::int32_t count, const Cells& cells, DecodedRow& out) {
    std::int32_t first = -1;
    std::int32_t end = -1;
    for (std::int32_t x = 0; x < count; ++x) {
        if (!(Levels(row[x]) & kRed)) continue;
        if (first < 0) {
            first = x;
        } else if (end != x) {
            return false;
        }
        end = x + 1;
    }
    if (first < 0) {
        out.hasRed = false;
        return true;
    }
    if (first < cells.start[0] || end > cells.start[kCells]) return false;
    out.hasRed = true;
    out.redFirst = first;
    out.redEnd = end;
    return ColumnsAt(cells, first, out.left) && ColumnsAt(cells, end, out.right);
}

DecodedRow Fault(RowFault fault, std::uint32_t header = 0) {
    DecodedRow row;
    row.fault = fault;
    row.header = header;
    return row;
}

}  // namespace

bool DecodedRow::SameFrame(const DecodedRow& o) const {
    if (kind != o.kind || header != o.header) return false;
    switch (kind) {
        case FrameKind::Rows:
            return top == o.top && bottom == o.bottom;
        case FrameKind::Columns:
            return hasRed == o.hasRed && (!hasRed || (redFirst == o.redFirst && redEnd == o.redEnd));
        default:
            return true;
    }
}

DecodedRow DecodeRow(const Colour* row, std::size_t size) {
    if (row == nullptr || size < kMinRowPixels) return Fault(RowFault::TooNarrow);
    // Rows wider than any display are refused rather than misread.
    if (size > 0x7FFFFFF0u) return Fault(RowFault::WrongClock);
    const std::int32_t count = std::int32_t(size);

    for (std::int32_t x = 0; x < count; ++x) {
        if (Levels(row[x]) & kNotFramePixel) return Fault(RowFault::WrongClock);
    }
    if (Levels(row[0]) != 0 || Levels(row[1]) != 0) return Fault(RowFault::WrongClock);

    Cells cells;
    if (!FindPulses(row, count, cells) || !PlaceCells(count, cells)) return Fault(RowFault::WrongClock);
    for (std::int32_t x = cells.start[kCells]; x < count - 1; ++x) {
        if (Levels(row[x]) != 0) return Fault(RowFault::WrongClock);
    }

    std::uint32_t header = 0;
    if (!ReadBits(row, cells, kGreen, header)) return Fault(RowFault::WrongHeader);
    if ((header >> 4) != kHeaderPattern) return Fault(RowFault::WrongHeader, header);

    DecodedRow out;
    out.header = header;
    const std::uint32_t type = header & 0xF;
    if (type <= 2 && !CellZeroFits(row, cells, type != 2, (header & 0x800000) != 0)) {
        return Fault(RowFault::WrongClock, header);
    }
    switch (type) {
        case 0: {
            // No red at all: the last pixel too shows cell 0, which has none.
            for (std::int32_t x = 0; x < count; ++x) {
                if (Levels(row[x]) & kRed) return Fault(RowFault::BadPayload, header);
            }
            out.kind = FrameKind::Off;
            return out;
        }
        case 1: {
            std::uint32_t red = 0;
            if (!ReadBits(row, cells, kRed, red)) return Fault(RowFault::BadPayload, header);
            out.kind = FrameKind::Rows;
            out.top = red >> 12;
            out.bottom = red & 0xFFF;
            return out;
        }
        case 2:
            if (!ReadRedRun(row, count, cells, out)) return Fault(RowFault::BadPayload, header);
            out.kind = FrameKind::Columns;
            return out;
        default:
            return Fault(RowFault::UnknownType, header);
    }
}

const char* FaultName(RowFault fault) {
    switch (fault) {
        case RowFault::None: return "none";
        case RowFault::TooNarrow: return "too-narrow";
        case RowFault::WrongClock: return "wrong-clock";
        case RowFault::WrongHeader: return "wrong-header";
        case RowFault::UnknownType: return "unknown-type";
        case RowFault::BadPayload: return "bad-payload";
    }
    return "?";
}

const char* KindName(FrameKind kind) {
    switch (kind) {
        case FrameKind::None: return "none";
        case FrameKind::Off: return "off";
        case FrameKind::Rows: return "rows";
        case FrameKind::Columns: return "columns";
    }
    return "?";
}

}  // namespace lv::monitor
