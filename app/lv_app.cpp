#include "app/lv_app.h"

#include "app/cov_dlg.h"
#include "bar/lv_dlg.h"
#include "link/screen_link.h"
#include "platform/platform.h"

namespace lv {

namespace {
CLvApp g_theApp;
// The mutex is held until the process ends: the name must stay taken through
// the exit-time off frame.
HMutex g_appMutex = HMutex::None;
}  // namespace

CLvApp& TheApp() { return g_theApp; }

void WaitTicks(std::uint32_t ms) {
    IClock& clock = Clock();
    const std::uint32_t start = clock.GetTickCount();
    // Unsigned difference: correct when the counter wraps during the wait.
    // A short sleep between reads keeps the CPU free.
    while (clock.GetTickCount() - start < ms) clock.Sleep(10);
}

bool CLvApp::InitInstance() {
    Dialogs().InitDialogFramework();

    g_appMutex = System().CreateNamedMutex(kAppMutexName, true);
    if (System().GetLastError() == kErrorAlreadyExists) {
        // Its exit-time off frame would turn off the running copy's region.
        TheScreenLink().SilenceAtExit();
        System().Trace("lumivane: another instance runs");
        return false;
    }

    CCovDlg splash;
    splash.Create();
    // Nothing paints the picture while no messages are processed: paint it now.
    if (!IsNone(splash.Window())) Dialogs().PaintNow(splash.Window());
    System().Trace("lumivane: splash shown");
    WaitTicks(kSplashMs);
    splash.DestroyWindow();
    System().Trace("lumivane: splash gone");

    CLvDlg bar;
    bar.DoModal();
    System().Trace("lumivane: bar ended");
    return false;
}

}  // namespace lv
