#include "platform/win32/win32_platform.h"

#include "platform/platform.h"
#include "platform/win32/controls.h"
#include "platform/win32/cursors.h"
#include "platform/win32/launch.h"
#include "platform/win32/menus.h"
#include "platform/win32/mouse_input.h"
#include "platform/win32/registry.h"
#include "platform/win32/screen.h"
#include "platform/win32/system.h"
#include "platform/win32/shell.h"
#include "platform/win32/dialogs.h"
#include "platform/win32/messages.h"
#include "platform/win32/windows.h"

namespace lv::win32 {

namespace {
HINSTANCE g_instance = nullptr;

struct Win32Platform {
    Win32Screen screen;
    Win32Clock clock;
    Win32System system;
    Win32Dialogs dialogs;
    Win32Registry registry;
    Win32Cursors cursors;
    Win32MouseInput mouseInput;
    Win32Messages messages;
    Win32Shell shell;
    Win32Menus menus;
    Win32Windows windows;
    Win32Controls controls;
    Win32Launch launch;
};
}  // namespace

HINSTANCE Instance() { return g_instance; }

void InstallWin32Platform(HINSTANCE instance) {
    g_instance = instance;
    // Never freed: the global link paints its last off frame during process
    // exit, after every other static object may be gone.
    static Win32Platform* platform = new Win32Platform;
    PlatformServices services;
    services.screen = &platform->screen;
    services.clock = &platform->clock;
    services.system = &platform->system;
    services.dialogs = &platform->dialogs;
    services.registry = &platform->registry;
    services.cursors = &platform->cursors;
    services.mouseInput = &platform->mouseInput;
    services.messages = &platform->messages;
    services.shell = &platform->shell;
    services.menus = &platform->menus;
    services.windows = &platform->windows;
    services.controls = &platform->controls;
    services.launch = &platform->launch;
    InstallPlatform(services);
}

}  // namespace lv::win32
