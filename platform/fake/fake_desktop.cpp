#include "platform/fake/fake_desktop.h"

namespace lv::fake {

FakeDesktop::FakeDesktop(std::int32_t width, std::int32_t height)
    : screen(clock, log, width),
      system(clock, log),
      windows(clock, log, width, height),
      ui(clock, log, windows),
      registry(clock, log),
      cursors(clock, log),
      mouse(clock, log),
      windowing(clock, log, ui, windows),
      tray(clock, log, windowing, windows),
      menus(clock, log, ui, windows) {
    PlatformServices services;
    services.screen = &screen;
    services.clock = &clock;
    services.system = &system;
    services.ui = &ui;
    services.registry = &registry;
    services.cursors = &cursors;
    services.mouseInput = &mouse;
    services.windowing = &windowing;
    services.tray = &tray;
    services.menus = &menus;
    services.windows = &windows;
    previous_ = InstallPlatform(services);
}

FakeDesktop::~FakeDesktop() { InstallPlatform(previous_); }

void FakeDesktop::SetResolution(std::int32_t width, std::int32_t height) {
    screen.SetWidth(width);
    windows.screenWidth = width;
    windows.screenHeight = height;
}

}  // namespace lv::fake
