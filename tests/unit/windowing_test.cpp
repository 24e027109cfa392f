// Window timers of the simulated desktop, as the message loop delivers
// them: the tray animation and the bar's timer both rely on this.
#include <gtest/gtest.h>

#include <vector>

#include "platform/constants.h"
#include "platform/fake/fake_desktop.h"

namespace lv {
namespace {

using fake::FakeDesktop;

// A window that keeps the time of every tick, and can be made slow.
class TickCounter : public IWindowHandler, public IDialogHandler {
public:
    std::intptr_t OnInitDialog(HWindow) override { return 1; }
    bool OnMessage(const Message& m, std::intptr_t& result) override {
        if (m.msg != kWmTimer) return false;
        ticks.push_back(desk->clock.Now());
        if (busyMs) desk->clock.Sleep(busyMs);
        result = 0;
        return true;
    }
    FakeDesktop* desk = nullptr;
    std::uint32_t busyMs = 0;
    std::vector<std::uint64_t> ticks;
};

TEST(FakeTimers, TicksComeEachPeriodWhileTheLoopRuns) {
    FakeDesktop desk;
    TickCounter hidden, dialog;
    hidden.desk = dialog.desk = &desk;
    const HWindow h = desk.messages.CreateHiddenWindow("t", &hidden);
    const HWindow d = desk.dialogs.CreateModelessDialog(102, &dialog);
    EXPECT_EQ(desk.messages.SetTimer(h, 1, 300), 1u);
    EXPECT_EQ(desk.messages.SetTimer(d, 1, 10), 1u);
    desk.clock.Sleep(1000);  // a blocked loop delivers nothing
    EXPECT_TRUE(hidden.ticks.empty());
    desk.RunFor(900);
    // Overdue at once, then once a period.
    EXPECT_EQ(hidden.ticks, (std::vector<std::uint64_t>{1000, 1300, 1600, 1900}));
    EXPECT_EQ(dialog.ticks.size(), 91u);  // 1000 to 1900
    // Setting the same id again changes the period from now.
    desk.messages.SetTimer(d, 1, 1500);
    dialog.ticks.clear();
    desk.RunFor(3000);
    EXPECT_EQ(dialog.ticks, (std::vector<std::uint64_t>{3400, 4900}));
    desk.messages.KillTimer(d, 1);
    desk.RunFor(3000);
    EXPECT_EQ(dialog.ticks.size(), 2u);
}

TEST(FakeTimers, ASlowHandlerGetsOneTickNotABurst) {
    FakeDesktop desk;
    TickCounter slow;
    slow.desk = &desk;
    slow.busyMs = 250;  // a region send blocks this long
    const HWindow h = desk.messages.CreateHiddenWindow("t", &slow);
    desk.messages.SetTimer(h, 1, 10);
    desk.RunFor(1000);
    ASSERT_GE(slow.ticks.size(), 2u);
    for (std::size_t i = 1; i < slow.ticks.size(); ++i) EXPECT_EQ(slow.ticks[i] - slow.ticks[i - 1], 250u);
}

}  // namespace
}  // namespace lv
