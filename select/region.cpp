#include "select/region.h"

#include <algorithm>

#include "link/monitors.h"
#include "link/screen_link.h"
#include "platform/platform.h"

namespace lv {

namespace {
std::int32_t Within(std::int32_t v, std::int32_t low, std::int32_t high) { return std::max(low, std::min(v, high)); }
}  // namespace

Rect RegionBounds(const SelectionState& s, const Rect& region) {
    Rect b = MonitorOfRegion(region).rect;
    if (!s.bInMdi) return b;
    const Rect mdi = Windows().GetWindowRect(s.hwndMdiClient);
    b.left = std::max(b.left, mdi.left);
    b.top = std::max(b.top, mdi.top);
    b.right = std::min(b.right, mdi.right);
    b.bottom = std::min(b.bottom, mdi.bottom);
    // An MDI client wholly off the screen leaves nothing.
    if (b.right < b.left) b.right = b.left;
    if (b.bottom < b.top) b.bottom = b.top;
    return b;
}

Rect ClampRegion(const SelectionState& s, const Rect& region) {
    return ClampToBounds(region, RegionBounds(s, region));
}

Rect ClampToBounds(const Rect& r, const Rect& b) {
    return Rect{Within(r.left, b.left, b.right), Within(r.top, b.top, b.bottom), Within(r.right, b.left, b.right),
                Within(r.bottom, b.top, b.bottom)};
}

void SendRegionUnlessEmpty(const Rect& region) {
    if (!IsEmptyRegion(region)) SendRegionOrOff(region);
}

void SendOffThenRegion(const Rect& region) {
    TheScreenLink().Send(SEND_OFF);
    SendRegionUnlessEmpty(region);
}

void SendRegionOrOff(const Rect& region) {
    CScreenLink& link = TheScreenLink();
    if (IsEmptyRegion(region)) {
        link.Send(SEND_OFF);
        return;
    }
    link.rcRegion = region;
    link.Send(SEND_REGION);
}

}  // namespace lv
