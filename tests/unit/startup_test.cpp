// Start-up as a user sees it: one copy per desktop, the splash for two
// seconds of tick count, then the bar.
#include "app/lv_app.h"

#include <gtest/gtest.h>

#include "link/screen_link.h"
#include "platform/fake/fake_desktop.h"

namespace lv {
namespace {

using fake::FakeDesktop;

TEST(Startup, SecondCopyEndsSilentlyBeforeItsSplash) {
    FakeDesktop desk;
    desk.system.mutexes.insert(kAppMutexName);  // the first copy holds it
    EXPECT_FALSE(TheApp().InitInstance());
    EXPECT_TRUE(desk.windows.WindowsFrom(130).empty());
    EXPECT_TRUE(desk.windows.WindowsFrom(102).empty());
    EXPECT_TRUE(desk.screen.frames.empty());
    // Nor does it paint the off frame when it ends: the first copy's region
    // stays on the monitor.
    EXPECT_TRUE(TheScreenLink().IsSilencedAtExit());
}

TEST(Startup, SplashThenBar) {
    FakeDesktop desk;
    EXPECT_FALSE(TheApp().InitInstance());
    const auto& log = desk.log;
    const int framework = log.Find("ui framework");
    const int mutex = log.Find("mutex LumivaneAppMutex");
    const int create = log.Find("window create 130");
    const int paint = log.Find("paint 130", create);
    const int destroy = log.Find("window destroy 130", create);
    const int bar = log.Find("modal run 102");
    ASSERT_GE(framework, 0);
    ASSERT_GE(mutex, 0);
    EXPECT_LT(framework, mutex);  // the dialog framework is ready before the guard
    EXPECT_LT(mutex, create);
    EXPECT_LT(create, paint);  // painted at once, not left to a message loop
    EXPECT_LT(paint, destroy);
    EXPECT_LT(destroy, bar);  // gone before the bar's loop starts
    const auto up = log.Entries()[std::size_t(destroy)].timeMs - log.Entries()[std::size_t(create)].timeMs;
    EXPECT_GE(up, 2000u);
    EXPECT_LT(up, 2020u);
}

TEST(Startup, SplashWaitSurvivesTheTickCounterWrap) {
    for (std::uint32_t start : {0xFFFFFFFFu - 500, 0xFFFFFFFFu, 0xFFFFFFFFu - 1999}) {
        FakeDesktop desk;
        desk.clock.SetTickCount(start);
        const std::uint64_t before = desk.clock.Now();
        WaitTicks(kSplashMs);
        const std::uint64_t waited = desk.clock.Now() - before;
        EXPECT_GE(waited, 2000u) << std::hex << start;
        EXPECT_LT(waited, 2020u) << std::hex << start;
    }
}

TEST(Startup, SplashIsThePicturesSizeCentred) {
    for (auto size : {std::pair{1024, 768}, std::pair{1280, 1024}}) {
        FakeDesktop desk(size.first, size.second);
        TheApp().InitInstance();
        const auto splashes = desk.windows.WindowsFrom(130);
        ASSERT_EQ(splashes.size(), 1u);
        const Rect r = splashes[0]->rect;
        EXPECT_EQ(r.Width(), 400);
        EXPECT_EQ(r.Height(), 273);
        EXPECT_EQ(r.left, (size.first - 400) / 2);
        EXPECT_EQ(r.top, (size.second - 273) / 2);
        EXPECT_TRUE(splashes[0]->destroyed);
    }
}

TEST(Startup, AFailedMutexStillStartsTheProgram) {
    FakeDesktop desk;
    desk.system.failMutex = true;
    TheApp().InitInstance();
    EXPECT_EQ(desk.windows.WindowsFrom(130).size(), 1u);
    EXPECT_EQ(desk.log.Count("modal run 102"), 1);
}

TEST(Startup, BarSitsAtTheTopCentre) {
    for (auto width : {1024, 1023}) {
        FakeDesktop desk(width, 768);
        TheApp().InitInstance();
        const auto bars = desk.windows.WindowsFrom(102);
        ASSERT_EQ(bars.size(), 1u);
        EXPECT_EQ(bars[0]->rect.left, width == 1024 ? 462 : 461);
        EXPECT_EQ(bars[0]->rect.top, 0);
    }
}

}  // namespace
}  // namespace lv
