// Selecting, detecting and following windows as a user does it, on the
// simulated desktop: the user arms from the tray icon, the hand moves the
// pointer and holds the buttons on the virtual clock, other programs' windows
// move, resize, minimise and close between ticks, and the tests read what the
// monitor was sent, the record's fields, the pointers and timer 1.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "bar/lv_dlg.h"
#include "link/screen_link.h"
#include "platform/fake/fake_desktop.h"
#include "select/selection_state.h"
#include "tests/unit/bar_on_desktop.h"

namespace lv {
namespace {

using fake::FakeDesktop;
using fake::kCaptionFrame;
using Step = fake::FakeMouseInput::Step;

constexpr char kNormalPointer[] = "standard 32512";

class SelectionTest : public BarOnDesktopTest {
protected:
    std::uint32_t TimerPeriod() {
        const fake::FakeTimer* t = desk->messages.Timer(dlg_, kSelectionTimer);
        return t ? t->periodMs : 0;
    }
    std::string Pointer() { return desk->cursors.shown[kOcrNormal]; }
    std::string TrayImage() { return desk->shell.NameOf(desk->shell.Icon(128)->hIcon); }

    // Arms from the tray icon and clicks the target's client area at `p`:
    // the program then follows the target.
    void ArmAndClick(Point p) {
        TrayClick();
        ClickAt(p);
        desk->RunFor(400);
        Sends();
    }
};

// ---------------------------------------------------------------------------
// Selection

TEST_F(SelectionTest, ClickWithoutMovementSendsTheWholeClientAreaClampedToTheScreenAndFollows) {
    struct Case {
        Rect window;
        Point click;
        const char* region;
    };
    const Case cases[] = {
        {kTargetRect, {300, 250}, "region 104 124 496 396"},
        {{-50, -20, 300, 200}, {100, 100}, "region 0 4 296 196"},      // off the top left
        {{900, 600, 1200, 900}, {950, 700}, "region 904 624 1024 768"},  // off the bottom right
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.region);
        HWindow target = HWindow::None;
        seen_ = 0;
        SetUp();
        Run([&](FakeDesktop&) {},
            [&](CLvDlg&, HWindow) {
                target = AddTarget(c.window);
                TrayClick();
                EXPECT_EQ(Sends(), std::vector<std::string>{"off"});
                ClickAt(c.click);
                desk->RunFor(400);
                EXPECT_EQ(Sends(), (std::vector<std::string>{"off", c.region}));
                const SelectionState& s = TheSelection();
                EXPECT_EQ(s.nState, STATE_ACTIVE);
                EXPECT_EQ(s.bRegionSent, 1);
                EXPECT_EQ(s.bFollowing, 1);
                EXPECT_EQ(s.bDragging, 0);
                EXPECT_EQ(TimerPeriod(), 300u);
                // A window without a parent is its own top and watched window.
                EXPECT_EQ(s.hwndTarget, target);
                EXPECT_EQ(s.hwndTop, target);
                EXPECT_EQ(s.hwndWatch, target);
                EXPECT_EQ(s.bInMdi, 0);
                // The region in client coordinates is the whole client area.
                const Rect client = desk->windows.GetClientRect(target);
                EXPECT_EQ(s.ptClientTL, (Point{0, 0}));
                EXPECT_EQ(s.ptClientBR, (Point{client.right, client.bottom}));
                EXPECT_EQ(s.rcLastWindow, c.window);
                EXPECT_EQ(s.rcLastClient, client);
                // The window saw only a click; the user has their pointer back.
                ASSERT_EQ(desk->mouse.injected.size(), 1u);
                EXPECT_TRUE(desk->mouse.injected[0].left);
                EXPECT_EQ(Pointer(), kNormalPointer);
                EXPECT_TRUE(desk->screen.BandFrames().empty());
            });
    }
}

TEST_F(SelectionTest, DragUpAndLeftSendsTheRectangleAsDraggedWithARubberBandMeanwhile) {
    Run({}, [&](CLvDlg&, HWindow) {
        const HWindow target = AddTarget(Rect{100, 100, 700, 600});
        TrayClick();
        Sends();
        Hand({{0, {500, 400}, false, false},
              {30, {500, 400}, true, false},
              {60, {400, 300}, true, false},
              {90, {300, 200}, true, false},
              {200, {300, 200}, false, false}});
        desk->RunFor(150);
        // One frame on the screen from the anchor to the pointer, red, 6 wide.
        EXPECT_EQ(desk->screen.BandFrames(), (std::vector<Rect>{{300, 200, 500, 400}}));
        ASSERT_FALSE(desk->screen.bandPens.empty());
        EXPECT_EQ(desk->screen.bandPens.back().width, 6);
        EXPECT_EQ(desk->screen.bandPens.back().colour, MakeColour(255, 0, 0));
        EXPECT_EQ(TheSelection().bDragging, 1);
        EXPECT_EQ(desk->mouse.injected.size(), 1u);  // once, at the press
        desk->RunFor(300);
        EXPECT_EQ(Sends(), (std::vector<std::string>{"off", "region 500 400 300 200"}));
        EXPECT_TRUE(desk->screen.BandFrames().empty());
        EXPECT_EQ(desk->screen.bandDCsOpen, 0);
        const SelectionState& s = TheSelection();
        EXPECT_EQ(s.bFollowing, 1);
        EXPECT_EQ(s.hwndTarget, target);
        // The corners kept in the target's client coordinates, as dragged.
        EXPECT_EQ(s.ptClientTL, (Point{396, 276}));
        EXPECT_EQ(s.ptClientBR, (Point{196, 76}));
    });
}

TEST_F(SelectionTest, DragEndingOverAnotherWindowShowsAFixedRegion) {
    Run({}, [&](CLvDlg&, HWindow) {
        AddTarget(Rect{100, 100, 400, 400});
        AddTarget(Rect{500, 100, 900, 400});
        TrayClick();
        Sends();
        Hand({{0, {200, 200}, false, false},
              {30, {200, 200}, true, false},
              {60, {600, 300}, true, false},
              {150, {600, 300}, false, false}});
        desk->RunFor(500);
        EXPECT_EQ(Sends(), (std::vector<std::string>{"off", "region 200 200 600 300"}));
        EXPECT_EQ(TheSelection().nState, STATE_ACTIVE);
        EXPECT_EQ(TheSelection().bRegionSent, 1);
        EXPECT_EQ(TheSelection().bFollowing, 0);
        EXPECT_EQ(TimerPeriod(), 0u);  // killed
    });
}

TEST_F(SelectionTest, PointerShowsWhetherAPressWouldSelect) {
    // Client area of the target: 104..496 x 124..396 on the screen.
    struct Case {
        Point at;
        const char* pointer;
        bool selects;
    };
    const Case cases[] = {
        {{300, 250}, "resource 148", true},
        {{104, 250}, "resource 147", false},  // the client area's first column
        {{300, 124}, "resource 147", false},  // its first row
        {{300, 110}, "resource 147", false},  // the title bar: left to the window
        {{600, 600}, "resource 147", false},  // no window
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.at.x << "," << c.at.y);
        SetUp();
        seen_ = 0;
        Run({}, [&](CLvDlg&, HWindow) {
            AddTarget();
            TrayClick();
            Sends();
            Hand({{0, c.at, false, false}});
            desk->RunFor(50);
            EXPECT_EQ(Pointer(), c.pointer);
            Hand({{0, c.at, true, false}, {100, c.at, false, false}});
            desk->RunFor(400);
            EXPECT_EQ(desk->mouse.injected.size(), c.selects ? 1u : 0u);
            EXPECT_EQ(Sends().size(), c.selects ? 2u : 0u);
        });
    }
}

