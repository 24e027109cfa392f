#include "platform/fake/fake_desktop.h"

namespace lv::fake {

FakeDesktop::FakeDesktop(std::int32_t width, std::int32_t height)
    : screen(clock, log, width, height),
      system(clock, log),
      windows(clock, log, width, height),
      dialogs(clock, log, windows),
      registry(clock, log),
      cursors(clock, log),
      mouse(clock, log),
      messages(clock, log, dialogs, windows),
      shell(clock, log, messages, windows),
      menus(clock, log, dialogs, windows),
      controls(clock, log, dialogs, windows, mouse, cursors),
      launch(clock, log) {
    PlatformServices services;
    services.screen = &screen;
    services.clock = &clock;
    services.system = &system;
    services.dialogs = &dialogs;
    services.registry = &registry;
    services.cursors = &cursors;
    services.mouseInput = &mouse;
    services.messages = &messages;
    services.shell = &shell;
    services.menus = &menus;
    services.windows = &windows;
    services.controls = &controls;
    services.launch = &launch;
    previous_ = InstallPlatform(services);
}

FakeDesktop::~FakeDesktop() { InstallPlatform(previous_); }

void FakeDesktop::SetResolution(std::int32_t width, std::int32_t height) {
    screen.SetWidth(width);
    screen.primaryHeight = height;
    windows.screenWidth = width;
    windows.screenHeight = height;
}

}  // namespace lv::fake
