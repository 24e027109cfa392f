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
#include "select/players.h"
#include "select/region.h"
#include "select/selection_state.h"
#include "select/steps.h"
#include "select/window_classes.h"

namespace lv {

namespace {

constexpr std::uint32_t kSettleMs = 100;  // a moved or resized window settles
constexpr Rect kGone{0, 0, 0, 0};         // the rectangle of a window that is gone

// The stored corners on the screen now, each brought inside the bounds.
Rect PlacedRegion(const SelectionState& s) {
    const Point p1 = Windows().ClientToScreen(s.hwndTarget, s.ptClientTL);
    const Point p2 = Windows().ClientToScreen(s.hwndTarget, s.ptClientBR);
    return ClampRegion(s, Rect{p1.x, p1.y, p2.x, p2.y});
}

// Minimised: the window rectangle is the parked caption, so that the
// restore is seen as a move; the client rectangle stays the one the region
// was sent for (a minimised window has none), so that the restore keeps the
// region where it was in the client area, a dragged rectangle included.
void NoteMinimised(SelectionState& s) { s.rcLastWindow = Windows().GetWindowRect(s.hwndTarget); }

// A suspended ordinary window is back in front. Answers false when an MDI
// document is still minimised, which keeps the program suspended; so does a
// minimised top-level window that kept the foreground, whose client area is
// nowhere on the screen (its region would be sent parked at -32000).
bool Resume(CLvDlg& bar, SelectionState& s) {
    IWindows& windows = Windows();
    ShowOnlyToolBar(bar.ToolBars(), STATE_ACTIVE);
    if (s.bInMdi && windows.IsIconic(s.hwndMdiChild)) return false;
    if (windows.IsIconic(s.hwndTop)) return false;
    SendRegionOrOff(PlacedRegion(s));
    bar.SetTrayIconResource(IDI_TRAY_ACTIVE);
    bar.SetState(STATE_ACTIVE);
    bar.ReLayToolBars();
    // The region just sent is where the window is now: unless its client
    // area changed size meanwhile, there is nothing to send again.
    if (windows.GetClientRect(s.hwndTarget) == s.rcLastClient) s.rcLastWindow = windows.GetWindowRect(s.hwndTarget);
    return true;
}

// The player's video window hands following over to its parent, on the
// same pixels: the corners move into the parent's client coordinates, and
// the parent's rectangles are the last ones handled.
void HandOverToParent(SelectionState& s) {
    IWindows& windows = Windows();
    const HWindow parent = windows.GetAncestorParent(s.hwndTarget);
    if (IsNone(parent)) return;
    s.ptClientTL = windows.ScreenToClient(parent, windows.ClientToScreen(s.hwndTarget, s.ptClientTL));
    s.ptClientBR = windows.ScreenToClient(parent, windows.ClientToScreen(s.hwndTarget, s.ptClientBR));
    s.hwndTarget = parent;
    s.rcLastWindow = windows.GetWindowRect(parent);
    s.rcLastClient = windows.GetClientRect(parent);
}

// A child window followed inside its top-level window (a player's video
// window) that is destroyed or hidden while the top-level window stays, at
// the end of playback say.
bool ChildTargetGone(const SelectionState& s) {
    IWindows& windows = Windows();
    return s.hwndTarget != s.hwndTop && (!windows.IsWindow(s.hwndTarget) || !windows.IsWindowVisible(s.hwndTarget));
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
            NoteMinimised(s);
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
    TheScreenLink().Send(SEND_OFF);
    bar.SetState(STATE_SUSPENDED);
    bar.ShowLook(STATE_SUSPENDED);
    SendRegionUnlessEmpty(PlacedRegion(s));
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
    if (ChildTargetGone(s)) return EndFollowing(bar);
    // A player's video window follows its row's rules (read before a
    // hand-over, as the window was this tick).
    const PlayerRow* player = PlayerOfVideoWindow(s.hwndTarget, s.hwndTop);
    if (player != nullptr && player->parentTakesOver) HandOverToParent(s);
    if (player == nullptr || !player->keepsRegionBehind) {
        // An ordinary window is off while another application is in front,
        // or inside MDI while another document is. The program's own windows
        // in front (its menus, the bar, its dialog boxes, the help viewer)
        // are not another application: they neither turn the region off
        // nor bring a suspended one back; the window is still watched.
        const HWindow front = windows.GetForegroundWindow();
        const bool ownInFront = windows.IsOwnWindow(front);
        const bool behind = (!ownInFront && front != s.hwndTop) ||
                            (s.bInMdi && windows.GetTopWindow(s.hwndMdiClient) != s.hwndMdiChild);
        if (behind) {
            if (s.nState == STATE_ACTIVE) Suspend(bar);
            return;
        }
        if (s.nState == STATE_SUSPENDED && (ownInFront || !Resume(bar, s))) return;
    }
    if (s.bInMdi) {
        s.bParentZoomed = windows.IsZoomed(s.hwndMdiChild) ? 1 : 0;
        if (!s.bParentZoomed) s.nFrameShow = 0;
        s.hwndWatch = s.hwndMdiChild;
    } else {
        // A child of a maximised window cannot move; once the window is
        // restored it is watched again.
        s.bParentZoomed = windows.IsZoomed(windows.GetAncestorParent(s.hwndTarget)) ? 1 : 0;
    }
    if (!s.bParentZoomed) {
        WatchShowState(bar, s, s.hwndWatch, s.nWatchShow, false);
    } else if (s.bInMdi) {
        WatchShowState(bar, s, s.hwndTop, s.nFrameShow, true);
    }
}

}  // namespace lv
