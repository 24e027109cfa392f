// Detection: while the program is idle after start-up, every 1.5 s it looks
// for a running media player's video window by its class and, when it finds
// one, enhances it and starts following it, without a click.
#include "bar/lv_dlg.h"
#include "link/screen_link.h"
#include "platform/platform.h"
#include "select/region.h"
#include "select/selection_state.h"
#include "select/steps.h"
#include "select/window_classes.h"

namespace lv {

namespace {

constexpr std::int64_t kScanStep = 10;  // pixels between samples of the middle row

// The second player: a video window two levels under its main window, with
// the two classes in either order. A missing window makes the next lookup
// search the top-level windows, as FindWindowEx does.
HWindow FindGeminiVideo() {
    IWindows& windows = Windows();
    const HWindow g = windows.FindWindow(kGeminiClass);
    const HWindow c = windows.FindWindowEx(g, kVideoWindowControlClass);
    if (!IsNone(c)) return windows.FindWindowEx(c, kVideoControlWindowClass);
    return windows.FindWindowEx(windows.FindWindowEx(g, kVideoControlWindowClass), kVideoWindowControlClass);
}

// The first player's video window, under its skin host or on the middle row
// of its main window P, sampled every 10 pixels from its left edge.
HWindow FindWmpVideo(HWindow p) {
    IWindows& windows = Windows();
    const HWindow host = windows.FindWindow(kWmpSkinHostClass);
    if (!IsNone(host)) {
        const HWindow video = windows.FindWindowEx(host, kWmpVideoClass);
        if (!IsNone(video)) return video;
    }
    const Rect r = windows.GetWindowRect(p);
    // 64 bits: far edges must not overflow the sum or the last step.
    const std::int32_t y = std::int32_t((std::int64_t(r.top) + r.bottom) / 2);
    HWindow last = HWindow::None;
    bool accepted = false;
    for (std::int64_t x = r.left; x < r.right;) {
        x += kScanStep;
        last = windows.WindowFromPoint(Point{std::int32_t(x), y});
        const ClassName c(last);
        accepted = c.Is(kVideoRendererClass) || c.Is(kWmpVideoClass);
        if (accepted || c.Is(kVideoWindowControlClass)) break;
    }
    return accepted ? last : HWindow::None;
}

// The video window V is found: its window rectangle becomes the region,
// clamped to the screen as a click's is, and following starts. The corners
// kept for following are the whole window's, so that the part past an edge
// comes on when the player is moved back.
void TakeVideoWindow(CLvDlg& bar, HWindow v) {
    SelectionState& s = TheSelection();
    IWindows& windows = Windows();
    const Rect f = windows.GetWindowRect(v);
    s.bInMdi = 0;
    const Rect region = ClampRegion(s, f);
    TheScreenLink().Send(SEND_OFF);
    if (!IsEmptyRegion(region)) SendRegionOrOff(region);
    s.bAutoDetect = 0;
    bar.SetState(STATE_ACTIVE);
    s.bRegionSent = 1;
    s.bFollowing = 1;
    bar.ShowLook(STATE_ACTIVE);
    s.hwndTarget = v;
    s.hwndTop = OutermostAncestor(v);
    s.hwndWatch = s.hwndTop;
    bar.RestartSelectionTimer(kFollowPeriodMs);
    s.rcLastWindow = f;
    s.rcLastClient = windows.GetClientRect(v);
    s.ptClientTL = windows.ScreenToClient(v, Point{f.left, f.top});
    s.ptClientBR = windows.ScreenToClient(v, Point{f.right, f.bottom});
}

}  // namespace

void DetectVideoWindow(CLvDlg& bar) {
    const HWindow p = Windows().FindWindow(kWmpAppClass);
    const HWindow v = IsNone(p) ? FindGeminiVideo() : FindWmpVideo(p);
    // Nothing found changes nothing: the next 1500 ms tick looks again.
    if (!IsNone(v)) TakeVideoWindow(bar, v);
}

}  // namespace lv
