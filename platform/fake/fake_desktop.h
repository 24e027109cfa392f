// The simulated desktop the tests drive the program through: one clock, one
// screen, one session of kernel objects and windows, and a log of what the
// program did to them. Making one installs it as the platform; destroying it
// puts the previous platform back.
#pragma once

#include "platform/fake/clock.h"
#include "platform/fake/log.h"
#include "platform/fake/screen.h"
#include "platform/fake/system.h"
#include "platform/fake/ui.h"
#include "platform/fake/window_ops.h"
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

    EventLog log;
    FakeClock clock;
    FakeScreen screen;
    FakeSystem system;
    FakeUi ui;
    FakeWindowOps windowOps;

    // Lets virtual time pass with the message loop running.
    void RunFor(std::uint64_t ms) { windowOps.RunFor(ms); }

private:
    PlatformServices previous_;
};

}  // namespace lv::fake