TEST_F(SelectionTest, BothButtonsHeldInjectOnlyTheLeftRelease) {
    Run({}, [&](CLvDlg&, HWindow) {
        AddTarget();
        TrayClick();
        Hand({{0, {300, 250}, true, true}, {100, {300, 250}, false, false}});
        desk->RunFor(400);
        ASSERT_EQ(desk->mouse.injected.size(), 1u);
        EXPECT_TRUE(desk->mouse.injected[0].left);
        // A right press alone injects the right release.
        TrayClick();
        TrayClick();
        Hand({{0, {300, 250}, false, true}, {100, {300, 250}, false, false}});
        desk->RunFor(400);
        ASSERT_EQ(desk->mouse.injected.size(), 2u);
        EXPECT_FALSE(desk->mouse.injected[1].left);
    });
}

TEST_F(SelectionTest, OverTheBarTheUsersPointersShowOnceAndPressesAreTheBars) {
    Run({}, [&](CLvDlg&, HWindow dlg) {
        AddTarget();
        desk->dialogs.Send(dlg, kWmCommand, ID_SHOW_BAR, 0);
        TrayClick();
        Hand({{0, {300, 250}, false, false}});
        desk->RunFor(50);
        EXPECT_EQ(Pointer(), "resource 148");
        const Point overBar{520, 10};
        ASSERT_EQ(desk->windows.WindowFromPoint(overBar), dlg);
        Hand({{0, overBar, false, false}, {50, overBar, true, false}});
        desk->RunFor(30);
        EXPECT_EQ(Pointer(), kNormalPointer);
        const int installs = int(desk->cursors.installs.size());
        desk->RunFor(300);  // thirty ticks over the bar, a button held
        EXPECT_EQ(int(desk->cursors.installs.size()), installs);  // not reinstalled every tick
        EXPECT_TRUE(desk->mouse.injected.empty());
        EXPECT_EQ(TheSelection().bDragging, 0);
        // Back over the window, the selection pointer returns.
        Hand({{0, {300, 250}, false, false}});
        desk->RunFor(30);
        EXPECT_EQ(Pointer(), "resource 148");
    });
}

