// Every way the program ends, and a change of screen size while a region is
// shown, on the simulated desktop: the user's pointers, row 0 and the tray
// icon are left as the user had them.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "bar/lv_dlg.h"
#include "cursors/cursor_scheme.h"
#include "monitor/row_decoder.h"
#include "platform/fake/fake_desktop.h"
#include "select/selection_state.h"
#include "tests/unit/bar_on_desktop.h"

namespace lv {
namespace {

using fake::FakeDesktop;
using monitor::DecodeRow;
using monitor::FrameKind;

class WaysOutTest : public BarOnDesktopTest {
public:
    std::intptr_t Send(std::uint32_t msg, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
        const std::intptr_t result = desk->dialogs.Send(dlg_, msg, wParam, lParam);
        desk->dialogs.Pump();
        return result;
    }
    // Armed (Start), the pointer over the target's client area: the
    // selection pointers are installed.
    void Arm() {
        desk->mouse.cursorPos = Point{300, 250};
        Send(kWmCommand, ID_START);
        desk->RunFor(50);
    }
    // A press and release in the target's client area; the target is then
    // followed.
    HWindow FollowTarget() {
        const HWindow target = AddTarget();
        Arm();
        const std::uint64_t t = desk->clock.Now();
        const Point p{300, 250};
        desk->mouse.Script({{t, p, false, false}, {t + 30, p, true, false}, {t + 130, p, false, false}});
        desk->RunFor(400);
        return target;
    }
    // The ten pointers as the user had them before the program started.
    bool UserPointersShown() {
        for (const auto& [id, image] : desk->cursors.userScheme) {
            if (desk->cursors.shown[id] != image) return false;
        }
        return true;
    }
    FrameKind LastFrameOnRow0() {
        if (desk->screen.frames.empty()) return FrameKind::None;
        const auto& row = desk->screen.frames.back().row;
        return DecodeRow(row.data(), row.size()).kind;
    }

};

// ---------------------------------------------------------------------------
// Ways out

struct WayOut {
    const char* name;
    std::function<void(WaysOutTest&, FakeDesktop&)> take;
    bool barEnds;         // the bar's dialog ends (a crash ends the process instead)
    bool buttonsReleased;  // the button reader is let go of (a crash does not wait for it)
};

TEST_F(WaysOutTest, EveryWayOutPutsBackThePointersRow0AndTheTrayIcon) {
    const WayOut ways[] = {
        {"Exit", [](WaysOutTest& t, FakeDesktop&) { t.Send(kWmCommand, ID_APP_EXIT); }, true, true},
        {"WM_CLOSE from outside", [](WaysOutTest& t, FakeDesktop&) { t.Send(kWmClose); }, true, true},
        {"the session ends",
         [](WaysOutTest& t, FakeDesktop&) {
             EXPECT_EQ(t.Send(kWmQueryEndSession, 0, 0), 1);
             t.Send(kWmEndSession, 1, 0);
         },
         true, true},
        {"a crash", [](WaysOutTest&, FakeDesktop& d) { EXPECT_TRUE(d.system.Crash()); }, false, false},
    };
    for (const WayOut& way : ways) {
        SCOPED_TRACE(way.name);
        Run({}, [&](CLvDlg& bar, HWindow dlg) {
            FollowTarget();
            Arm();  // armed again: the selection pointers are shown
            ASSERT_EQ(desk->cursors.shown[kOcrNormal], "resource 148");
            // and a rubber band is being dragged
            const std::uint64_t t = desk->clock.Now();
            desk->mouse.Script({{t, {300, 250}, true, false}, {t + 30, {350, 300}, true, false}});
            desk->RunFor(60);
            ASSERT_EQ(desk->screen.BandFrames(), (std::vector<Rect>{{300, 250, 350, 300}}));
            ASSERT_NE(desk->shell.Icon(128), nullptr);
            Sends();
            way.take(*this, *desk);
            EXPECT_TRUE(desk->screen.BandFrames().empty());
            EXPECT_TRUE(UserPointersShown());
            EXPECT_EQ(bar.CursorScheme().Mode(), CURSOR_USER);  // and the program knows it
            EXPECT_EQ(desk->cursors.schemeReloads, 0);  // every saved copy went back
            EXPECT_EQ(Sends(), std::vector<std::string>{"off"});  // once, whatever asked for it
            EXPECT_EQ(LastFrameOnRow0(), FrameKind::Off);
            EXPECT_EQ(desk->screen.Row(), desk->screen.DesktopRow());  // and the desktop back after it
            EXPECT_EQ(desk->shell.Icon(128), nullptr);
            EXPECT_EQ(desk->windows.Find(dlg)->ended, way.barEnds);
            EXPECT_EQ(desk->messages.Timer(dlg, kSelectionTimer) == nullptr, way.barEnds);
            EXPECT_EQ(desk->mouse.liveDevices == 0, way.buttonsReleased);
            // Whatever comes after finds nothing left to put back, and no
            // tick (a crashed process lives on for a moment) puts the
            // selection pointers back up.
            const std::size_t cursorSets = desk->cursors.installs.size();
            desk->RunFor(900);
            desk->system.Crash();
            Send(kWmClose);
            EXPECT_TRUE(Sends().empty());
            EXPECT_EQ(desk->cursors.installs.size(), cursorSets);
        });
        // The bar gone, a crash no longer reaches it.
        EXPECT_FALSE(desk->system.Crash());
    }
}

// A crash puts back the surest first, from what start-up prepared: the tray
// icon, then the pointers (no cursor file loaded, no registry read), then the
// off frame, which paints.
TEST_F(WaysOutTest, ACrashPutsTheTrayIconBackFirstAndPaintsLast) {
    Run([](FakeDesktop& d) { d.registry.SetString(kCursorsKey, "Wait", "C:\\WINDOWS\\Cursors\\busy.ani"); },
        [&](CLvDlg&, HWindow) {
            FollowTarget();
            Arm();
            const int from = int(desk->log.Entries().size());
            const int reads = desk->registry.reads;
            const int fileLoads = desk->cursors.fileLoads;
            ASSERT_TRUE(desk->system.Crash());
            const auto& log = desk->log;
            const int icon = log.Find("tray delete", from);
            const int pointer = log.Find("cursor set", from);
            const int off = log.Find("trace lumivane: send off", from);
            ASSERT_GE(icon, 0);
            ASSERT_GE(pointer, 0);
            ASSERT_GE(off, 0);
            EXPECT_LT(icon, pointer);
            EXPECT_LT(pointer, off);
            EXPECT_EQ(desk->registry.reads, reads);
            EXPECT_EQ(desk->cursors.fileLoads, fileLoads);
            EXPECT_TRUE(UserPointersShown());
        });
}

// A crash on another thread while a tick of the program's own thread is
// installing the selection pointers: the tick puts none back after the
// hand-back.
TEST_F(WaysOutTest, ACrashDuringATickLeavesNoSelectionPointerBehind) {
    Run({}, [&](CLvDlg&, HWindow) {
        AddTarget();
        Send(kWmCommand, ID_START);
        bool crashed = false;
        desk->cursors.onInstall = [&](std::uint32_t id) {
            if (id != kOcrNormal || crashed) return;
            crashed = true;
            desk->system.Crash();  // between the two selection pointers' installs
        };
        desk->mouse.cursorPos = Point{300, 250};
        desk->RunFor(30);
        desk->cursors.onInstall = nullptr;
        ASSERT_TRUE(crashed);
        EXPECT_TRUE(UserPointersShown());
        desk->RunFor(300);
        EXPECT_TRUE(UserPointersShown());
    });
}

TEST_F(WaysOutTest, ASessionThatMayEndOrDoesNotChangesNothing) {
    Run({}, [&](CLvDlg&, HWindow dlg) {
        FollowTarget();
        Sends();
        const std::size_t cursorSets = desk->cursors.installs.size();
        EXPECT_EQ(Send(kWmQueryEndSession, 0, 0), 1);
        Send(kWmEndSession, 0, 0);  // another program refused: the session goes on
        EXPECT_TRUE(Sends().empty());
        EXPECT_EQ(desk->cursors.installs.size(), cursorSets);
        EXPECT_NE(desk->shell.Icon(128), nullptr);
        EXPECT_FALSE(desk->windows.Find(dlg)->ended);
        desk->RunFor(900);
        EXPECT_EQ(TheSelection().nState, STATE_ACTIVE);  // still following
    });
}

TEST_F(WaysOutTest, SavedPointersThatWillNotGoBackReloadTheUsersScheme) {
    // Copies of the user's pointers could not be made at start, so there is
    // nothing saved to put back: the system reloads the scheme instead.
    Run([](FakeDesktop& d) { d.cursors.failCopy = true; }, [&](CLvDlg&, HWindow) {
        AddTarget();
        Arm();
        ASSERT_EQ(desk->cursors.shown[kOcrNormal], "resource 148");
        EXPECT_TRUE(desk->system.Crash());
        EXPECT_EQ(desk->cursors.schemeReloads, 1);
        EXPECT_TRUE(UserPointersShown());
    });
}

// ---------------------------------------------------------------------------
// A change of screen size

TEST_F(WaysOutTest, AfterADisplayChangeTheBarAndTheShownRegionFollowTheNewScreen) {
    struct Case {
        const char* name;
        std::function<void(WaysOutTest&)> before;
        std::vector<std::string> sends;
    };
    const Case cases[] = {
        {"nothing shown", [](WaysOutTest&) {}, {}},
        {"a followed window", [](WaysOutTest& t) { t.FollowTarget(); }, {"off", "region 104 124 496 396"}},
        {"a followed window the new screen cuts",
         [](WaysOutTest& t) {
             const HWindow target = t.FollowTarget();
             t.desk->windows.Move(target, 500, 300);  // and the user moved it before the change
             t.desk->RunFor(400);
             t.Sends();
             t.desk->windows.Move(target, 700, 500);  // the window system moved it
         },
         {"off", "region 704 524 800 600"}},
        {"full screen", [](WaysOutTest& t) { t.Send(kWmHotKey, kHotKeyId); }, {"off", "region 0 0 800 600"}},
        {"suspended: another window in front",
         [](WaysOutTest& t) {
             t.FollowTarget();
             t.desk->windows.Activate(t.desk->windows.AddWindow("Other", Rect{0, 0, 50, 50}));
             t.desk->RunFor(400);
         },
         {}},
    };
    for (const Case& c : cases) {
        for (const bool shown : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (shown ? ", bar shown" : ", bar hidden"));
            Run({}, [&](CLvDlg&, HWindow dlg) {
                if (shown) Send(kWmCommand, ID_SHOW_BAR);
                c.before(*this);
                Sends();
                desk->SetResolution(800, 600);
                Send(kWmDisplayChange, 32, (600 << 16) | 800);
                EXPECT_EQ(Sends(), c.sends);
                if (!c.sends.empty()) {
                    // The send measured the new width.
                    ASSERT_FALSE(desk->screen.frames.empty());
                    EXPECT_EQ(desk->screen.frames.back().row.size(), 800u);
                }
                // The bar's move leaves the foreground to the user's window:
                // a followed region stays on.
                desk->RunFor(600);
                EXPECT_TRUE(Sends().empty());
                const Rect bar = desk->windows.GetWindowRect(dlg);
                EXPECT_EQ(bar.left, 800 / 2 - 50);
                EXPECT_EQ(bar.top, 0);
                EXPECT_EQ(bar.Width(), shown ? kBarWidth : 0);
                EXPECT_EQ(bar.Height(), shown ? kBarHeight : 0);
            });
        }
    }
}

}  // namespace
}  // namespace lv
