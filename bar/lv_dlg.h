// The floating bar: the program's one window for the rest of its life. It
// owns the tray icon, the tool bars, the hot key, timer 1, the saved cursor
// scheme and the mouse button reader, and receives every command. Shown, it
// is a 95 x 24 strip at the top centre above all windows; hidden, it stays
// topmost at 0 x 0 and the tray icon stands in for it.
#pragma once

#include <atomic>
#include <functional>
#include <cstdint>

#include "app/version.h"
#include "bar/bar_scale.h"
#include "cursors/cursor_scheme.h"
#include "platform/dialogs.h"
#include "select/mouse_buttons.h"
#include "tray/ntray.h"

namespace lv {

constexpr int IDD_BAR = 102;
constexpr int kBarWidth = 95;
constexpr int kBarHeight = 24;
constexpr int IDR_MAINFRAME = 128;
constexpr int IDI_TRAY_ACTIVE = 145;
constexpr int IDI_TRAY_SUSPENDED = 146;
constexpr int IDC_BAR_MOVE = 184;
constexpr int IDR_TRAY_MENU = 6000;
constexpr int IDR_BAR_MENU = 7000;
constexpr std::uint32_t WM_TRAY_NOTIFY = 0x0400 + 100;  // 1124
constexpr int kHotKeyId = 1125;
constexpr std::uintptr_t kSelectionTimer = 1;
constexpr char kTrayTooltip[] = "Lumivane " LV_VERSION_TEXT " ";

// Menu and tool bar commands.
enum BarCommand : int {
    ID_APP_ABOUT = 40001,
    ID_APP_EXIT = 40002,
    ID_START = 40003,
    ID_STOP = 40005,
    ID_SHOW_BAR = 40006,
    ID_HELP_TOPICS = 40007,
    ID_SETTING = 40008,
    ID_HIDE_BAR = 40009,
};

class CLvDlg;

// The bar's tray icon: its notifications go to the bar's tray menu.
class CLvTrayIcon : public CTrayNotifyIcon {
public:
    explicit CLvTrayIcon(CLvDlg& bar) : bar_(bar) {}
    std::intptr_t OnIconNotify(std::uintptr_t id, std::intptr_t event) override;
    // The stored activation state the tray menu decides by.
    static std::int32_t MenuState() { return StoredState(); }

private:
    CLvDlg& bar_;
};

class CLvDlg : public IDialogHandler {
public:
    CLvDlg();
    ~CLvDlg() override;
    CLvDlg(const CLvDlg&) = delete;
    CLvDlg& operator=(const CLvDlg&) = delete;

    // Runs the bar modally; answers the dialog's result.
    std::intptr_t DoModal();

    std::intptr_t OnInitDialog(HWindow dlg) override;
    bool OnMessage(const Message& m, std::intptr_t& result) override;
    bool PreTranslateMessage(const Message& m) override;

    // The bar's own commands.
    void OnShowBar();
    void OnHideBar();
    void OnHelp();
    void OnExit();
    // The other ways out (bar/ways_out.cpp): a WM_CLOSE from outside runs
    // Exit; the session's end and a crash put back what Exit puts back.
    bool OnClose();
    void OnEndSession();
    static void OnCrash();
    // The screen changed size (select/activation.cpp).
    void OnDisplayChange();
    void OnAbout();
    void OnSetting();

    // The activation state machine's handlers (select/activation.cpp).
    void OnStart();
    void OnStop();
    std::intptr_t OnTrayNotify(std::uintptr_t wParam, std::intptr_t lParam);
    void OnLogoButton();
    void OnFullScreen();
    void OnSelectionTick();
    std::intptr_t OnIconNotify(std::uintptr_t id, std::intptr_t event);

