// The Windows entry point: install the real platform and run the program.
// Everything the program does happens inside CLvApp::InitInstance; during
// process exit the global link paints the off frame once more.
#include <windows.h>

#include "app/lv_app.h"
#include "platform/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    lv::win32::InstallWin32Platform(instance);
    lv::TheApp().InitInstance();
    return 0;
}
