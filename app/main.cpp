// The Windows entry point: install the real platform and run the program.
// Everything the program does happens inside CLvApp::InitInstance; during
// process exit the global link paints the off frame once more.
#include <windows.h>

#include "app/lv_app.h"
#include "link/screen_link.h"
#include "platform/win32/win32_platform.h"
#ifdef LV_TEST_FAULT_SWITCH
#include "tests/e2e/fault_switch.h"
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The global link lives in a static library: naming it here keeps it in
    // the program even while nothing else sends, so that process exit always
    // paints the off frame.
    static_cast<void>(lv::TheScreenLink());
    lv::win32::InstallWin32Platform(instance);
#ifdef LV_TEST_FAULT_SWITCH
    lv::test::StartFaultSwitch();
#endif
    lv::TheApp().InitInstance();
    return 0;
}
