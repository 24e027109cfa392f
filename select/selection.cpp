// The selection step: every 10 ms while armed it looks at the pointer and
// the physical buttons, shows the selection pointers, draws the rubber band
// straight onto the screen during a drag, and on release sends the clicked
// window's client area or the dragged rectangle and hands a window chosen
// at both ends over to following.
#include "bar/lv_dlg.h"
#include "link/screen_link.h"
#include "platform/platform.h"
#include "select/region.h"
#include "select/selection_state.h"
#include "select/steps.h"
#include "select/window_classes.h"

namespace lv {

namespace {

constexpr std::int32_t kBandPenWidth = 6;
constexpr Colour kBandColour = MakeColour(255, 0, 0);
// The taskbar holds the program's tray icon: a press there is the user's
// click on the icon (or the shell), never a selection. Were it taken as one,
// the injected release would click the icon (a stop) and the user's own
// release would click it again (a start).
bool OnTaskbar(HWindow h) { return !IsNone(h) && ClassName(OutermostAncestor(h)).IsOneOf(kTaskbarClasses); }

bool StrictlyInside(Point q, const Rect& rc) {
    return rc.left < q.x && q.x < rc.right && rc.top < q.y && q.y < rc.bottom;
}

// The rubber band from the anchor: the last frame erased and, when the
// pointer has moved, the new one drawn; or only the last one erased.
void DrawBand(SelectionState& s, const Point* to) {
    IScreen& screen = Screen();
    const HDc dc = screen.OpenBandDC(kBandPenWidth, kBandColour);
    if (IsNone(dc)) return;
    if (to == nullptr) {
        screen.DrawBandRect(dc, s.ptAnchor, s.ptLast);
    } else if (s.ptLast != *to) {
        screen.DrawBandRect(dc, s.ptAnchor, s.ptLast);
        screen.DrawBandRect(dc, s.ptAnchor, *to);
        s.ptLast = *to;
    }
    screen.CloseBandDC(dc);
}

// Drawing the last frame again takes it off the screen (the band's mix
// mode); the band then starts afresh at the anchor.
void EraseBand(SelectionState& s) {
    DrawBand(s, nullptr);
    s.ptLast = s.ptAnchor;
}

// The pointer is where nothing can be selected (outside every client area,
// over the program's own windows or a taskbar). A drag let go there is
// cancelled and its band erased: it must not finish later wherever the
// pointer next rests. The user can press again.
void CancelDragReleasedOutside(CLvDlg& bar, SelectionState& s) {
    if (!s.bDragging) return;
    const MouseButtonState buttons = bar.MouseButtons().ReadButtons();
    if (buttons.bLeft || buttons.bRight) return;
    AbandonSelection();
}

void SetMdiClient(SelectionState& s, HWindow client, HWindow child) {
    s.bInMdi = 1;
    s.hwndMdiClient = client;
    s.hwndMdiChild = child;
    s.rcMdiClient = Windows().GetWindowRect(client);
}

// From the target up to its outermost ancestor, noting the first MDI client
// on the way and the MDI child frame under it. Parents only: an owned
// window (a dialog box) is followed as the top-level window it is, not as
// part of its owner.
void WalkAncestors(SelectionState& s) {
    IWindows& windows = Windows();
    HWindow p = windows.GetAncestorParent(s.hwndTarget);
    if (ClassName(p).Is(kMdiClientClass)) SetMdiClient(s, p, s.hwndTarget);
    s.hwndWatch = s.hwndTarget;
    while (!IsNone(p)) {
        s.hwndWatch = p;
        p = windows.GetAncestorParent(p);
        if (!s.bInMdi && ClassName(p).Is(kMdiClientClass)) SetMdiClient(s, p, s.hwndWatch);
    }
    s.hwndTop = s.hwndWatch;
}

// The first tick that sees a button held over a candidate.
void StartPress(CLvDlg& bar, SelectionState& s, bool left) {
    s.ptAnchor = MouseInput().GetCursorPos();
    s.ptLast = s.ptAnchor;
    // The window under the pointer sees a click, not a button held down:
    // a press on a title bar or a button must not start a move or an action.
    bar.MouseButtons().InjectRelease(left);
}

// A click makes the whole client area the region, clamped to its monitor
// and inside an MDI application to its MDI client.
void TakeWholeClientArea(SelectionState& s, const Rect& rc) {
    IWindows& windows = Windows();
    s.ptAnchor = windows.ClientToScreen(s.hwndTarget, Point{rc.left, rc.top});
    s.ptEnd = windows.ClientToScreen(s.hwndTarget, Point{rc.right, rc.bottom});
    s.ptClientTL = windows.ScreenToClient(s.hwndTarget, s.ptAnchor);
    s.ptClientBR = windows.ScreenToClient(s.hwndTarget, s.ptEnd);
    const Rect r = ClampRegion(s, Rect{s.ptAnchor.x, s.ptAnchor.y, s.ptEnd.x, s.ptEnd.y});
    s.ptAnchor = Point{r.left, r.top};
    s.ptEnd = Point{r.right, r.bottom};
}

// The buttons came up after a press: send what was chosen.
void FinishSelection(CLvDlg& bar, SelectionState& s, const Rect& rc) {
    IWindows& windows = Windows();
    if (!s.bRegionSent) {
        s.ptEnd = MouseInput().GetCursorPos();
        s.hwndAnchor = windows.WindowFromPoint(s.ptAnchor);
        s.hwndTarget = windows.WindowFromPoint(s.ptEnd);
        if (s.hwndAnchor == s.hwndTarget) {
            s.bFollowing = 1;
            s.ptClientTL = windows.ScreenToClient(s.hwndTarget, s.ptAnchor);
            s.ptClientBR = windows.ScreenToClient(s.hwndTarget, s.ptEnd);
            WalkAncestors(s);
            bar.RestartSelectionTimer(kFollowPeriodMs);
        } else {
            s.bFollowing = 0;
        }
    }
    if (!s.bFollowing) bar.KillSelectionTimer();
    if (!s.bRegionSent) {
        bar.CursorScheme().Restore();
        EraseBand(s);
        if (s.ptAnchor == s.ptEnd) TakeWholeClientArea(s, rc);
        // A dragged rectangle goes as it is: the link orders its corners.
        const Rect region{s.ptAnchor.x, s.ptAnchor.y, s.ptEnd.x, s.ptEnd.y};
        TheScreenLink().Send(SEND_OFF);
        s.bRegionSent = 1;
        SendRegionOrOff(region);
    }
    s.bDragging = 0;
    s.rcLastWindow = windows.GetWindowRect(s.hwndTarget);
    s.rcLastClient = windows.GetClientRect(s.hwndTarget);
    if (windows.IsZoomed(s.hwndWatch)) {
        s.nWatchShow = 1;
        if (s.bInMdi) s.nFrameShow = 1;
    }
    if (windows.IsZoomed(windows.GetAncestorParent(s.hwndTarget))) {
        s.bParentZoomed = 1;
        s.nFrameShow = 1;
    }
}

}  // namespace

void AbandonSelection() {
    SelectionState& s = TheSelection();
    if (s.bDragging && !s.bRegionSent) EraseBand(s);
    s.bDragging = 0;
}

void RunSelectionStep(CLvDlg& bar) {
    SelectionState& s = TheSelection();
    IWindows& windows = Windows();
    const Point pt = MouseInput().GetCursorPos();
    const HWindow h = windows.WindowFromPoint(pt);
    if (bar.m_pointed.hwnd != h) {
        bar.m_pointed.hwnd = h;
        // The program's own windows (the bar, its tool bars and menus, its
        // dialog boxes, the help viewer) act as themselves.
        bar.m_pointed.bShell = windows.IsOwnWindow(h) || OnTaskbar(h);
    }
    if (bar.m_pointed.bShell) {
        // The user's own pointers over the bar, installed once: the scheme
        // reloads ten cursors (animated ones from their files) each time.
        if (bar.CursorScheme().Mode() != CURSOR_USER) bar.CursorScheme().Restore();
        CancelDragReleasedOutside(bar, s);
        return;
    }
    s.hwndAnchor = h;
    const Rect rc = windows.GetClientRect(h);
    const Point q = windows.ScreenToClient(h, pt);
    // The client area's first column and row count as outside.
    if (!StrictlyInside(q, rc)) {
        bar.CursorScheme().SetSelectionCursor(CURSOR_OUTSIDE);
        CancelDragReleasedOutside(bar, s);
        return;
    }
    bar.CursorScheme().SetSelectionCursor(CURSOR_INSIDE);
    const MouseButtonState buttons = bar.MouseButtons().ReadButtons();
    if (buttons.bLeft || buttons.bRight) {
        if (!s.bDragging && !s.bRegionSent) StartPress(bar, s, buttons.bLeft);
        s.bDragging = 1;
        if (!s.bRegionSent) DrawBand(s, &pt);
        return;
    }
    if (s.bDragging) FinishSelection(bar, s, rc);
}

}  // namespace lv
