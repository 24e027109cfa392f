// The platform the logic runs on: one set of interfaces, installed once by
// the program's entry point (the real Win32 one) or by a test (the fake
// desktop). The logic reaches it through Platform(); it never includes a
// system header.
#pragma once

#include "platform/clock.h"
#include "platform/constants.h"
#include "platform/screen.h"
#include "platform/system.h"
#include "platform/types.h"
#include "platform/ui.h"
#include "platform/window_ops.h"

namespace lv {

struct PlatformServices {
    IScreen* screen = nullptr;
    IClock* clock = nullptr;
    ISystem* system = nullptr;
    IUi* ui = nullptr;
    IWindowOps* windowOps = nullptr;
};

// The installed services. Installing answers the ones they replace, so a test
// can put them back.
const PlatformServices& Platform();
PlatformServices InstallPlatform(const PlatformServices& services);

inline IScreen& Screen() { return *Platform().screen; }
inline IClock& Clock() { return *Platform().clock; }
inline ISystem& System() { return *Platform().system; }
inline IUi& Ui() { return *Platform().ui; }
inline IWindowOps& WindowOps() { return *Platform().windowOps; }

}  // namespace lv
