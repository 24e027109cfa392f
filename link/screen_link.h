// The link to the monitor: paints one message on screen row 0, holds it for
// its time, then has the desktop repaint the top rows. With several
// monitors, a region goes to the top row of the monitor that shows it (the
// one holding most of it), in that monitor's own pixels and clipped to it;
// an off frame goes to the monitor that was sent the last region.
#pragma once

#include <cstdint>

#include "platform/screen.h"
#include "platform/types.h"

namespace lv {

enum SendMode : std::uint32_t {
    SEND_OFF = 1,     // the off frame
    SEND_REGION = 2,  // rows frame, pause, columns frame
};

class CScreenLink {
public:
    CScreenLink() = default;
    // The off frame once more: the monitor must not keep enhancing a region
    // of a program that has ended.
    ~CScreenLink();
    CScreenLink(const CScreenLink&) = delete;
    CScreenLink& operator=(const CScreenLink&) = delete;

    // Paints one message and returns once the repaint has been asked for:
    // 200 ms for SEND_OFF, 250 ms for SEND_REGION, on the calling thread.
    void Send(std::uint32_t mode);
    // The off frame on the primary monitor and on every other monitor that
    // was sent a region since start-up: the program is ending.
    void SendOffEverywhere();
    // Forgets which monitors were sent regions, as at start-up.
    void ForgetMonitors() {
        sentRegion_ = false;
        sentCount_ = 0;
    }
    // Reads HORZRES of the monitor painted next into nLastColumn.
    void MeasureScreen();
    // Destruction then paints nothing: a copy of the program that found
    // another one running must leave the monitor to that one.
    void SilenceAtExit() { silent_ = true; }
    bool IsSilencedAtExit() const { return silent_; }

    std::uint32_t nDelay = 50;  // the pause unit, ms
    Rect rcRegion;              // the region the next SEND_REGION paints
    std::uint32_t nLastColumn = 0;

private:
    // On a desk of several monitors a region is clipped to its monitor.
    void PaintOn(const MonitorInfo& monitor, std::uint32_t mode, bool severalMonitors);
    void EraseTopRows();
    // The monitor a send paints on; its device, or none for the primary
    // (the display's own DC, as on a desktop of one monitor).
    const char* Device() const { return target_.primary ? nullptr : target_.device; }
    void NoteSent(const MonitorInfo& monitor);

    bool silent_ = false;
    MonitorInfo target_{Rect{}, true};
    MonitorInfo lastRegion_;  // the monitor the last region went to
    bool sentRegion_ = false;
    // Monitors other than the primary that were sent a region, by device.
    char sentDevices_[kMaxMonitors][kMonitorDeviceSize] = {};
    int sentCount_ = 0;
};

// The flags the erase uses: invalidating alone would leave the desktop
// background and window frames under row 0 unpainted, and the pattern on the
// screen.
constexpr std::uint32_t kEraseFlags = 0x0001 | 0x0080 | 0x0004 | 0x0400;
constexpr std::int32_t kEraseRows = 5;

// The program's one link, alive from static initialisation to process exit.
CScreenLink& TheScreenLink();

}  // namespace lv
