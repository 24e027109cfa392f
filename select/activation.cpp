// The activation state machine: Start, Stop, the tray icon's click and menu,
// the logo button, the full-screen toggle and timer 1's dispatch. Each
// handler changes the controller record, shows the state's look, sets or
// kills timer 1 and tells the monitor link.
#include "bar/lv_dlg.h"
#include "bar/tool_bars.h"
#include "link/monitors.h"
#include "link/screen_link.h"
#include "platform/platform.h"
#include "select/follow.h"
#include "select/selection_state.h"
#include "select/steps.h"

namespace lv {

namespace {

constexpr std::uint32_t kArmedPeriodMs = 10;
constexpr int kTrayIconId = IDR_MAINFRAME;

// The state's tray icon and tool bar.
constexpr int kLookIcons[3] = {IDR_MAINFRAME, IDI_TRAY_ACTIVE, IDI_TRAY_SUSPENDED};

// What following knew of the target's place: MDI and the show states.
void ClearFollowing(SelectionState& s) {
    s.bInMdi = 0;
    s.bParentZoomed = 0;
    s.nWatchShow = 0;
    s.nFrameShow = 0;
}

// The whole monitor under the pointer (the whole screen on a desktop of
// one monitor).
void SetWholeScreenRegion() { TheScreenLink().rcRegion = MonitorAt(MouseInput().GetCursorPos()).rect; }

}  // namespace

bool StartEnabledIn(std::int32_t state) { return state != STATE_ACTIVE; }
bool StopEnabledIn(std::int32_t state) { return state != STATE_IDLE; }

void CLvDlg::SetState(std::int32_t state) {
    TheSelection().nState = state;
    m_trayIcon.SetActivationState(state);
}

void CLvDlg::ShowLook(std::int32_t state) {
    SetTrayIconResource(kLookIcons[state]);
    ShowToolBarThenHideOthers(m_toolBars, state);
    ReLayToolBars();
}

void CLvDlg::RestartSelectionTimer(std::uint32_t periodMs) {
    Messages().KillTimer(hwnd_, kSelectionTimer);
    Messages().SetTimer(hwnd_, kSelectionTimer, periodMs);
}

void CLvDlg::KillSelectionTimer() { Messages().KillTimer(hwnd_, kSelectionTimer); }

void CLvDlg::OnStart() {
    SelectionState& s = TheSelection();
    AbandonSelection();
    TheScreenLink().Send(SEND_OFF);
    s.bRegionSent = 0;
    s.bFollowing = 0;
    ClearFollowing(s);
    SetState(STATE_ACTIVE);
    ShowLook(STATE_ACTIVE);
    RestartSelectionTimer(kArmedPeriodMs);
}

void CLvDlg::OnStop() {
    SelectionState& s = TheSelection();
    AbandonSelection();
    s.bFullScreen = 0;
    s.bRegionSent = 0;
    TheScreenLink().Send(SEND_OFF);
    SetState(STATE_IDLE);
    ShowLook(STATE_IDLE);
    Messages().KillTimer(hwnd_, kSelectionTimer);
    m_cursorScheme.Restore();
}

std::intptr_t CLvDlg::OnTrayNotify(std::uintptr_t wParam, std::intptr_t lParam) {
    if (lParam == kWmLButtonUp) {
        if (TheSelection().nState == STATE_IDLE) {
            OnStart();
        } else {
            OnStop();
            ClearFollowing(TheSelection());
        }
    }
    return m_trayIcon.OnIconNotify(wParam, lParam);
}

void CLvDlg::OnLogoButton() {
    SelectionState& s = TheSelection();
    if (s.nState == STATE_IDLE) {
        OnStart();
    } else {
        AbandonSelection();
        s.bRegionSent = 0;
        s.bFullScreen = 0;
        s.bFollowing = 0;
        ClearFollowing(s);
        TheScreenLink().Send(SEND_OFF);
        SetState(STATE_IDLE);
        ShowLook(STATE_IDLE);
        Messages().KillTimer(hwnd_, kSelectionTimer);
        m_cursorScheme.Restore();
    }
    ReLayToolBars();
    Windows().ShowWindow(hwnd_, false);
    Windows().ShowWindow(hwnd_, true);
}

void CLvDlg::OnFullScreen() {
    SelectionState& s = TheSelection();
    CScreenLink& link = TheScreenLink();
    Messages().KillTimer(hwnd_, kSelectionTimer);
    // Pressed while armed, the selection ends here: no tick will put the
    // user's pointers back or erase a band in progress.
    AbandonSelection();
    if (m_cursorScheme.Mode() != CURSOR_USER) m_cursorScheme.Restore();
    s.bInMdi = 0;
    s.bParentZoomed = 0;
    if (s.bRegionSent && s.bFullScreen) {  // full screen is on: turn it off
        SetWholeScreenRegion();
        link.Send(SEND_OFF);
        s.bRegionSent = 0;
        s.bFollowing = 0;
        s.bDragging = 0;
        SetState(STATE_IDLE);
        ShowLook(STATE_IDLE);
        s.bFullScreen = 0;
    } else if (s.bRegionSent) {  // another region is on: replace it
        link.Send(SEND_OFF);
        SetWholeScreenRegion();
        link.Send(SEND_REGION);
        s.bFullScreen = 1;
        s.bRegionSent = 1;
        SetState(STATE_ACTIVE);
        ShowLook(STATE_ACTIVE);
    } else {
        SetWholeScreenRegion();
        link.Send(SEND_OFF);
        link.Send(SEND_REGION);
        s.bRegionSent = 1;
        s.bFollowing = 0;
        s.bDragging = 0;
        SetState(STATE_ACTIVE);
        ShowLook(STATE_ACTIVE);
        s.bFullScreen = 1;
    }
}

void CLvDlg::OnSelectionTick() {
    // After a crash the process lives on for a moment: the region must not
    // come back after the off frame.
    if (handedBack_) return;
    ticking_ = true;
    RunTick();
    ticking_ = false;
    // A crash on another thread handed back while this tick ran (it waits
    // for a tick only so long): what the tick installed since is undone.
    if (handedBack_) SystemCursors().ReloadUserScheme();
}

void CLvDlg::RunTick() {
    SelectionState& s = TheSelection();
    if (s.bAutoDetect == 1 && s.nState == STATE_IDLE) {
        DetectVideoWindow(*this);
    } else if (s.nState == STATE_ACTIVE) {
        s.bAutoDetect = 0;
        if (s.bRegionSent && s.bFollowing) {
            FollowTarget(*this);
        } else {
            RunSelectionStep(*this);
        }
    } else if (s.nState == STATE_SUSPENDED && s.bFollowing) {
        FollowTarget(*this);
    }
}

// The tray icon's menu. The menu is destroyed on every path, whatever the
// event: each notification loads it afresh, and pointer moves over the icon
// bring a stream of them.
std::intptr_t CLvDlg::OnIconNotify(std::uintptr_t id, std::intptr_t event) {
    if (id != std::uintptr_t(kTrayIconId)) return 0;
    IMenus& menus = Menus();
    const HMenu menu = menus.LoadMenu(IDR_TRAY_MENU);
    if (IsNone(menu)) return 0;
    const HMenu popup = menus.GetSubMenu(menu, 0);
    if (IsNone(popup)) {
        menus.DestroyMenu(menu);
        return 0;
    }
    if (event == kWmRButtonUp) {
        const Point pt = MouseInput().GetCursorPos();
        menus.SetMenuDefaultItem(popup, 0);
        const std::int32_t state = CLvTrayIcon::MenuState();
        menus.EnableMenuItem(popup, ID_START, StartEnabledIn(state));
        menus.EnableMenuItem(popup, ID_STOP, StopEnabledIn(state));
        Windows().SetForegroundWindow(hwnd_);
        menus.TrackPopupMenu(popup, kTpmRightButton, pt.x, pt.y, hwnd_);
    }
    menus.DestroyMenu(menu);
    return 1;
}

// The screen changed size: the bar goes to the new top centre, shown or
// not, without taking the foreground (a followed window that lost it would
// be suspended at the next tick). A region shown for the whole screen or for a followed window is sent
// again for the screen as it is now (each send measures its width); a
// region the user dragged stays on the same pixels, and a suspended one
// waits for its window to come back.
void CLvDlg::OnDisplayChange() {
    PlaceAtTopCentre(bBarShown != 0, false);
    SelectionState& s = TheSelection();
    if (s.nState != STATE_ACTIVE || !s.bRegionSent) return;
    if (s.bFullScreen) {
        CScreenLink& link = TheScreenLink();
        link.Send(SEND_OFF);
        SetWholeScreenRegion();
        link.Send(SEND_REGION);
    } else if (s.bFollowing) {
        ResendFollowed(*this);
    }
}

}  // namespace lv
