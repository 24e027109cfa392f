// Following: every 300 ms the followed window is looked at again. Hidden
// (minimised, or another application in front) it turns the enhancement
// off; back, on; moved, the region goes to the same place in its client
// area; resized or maximised, its whole client area becomes the region;
// gone, following ends.
#include "bar/lv_dlg.h"
#include "bar/tool_bars.h"
#include "link/screen_link.h"
#include "platform/platform.h"
#include "select/follow.h"
#include "select/selection_state.h"
#include "select/steps.h"
#include "select/window_classes.h"

namespace lv {

namespace {

constexpr std::uint32_t kSettleMs = 100;  // a moved or resized window settles
constexpr Rect kGone{0, 0, 0, 0};         // the rectangle of a window that is gone

// The region's place this tick: the screen, or inside an MDI application
// the MDI client's window rectangle as it is now.
Rect TickBounds(const SelectionState& s) {
    IWindows& windows = Windows();
    if (!s.bInMdi) return Rect{0, 0, windows.GetSystemMetrics(kSmCxScreen), windows.GetSystemMetrics(kSmCyScreen)};
    Rect b = windows.GetWindowRect(s.hwndMdiClient);
    if (b.left < 0) b.left = 0;
    if (b.top < 0) b.top = 0;
    return b;
}

// The stored corners on the screen now, the first raised to the bounds'
// top-left and the second lowered to its bottom-right.
Rect PlacedRegion(const SelectionState& s) {
    Point p1 = Windows().ClientToScreen(s.hwndTarget, s.ptClientTL);
    Point p2 = Windows().ClientToScreen(s.hwndTarget, s.ptClientBR);
    const Rect b = TickBounds(s);
    if (p1.x < b.left) p1.x = b.left;
    if (p1.y < b.top) p1.y = b.top;
    if (p2.x > b.right) p2.x = b.right;
    if (p2.y > b.bottom) p2.y = b.bottom;
    return Rect{p1.x, p1.y, p2.x, p2.y};
}

void StoreCurrentRects(SelectionState& s) {
    s.rcLastWindow = Windows().GetWindowRect(s.hwndTarget);
    s.rcLastClient = Windows().GetClientRect(s.hwndTarget);
}

// A suspended ordinary window is back in front. Answers false when an MDI
// document is still minimised, which keeps the program suspended; so does a
// minimised top-level window that kept the foreground, whose client area is
// nowhere on the screen (its region would be sent parked at -32000).
bool Resume(CLvDlg& bar, SelectionState& s) {
    ShowOnlyToolBar(bar.ToolBars(), STATE_ACTIVE);
    if (s.bInMdi && Windows().IsIconic(s.hwndMdiChild)) return false;
    if (Windows().IsIconic(s.hwndTop)) return false;
    CScreenLink& link = TheScreenLink();
    link.rcRegion = PlacedRegion(s);
    link.Send(SEND_REGION);
    bar.TrayIcon().SetIconResource(IDI_TRAY_ACTIVE);
    bar.SetState(STATE_ACTIVE);
    LayOutToolBars(bar.ToolBars());
    return true;
}

// The watched window's show state (step 9), or the top-level frame's while
// the MDI child frame is maximised (step 10): nWatchShow or nFrameShow.
void WatchShowState(CLvDlg& bar, SelectionState& s, HWindow watched, std::int32_t& lastShow, bool frame) {
    IWindows& windows = Windows();
    // A window being minimised can be parked off the screen while its
    // placement still says normal (seen under Wine): its iconic style
    // counts, so that no region is sent for a client area that is nowhere.
    const std::uint32_t show = windows.IsIconic(watched) ? kSwShowMinimized : windows.GetShowCmd(watched);
    switch (show) {
        case kSwShowMaximized: {
            // The watched window waits before its check, the frame after.
            if (!frame) Clock().Sleep(kSettleMs);
            if (lastShow == 1) return;
            lastShow = 1;
            if (frame) Clock().Sleep(kSettleMs);
            Resend(bar, windows.GetWindowRect(s.hwndTarget), windows.GetClientRect(s.hwndTarget), true);
            return;
        }
        case kSwShowMinimized:
            if (lastShow == 2) return;
            lastShow = 2;
            Suspend(bar);
            StoreCurrentRects(s);
            return;
        case kSwShowNormal: {
            Clock().Sleep(kSettleMs);
            lastShow = 0;
            const Rect f = windows.GetWindowRect(s.hwndTarget);
            const Rect g = windows.GetClientRect(s.hwndTarget);
            if (s.bInMdi && !frame) {
                const Rect h = windows.GetWindowRect(s.hwndMdiClient);
                if (f == s.rcLastWindow && h == s.rcMdiClient) return;
                s.rcMdiClient = h;
            } else if (f == s.rcLastWindow) {
                return;
            }
            if (g == s.rcLastClient) {
                Resend(bar, f, g, false);
            } else if (f == kGone) {
                EndFollowing(bar);
            } else {
                Resend(bar, f, g, true);
            }
            return;
        }
        default:  // any other show state is left alone
            return;
    }
}

}  // namespace

void Suspend(CLvDlg& bar) {
    TheScreenLink().Send(SEND_OFF);
    bar.SetState(STATE_SUSPENDED);
    bar.ShowLook(STATE_SUSPENDED);
}

void EndFollowing(CLvDlg& bar) {
    SelectionState& s = TheSelection();
    TheScreenLink().Send(SEND_OFF);
    s.bFollowing = 0;
    bar.SetState(STATE_IDLE);
    bar.KillSelectionTimer();
    bar.ShowLook(STATE_IDLE);
    s.bRegionSent = 0;
    s.bDragging = 0;
}

void Resend(CLvDlg& bar, const Rect& f, const Rect& g, bool whole) {
    SelectionState& s = TheSelection();
    if (whole) {
        s.ptClientTL = Point{0, 0};
        s.ptClientBR = Point{g.right, g.bottom};
    }
    CScreenLink& link = TheScreenLink();
    link.Send(SEND_OFF);
    bar.SetState(STATE_SUSPENDED);
    bar.ShowLook(STATE_SUSPENDED);
    link.rcRegion = PlacedRegion(s);
    link.Send(SEND_REGION);
    s.rcLastWindow = f;
    if (whole) s.rcLastClient = g;
    bar.SetState(STATE_ACTIVE);
    bar.ShowLook(STATE_ACTIVE);
}

void ResendFollowed(CLvDlg& bar) {
    const SelectionState& s = TheSelection();
    Resend(bar, Windows().GetWindowRect(s.hwndTarget), Windows().GetClientRect(s.hwndTarget), false);
}

void FollowTarget(CLvDlg& bar) {
    SelectionState& s = TheSelection();
    IWindows& windows = Windows();
    // Nothing is followed while the user holds a button (dragging the
    // window, say): the move is handled on the first tick after.
    const MouseButtonState buttons = bar.MouseButtons().ReadButtons();
    if (buttons.bLeft || buttons.bRight) return;
    if (windows.GetWindowRect(s.hwndTop) == kGone) return EndFollowing(bar);
    if (s.bInMdi && windows.GetWindowRect(s.hwndTarget) == kGone) return EndFollowing(bar);
    const ClassName c(s.hwndTarget);
    if (c.IsOneOf(kParentTakesOverClasses)) {
        s.hwndTarget = windows.GetParent(s.hwndTarget);
        s.rcLastClient = windows.GetClientRect(s.hwndTarget);
    }
    if (!c.IsOneOf(kPlayerVideoClasses)) {
        // An ordinary window is off while another application is in front,
        // or inside MDI while another document is.
        const bool behind = windows.GetForegroundWindow() != s.hwndTop ||
                            (s.bInMdi && windows.GetTopWindow(s.hwndMdiClient) != s.hwndMdiChild);
        if (behind) {
            if (s.nState == STATE_ACTIVE) Suspend(bar);
            return;
        }
        if (s.nState == STATE_SUSPENDED && !Resume(bar, s)) return;
    }
    if (s.bInMdi) {
        s.bParentZoomed = windows.IsZoomed(s.hwndMdiChild) ? 1 : 0;
        if (!s.bParentZoomed) s.nFrameShow = 0;
        s.hwndWatch = s.hwndMdiChild;
    }
    if (!s.bParentZoomed) {
        WatchShowState(bar, s, s.hwndWatch, s.nWatchShow, false);
    } else if (s.bInMdi) {
        WatchShowState(bar, s, s.hwndTop, s.nFrameShow, true);
    }
}

}  // namespace lv
