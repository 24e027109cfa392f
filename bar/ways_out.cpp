// Every way the program ends puts back what it changed for the whole
// desktop: the user's pointers, an off frame on row 0 (the monitor must not
// go on enhancing a region of a program that is gone) and the tray icon.
// Exit from a menu, a WM_CLOSE from another program (taskkill without /F,
// an installer), the end of the session and a crash all come here; the
// first one to run does it, later ones find nothing left to do.
#include "bar/lv_dlg.h"
#include "link/screen_link.h"
#include "platform/platform.h"
#include "select/steps.h"

namespace lv {

namespace {

constexpr std::uint32_t kExitPauseMs = 300;
// How long a crash on another thread waits for a tick under way.
constexpr int kTickWaitMs = 500;
constexpr int kTickPollMs = 10;

// The bar whose state a crash must put back; one bar runs at a time.
CLvDlg* g_watchedBar = nullptr;

}  // namespace

void CLvDlg::HandBack() {
    if (handedBack_.exchange(true)) return;
    AbandonSelection();
    m_cursorScheme.RestoreAtExit();
    TheScreenLink().SendOffEverywhere();
    m_mouseButtons.Release();
    m_trayIcon.RemoveIcon();
}

void CLvDlg::OnExit() {
    Messages().KillTimer(hwnd_, kSelectionTimer);
    // An open box ends first: its modal loop runs under the bar's, and the
    // program could not end while it lasts.
    CloseOpenBox();
    Clock().Sleep(kExitPauseMs);
    HandBack();
    Messages().SendWindowMessage(hwnd_, kWmClose, 0, 0);
    Clock().Sleep(kExitPauseMs);
}

// Once everything is back (Exit's own WM_CLOSE, or one after the session's
// end or a crash) the dialog's default ends the bar; before, a WM_CLOSE is a
// request from outside and runs Exit.
bool CLvDlg::OnClose() {
    if (handedBack_) return false;
    System().Trace("lumivane: close from outside");
    OnExit();
    return true;
}

// The session ends once this returns, and the process with it: everything
// goes back now, and the bar ends as after Exit.
void CLvDlg::OnEndSession() {
    System().Trace("lumivane: session ends");
    Messages().KillTimer(hwnd_, kSelectionTimer);
    CloseOpenBox();
    HandBack();
    Dialogs().EndDialog(hwnd_, kIdCancel);
}

// On the crashing thread, with the program in an unknown state: only what
// must not be left behind, the surest first, from what start-up prepared
// (the saved pointers' handles), reading no file or registry value: the
// tray icon, the pointers, a band in progress, then the off frame, which
// paints. A tick of the program's own thread that is under way is let
// finish first, for a moment at most, so that it puts no selection pointer
// back after. The button reader is not waited for; the process ends with it.
void CLvDlg::OnCrash() {
    CLvDlg* bar = g_watchedBar;
    if (bar == nullptr || bar->handedBack_.exchange(true)) return;
    System().Trace("lumivane: crashed; putting the tray icon, the pointers and row 0 back");
    for (int waited = 0; bar->ticking_ && waited < kTickWaitMs; waited += kTickPollMs) Clock().Sleep(kTickPollMs);
    bar->m_trayIcon.RemoveIcon();
    bar->m_cursorScheme.RestoreAtExit();
    AbandonSelection();
    TheScreenLink().SendOffEverywhere();
}

void CLvDlg::WatchForCrash(bool on) {
    if (on) {
        g_watchedBar = this;
        System().SetCrashHandler(&CLvDlg::OnCrash);
    } else if (g_watchedBar == this) {
        System().SetCrashHandler(nullptr);
        g_watchedBar = nullptr;
    }
}

}  // namespace lv
