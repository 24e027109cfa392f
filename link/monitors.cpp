#include "link/monitors.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/constants.h"
#include "platform/platform.h"

namespace lv {

namespace {

std::int64_t OverlapArea(const Rect& a, const Rect& b) {
    const std::int64_t w = std::int64_t(std::min(a.right, b.right)) - std::max(a.left, b.left);
    const std::int64_t h = std::int64_t(std::min(a.bottom, b.bottom)) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// How far a rectangle lies from another along both axes, squared.
std::int64_t Distance2(const Rect& a, const Rect& b) {
    const std::int64_t dx = std::max<std::int64_t>({0, std::int64_t(b.left) - a.right, std::int64_t(a.left) - b.right});
    const std::int64_t dy = std::max<std::int64_t>({0, std::int64_t(b.top) - a.bottom, std::int64_t(a.top) - b.bottom});
    return dx * dx + dy * dy;
}

}  // namespace

Rect Ordered(const Rect& r) {
    return Rect{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                std::max(r.top, r.bottom)};
}

MonitorList ReadMonitors() {
    MonitorList list;
    list.count = Screen().GetMonitors(list.at, kMaxMonitors);
    if (list.count <= 0) {
        list.count = 1;
        MonitorInfo& primary = list.at[0];
        primary = MonitorInfo{};
        primary.rect = Rect{0, 0, Windows().GetSystemMetrics(kSmCxScreen), Windows().GetSystemMetrics(kSmCyScreen)};
        primary.primary = true;
    }
    return list;
}

MonitorInfo MonitorOfRegion(const Rect& region) { return MonitorOfRegion(ReadMonitors(), region); }

MonitorInfo MonitorOfRegion(const MonitorList& list, const Rect& region) {
    const Rect r = Ordered(region);
    int best = 0;
    std::int64_t bestArea = 0;
    for (int i = 0; i < list.count; ++i) {
        const std::int64_t area = OverlapArea(r, list.at[i].rect);
        if (area > bestArea) {
            bestArea = area;
            best = i;
        }
    }
    if (bestArea > 0) return list.at[best];
    // A line or a point, or nothing on any monitor: the nearest.
    for (int i = 1; i < list.count; ++i) {
        if (Distance2(r, list.at[i].rect) < Distance2(r, list.at[best].rect)) best = i;
    }
    return list.at[best];
}

MonitorInfo MonitorAt(Point pt) { return MonitorOfRegion(Rect{pt.x, pt.y, pt.x + 1, pt.y + 1}); }

}  // namespace lv
