#include "monitor/report.h"

#include <cstdarg>
#include <cstdio>

namespace lv::monitor {

namespace {

#if defined(__GNUC__)
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
#endif

std::string Format(const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

double Seconds(double ms) { return ms / 1000.0; }

std::string ColumnsText(const DecodedRow& columns) {
    if (!columns.hasRed) return "none none";
    return ColumnText(columns.left) + " " + ColumnText(columns.right);
}

}  // namespace

std::string ColumnText(const ColumnSpan& span) {
    if (span.last == ColumnSpan::kNoLimit) return Format("%u+", span.first);
    if (span.Exact()) return Format("%u", span.first);
    return Format("%u-%u", span.first, span.last);
}

std::string MessageLine(const SeenMessage& m) {
    const DecodedRow& first = m.frames[0].frame;
    const double t = Seconds(m.firstSeenMs);
    switch (m.kind) {
        case MessageKind::Off:
            return Format("%.3f off", t);
        case MessageKind::Region: {
            const DecodedRow& columns = m.frames[1].frame;
            if (!columns.hasRed) return Format("%.3f region none %u none %u", t, first.top, first.bottom);
            return Format("%.3f region %s %u %s %u", t, ColumnText(columns.left).c_str(), first.top,
                          ColumnText(columns.right).c_str(), first.bottom);
        }
        case MessageKind::RowsOnly:
            return Format("%.3f rows %u %u", t, first.top, first.bottom);
        case MessageKind::ColumnsOnly:
            return Format("%.3f columns %s", t, ColumnsText(first).c_str());
    }
    return {};
}

std::string FrameLine(const SeenFrame& f) {
    const double t = Seconds(f.firstSeenMs);
    switch (f.frame.kind) {
        case FrameKind::Off:
            return Format("%.3f frame off %.1f %06X", t, f.shownMs, f.frame.header);
        case FrameKind::Rows:
            return Format("%.3f frame rows %.1f %u %u", t, f.shownMs, f.frame.top, f.frame.bottom);
        case FrameKind::Columns:
            if (!f.frame.hasRed) return Format("%.3f frame columns %.1f none none", t, f.shownMs);
            return Format("%.3f frame columns %.1f %d %d", t, f.shownMs, f.frame.redFirst, f.frame.redEnd);
        case FrameKind::None:
            break;
    }
    return {};
}

std::string RestoreLine(const RestoreEvent& e) {
    if (!e.restored) return Format("%.3f unrestored", Seconds(e.framesLeftMs));
    return Format("%.3f restored %.1f", Seconds(e.framesLeftMs), e.atMs - e.framesLeftMs);
}

}  // namespace lv::monitor
