// Each monitor of the desk with its own tracker and desktop watch.
#include "monitor/desk.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "monitor/report.h"
#include "monitor/row_decoder.h"

namespace lv::monitor {

std::string MonitorName(const std::string& device) {
    static const std::string kPrefix = "\\\\.\\";
    std::string name = device.compare(0, kPrefix.size(), kPrefix) == 0 ? device.substr(kPrefix.size()) : device;
    std::replace(name.begin(), name.end(), ' ', '_');
    return name.empty() ? "monitor" : name;
}

Rect OutlineRect(const Enhancement& e, const Rect& monitor) {
    if (!e.active || !e.columns.hasRed) return Rect{};
    const std::int64_t width = monitor.Width();
    const std::int64_t height = monitor.Height();
    const ColumnSpan& leftEdge = e.columns.left;
    const ColumnSpan& rightEdge = e.columns.right;
    const std::int64_t left = leftEdge.first;
    const std::int64_t right =
        rightEdge.last == ColumnSpan::kNoLimit ? width : std::min<std::int64_t>(rightEdge.first, width);
    const std::int64_t top = std::max<std::int64_t>(e.top, 1);
    const std::int64_t bottom = std::min<std::int64_t>(e.bottom, height);
    if (right <= left || bottom <= top) return Rect{};
    return Rect{monitor.left + std::int32_t(left), monitor.top + std::int32_t(top), monitor.left + std::int32_t(right),
                monitor.top + std::int32_t(bottom)};
}

void Desk::SetMonitors(double timeMs, const std::vector<DeskMonitor>& monitors) {
    std::vector<bool> kept(watched_.size(), false);
    std::vector<Watched> next;
    next.reserve(monitors.size());
    for (const DeskMonitor& m : monitors) {
        std::size_t i = 0;
        while (i < watched_.size() && (kept[i] || watched_[i].monitor.device != m.device)) ++i;
        if (i < watched_.size()) {
            kept[i] = true;
            const DeskMonitor& was = watched_[i].monitor;
            const bool moved = was.rect != m.rect || was.primary != m.primary;
            next.push_back(std::move(watched_[i]));
            if (moved && !m.primary) PrintPlace(m);
        } else {
            next.emplace_back();
            if (!m.primary) PrintPlace(m);
        }
        next.back().monitor = m;
    }
    for (std::size_t i = 0; i < watched_.size(); ++i) {
        if (kept[i]) continue;
        Watched& gone = watched_[i];
        gone.tracker.Finish(timeMs);
        Collect(gone);
        if (!gone.monitor.primary) lines_.push_back("# monitor " + MonitorName(gone.monitor.device) + " gone");
    }
    watched_ = std::move(next);
}

void Desk::Feed(std::size_t i, double timeMs, const Colour* row, std::size_t count) {
    Watched& w = watched_[i];
    w.tracker.Feed(timeMs, DecodeRow(row, count));
    w.desktop.Feed(timeMs, row, count, w.tracker.FrameShown());
    Collect(w);
}

void Desk::Finish(double timeMs) {
    for (Watched& w : watched_) {
        w.tracker.Finish(timeMs);
        Collect(w);
    }
}

std::vector<std::string> Desk::TakeLines() {
    std::vector<std::string> out;
    out.swap(lines_);
    return out;
}

void Desk::Collect(Watched& w) {
    for (const SeenMessage& m : w.tracker.TakeMessages()) {
        Print(w, MessageLine(m));
        for (int f = 0; f < m.frameCount; ++f) Print(w, FrameLine(m.frames[f]));
        w.last = m;
        w.hasLast = true;
    }
    for (const RestoreEvent& e : w.desktop.TakeEvents()) Print(w, RestoreLine(e));
}

// The primary's lines as a desk of one monitor prints them; another's name
// goes after the time, so that a reader of the primary's lines skips it.
void Desk::Print(const Watched& w, std::string line) {
    if (!w.monitor.primary) {
        const std::size_t space = line.find(' ');
        line.insert(space == std::string::npos ? line.size() : space + 1, MonitorName(w.monitor.device) + " ");
    }
    lines_.push_back(std::move(line));
}

void Desk::PrintPlace(const DeskMonitor& m) {
    char line[160];
    std::snprintf(line, sizeof line, "# monitor %s left=%d top=%d width=%d height=%d", MonitorName(m.device).c_str(),
                  int(m.rect.left), int(m.rect.top), int(m.rect.Width()), int(m.rect.Height()));
    lines_.push_back(line);
}

}  // namespace lv::monitor
