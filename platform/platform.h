// The platform the logic runs on: one set of interfaces, installed once by
// the program's entry point (the real Win32 one) or by a test (the fake
// desktop). The logic reaches it through Platform(); it never includes a
// system header.
#pragma once

#include "platform/clock.h"
#include "platform/constants.h"
#include "platform/controls.h"
#include "platform/cursors.h"
#include "platform/menus.h"
#include "platform/mouse_input.h"
#include "platform/registry.h"
#include "platform/screen.h"
#include "platform/system.h"
#include "platform/shell.h"
#include "platform/types.h"
#include "platform/dialogs.h"
#include "platform/launch.h"
#include "platform/messages.h"
#include "platform/windows.h"

namespace lv {

struct PlatformServices {
    IScreen* screen = nullptr;
    IClock* clock = nullptr;
    ISystem* system = nullptr;
    IDialogs* dialogs = nullptr;
    IRegistry* registry = nullptr;
    ISystemCursors* cursors = nullptr;
    IMouseInput* mouseInput = nullptr;
    IMessages* messages = nullptr;
    IShell* shell = nullptr;
    IMenus* menus = nullptr;
    IWindows* windows = nullptr;
    IControls* controls = nullptr;
    ILaunch* launch = nullptr;
};

// The installed services. Installing answers the ones they replace, so a test
// can put them back.
const PlatformServices& Platform();
PlatformServices InstallPlatform(const PlatformServices& services);

inline IScreen& Screen() { return *Platform().screen; }
inline IClock& Clock() { return *Platform().clock; }
inline ISystem& System() { return *Platform().system; }
inline IDialogs& Dialogs() { return *Platform().dialogs; }
inline IRegistry& Registry() { return *Platform().registry; }
inline ISystemCursors& SystemCursors() { return *Platform().cursors; }
inline IMouseInput& MouseInput() { return *Platform().mouseInput; }
inline IMessages& Messages() { return *Platform().messages; }
inline IShell& Shell() { return *Platform().shell; }
inline IMenus& Menus() { return *Platform().menus; }
inline IWindows& Windows() { return *Platform().windows; }
inline IControls& Controls() { return *Platform().controls; }
inline ILaunch& Launch() { return *Platform().launch; }

}  // namespace lv
