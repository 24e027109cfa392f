// Screen painting: the whole-screen device context, solid pens and lines on
// it, asking the desktop to repaint part of the screen, and a frame drawn
// over everything (the selection's rubber band).
#pragma once

#include "platform/types.h"

namespace lv {

// A display monitor: its place on the desktop (the primary monitor's
// top-left corner is (0, 0); one left of or above it has negative
// coordinates), its effective DPI (96 at 100 %) and its display device's
// name, which opens a device context of its own.
constexpr int kMonitorDeviceSize = 32;
struct MonitorInfo {
    Rect rect;
    bool primary = false;
    std::uint32_t dpi = 96;
    char device[kMonitorDeviceSize] = {};
};
constexpr int kMaxMonitors = 16;

// A length given at 96 DPI (100 %) at another DPI, to the nearest pixel.
constexpr std::int32_t ScaleToDpi(std::int32_t at96, std::uint32_t dpi) {
    return std::int32_t((std::int64_t(at96) * dpi + 48) / 96);
}

class IScreen {
public:
    virtual ~IScreen() = default;

    // A device context for the whole screen, opened by the display driver
    // name "DISPLAY". HDc::None when it cannot be opened.
    virtual HDc OpenScreenDC() = 0;
    virtual void CloseScreenDC(HDc dc) = 0;
    // HORZRES: the width of the display in pixels.
    virtual std::int32_t GetHorzRes(HDc dc) = 0;

    // Every monitor, the primary one first, at most `max` of them; 0 when
    // they cannot be read.
    virtual int GetMonitors(MonitorInfo* monitors, int max) = 0;
    // A device context for one monitor, by its device name: its origin is
    // the monitor's top-left corner, its HORZRES the monitor's width.
    // HDc::None when it cannot be opened (a monitor that has gone). Closed
    // with CloseScreenDC.
    virtual HDc OpenMonitorDC(const char* device) = 0;

    // A solid pen one pixel wide. HPen::None when it cannot be made.
    virtual HPen CreateSolidPen(Colour colour) = 0;
    // Selects the pen into the DC and answers the one it replaces.
    virtual HPen SelectPen(HDc dc, HPen pen) = 0;
    virtual void DeletePen(HPen pen) = 0;
    virtual void MoveTo(HDc dc, std::int32_t x, std::int32_t y) = 0;
    // Paints from the pen position up to, not including, (x, y).
    virtual void LineTo(HDc dc, std::int32_t x, std::int32_t y) = 0;

    // RedrawWindow with no window: invalidates a screen rectangle in the
    // desktop and, with kRdwAllChildren, in every window over it.
    virtual void RedrawScreenRect(const Rect& rect, std::uint32_t flags) = 0;

    // The rubber band: GetDC with no window, a PS_INSIDEFRAME pen of the
    // width and colour selected, the mix mode R2_NOTXORPEN; Rectangle with
    // no fill from one corner to the other (in either order) inverts the
    // frame's pixels, so that drawing it twice puts the screen back. Closing
    // deselects and deletes the pen and releases the DC.
    virtual HDc OpenBandDC(std::int32_t penWidth, Colour colour) = 0;
    virtual void DrawBandRect(HDc dc, Point a, Point b) = 0;
    virtual void CloseBandDC(HDc dc) = 0;
};

}  // namespace lv
