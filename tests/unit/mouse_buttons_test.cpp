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

TEST(MouseButtons, LostAcquisitionReadsNoButtonUntilTheMouseIsFreeAgain) {
    FakeDesktop desk;
    CMouseButtons buttons;
    buttons.Create();
    desk.mouse.leftHeld = desk.mouse.rightHeld = true;
    desk.mouse.TakeMouseExclusively();
    for (int i = 0; i < 3; ++i) {
        const MouseButtonState state = buttons.ReadButtons();
        EXPECT_FALSE(state.bLeft || state.bRight);
    }
    // The other program lets go: the next read acquires the device again.
    desk.mouse.GiveMouseBack();
    const int acquires = desk.mouse.acquires;
    const MouseButtonState state = buttons.ReadButtons();
    EXPECT_TRUE(state.bLeft && state.bRight);
    EXPECT_EQ(desk.mouse.acquires, acquires + 1);
    // Acquired, a read is one device call again.
    const int reads = desk.mouse.deviceReads;
    EXPECT_TRUE(buttons.ReadButtons().bLeft);
    EXPECT_EQ(desk.mouse.deviceReads, reads + 1);
    EXPECT_EQ(desk.mouse.acquires, acquires + 1);
}

// The selection injects a release at the press, so that the window under
// the pointer sees a click; DirectInput may count it as the user's.
TEST(MouseButtons, AfterOurInjectedReleaseTheUsersHandDecides) {
    struct Case {
        const char* what;
        bool seesInjected;
        bool left;
    };
    const Case cases[] = {
        {"DirectInput sees injected input, left", true, true},
        {"DirectInput sees injected input, right", true, false},
        {"DirectInput ignores injected input", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeDesktop desk;
        desk.mouse.directInputSeesInjected = c.seesInjected;
        CMouseButtons buttons;
        buttons.Create();
        ASSERT_TRUE(buttons.UsesDirectInput());
        bool& held = c.left ? desk.mouse.leftHeld : desk.mouse.rightHeld;
        auto read = [&] {
            const MouseButtonState s = buttons.ReadButtons();
            return c.left ? s.bLeft : s.bRight;
        };
        held = true;
        EXPECT_TRUE(read());
        buttons.InjectRelease(c.left);
        ASSERT_EQ(desk.mouse.injected.size(), 1u);
        EXPECT_EQ(desk.mouse.injected[0].left, c.left);
        for (int i = 0; i < 3; ++i) EXPECT_TRUE(read());  // still held by the user
        held = false;
        EXPECT_FALSE(read());
        // The next press reads through DirectInput again.
        held = true;
        EXPECT_TRUE(read());
        const int physicalReads = desk.mouse.asyncReads;
        held = false;
        EXPECT_FALSE(read());
        EXPECT_EQ(desk.mouse.asyncReads, physicalReads);
    }
}

TEST(MouseButtons, WithoutAWatchOfThePhysicalButtonsDirectInputIsAllThereIs) {
    FakeDesktop desk;
    desk.mouse.noPhysicalWatch = true;
    CMouseButtons buttons;
    buttons.Create();
    desk.mouse.leftHeld = true;
    buttons.InjectRelease(true);
    EXPECT_FALSE(buttons.ReadButtons().bLeft);  // DirectInput saw the injected release
    EXPECT_EQ(desk.mouse.asyncReads, 0);        // no stale watch was read
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
