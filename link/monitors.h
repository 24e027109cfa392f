// The desktop's monitors, and which of them shows a region. Each monitor
// decodes its own top row, so a region goes to one monitor, in that
// monitor's own pixels.
#pragma once

#include "platform/screen.h"
#include "platform/types.h"

namespace lv {

struct MonitorList {
    MonitorInfo at[kMaxMonitors];
    int count = 0;
};

// The monitors now, the primary first. When the system will not say, the
// primary screen as the system metrics give it.
MonitorList ReadMonitors();

// The monitor that shows a region: the one holding most of it (its corners
// in either order); when none holds any of it, the nearest one.
MonitorInfo MonitorOfRegion(const Rect& region);
// The same among monitors already read.
MonitorInfo MonitorOfRegion(const MonitorList& monitors, const Rect& region);
// The monitor under a point; the nearest one when none is.
MonitorInfo MonitorAt(Point pt);

// The corners put in order: left <= right, top <= bottom.
Rect Ordered(const Rect& r);

}  // namespace lv
