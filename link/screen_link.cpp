// The link sender and the program's one global link.
#include "link/screen_link.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "link/line_code.h"
#include "link/monitors.h"
#include "platform/platform.h"

namespace lv {

static_assert(kEraseFlags == (kRdwInvalidate | kRdwAllChildren | kRdwErase | kRdwFrame),
              "erase flags");

CScreenLink::~CScreenLink() {
    // During process exit the platform may already be gone in a test binary.
    if (silent_) return;
    if (Platform().screen != nullptr && Platform().clock != nullptr && Platform().system != nullptr) {
        SendOffEverywhere();
    }
}

void CScreenLink::MeasureScreen() {
    IScreen& screen = Screen();
    const HDc dc = Device() != nullptr ? screen.OpenMonitorDC(Device()) : screen.OpenScreenDC();
    // No DC: HORZRES reads as 0, as GetDeviceCaps answers for a null DC.
    const std::int32_t horzRes = IsNone(dc) ? 0 : screen.GetHorzRes(dc);
    nLastColumn = std::uint32_t(horzRes) - 1;
    if (!IsNone(dc)) screen.CloseScreenDC(dc);
}

// The monitors are read once a send.
void CScreenLink::Send(std::uint32_t mode) {
    const MonitorList now = ReadMonitors();
    const bool several = now.count > 1;
    if (mode == SEND_REGION) {
        PaintOn(MonitorOfRegion(now, rcRegion), mode, several);
        return;
    }
    // Off where the last region went; that monitor gone, on the primary.
    MonitorInfo where = now.at[0];
    for (int i = 0; sentRegion_ && i < now.count; ++i) {
        if (std::strcmp(now.at[i].device, lastRegion_.device) == 0) where = now.at[i];
    }
    PaintOn(where, mode, several);
}

void CScreenLink::SendOffEverywhere() {
    const MonitorList now = ReadMonitors();
    PaintOn(now.at[0], SEND_OFF, now.count > 1);
    for (int i = 1; i < now.count; ++i) {
        for (int j = 0; j < sentCount_; ++j) {
            if (std::strcmp(now.at[i].device, sentDevices_[j]) == 0) PaintOn(now.at[i], SEND_OFF, true);
        }
    }
}

void CScreenLink::NoteSent(const MonitorInfo& monitor) {
    lastRegion_ = monitor;
    sentRegion_ = true;
    if (monitor.primary) return;
    for (int j = 0; j < sentCount_; ++j) {
        if (std::strcmp(sentDevices_[j], monitor.device) == 0) return;
    }
    if (sentCount_ < kMaxMonitors) std::memcpy(sentDevices_[sentCount_++], monitor.device, kMonitorDeviceSize);
}

void CScreenLink::PaintOn(const MonitorInfo& monitor, std::uint32_t mode, bool severalMonitors) {
    target_ = monitor;
    IClock& clock = Clock();
    clock.Sleep(nDelay);
    clock.Sleep(nDelay);
    MeasureScreen();
    if (mode == SEND_REGION) {
        NoteSent(monitor);
        // In the monitor's own pixels; on a desktop of several monitors,
        // clipped to the one that shows it.
        Rect r = rcRegion;
        if (severalMonitors) {
            const Rect m = monitor.rect;
            r = Rect{std::clamp(r.left, m.left, m.right) - m.left, std::clamp(r.top, m.top, m.bottom) - m.top,
                     std::clamp(r.right, m.left, m.right) - m.left, std::clamp(r.bottom, m.top, m.bottom) - m.top};
        }
        // Ordered as unsigned numbers: a negative edge sorts after every
        // non-negative one and enters the frame with its two's-complement bits.
        std::uint32_t top = std::uint32_t(r.top);
        std::uint32_t bottom = std::uint32_t(r.bottom);
        std::uint32_t left = std::uint32_t(r.left);
        std::uint32_t right = std::uint32_t(r.right);
        if (top > bottom) std::swap(top, bottom);
        if (left > right) std::swap(left, right);
        char line[96 + kMonitorDeviceSize];
        std::snprintf(line, sizeof line, "lumivane: send region %d %d %d %d%s%s", rcRegion.left, rcRegion.top,
                      rcRegion.right, rcRegion.bottom, monitor.primary ? "" : " on ",
                      monitor.primary ? "" : monitor.device);
        System().Trace(line);
        PaintRowsFrame(top, bottom, nLastColumn, Device());
        clock.Sleep(nDelay);
        PaintColumnsFrame(left, right, nLastColumn, Device());
    } else if (mode == SEND_OFF) {
        char line[32 + kMonitorDeviceSize];
        std::snprintf(line, sizeof line, "lumivane: send off%s%s", monitor.primary ? "" : " on ",
                      monitor.primary ? "" : monitor.device);
        System().Trace(line);
        PaintOffFrame(kOffFlags, nLastColumn, Device());
    }
    clock.Sleep(nDelay);
    clock.Sleep(nDelay);
    EraseTopRows();
}

void CScreenLink::EraseTopRows() {
    IScreen& screen = Screen();
    const HDc dc = Device() != nullptr ? screen.OpenMonitorDC(Device()) : screen.OpenScreenDC();
    // The width is read again: the screen may have changed since the paint.
    // The rows are the top ones of the monitor painted, in desktop pixels.
    Rect rect;
    if (!IsNone(dc)) {
        rect.left = target_.primary ? 0 : target_.rect.left;
        rect.top = target_.primary ? 0 : target_.rect.top;
        rect.right = rect.left + screen.GetHorzRes(dc);
        rect.bottom = rect.top + kEraseRows;
    }
    screen.RedrawScreenRect(rect, kEraseFlags);
    if (!IsNone(dc)) screen.CloseScreenDC(dc);
}

namespace {
// Constructed during static initialisation; its destructor paints the off
// frame during process exit, after the main window has gone.
CScreenLink g_theLink;
}  // namespace

CScreenLink& TheScreenLink() { return g_theLink; }

}  // namespace lv
