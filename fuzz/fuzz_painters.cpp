// Fuzz target: the link's painters on the simulated desktop, for any screen
// width from 1 to 16384 pixels and any 32-bit edges and flags, directly and
// through the link sender.
//
// Checked: nothing lands outside row 0's columns 0 .. W (the fake screen
// counts such pixels: on a desktop with a monitor to the right they would
// stay on its top row); the row is what the frame's steps drawn literally
// leave on it; every pen and DC is given back; the link leaves the desktop's
// row behind; and on a width the monitor reads, the frame reads back as the
// values painted.
//
// Input, front to back: u16 width - 1 (mod 16384), u8 mode, u32 a, b, c,
// d, u16 flags, u8 faults (bit 0 no pens, bit 1 no pen of colour bits 2..4,
// bit 5 no DC).
#include <cstdint>
#include <utility>
#include <vector>

#include "bench/literal_painter.h"
#include "fuzz/fuzz_input.h"
#include "link/line_code.h"
#include "link/screen_link.h"
#include "monitor/row_decoder.h"
#include "platform/fake/fake_desktop.h"

namespace {

using namespace lv;
using fuzz::ByteReader;
using monitor::DecodedRow;
using monitor::FrameKind;

constexpr std::int32_t kMaxWidth = 16384;

enum Mode : std::uint32_t { kOff, kRows, kColumns, kLinkRegion, kLinkOff, kLastMode = kLinkOff };

// The eight colours a frame uses.
Colour FrameColour(unsigned i) { return MakeColour(i & 1 ? 255 : 0, i & 2 ? 255 : 0, i & 4 ? 255 : 0); }

// Where the painter puts a column's edge: x, or X(96) past the frame.
std::int64_t EdgeX(std::uint32_t value, const FrameGeometry& g) {
    const ColumnEdge e = MapColumn(value, g);
    return e.cell >= std::uint32_t(kFrameCells) ? g.cellStart[kFrameCells] : g.cellStart[e.cell] + e.offset;
}

DecodedRow Decode(const std::vector<Colour>& row) { return monitor::DecodeRow(row.data(), row.size()); }

// Whether the monitor reads frames on this width at all: the painter's last
// cells fall past the edge on some widths, and the frame is then refused.
bool Readable(std::int32_t width) {
    static std::vector<signed char> known(std::size_t(kMaxWidth) + 1, -1);
    signed char& k = known[std::size_t(width)];
    if (k < 0) {
        fake::FakeDesktop desk(width, 768);
        PaintOffFrame(kOffFlags, std::uint32_t(width - 1));
        k = Decode(desk.screen.Row()).kind == FrameKind::Off ? 1 : 0;
    }
    return k == 1;
}

void CheckPlainFrame(const std::vector<Colour>& row, Mode mode, std::uint32_t a, std::uint32_t b,
                     std::uint16_t flags) {
    const DecodedRow d = Decode(row);
    if (mode == kOff) {
        // Only the flags' high byte is shown; the monitor knows one off header.
        LV_FUZZ_CHECK((d.kind == FrameKind::Off) == ((flags >> 8) == (kOffFlags >> 8)));
        if (d.kind != FrameKind::Off) LV_FUZZ_CHECK(d.kind == FrameKind::None);
        return;
    }
    // The 24 red bits are the payload word's top 24: the bottom spills into
    // the top field, the top loses its high bits.
    const std::uint32_t red = RowsPayloadWord(a, b) >> 8;
    LV_FUZZ_CHECK(d.kind == FrameKind::Rows);
    LV_FUZZ_CHECK(d.top == red >> 12);
    LV_FUZZ_CHECK(d.bottom == (red & 0xFFF));
}

// A red edge read back at x stands for exactly the columns painted there.
void CheckSpan(const monitor::ColumnSpan& span, std::int64_t x, const FrameGeometry& g) {
    LV_FUZZ_CHECK(EdgeX(span.first, g) == x);
    if (span.first > 0) LV_FUZZ_CHECK(EdgeX(span.first - 1, g) != x);
    if (span.last == monitor::ColumnSpan::kNoLimit) return;
    LV_FUZZ_CHECK(EdgeX(span.last, g) == x);
    LV_FUZZ_CHECK(EdgeX(span.last + 1, g) != x);
}

// A columns frame with left <= right: red from one edge to the other, each
// edge read back as the span of screen columns painted there, which holds
// the one it was painted for.
void CheckColumnsFrame(const std::vector<Colour>& row, std::uint32_t left, std::uint32_t right,
                       const FrameGeometry& g) {
    const DecodedRow d = Decode(row);
    LV_FUZZ_CHECK(d.kind == FrameKind::Columns);
    const std::uint64_t fullRight = std::uint64_t(kFrameCells) * g.cellWidth + 2 + g.extra;
    const bool whole = left < 2 && right > fullRight;
    const std::int64_t from = whole ? g.cellStart[0] : EdgeX(left, g);
    const std::int64_t to = whole ? g.cellStart[kFrameCells] : EdgeX(right, g);
    LV_FUZZ_CHECK(from <= to);
    LV_FUZZ_CHECK(d.hasRed == (from < to));
    if (!d.hasRed) return;
    LV_FUZZ_CHECK(d.redFirst == from);
    LV_FUZZ_CHECK(d.redEnd == to);
    LV_FUZZ_CHECK(d.left.Contains(left));
    LV_FUZZ_CHECK(d.right.Contains(right));
    CheckSpan(d.left, from, g);
    CheckSpan(d.right, to, g);
}

void CheckScreenGivenBack(const fake::FakeScreen& s) {
    LV_FUZZ_CHECK(s.pixelsOffRow == 0);
    LV_FUZZ_CHECK(s.openDCs == 0);
    LV_FUZZ_CHECK(s.pensCreated == s.pensDeleted);
}

struct Faults {
    bool noPens = false;
    bool refuse = false;
    Colour refused = 0;
    bool noDc = false;
    bool Any() const { return noPens || refuse || noDc; }
    void Apply(fake::FakeScreen& s) const {
        s.failPens = noPens;
        if (refuse) s.refusedPens.push_back(refused);
        s.failOpen = noDc;
    }
};

void PaintDirect(std::int32_t width, Mode mode, std::uint32_t a, std::uint32_t b, std::uint16_t flags,
                 const Faults& faults) {
    const bool readable = Readable(width);
    const std::uint32_t w = std::uint32_t(width - 1);
    const FrameGeometry g(w);
    const FramePlan plan = mode == kOff    ? PlanOffFrame(flags, g)
                           : mode == kRows ? PlanRowsFrame(a, b, g)
                                           : PlanColumnsFrame(a, b, g);
    std::vector<Colour> literal;
    if (!faults.Any()) {
        fake::FakeDesktop desk(width, 768);
        PaintFramePlanLiterally(plan, g);
        literal = desk.screen.Row();
    }
    fake::FakeDesktop desk(width, 768);
    faults.Apply(desk.screen);
    switch (mode) {
        case kOff: PaintOffFrame(flags, w); break;
        case kRows: PaintRowsFrame(a, b, w); break;
        default: PaintColumnsFrame(a, b, w); break;
    }
    const fake::FakeScreen& s = desk.screen;
    CheckScreenGivenBack(s);
    LV_FUZZ_CHECK(s.Width() == width);
    if (faults.noPens || faults.noDc) LV_FUZZ_CHECK(s.Row() == s.DesktopRow());
    if (faults.Any()) return;
    LV_FUZZ_CHECK(s.Row() == literal);
    LV_FUZZ_CHECK(s.frames.size() == 1);
    if (!readable) return;
    if (mode == kColumns) {
        if (a <= b) CheckColumnsFrame(s.Row(), a, b, g);
    } else {
        CheckPlainFrame(s.Row(), mode, a, b, flags);
    }
}

// Through the link sender: edges as signed screen coordinates, put in
// unsigned order by the link, then the erase.
void SendThroughLink(std::int32_t width, Mode mode, const Rect& region, const Faults& faults) {
    const bool readable = Readable(width);
    fake::FakeDesktop desk(width, 768);
    faults.Apply(desk.screen);
    {
        CScreenLink link;
        link.SilenceAtExit();
        link.rcRegion = region;
        link.Send(mode == kLinkRegion ? SEND_REGION : SEND_OFF);
        LV_FUZZ_CHECK(link.nLastColumn == std::uint32_t(faults.noDc ? -1 : width - 1));
    }
    const fake::FakeScreen& s = desk.screen;
    CheckScreenGivenBack(s);
    // The pattern never stays on the user's screen.
    LV_FUZZ_CHECK(s.Row() == s.DesktopRow());
    if (faults.Any()) return;
    LV_FUZZ_CHECK(s.frames.size() == (mode == kLinkRegion ? 2u : 1u));
    if (!readable) return;
    if (mode == kLinkOff) {
        CheckPlainFrame(s.frames[0].row, kOff, 0, 0, kOffFlags);
        return;
    }
    std::uint32_t top = std::uint32_t(region.top), bottom = std::uint32_t(region.bottom);
    std::uint32_t left = std::uint32_t(region.left), right = std::uint32_t(region.right);
    if (top > bottom) std::swap(top, bottom);
    if (left > right) std::swap(left, right);
    CheckPlainFrame(s.frames[0].row, kRows, top, bottom, 0);
    CheckColumnsFrame(s.frames[1].row, left, right, FrameGeometry(std::uint32_t(width - 1)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteReader in(data, size);
    const std::int32_t width = std::int32_t(in.U16() % kMaxWidth) + 1;
    const Mode mode = Mode(in.U8() % (kLastMode + 1));
    const std::uint32_t a = in.U32(), b = in.U32(), c = in.U32(), d = in.U32();
    const std::uint16_t flags = in.U16();
    const std::uint8_t f = in.U8();
    Faults faults;
    faults.noPens = (f & 1) != 0;
    faults.refuse = (f & 2) != 0;
    faults.refused = FrameColour((f >> 2) & 7);
    faults.noDc = (f & 0x20) != 0;

    if (mode <= kColumns) {
        PaintDirect(width, mode, a, b, flags, faults);
    } else {
        const Rect region{std::int32_t(a), std::int32_t(b), std::int32_t(c), std::int32_t(d)};
        SendThroughLink(width, mode, region, faults);
    }
    return 0;
}