    // The state machine's own steps (select/activation.cpp), which the
    // selection and following steps share: the state (and the tray icon's
    // copy of it), the state's look, timer 1.
    void SetState(std::int32_t state);
    void ShowLook(std::int32_t state);
    void RestartSelectionTimer(std::uint32_t periodMs);
    void KillSelectionTimer();
    // Lays out the visible tool bars in the bar at its scale.
    void ReLayToolBars();
    // The tray shows icon resource `id` at the small-icon size of the
    // bar's scale (16 x 16 at 96 DPI).
    void SetTrayIconResource(int id);
    // The bar's measures at the DPI of its monitor.
    const BarScale& Scale() const { return m_scale; }

    HWindow Window() const { return hwnd_; }
    CLvTrayIcon& TrayIcon() { return m_trayIcon; }
    CCursorScheme& CursorScheme() { return m_cursorScheme; }
    CMouseButtons& MouseButtons() { return m_mouseButtons; }
    const HWindow* ToolBars() const { return m_toolBars; }
    // The hot key in use, e.g. "Win+P"; empty when none could be registered.
    const char* HotKeyName() const { return hotKeyName_; }

    // The window under the pointer as the selection step last sorted it:
    // whether it belongs to the bar or the taskbar (the user's own pointers
    // there, presses left to them). Worked out again only when the pointer
    // reaches another window: the armed step runs every 10 ms, and each of
    // those queries costs a round trip to the window system.
    struct PointedWindow {
        HWindow hwnd = HWindow::None;
        bool bShell = false;
    };
    PointedWindow m_pointed;

    // Fields, in order.
    HIcon m_hIcon = HIcon::None;
    CLvTrayIcon m_trayIcon;
    HWindow m_toolBars[3] = {};  // idle 165, active 172, suspended 174
    CCursorScheme m_cursorScheme;
    std::int32_t bBarShown = 0;
    CMouseButtons m_mouseButtons;

private:
    bool OnCommand(int id);
    void RegisterFullScreenKey();
    void CreateToolBars();
    void DestroyToolBars();
    // At the bar's scale: the logo's picture drawn for it, at its place.
    void PlaceLogo();
    // The monitor's DPI or its scaling changed: everything again at the new
    // scale.
    void OnDpiChanged(std::uint32_t dpi);
    // The taskbar came back (the shell's broadcast reaches the bar too):
    // its icon again at the scale of now.
    void OnTaskbarCreated();
    HIcon TrayIconFor(int id);
    // The look's icon again at the bar's scale; at start-up, still re-sent
    // every second.
    void ReloadTrayIcon();
    // Shown at its size (95 x 24 at 96 DPI, scaled) or hidden at 0 x 0.
    // Activates the bar, as its placements always have, unless told not to.
    void PlaceAtTopCentre(bool shown, bool activate = true);
    void AnimateTray(bool towardsBar);
    void ShowBarMenu();
    std::intptr_t OnSetCursor();
    bool OnPaint();
    // Timer 1's dispatch by state.
    void RunTick();
    // Exit's order: the pointers, the off frame, the button reader, the
    // tray icon. Once, whichever way out comes first (a crash has its own).
    void HandBack();
    // About... and Setting run one at a time, modally over the bar.
    template <typename Box>
    void RunBox(Box& box);
    // A box is open: it comes to the front; answers whether one was.
    bool BringOpenBoxToFront();
    // A way out ends an open box, so that the bar's own end can follow.
    void CloseOpenBox();
    void WatchForCrash(bool on);

    HWindow hwnd_ = HWindow::None;
    BarScale m_scale;
    std::function<HWindow()> openBox_;  // the open box's window, while one runs
    HCursor moveCursor_ = HCursor::None;  // resource 184, loaded on first use
    const char* hotKeyName_ = "";
    // Pointers, row 0 and the tray icon are back. Set by the crash handler
    // on its own thread too; from then on no tick sends anything.
    std::atomic<bool> handedBack_{false};
    // A tick is under way on the program's thread.
    std::atomic<bool> ticking_{false};
};

// Start and Stop in both pop-up menus, by state.
bool StartEnabledIn(std::int32_t state);
bool StopEnabledIn(std::int32_t state);

}  // namespace lv
