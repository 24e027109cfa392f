// The simulated desktop the tests drive the program through: one clock, one
// screen, one session of kernel objects, one table of windows, the registry, system
// cursors, mouse, notification area and timers, and a log of what the
// program did to them. Making one installs it as the platform; destroying it
// puts the previous platform back.
#pragma once

#include "platform/fake/clock.h"
#include "platform/fake/controls.h"
#include "platform/fake/cursors.h"
#include "platform/fake/log.h"
#include "platform/fake/menus.h"
#include "platform/fake/mouse_input.h"
#include "platform/fake/registry.h"
#include "platform/fake/screen.h"
#include "platform/fake/system.h"
#include "platform/fake/shell.h"
#include "platform/fake/dialogs.h"
#include "platform/fake/launch.h"
#include "platform/fake/messages.h"
#include "platform/fake/windows.h"
#include "platform/platform.h"

namespace lv::fake {

class FakeDesktop {
public:
    explicit FakeDesktop(std::int32_t width = 1024, std::int32_t height = 768);
    ~FakeDesktop();
    FakeDesktop(const FakeDesktop&) = delete;
    FakeDesktop& operator=(const FakeDesktop&) = delete;

    // A new resolution for both the display device and the system metrics.
    void SetResolution(std::int32_t width, std::int32_t height);
    // The program's message loop runs for `ms` of virtual time: timers fire.
    void RunFor(std::uint64_t ms) { messages.RunFor(ms); }

    EventLog log;
    FakeClock clock;
    FakeScreen screen;
    FakeSystem system;
    FakeWindows windows;
    FakeDialogs dialogs;
    FakeRegistry registry;
    FakeCursors cursors;
    FakeMouseInput mouse;
    FakeMessages messages;
    FakeShell shell;
    FakeMenus menus;
    FakeControls controls;
    FakeLaunch launch;

private:
    PlatformServices previous_;
};

}  // namespace lv::fake
