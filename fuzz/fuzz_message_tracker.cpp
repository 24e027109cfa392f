// Fuzz target: the monitor's message tracker (and the desktop watch beside
// it) fed any sequence of samples: frames the real painters leave on row 0,
// damaged or not, the desktop's row, made-up decoded rows, and times that
// jump, go back, or are not numbers at all.
//
// Checked: every message is one of the four shapes with frames of the right
// kinds, a region's columns frame within the link's timing of its rows
// frame; what is enhanced is a columns frame, and nothing once an off frame
// comes; a frame shows exactly while the last sample carried one; and once
// watching ends, every frame that came onto the row is in exactly one
// message.
//
// Input: records until the input ends, each u8 time code (see NextTime),
// u8 sample kind and its fields (see the switch below).
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "link/line_code.h"
#include "monitor/desktop_watch.h"
#include "monitor/message_tracker.h"
#include "monitor/report.h"
#include "monitor/row_decoder.h"
#include "platform/fake/fake_desktop.h"

namespace {

using namespace lv;
using fuzz::ByteReader;
using monitor::DecodedRow;
using monitor::FrameKind;
using monitor::MessageKind;
using monitor::SeenMessage;

constexpr std::int32_t kWidths[] = {102, 200, 640, 1024, 1366, 1920};
constexpr int kMaxRecords = 2000;

double NextTime(ByteReader& in, double now) {
    const std::uint8_t code = in.U8();
    if (code < 200) return now + code;  // the usual: a sample every few ms
    switch (code) {
        case 200: return now + 1e9;
        case 201: return now - in.U16();  // a clock that went back
        case 202: return std::numeric_limits<double>::quiet_NaN();
        case 203: return std::numeric_limits<double>::infinity();
        case 204: return -std::numeric_limits<double>::infinity();
        case 205: return 1e300;
        case 206: return -1e300;
        case 207: return std::numeric_limits<double>::denorm_min();
        default: return now + in.U16();
    }
}

// A frame as the painters leave it on a screen of one of the widths, with
// up to three pixels changed.
std::vector<Colour> PaintedRow(ByteReader& in) {
    const std::uint8_t kind = in.U8() % 3;
    const std::uint32_t a = in.U32(), b = in.U32();
    const std::int32_t width = kWidths[in.U8() % std::size(kWidths)];
    const std::uint32_t w = std::uint32_t(width - 1);
    fake::FakeDesktop desk(width, 768);
    if (kind == 0) PaintOffFrame(std::uint16_t(a), w);
    if (kind == 1) PaintRowsFrame(a, b, w);
    if (kind == 2) PaintColumnsFrame(a, b, w);
    std::vector<Colour> row = desk.screen.Row();
    for (int pokes = in.U8() % 4; pokes > 0; --pokes) {
        const std::size_t x = in.U16() % row.size();
        row[x] = in.U32() & 0xFFFFFF;
    }
    return row;
}

std::vector<Colour> DesktopRow(ByteReader& in) {
    const std::int32_t width = kWidths[in.U8() % std::size(kWidths)];
    std::vector<Colour> row(static_cast<std::size_t>(width));
    for (std::int32_t x = 0; x < width; ++x) row[std::size_t(x)] = fake::DesktopColourAt(x);
    return row;
}

// Any decoded row the tracker could be handed, valid or not.
DecodedRow MadeUpRow(ByteReader& in) {
    DecodedRow d;
    d.kind = FrameKind(in.U8() % 4);
    d.fault = d.kind == FrameKind::None ? monitor::RowFault(1 + in.U8() % 5) : monitor::RowFault::None;
    d.header = in.U32();
    d.top = in.U32();
    d.bottom = in.U32();
    d.hasRed = (in.U8() & 1) != 0;
    d.redFirst = std::int32_t(in.U32());
    d.redEnd = std::int32_t(in.U32());
    d.left = monitor::ColumnSpan{in.U32(), in.U32()};
    d.right = monitor::ColumnSpan{in.U32(), in.U32()};
    return d;
}

struct Observer {
    monitor::MessageTracker tracker;
    monitor::DesktopWatch desktop;
    bool shown = false;
    DecodedRow current;
    long framesStarted = 0;
    long framesReported = 0;