TEST_F(SelectionTest, APressOnTheTaskbarIsTheUsersClickOnTheTrayIconNotASelection) {
    Run({}, [&](CLvDlg&, HWindow) {
        const HWindow taskbar = desk->windows.AddWindow("Shell_TrayWnd", Rect{0, 738, 1024, 768});
        desk->windows.AddWindow("TrayNotifyWnd", Rect{900, 740, 1022, 766}, taskbar);
        TrayClick();
        Sends();
        const Point icon{1010, 752};
        Hand({{0, icon, false, false}, {30, icon, true, false}, {130, icon, false, false}});
        desk->RunFor(300);
        EXPECT_TRUE(desk->mouse.injected.empty());
        EXPECT_TRUE(Sends().empty());
        EXPECT_EQ(Pointer(), kNormalPointer);
        EXPECT_EQ(TheSelection().bDragging, 0);
    });
}

TEST_F(SelectionTest, ADragIsNotEndedByTheInjectedReleaseWhateverReadsTheButtons) {
    struct Case {
        const char* what;
        bool directInput;
        bool seesInjected;
    };
    const Case cases[] = {
        {"DirectInput that sees injected input", true, true},
        {"DirectInput that ignores it", true, false},
        {"the fallback reader", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        seen_ = 0;
        Run(
            [&](FakeDesktop& d) {
                d.mouse.noDirectInput = !c.directInput;
                d.mouse.directInputSeesInjected = c.seesInjected;
            },
            [&](CLvDlg& bar, HWindow) {
                EXPECT_EQ(bar.MouseButtons().UsesFallback(), !c.directInput);
                AddTarget(Rect{100, 100, 700, 600});
                TrayClick();
                Sends();
                Hand({{0, {200, 200}, true, false}, {100, {400, 300}, true, false}, {200, {400, 300}, false, false}});
                desk->RunFor(500);
                EXPECT_EQ(Sends(), (std::vector<std::string>{"off", "region 200 200 400 300"}));
            });
    }
}

// MDI: frame > "MDIClient" > document frame > view.
struct MdiWorld {
    HWindow frame, client, document, view, other;
};
MdiWorld BuildMdi(FakeDesktop& d) {
    MdiWorld m{};
    m.frame = d.windows.AddWindow("Word", Rect{50, 50, 850, 650}, HWindow::None, kCaptionFrame);
    m.client = d.windows.AddWindow("MDIClient", Rect{54, 74, 846, 646}, m.frame);
    m.other = d.windows.AddWindow("DocFrame", Rect{60, 80, 400, 400}, m.client, kCaptionFrame);
    // The document hangs over the MDI client's right and bottom edges.
    m.document = d.windows.AddWindow("DocFrame", Rect{500, 300, 1000, 800}, m.client, kCaptionFrame);
    m.view = d.windows.AddWindow("DocView", Rect{504, 324, 996, 796}, m.document);
    d.windows.Activate(m.document);
    return m;
}

TEST_F(SelectionTest, AClickInAnMdiDocumentIsClampedToTheMdiClient) {
    Run({}, [&](CLvDlg&, HWindow) {
        const MdiWorld m = BuildMdi(*desk);
        TrayClick();
        Sends();
        ClickAt(Point{600, 400});
        desk->RunFor(400);
        EXPECT_EQ(Sends(), (std::vector<std::string>{"off", "region 504 324 846 646"}));
        const SelectionState& s = TheSelection();
        EXPECT_EQ(s.bInMdi, 1);
        EXPECT_EQ(s.hwndTarget, m.view);
        EXPECT_EQ(s.hwndMdiClient, m.client);
        EXPECT_EQ(s.hwndMdiChild, m.document);
        EXPECT_EQ(s.hwndTop, m.frame);
        EXPECT_EQ(s.rcMdiClient, (Rect{54, 74, 846, 646}));
        EXPECT_EQ(s.bParentZoomed, 0);
    });
}

TEST_F(SelectionTest, SelectingAWindowWhoseParentIsMaximisedNotesIt) {
    Run({}, [&](CLvDlg&, HWindow) {
        const MdiWorld m = BuildMdi(*desk);
        desk->windows.Maximise(m.document);
        TrayClick();
        const Point inView = desk->windows.ClientToScreen(m.view, Point{50, 50});
        ClickAt(inView);
        desk->RunFor(400);
        const SelectionState& s = TheSelection();
        EXPECT_EQ(s.bParentZoomed, 1);
        EXPECT_EQ(s.nFrameShow, 1);
        EXPECT_EQ(s.bInMdi, 1);
    });
}

// ---------------------------------------------------------------------------
// Detection

TEST_F(SelectionTest, DetectionFindsAPlayersVideoWindowWithoutAClick) {
    struct Case {
        const char* name;
        std::function<HWindow(FakeDesktop&)> build;  // answers the video window, or None
    };
    const Case cases[] = {
        {"the skin host's video child, without a scan",
         [](FakeDesktop& d) {
             d.windows.AddWindow("WMPlayerApp", Rect{0, 0, 200, 200});
             const HWindow host = d.windows.AddWindow("WMP Skin Host", Rect{300, 100, 900, 600});
             return d.windows.AddWindow("WMPVideoWindow", Rect{320, 140, 880, 560}, host);
         }},
        {"the renderer at the fourth sample of the middle row",
         [](FakeDesktop& d) {
             const HWindow p = d.windows.AddWindow("WMPlayerApp", Rect{100, 100, 700, 501});
             // Samples at 110, 120, 130, 140: the renderer starts at 140.
             d.windows.AddWindow("WMPChrome", Rect{100, 100, 140, 501}, p);
             return d.windows.AddWindow("VideoRenderer", Rect{140, 150, 660, 450}, p);
         }},
        {"the first sample lies 10 pixels right of the left edge",
         [](FakeDesktop& d) {
             const HWindow p = d.windows.AddWindow("WMPlayerApp", Rect{100, 100, 700, 500});
             d.windows.AddWindow("VideoWindowControlClass", Rect{100, 100, 110, 500}, p);
             return d.windows.AddWindow("VideoRenderer", Rect{110, 150, 660, 450}, p);
         }},
        {"the scan meets the give-up class first",
         [](FakeDesktop& d) {
             const HWindow p = d.windows.AddWindow("WMPlayerApp", Rect{100, 100, 700, 500});
             d.windows.AddWindow("VideoWindowControlClass", Rect{100, 100, 300, 500}, p);
             d.windows.AddWindow("VideoRenderer", Rect{300, 150, 660, 450}, p);
             return HWindow::None;
         }},
        {"the second player's grandchild",
         [](FakeDesktop& d) {
             const HWindow g = d.windows.AddWindow("GeminiWindowClass", Rect{100, 100, 700, 500});
             const HWindow c = d.windows.AddWindow("VideoWindowControlClass", Rect{110, 110, 690, 490}, g);
             return d.windows.AddWindow("VideoControlWindowClass", Rect{120, 120, 680, 480}, c);
         }},
        {"no player", [](FakeDesktop&) { return HWindow::None; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        seen_ = 0;
        HWindow video = HWindow::None;
        Run([&](FakeDesktop& d) { video = c.build(d); },
            [&](CLvDlg&, HWindow) {
                desk->RunFor(1499);
                EXPECT_TRUE(Sends().empty());  // not before the first 1500 ms tick
                desk->RunFor(4600);             // three ticks
                const SelectionState& s = TheSelection();
                if (IsNone(video)) {
                    EXPECT_TRUE(Sends().empty());
                    EXPECT_EQ(s.nState, STATE_IDLE);
                    EXPECT_EQ(s.bAutoDetect, 1);
                    EXPECT_EQ(TimerPeriod(), 1500u);
                    return;
                }
                const Rect r = desk->windows.GetWindowRect(video);
                char region[64];
                std::snprintf(region, sizeof region, "region %d %d %d %d", r.left, r.top, r.right, r.bottom);
                EXPECT_EQ(Sends(), (std::vector<std::string>{"off", region}));
                EXPECT_EQ(s.nState, STATE_ACTIVE);
                EXPECT_EQ(s.bAutoDetect, 0);
                EXPECT_EQ(s.bFollowing, 1);
                EXPECT_EQ(s.hwndTarget, video);
                EXPECT_EQ(s.hwndTop, desk->windows.TopLevelOf(video));
                EXPECT_EQ(TimerPeriod(), 300u);
                EXPECT_EQ(TrayImage(), "own 145");
            });
    }
}

TEST_F(SelectionTest, ADetectedVideoWindowIsFollowedWhenThePlayerMoves) {
    HWindow player = HWindow::None;
    Run([&](FakeDesktop& d) {
            player = d.windows.AddWindow("WMPlayerApp", Rect{100, 100, 700, 500}, HWindow::None, kCaptionFrame);
            d.windows.AddWindow("VideoRenderer", Rect{104, 150, 696, 450}, player);
        },
        [&](CLvDlg&, HWindow) {
            desk->RunFor(1600);
            EXPECT_EQ(Sends(), (std::vector<std::string>{"off", "region 104 150 696 450"}));
            // Another application in front: a player's video stays on.
            desk->windows.Activate(desk->windows.AddWindow("Notepad", Rect{0, 0, 50, 50}));
            desk->RunFor(600);
            EXPECT_TRUE(Sends().empty());
            desk->windows.Move(player, 200, 150);
            desk->RunFor(400);
            EXPECT_EQ(Sends(), (std::vector<std::string>{"off", "region 204 200 796 500"}));
            // Minimised: off once; restored: the region again where it was.
            desk->windows.Minimise(player);
            desk->RunFor(900);
            EXPECT_EQ(Sends(), std::vector<std::string>{"off"});
            EXPECT_EQ(TheSelection().nState, STATE_SUSPENDED);
            EXPECT_EQ(TheSelection().nWatchShow, 2);
            desk->windows.Restore(player);
            desk->RunFor(400);
            EXPECT_EQ(Sends(), (std::vector<std::string>{"off", "region 204 200 796 500"}));
            EXPECT_EQ(TheSelection().nState, STATE_ACTIVE);
            desk->windows.Close(player);
            desk->RunFor(400);
            EXPECT_EQ(Sends(), std::vector<std::string>{"off"});
            EXPECT_EQ(TheSelection().nState, STATE_IDLE);
            EXPECT_EQ(TimerPeriod(), 0u);
        });
}

// ---------------------------------------------------------------------------
// Following

TEST_F(SelectionTest, AMovedWindowIsResentAtTheSamePlaceInItsClientArea) {
    Run({}, [&](CLvDlg&, HWindow) {
        const HWindow target = AddTarget(Rect{100, 100, 700, 600});
        TrayClick();
        Hand({{0, {200, 200}, true, false}, {50, {400, 300}, true, false}, {100, {400, 300}, false, false}});
        desk->RunFor(500);
        Sends();
        desk->windows.Move(target, 150, 130);
        const std::size_t callsBefore = desk->shell.calls.size();
        desk->RunFor(400);
        EXPECT_EQ(Sends(), (std::vector<std::string>{"off", "region 250 230 450 330"}));
        // The suspended look during the sends, the active one after.
        std::vector<std::string> icons;
        for (std::size_t i = callsBefore; i < desk->shell.calls.size(); ++i) {
            icons.push_back(desk->shell.NameOf(desk->shell.calls[i].data.hIcon));
        }
        EXPECT_EQ(icons, (std::vector<std::string>{"own 146", "own 145"}));
        EXPECT_EQ(TheSelection().nState, STATE_ACTIVE);
        EXPECT_EQ(TheSelection().rcLastWindow, (Rect{150, 130, 750, 630}));
        desk->RunFor(900);  // still: nothing more is sent
        EXPECT_TRUE(Sends().empty());
    });
}

TEST_F(SelectionTest, AResizedOrMaximisedWindowMakesItsWholeClientAreaTheRegion) {
    for (const bool maximise : {false, true}) {
        SCOPED_TRACE(maximise ? "maximised" : "resized");
        SetUp();
        seen_ = 0;
        Run({}, [&](CLvDlg&, HWindow) {
            const HWindow target = AddTarget(Rect{100, 100, 700, 600});
            TrayClick();
            Hand({{0, {200, 200}, true, false}, {50, {400, 300}, true, false}, {100, {400, 300}, false, false}});
            desk->RunFor(500);
            Sends();
            if (maximise) {
                desk->windows.Maximise(target);
            } else {
                desk->windows.Resize(target, 500, 400);
            }
            desk->RunFor(400);
            EXPECT_EQ(Sends(), (std::vector<std::string>{"off", maximise ? "region 4 24 1020 764"
                                                                          : "region 104 124 596 496"}));
            EXPECT_EQ(TheSelection().nWatchShow, maximise ? 1 : 0);
            EXPECT_EQ(TheSelection().ptClientTL, (Point{0, 0}));
            EXPECT_EQ(TheSelection().rcLastClient, desk->windows.GetClientRect(target));
            desk->RunFor(900);
            EXPECT_TRUE(Sends().empty());
        });
    }
}

TEST_F(SelectionTest, MinimisingSuspendsAndRestoringToTheFrontSendsTheRegionAgain) {
    Run({}, [&](CLvDlg&, HWindow) {
        const HWindow target = AddTarget();
        ArmAndClick(Point{300, 250});
        desk->windows.Minimise(target);
        desk->RunFor(400);
        EXPECT_EQ(Sends(), std::vector<std::string>{"off"});
        EXPECT_EQ(TheSelection().nState, STATE_SUSPENDED);
        EXPECT_EQ(TrayImage(), "own 146");
        EXPECT_EQ(TimerPeriod(), 300u);
        desk->RunFor(900);
        EXPECT_TRUE(Sends().empty());  // off once
        // Even were the minimised window the foreground one, nothing is
        // sent for a window that is not on the screen.
        desk->windows.foreground = target;
        desk->RunFor(600);
        EXPECT_TRUE(Sends().empty());
        EXPECT_EQ(TheSelection().nState, STATE_SUSPENDED);
        desk->windows.Restore(target);
        desk->windows.Activate(target);
        desk->RunFor(400);
        // Back where it was: the region at once, without an off frame.
        EXPECT_EQ(Sends(), std::vector<std::string>{"region 104 124 496 396"});
        EXPECT_EQ(TheSelection().nState, STATE_ACTIVE);
        EXPECT_EQ(TrayImage(), "own 145");
    });
}

TEST_F(SelectionTest, AWindowMinimisedWithItsPlacementBehindSendsNoRegionFromOffTheScreen) {
    // As under Wine: the minimised window keeps the foreground, and for a
    // moment its placement still says normal while it is parked off the
    // screen.
    Run({}, [&](CLvDlg&, HWindow) {
        const HWindow target = AddTarget();
        ArmAndClick(Point{300, 250});
        desk->windows.Minimise(target);
        desk->windows.foreground = target;
        desk->windows.Find(target)->placementShowCmd = kSwShowNormal;
        desk->RunFor(300);
        desk->windows.Find(target)->placementShowCmd = 0;
        desk->RunFor(900);
        EXPECT_EQ(Sends(), std::vector<std::string>{"off"});
        EXPECT_EQ(TheSelection().nState, STATE_SUSPENDED);
        desk->windows.Restore(target);
        desk->RunFor(600);
        const std::vector<std::string> back = Sends();
        ASSERT_FALSE(back.empty());
        EXPECT_EQ(back.back(), "region 104 124 496 396");
        for (const std::string& m : back) EXPECT_TRUE(m == "off" || m == "region 104 124 496 396") << m;
        EXPECT_EQ(TheSelection().nState, STATE_ACTIVE);
    });
}

TEST_F(SelectionTest, AnotherApplicationInFrontSuspendsAnOrdinaryWindowUntilItReturns) {
    Run({}, [&](CLvDlg&, HWindow) {
        const HWindow target = AddTarget();
        ArmAndClick(Point{300, 250});
        desk->windows.Activate(desk->windows.AddWindow("Calc", Rect{600, 500, 800, 700}));
        desk->RunFor(400);
        EXPECT_EQ(Sends(), std::vector<std::string>{"off"});
        EXPECT_EQ(TheSelection().nState, STATE_SUSPENDED);
        desk->windows.Activate(target);
        desk->RunFor(400);
        // Back in front: the region without an off frame first.
        EXPECT_EQ(Sends(), std::vector<std::string>{"region 104 124 496 396"});
        EXPECT_EQ(TheSelection().nState, STATE_ACTIVE);
        EXPECT_EQ(TrayImage(), "own 145");
    });
}

TEST_F(SelectionTest, ClosingTheFollowedWindowEndsFollowing) {
    Run({}, [&](CLvDlg&, HWindow) {
        const HWindow target = AddTarget();
        ArmAndClick(Point{300, 250});
        desk->windows.Close(target);
        desk->RunFor(400);
        EXPECT_EQ(Sends(), std::vector<std::string>{"off"});
        const SelectionState& s = TheSelection();
        EXPECT_EQ(s.nState, STATE_IDLE);
        EXPECT_EQ(s.bFollowing, 0);
        EXPECT_EQ(s.bRegionSent, 0);
        EXPECT_EQ(TimerPeriod(), 0u);
        EXPECT_EQ(TrayImage(), "own 128");
    });
}

TEST_F(SelectionTest, AHeldButtonFreezesFollowingUntilItIsLetGo) {
    Run({}, [&](CLvDlg&, HWindow) {
        const HWindow target = AddTarget();
        ArmAndClick(Point{300, 250});
        // The user drags the window by its title bar.
        Hand({{0, {300, 110}, true, false}});
        desk->windows.Move(target, 200, 150);
        desk->RunFor(600);
        desk->windows.Move(target, 250, 200);
        desk->RunFor(600);
        EXPECT_TRUE(Sends().empty());
        Hand({{0, {300, 110}, false, false}});
        desk->RunFor(400);
        EXPECT_EQ(Sends(), (std::vector<std::string>{"off", "region 254 224 646 496"}));
    });
}

TEST_F(SelectionTest, InsideMdiAnotherDocumentSuspendsAndAMinimisedOneKeepsItSuspended) {
    Run({}, [&](CLvDlg&, HWindow) {
        const MdiWorld m = BuildMdi(*desk);
        desk->windows.Activate(m.document);
        ArmAndClick(Point{600, 400});
        // Another document comes to the top of the MDI client.
        desk->windows.Activate(m.other);
        desk->RunFor(400);
        EXPECT_EQ(Sends(), std::vector<std::string>{"off"});
        EXPECT_EQ(TheSelection().nState, STATE_SUSPENDED);
        // The document back on top, but minimised: still suspended, even with
        // the application in front.
        desk->windows.Minimise(m.document);
        desk->windows.Activate(m.document);
        desk->RunFor(900);
        EXPECT_TRUE(Sends().empty());
        EXPECT_EQ(TheSelection().nState, STATE_SUSPENDED);
        EXPECT_EQ(TrayImage(), "own 146");
        // Restored: the region again, inside the MDI client.
        desk->windows.Restore(m.document);
        desk->RunFor(400);
        const std::vector<std::string> back = Sends();
        ASSERT_FALSE(back.empty());
        EXPECT_EQ(back.back(), "region 504 324 846 646");
        EXPECT_EQ(TheSelection().nState, STATE_ACTIVE);
    });
}

}  // namespace
}  // namespace lv
