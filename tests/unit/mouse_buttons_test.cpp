// The physical buttons as the selection step reads them: held buttons are
// seen, a lost device reads as none, and a machine without DirectInput
// still reports them.
#include "select/mouse_buttons.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_desktop.h"

namespace lv {
namespace {

using fake::FakeDesktop;

struct Held {
    bool left;
    bool right;
};
constexpr Held kHeldCases[] = {{false, false}, {true, false}, {false, true}, {true, true}};

TEST(MouseButtons, ReportsTheHeldButtonsThroughDirectInput) {
    FakeDesktop desk;
    CMouseButtons buttons;
    buttons.Create();
    ASSERT_TRUE(buttons.UsesDirectInput());
    for (const Held& h : kHeldCases) {
        desk.mouse.leftHeld = h.left;
        desk.mouse.rightHeld = h.right;
        const int reads = desk.mouse.deviceReads;
        const MouseButtonState state = buttons.ReadButtons();
        EXPECT_EQ(state.bLeft, h.left);
        EXPECT_EQ(state.bRight, h.right);
        EXPECT_EQ(desk.mouse.deviceReads, reads + 1);  // one device call a read
    }
}

TEST(MouseButtons, SwappedButtonsStillReportThePhysicalOnes) {
    FakeDesktop desk;
    desk.mouse.swapped = true;
    desk.mouse.leftHeld = true;
    CMouseButtons buttons;
    buttons.Create();
    EXPECT_TRUE(buttons.ReadButtons().bLeft);
    EXPECT_FALSE(buttons.ReadButtons().bRight);
}

TEST(MouseButtons, LostAcquisitionReadsNoButton) {
    FakeDesktop desk;
    CMouseButtons buttons;
    buttons.Create();
    desk.mouse.leftHeld = desk.mouse.rightHeld = true;
    desk.mouse.TakeMouseExclusively();
    MouseButtonState state = buttons.ReadButtons();
    EXPECT_FALSE(state.bLeft);
    EXPECT_FALSE(state.bRight);
    // The device is not acquired again behind the caller's back.
    desk.mouse.GiveMouseBack();
    state = buttons.ReadButtons();
    EXPECT_FALSE(state.bLeft || state.bRight);
    // A new Create does acquire it.
    buttons.Create();
    EXPECT_TRUE(buttons.ReadButtons().bLeft);
}

TEST(MouseButtons, AnEmptyReaderReadsNothingAndReleasesNothing) {
    FakeDesktop desk;
    desk.mouse.leftHeld = true;
    CMouseButtons buttons;
    EXPECT_FALSE(buttons.ReadButtons().bLeft);
    buttons.Release();
    EXPECT_EQ(desk.mouse.deviceReads, 0);
    EXPECT_EQ(desk.mouse.asyncReads, 0);
    EXPECT_EQ(desk.log.Count("dinput"), 0);
}

TEST(MouseButtons, CreateAgainAndReleaseTwiceLeaveNothingBehind) {
    FakeDesktop desk;
    desk.mouse.leftHeld = true;
    CMouseButtons buttons;
    buttons.Create();
    buttons.Create();  // releases the first pair
    EXPECT_EQ(desk.mouse.liveInterfaces, 1);
    EXPECT_EQ(desk.mouse.liveDevices, 1);
    buttons.Release();
    buttons.Release();
    EXPECT_EQ(desk.mouse.liveInterfaces, 0);
    EXPECT_EQ(desk.mouse.liveDevices, 0);
    EXPECT_FALSE(buttons.ReadButtons().bLeft);
}

TEST(MouseButtons, WithoutADirectInputMouseTheButtonStateStandsIn) {
    struct Lack {
        const char* what;
        bool noDirectInput, noMouse, refuseFormat;
    };
    const Lack lacks[] = {
        {"no DirectInput", true, false, false},
        {"no mouse device", false, true, false},
        {"mouse format refused", false, false, true},
    };
    for (const Lack& lack : lacks) {
        FakeDesktop desk;
        desk.mouse.noDirectInput = lack.noDirectInput;
        desk.mouse.noMouseDevice = lack.noMouse;
        desk.mouse.refuseFormat = lack.refuseFormat;
        CMouseButtons buttons;
        buttons.Create();
        EXPECT_TRUE(buttons.UsesFallback()) << lack.what;
        EXPECT_EQ(desk.mouse.liveInterfaces, 0) << lack.what;  // what was made is let go
        EXPECT_EQ(desk.mouse.liveDevices, 0) << lack.what;
        for (const Held& h : kHeldCases) {
            desk.mouse.leftHeld = h.left;
            desk.mouse.rightHeld = h.right;
            const MouseButtonState state = buttons.ReadButtons();
            EXPECT_EQ(state.bLeft, h.left) << lack.what;
            EXPECT_EQ(state.bRight, h.right) << lack.what;
        }
        buttons.Release();
        EXPECT_FALSE(buttons.UsesFallback());
        EXPECT_FALSE(buttons.ReadButtons().bLeft || buttons.ReadButtons().bRight);
    }
}

}  // namespace
}  // namespace lv