    void Feed(double t, const DecodedRow& d, const std::vector<Colour>& pixels) {
        const long startedBefore = framesStarted;
        if (d.Valid() && !(shown && d.SameFrame(current))) {
            ++framesStarted;
            current = d;
        }
        shown = d.Valid();
        const bool offStarts = d.kind == FrameKind::Off && framesStarted != startedBefore;
        tracker.Feed(t, d);
        LV_FUZZ_CHECK(tracker.FrameShown() == d.Valid());
        // An off frame ends whatever the monitor enhances, at once.
        if (offStarts) LV_FUZZ_CHECK(!tracker.Enhanced().active);
        desktop.Feed(t, pixels.data(), pixels.size(), tracker.FrameShown());
        Collect();
    }

    void Collect() {
        for (const SeenMessage& m : tracker.TakeMessages()) CheckMessage(m);
        for (const monitor::RestoreEvent& e : desktop.TakeEvents()) {
            LV_FUZZ_CHECK(!monitor::RestoreLine(e).empty());
        }
        const monitor::Enhancement& e = tracker.Enhanced();
        if (e.active) LV_FUZZ_CHECK(e.columns.kind == FrameKind::Columns);
    }

    void CheckMessage(const SeenMessage& m) {
        auto kindOf = [&](int i) { return m.frames[i].frame.kind; };
        switch (m.kind) {
            case MessageKind::Off:
                LV_FUZZ_CHECK(m.frameCount == 1 && kindOf(0) == FrameKind::Off);
                break;
            case MessageKind::Region:
                LV_FUZZ_CHECK(m.frameCount == 2 && kindOf(0) == FrameKind::Rows && kindOf(1) == FrameKind::Columns);
                // Not "<=": a time that is not a number pairs, as no wait is
                // known to be too long.
                LV_FUZZ_CHECK(!(m.frames[1].firstSeenMs - m.frames[0].firstSeenMs > monitor::kMaxRowsToColumnsMs));
                break;
            case MessageKind::RowsOnly:
                LV_FUZZ_CHECK(m.frameCount == 1 && kindOf(0) == FrameKind::Rows);
                break;
            case MessageKind::ColumnsOnly:
                LV_FUZZ_CHECK(m.frameCount == 1 && kindOf(0) == FrameKind::Columns);
                break;
            default:
                LV_FUZZ_CHECK(false);
        }
        LV_FUZZ_CHECK(!monitor::MessageLine(m).empty());
        for (int i = 0; i < m.frameCount; ++i) LV_FUZZ_CHECK(!monitor::FrameLine(m.frames[i]).empty());
        framesReported += m.frameCount;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteReader in(data, size);
    Observer watch;
    double t = 0;
    std::vector<Colour> pixels(16, 0);
    DecodedRow last;
    for (int records = 0; in.Left() > 0 && records < kMaxRecords; ++records) {
        t = NextTime(in, t);
        switch (in.U8() % 4) {
            case 0:
                pixels = PaintedRow(in);
                last = monitor::DecodeRow(pixels.data(), pixels.size());
                break;
            case 1:
                pixels = DesktopRow(in);
                last = monitor::DecodeRow(pixels.data(), pixels.size());
                break;
            case 2:
                last = MadeUpRow(in);
                break;
            default:
                break;  // the same sample again: a frame stays on the row
        }
        watch.Feed(t, last, pixels);
    }
    watch.tracker.Finish(NextTime(in, t));
    watch.Collect();
    LV_FUZZ_CHECK(!watch.tracker.FrameShown());
    LV_FUZZ_CHECK(watch.framesReported == watch.framesStarted);
    return 0;
}
