// The desk as the monitor emulator sees it: every monitor reads its own top
// row, in its own pixels (x = 0 at its left edge, as wide as it is), with a
// tracker and a desktop watch of its own, and enhances its own region. This
// puts the monitors' readings together: the lines they print and where each
// one's region lies on the desktop.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "monitor/desktop_watch.h"
#include "monitor/message_tracker.h"
#include "platform/types.h"

namespace lv::monitor {

// One monitor: its display device ("\\.\DISPLAY2") and its place in desktop
// pixels (the primary's top-left corner is 0, 0; a monitor left of or above
// it has negative coordinates).
struct DeskMonitor {
    std::string device;
    Rect rect;
    bool primary = false;
};

// The name lines and the legend give a monitor: its device without the
// "\\.\" in front ("DISPLAY2"), with no spaces in it.
std::string MonitorName(const std::string& device);

// Where the region a monitor enhances lies on the desktop: the rows and
// columns it decoded, in its own pixels, moved to its place and cut to it.
// An edge standing for several columns is taken at the first of them, one
// at or past the end of the frame at the monitor's right edge. The
// rectangle starts at the monitor's row 1 at the highest: its row 0 carries
// the link. Empty (all zero) when nothing is enhanced or nothing of it
// lies on the monitor below row 0.
Rect OutlineRect(const Enhancement& enhanced, const Rect& monitor);

class Desk {
public:
    // The monitors now, the primary first. A monitor already watched (the
    // same device) keeps what it has read and enhances, at its new place; a
    // monitor that has gone stops watching at `timeMs` (a frame on its row
    // ends then, and its messages are printed); a new one starts watching.
    // The same monitors again change nothing.
    void SetMonitors(double timeMs, const std::vector<DeskMonitor>& monitors);

    std::size_t Count() const { return watched_.size(); }
    const DeskMonitor& Monitor(std::size_t i) const { return watched_[i].monitor; }

    // One read of monitor `i`'s top row at `timeMs`, x = 0 .. count - 1.
    void Feed(std::size_t i, double timeMs, const Colour* row, std::size_t count);
    // Watching ends: every monitor ends the frame still on its row.
    void Finish(double timeMs);

    // The lines printed since the last call, in order (monitor/README.md):
    // the primary's exactly as lvmon prints them, another monitor's with
    // its name after the time ("2.636 DISPLAY2 region 40 60 700 500"), and
    // a comment line when a monitor other than the primary comes, moves or
    // goes ("# monitor DISPLAY2 left=-1280 top=0 width=1280 height=1024",
    // "# monitor DISPLAY2 gone").
    std::vector<std::string> TakeLines();

    const Enhancement& Enhanced(std::size_t i) const { return watched_[i].tracker.Enhanced(); }
    // Monitor `i`'s region on the desktop (OutlineRect).
    Rect Outline(std::size_t i) const { return OutlineRect(Enhanced(i), Monitor(i).rect); }
    // The last message monitor `i` read, or nullptr before its first.
    const SeenMessage* Last(std::size_t i) const {
        return watched_[i].hasLast ? &watched_[i].last : nullptr;
    }

private:
    struct Watched {
        DeskMonitor monitor;
        MessageTracker tracker;
        DesktopWatch desktop;
        bool hasLast = false;
        SeenMessage last;
    };
    // Moves the monitor's messages and restore events into the lines.
    void Collect(Watched& w);
    void Print(const Watched& w, std::string line);
    void PrintPlace(const DeskMonitor& m);

    std::vector<Watched> watched_;
    std::vector<std::string> lines_;
};

}  // namespace lv::monitor
