// The link sender and the program's one global link.
#include "link/screen_link.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "link/line_code.h"
#include "platform/platform.h"

namespace lv {

static_assert(kEraseFlags == (kRdwInvalidate | kRdwAllChildren | kRdwErase | kRdwFrame),
              "erase flags");

CScreenLink::~CScreenLink() {
    // During process exit the platform may already be gone in a test binary.
    if (silent_) return;
    if (Platform().screen != nullptr && Platform().clock != nullptr && Platform().system != nullptr) {
        Send(SEND_OFF);
    }
}

void CScreenLink::MeasureScreen() {
    IScreen& screen = Screen();
    const HDc dc = screen.OpenScreenDC();
    // No DC: HORZRES reads as 0, as GetDeviceCaps answers for a null DC.
    const std::int32_t horzRes = IsNone(dc) ? 0 : screen.GetHorzRes(dc);
    nLastColumn = std::uint32_t(horzRes) - 1;
    if (!IsNone(dc)) screen.CloseScreenDC(dc);
}

void CScreenLink::Send(std::uint32_t mode) {
    IClock& clock = Clock();
    clock.Sleep(nDelay);
    clock.Sleep(nDelay);
    MeasureScreen();
    if (mode == SEND_REGION) {
        // Ordered as unsigned numbers: a negative edge sorts after every
        // non-negative one and enters the frame with its two's-complement bits.
        std::uint32_t top = std::uint32_t(rcRegion.top);
        std::uint32_t bottom = std::uint32_t(rcRegion.bottom);
        std::uint32_t left = std::uint32_t(rcRegion.left);
        std::uint32_t right = std::uint32_t(rcRegion.right);
        if (top > bottom) std::swap(top, bottom);
        if (left > right) std::swap(left, right);
        char line[96];
        std::snprintf(line, sizeof line, "lumivane: send region %d %d %d %d", rcRegion.left, rcRegion.top,
                      rcRegion.right, rcRegion.bottom);
        System().Trace(line);
        PaintRowsFrame(top, bottom, nLastColumn);
        clock.Sleep(nDelay);
        PaintColumnsFrame(left, right, nLastColumn);
    } else if (mode == SEND_OFF) {
        System().Trace("lumivane: send off");
        PaintOffFrame(kOffFlags, nLastColumn);
    }
    clock.Sleep(nDelay);
    clock.Sleep(nDelay);
    EraseTopRows();
}

void CScreenLink::EraseTopRows() {
    IScreen& screen = Screen();
    const HDc dc = screen.OpenScreenDC();
    // The width is read again: the screen may have changed since the paint.
    Rect rect;
    if (!IsNone(dc)) {
        rect.right = screen.GetHorzRes(dc);
        rect.bottom = kEraseRows;
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
