// The floating bar: initialisation, the message table, Show Bar and Hide
// Bar with their animation, the pop-up menu, Help and dragging. The ways the
// program ends are in bar/ways_out.cpp.
#include "bar/lv_dlg.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "bar/tool_bars.h"
#include "dialogs/about_dlg.h"
#include "dialogs/display_adjust_dlg.h"
#include "link/monitors.h"
#include "link/screen_link.h"
#include "platform/platform.h"
#include "select/selection_state.h"

namespace lv {

namespace {

constexpr std::uint32_t kDetectionPeriodMs = 1500;
constexpr std::uint32_t kTrayAnimationPeriodMs = 1000;
constexpr int kMoveCursorZone = 24;
constexpr int kSmallIconSize = 16;  // SM_CXSMICON at 96 DPI
// The tray icon of each state's look.
constexpr int kLookIconIds[3] = {IDR_MAINFRAME, IDI_TRAY_ACTIVE, IDI_TRAY_SUSPENDED};
// The logo's place in the bar at 96 DPI, as the template puts it.
constexpr int kLogoLeft = 70;
constexpr int kLogoWidth = 24;
constexpr int kLogoHeight = 18;
constexpr int IDC_BAR_LOGO = 1020;
constexpr int IDB_BAR_LOGO = 177;
constexpr int kPathSize = 260;
constexpr char kHelpFileName[] = "\\lvhelp.chm";

// Win+P first; Windows keeps Win+P for itself since Windows 7, so two
// fallbacks follow. Each is tried without auto-repeat first, then plainly
// for systems that do not know MOD_NOREPEAT.
struct HotKeyChoice {
    std::uint32_t modifiers;
    const char* name;
};
constexpr HotKeyChoice kHotKeys[] = {
    {kModWin, "Win+P"},
    {kModWin | kModShift, "Win+Shift+P"},
    {kModControl | kModAlt, "Ctrl+Alt+P"},
};
constexpr std::uint32_t kHotKeyVk = 0x50;  // 'P'

std::uint16_t LowWord(std::uintptr_t v) { return std::uint16_t(v & 0xFFFF); }

}  // namespace

std::intptr_t CLvTrayIcon::OnIconNotify(std::uintptr_t id, std::intptr_t event) {
    return bar_.OnIconNotify(id, event);
}

CLvDlg::CLvDlg() : m_trayIcon(*this) { m_hIcon = Shell().LoadOwnIcon(IDR_MAINFRAME); }

CLvDlg::~CLvDlg() { WatchForCrash(false); }

std::intptr_t CLvDlg::DoModal() { return Dialogs().RunModalDialog(IDD_BAR, this); }

std::intptr_t CLvDlg::OnInitDialog(HWindow dlg) {
    hwnd_ = dlg;
    m_scale = BarScale(MonitorOfRegion(Windows().GetWindowRect(dlg)).dpi);
    Dialogs().SetWindowIcons(dlg, m_hIcon);
    // The shell's "TaskbarCreated" reaches the bar too, elevated or not.
    Messages().AllowFromLowerIntegrity(dlg, CTrayNotifyIcon::TaskbarCreatedMessage);

    const HIcon trayIcon = TrayIconFor(IDR_MAINFRAME);
    if (!m_trayIcon.CreateAnimated(dlg, IDR_MAINFRAME, kTrayTooltip, &trayIcon, 1, kTrayAnimationPeriodMs,
                                   WM_TRAY_NOTIFY)) {
        Shell().MessageBox(dlg, "Error", "Lumivane", kMbIconHand);
        return -1;
    }
    RegisterFullScreenKey();
    CreateToolBars();
    ReLayToolBars();
    PlaceLogo();
    PlaceAtTopCentre(false);
    m_cursorScheme.SetDpi(m_scale.Dpi());
    m_cursorScheme.Capture();
    m_mouseButtons.Create();
    WatchForCrash(true);
    Messages().SetTimer(dlg, kSelectionTimer, kDetectionPeriodMs);
    System().Trace("lumivane: bar ready");
    return 1;
}

void CLvDlg::RegisterFullScreenKey() {
    for (const HotKeyChoice& choice : kHotKeys) {
        if (Messages().RegisterHotKey(hwnd_, kHotKeyId, choice.modifiers | kModNoRepeat, kHotKeyVk) ||
            Messages().RegisterHotKey(hwnd_, kHotKeyId, choice.modifiers, kHotKeyVk)) {
            hotKeyName_ = choice.name;
            char line[64];
            std::snprintf(line, sizeof line, "lumivane: hot key %s", choice.name);
            System().Trace(line);
            return;
        }
    }
    System().Trace("lumivane: no hot key");
}

// The idle tool bar is the one shown; a look shows another.
void CLvDlg::CreateToolBars() {
    for (int i = 0; i < 3; ++i) {
        const ToolBarButtons& tb = kToolBarButtons[i];
        const ToolBarLook look{m_scale.Art(tb.resourceId), m_scale.ImageSize(), m_scale.ButtonSize()};
        m_toolBars[i] = Menus().CreateToolBar(hwnd_, kToolBarControlId, look, tb.commands, tb.count);
    }
    if (!IsNone(m_toolBars[0])) Windows().ShowWindow(m_toolBars[0], true);
}

void CLvDlg::DestroyToolBars() {
    for (HWindow& tb : m_toolBars) {
        if (!IsNone(tb)) Dialogs().DestroyWindow(tb);
        tb = HWindow::None;
    }
}

void CLvDlg::ReLayToolBars() { LayOutToolBars(m_toolBars, m_scale); }

// At 96 DPI the template's picture and place stand as they are.
void CLvDlg::PlaceLogo() {
    if (m_scale.Dpi() == kDefaultDpi) return;
    const HWindow logo = Dialogs().GetDlgItem(hwnd_, IDC_BAR_LOGO);
    if (IsNone(logo)) return;
    const std::string name = "#" + std::to_string(m_scale.Art(IDB_BAR_LOGO));
    Dialogs().SetStaticBitmap(logo, Dialogs().LoadBitmapByName(name.c_str()));
    Menus().PlaceChild(logo, Rect{m_scale.Of(kLogoLeft), 0, m_scale.Of(kLogoLeft + kLogoWidth), m_scale.Of(kLogoHeight)});
}

HIcon CLvDlg::TrayIconFor(int id) {
    const HIcon sized = Shell().LoadOwnIconSized(std::uint16_t(id), m_scale.Of(kSmallIconSize));
    return IsNone(sized) ? Shell().LoadOwnIcon(std::uint16_t(id)) : sized;
}

void CLvDlg::SetTrayIconResource(int id) { m_trayIcon.SetIcon(TrayIconFor(id)); }

void CLvDlg::ReloadTrayIcon() {
    const HIcon icon = TrayIconFor(kLookIconIds[TheSelection().nState]);
    if (m_trayIcon.IsAnimated()) {
        // The start-up icon goes on being sent every second.
        const HIcon frames[2] = {icon, icon};
        m_trayIcon.SetAnimatedIcons(frames, 2, kTrayAnimationPeriodMs);
    } else {
        m_trayIcon.SetIcon(icon);
    }
}

void CLvDlg::OnTaskbarCreated() {
    const std::uint32_t dpi = MonitorOfRegion(Windows().GetWindowRect(hwnd_)).dpi;
    if (dpi != m_scale.Dpi()) {
        OnDpiChanged(dpi);
    } else {
        ReloadTrayIcon();
    }
}

void CLvDlg::OnDpiChanged(std::uint32_t dpi) {
    if (dpi == m_scale.Dpi()) return;
    m_scale = BarScale(dpi);
    ReloadTrayIcon();
    // The pointers at the new size: the move cursor at its next use, the
    // selection pointers at their next swap.
    m_cursorScheme.SetDpi(dpi);
    if (!IsNone(moveCursor_)) SystemCursors().DestroyCursor(moveCursor_);
    moveCursor_ = HCursor::None;
    // The tool bar of the state's look is shown again among the new ones.
    int shown = 0;
    for (int i = 0; i < 3; ++i) {
        if (!IsNone(m_toolBars[i]) && Windows().IsWindowVisible(m_toolBars[i])) shown = i;
    }
    DestroyToolBars();
    CreateToolBars();
    ShowOnlyToolBar(m_toolBars, shown);
    ReLayToolBars();
    PlaceLogo();
    PlaceAtTopCentre(bBarShown != 0, false);
}

void CLvDlg::PlaceAtTopCentre(bool shown, bool activate) {
    const std::int32_t width = shown ? m_scale.Of(kBarWidth) : 0;
    const std::int32_t height = shown ? m_scale.Of(kBarHeight) : 0;
    const std::int32_t x = Windows().GetSystemMetrics(kSmCxScreen) / 2 - m_scale.Of(50);
    if (activate) {
        Windows().SetWindowPosTopmost(hwnd_, x, 0, width, height);
    } else {
        Windows().MoveTopmostWithoutActivating(hwnd_, x, 0, width, height);
    }
}

// ---------------------------------------------------------------------------
// The message table

bool CLvDlg::OnMessage(const Message& m, std::intptr_t& result) {
    if (m.msg != 0 && m.msg == CTrayNotifyIcon::TaskbarCreatedMessage) {
        OnTaskbarCreated();
        return false;  // the default handling goes on
    }
    switch (m.msg) {
        case WM_TRAY_NOTIFY:
            result = OnTrayNotify(m.wParam, m.lParam);
            return true;
        case kWmHotKey:
            OnFullScreen();
            return true;
        case kWmTimer:
            OnSelectionTick();
            return true;
        case kWmSysCommand:
            if ((m.wParam & 0xFFF0) != 0x10) return false;
            OnAbout();
            return true;
        case kWmPaint:
            return OnPaint();
        case kWmQueryDragIcon:
            result = std::intptr_t(m_hIcon);
            return true;
        case kWmSetCursor:
            result = OnSetCursor();
            return true;
        case kWmNcHitTest:
            // Everywhere a caption: pressing on the logo or the edge drags the bar.
            Dialogs().DefaultWindowProc(m.hwnd, m.msg, m.wParam, m.lParam);
            result = kHtCaption;
            return true;
        case kWmCommand:
            return OnCommand(LowWord(m.wParam));
        case kWmClose:
            return OnClose();
        case kWmQueryEndSession:
            result = 1;  // the session may end: everything is put back at its end
            return true;
        case kWmEndSession:
            if (m.wParam != 0) OnEndSession();
            return true;
        case kWmDisplayChange:
            OnDisplayChange();
            return true;
        case kWmDpiChanged:
            OnDpiChanged(LowWord(m.wParam));
            return true;
        default:
            return false;
    }
}

bool CLvDlg::OnCommand(int id) {
    switch (id) {
        case ID_APP_ABOUT: OnAbout(); return true;
        case ID_APP_EXIT: OnExit(); return true;
        case ID_START: OnStart(); return true;
        case ID_STOP: OnStop(); return true;
        case ID_SHOW_BAR: OnShowBar(); return true;
        case ID_SETTING: OnSetting(); return true;
        case ID_HIDE_BAR: OnHideBar(); return true;
        case ID_HELP_TOPICS:
        case ID_TB_HELP_IDLE:
        case ID_TB_HELP_ACTIVE:
        case ID_TB_HELP_SUSPENDED: OnHelp(); return true;
        case ID_TB_LOGO_IDLE:
        case ID_TB_LOGO_ACTIVE:
        case ID_TB_LOGO_SUSPENDED: OnLogoButton(); return true;
        case ID_TB_FULL_IDLE:
        case ID_TB_FULL_ACTIVE:
        case ID_TB_FULL_SUSPENDED: OnFullScreen(); return true;
        default: return false;  // the dialog's own: WM_CLOSE's cancel ends it
    }
}

bool CLvDlg::PreTranslateMessage(const Message& m) {
    if (m.msg == kWmKeyDown && (m.wParam == 13 || m.wParam == 27)) return true;  // Enter, Escape
    if (m.msg == kWmRButtonDown) ShowBarMenu();
    return false;
}

void CLvDlg::ShowBarMenu() {
    IMenus& menus = Menus();
    const Point pt = MouseInput().GetCursorPos();
    const HMenu menu = menus.LoadMenu(IDR_BAR_MENU);
    if (IsNone(menu)) return;
    const HMenu popup = menus.GetSubMenu(menu, 0);
    if (!IsNone(popup)) {
        menus.SetMenuDefaultItem(popup, 0);
        const std::int32_t state = TheSelection().nState;
        menus.EnableMenuItem(popup, ID_START, StartEnabledIn(state));
        menus.EnableMenuItem(popup, ID_STOP, StopEnabledIn(state));
        menus.TrackPopupMenu(popup, kTpmRightButton, pt.x, pt.y, hwnd_);
    }
    menus.DestroyMenu(menu);
}

std::intptr_t CLvDlg::OnSetCursor() {
    if (bBarShown == 1 && MouseInput().GetCursorPos().x > Windows().GetWindowRect(hwnd_).right - m_scale.Of(kMoveCursorZone)) {
        // Loaded once at the pointer size (again after a DPI change); one
        // handle serves every WM_SETCURSOR.
        if (IsNone(moveCursor_)) {
            moveCursor_ = SystemCursors().LoadOwnCursor(IDC_BAR_MOVE, m_cursorScheme.PointerSize());
        }
        MouseInput().SetCursor(moveCursor_);
    }
    return 0;
}

bool CLvDlg::OnPaint() {
    if (!Windows().IsIconic(hwnd_)) return false;
    const Rect client = Windows().GetClientRect(hwnd_);
    const std::int32_t x = (client.Width() - Windows().GetSystemMetrics(kSmCxIcon) + 1) / 2;
    const std::int32_t y = (client.Height() - Windows().GetSystemMetrics(kSmCyIcon) + 1) / 2;
    Dialogs().PaintIconic(hwnd_, m_hIcon, x, y);
    return true;
}

// ---------------------------------------------------------------------------
// Show Bar, Hide Bar and the zoom between the bar and the notification area

void CLvDlg::OnShowBar() {
    AnimateTray(true);
    PlaceAtTopCentre(true);
    bBarShown = 1;
    m_trayIcon.HideIcon();
    const std::int32_t state = TheSelection().nState;
    if (state == STATE_IDLE) ShowOnlyToolBar(m_toolBars, 0);
    if (state == STATE_ACTIVE) ShowOnlyToolBar(m_toolBars, 1);
    ReLayToolBars();
}

void CLvDlg::OnHideBar() {
    bBarShown = 0;
    PlaceAtTopCentre(false);
    AnimateTray(false);
    m_trayIcon.ShowIcon();
}

// The notification area without its clock, the whole notification area when
// there is no clock, or the whole taskbar when there is neither.
void CLvDlg::AnimateTray(bool towardsBar) {
    const HWindow taskbar = Windows().FindWindow("Shell_TrayWnd");
    if (IsNone(taskbar)) return;
    Rect tray = Windows().GetWindowRect(taskbar);
    Windows().EnumChildWindows(taskbar, [&](HWindow child) {
        char name[256];
        Windows().GetClassName(child, name, sizeof name);
        if (std::strcmp(name, "TrayNotifyWnd") == 0) {
            tray = Windows().GetWindowRect(child);
        } else if (std::strcmp(name, "TrayClockWClass") == 0) {
            tray.right = Windows().GetWindowRect(child).left;
            return false;
        }
        return true;
    });
    const Rect bar = Windows().GetWindowRect(hwnd_);
    Shell().DrawAnimatedRects(hwnd_, kIdAniCaption, towardsBar ? tray : bar, towardsBar ? bar : tray);
}

// ---------------------------------------------------------------------------
// Help, About, Setting

void CLvDlg::OnHelp() {
    char path[kPathSize];
    const int length = Shell().GetModuleFileName(path, kPathSize);
    // A path the buffer cut, or one with no room for the file name, opens
    // nothing rather than some other file.
    if (length <= 0 || length >= kPathSize) {
        System().Trace("lumivane: program path too long for help");
        return;
    }
    char* lastSlash = std::strrchr(path, '\\');
    const std::size_t folder = lastSlash != nullptr ? std::size_t(lastSlash - path) : 0;
    if (folder + sizeof kHelpFileName > sizeof path) {
        System().Trace("lumivane: help path too long");
        return;
    }
    std::memcpy(path + folder, kHelpFileName, sizeof kHelpFileName);
    // Owned by nobody: an owner would be the topmost bar, and the viewer
    // would float above every program.
    const HWindow viewer = Shell().HtmlHelp(HWindow::None, path, kHhDisplayTopic, 0);
    System().Trace(IsNone(viewer) ? "lumivane: help did not open" : "lumivane: help opened");
}

// Both run modally over the bar, one at a time; their results change
// nothing. Asked for again while one is open (from the tray menu, which the
// disabled bar still serves), the open one comes to the front.
void CLvDlg::OnAbout() {
    if (BringOpenBoxToFront()) return;
    CAboutDlg about;
    RunBox(about);
}

void CLvDlg::OnSetting() {
    if (BringOpenBoxToFront()) return;
    CDisplayAdjustDlg adjust;
    RunBox(adjust);
}

template <typename Box>
void CLvDlg::RunBox(Box& box) {
    openBox_ = [&box] { return box.Window(); };
    box.DoModal(hwnd_);
    openBox_ = nullptr;
}

bool CLvDlg::BringOpenBoxToFront() {
    if (!openBox_) return false;
    const HWindow box = openBox_();
    if (!IsNone(box)) Windows().SetForegroundWindow(box);
    return true;
}

void CLvDlg::CloseOpenBox() {
    if (!openBox_) return;
    const HWindow box = openBox_();
    if (!IsNone(box)) Dialogs().EndDialog(box, kIdCancel);
}

}  // namespace lv
