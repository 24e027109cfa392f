// What a Windows desk does that a plain desktop does not: the program's own
// windows taking the foreground, dialog boxes owned by other windows, child
// windows of maximised windows and video windows that go away inside their
// player, and the rubber band a transition must not leave on the screen.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bar/lv_dlg.h"
#include "platform/fake/fake_desktop.h"
#include "select/selection_state.h"
#include "tests/unit/bar_on_desktop.h"
#include "tray/tray_ressurection_wnd.h"

namespace lv {
namespace {

using fake::FakeDesktop;
using fake::kCaptionFrame;
using Step = fake::FakeMouseInput::Step;
using Sent = std::vector<std::string>;

constexpr char kNormalPointer[] = "standard 32512";
constexpr char kHelpFile[] = "C:\\Program Files\\Lumivane\\lvhelp.chm";

class RealDeskTest : public BarOnDesktopTest {
public:
    void SetUp() override {
        seen_ = 0;
        nestedBoxes = 0;
        BarOnDesktopTest::SetUp();
    }
    // Armed from the tray, a click at `p`: the window there is followed.
    void ArmAndClick(Point p) {
        TrayClick();
        ClickAt(p);
        desk->RunFor(400);
        Sends();
    }
    // Armed, a press at `from` dragged to `to` and still held.
    void ArmAndDrag(Point from, Point to) {
        TrayClick();
        Hand({{0, from, true, false}, {30, to, true, false}});
        desk->RunFor(60);
        Sends();
    }
    std::string Pointer() { return desk->cursors.shown[kOcrNormal]; }
    std::string TrayImage() {
        const auto* icon = desk->shell.Icon(128);
        return icon == nullptr ? "no icon" : desk->shell.NameOf(icon->hIcon);
    }
    std::uint32_t TimerPeriod() {
        const fake::FakeTimer* t = desk->messages.Timer(dlg_, kSelectionTimer);
        return t ? t->periodMs : 0;
    }
    // The state whose tool bar is the only one shown, or -1.
    int VisibleLook() {
        int found = -1;
        for (const fake::FakeToolBar& t : desk->menus.toolBars) {
            if (!desk->windows.Find(t.handle)->visible) continue;
            if (found >= 0) return -1;
            found = t.bitmapId == 165 ? STATE_IDLE : t.bitmapId == 172 ? STATE_ACTIVE : STATE_SUSPENDED;
        }
        return found;
    }
    Point CentreOf(HWindow w) {
        const Rect r = desk->windows.GetWindowRect(w);
        return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    HWindow ControlOf(HWindow dlg, int id) {
        for (HWindow h : desk->windows.Descendants(dlg)) {
            if (desk->windows.Find(h)->controlId == id) return h;
        }
        return HWindow::None;
    }
    void Command(int id) {
        desk->dialogs.Send(dlg_, kWmCommand, std::uintptr_t(id), 0);
        desk->dialogs.Pump();
    }
    // Runs `inFront` while a dialog box of the program's is up: About...
    // (100) or Setting (149), modal over the bar.
    // A second box opened meanwhile is counted in nestedBoxes and closed at
    // once by the desktop.
    void WithDialog(int command, const std::function<void(HWindow)>& inFront) {
        auto outer = desk->dialogs.modalScript;
        bool inside = false;
        desk->dialogs.modalScript = [&](HWindow box) {
            if (inside) {
                ++nestedBoxes;
                return;
            }
            inside = true;
            inFront(box);
            inside = false;
        };
        Command(command);
        desk->dialogs.modalScript = outer;
    }
    int nestedBoxes = 0;
};

// ---------------------------------------------------------------------------
// The program's own windows

TEST_F(RealDeskTest, TheProgramsOwnWindowsInFrontLeaveAFollowedRegionAlone) {
    struct Case {
        const char* name;
        // Brings the window up and runs `inFront` while it is in front.
        std::function<void(RealDeskTest&, const std::function<void()>&)> open;
    };
    const Case cases[] = {
        {"the tray menu",
         [](RealDeskTest& t, const std::function<void()>& inFront) {
             t.desk->shell.Click(128, kWmRButtonUp);  // the bar takes the foreground first
             inFront();
         }},
        {"Show Bar",
         [](RealDeskTest& t, const std::function<void()>& inFront) {
             t.Command(ID_SHOW_BAR);
             inFront();
         }},
        {"Hide Bar",
         [](RealDeskTest& t, const std::function<void()>& inFront) {
             t.Command(ID_SHOW_BAR);
             t.desk->windows.Activate(TheSelection().hwndTop);
             t.desk->RunFor(600);
             t.Command(ID_HIDE_BAR);
             inFront();
         }},
        {"About...", [](RealDeskTest& t, const std::function<void()>& inFront) {
             t.WithDialog(ID_APP_ABOUT, [&](HWindow) { inFront(); });
         }},
        {"Display adjust", [](RealDeskTest& t, const std::function<void()>& inFront) {
             t.WithDialog(ID_SETTING, [&](HWindow) { inFront(); });
         }},
        {"the help viewer",
         [](RealDeskTest& t, const std::function<void()>& inFront) {
             t.desk->shell.helpFiles.insert(kHelpFile);
             t.Command(ID_HELP_TOPICS);
             inFront();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Run({}, [&](CLvDlg&, HWindow dlg) {
            const HWindow target = AddTarget();
            ArmAndClick(Point{300, 250});
            c.open(*this, [&] {
                EXPECT_TRUE(desk->windows.IsOwnWindow(desk->windows.GetForegroundWindow()));
                EXPECT_NE(desk->windows.GetForegroundWindow(), target);
                desk->RunFor(1200);
                EXPECT_TRUE(Sends().empty());
                EXPECT_EQ(TheSelection().nState, STATE_ACTIVE);
                // The window is still watched: moved meanwhile, it is sent again.
                desk->windows.Move(target, 120, 110);
                desk->RunFor(400);
                EXPECT_EQ(Sends(), (Sent{"off", "region 124 134 516 406"}));
            });
            // Back on the followed window: nothing to send again.
            desk->windows.Activate(target);
            desk->RunFor(900);
            EXPECT_TRUE(Sends().empty());
            EXPECT_EQ(TheSelection().nState, STATE_ACTIVE);
            EXPECT_EQ(VisibleLook(), STATE_ACTIVE);
            (void)dlg;
        });
    }
}

TEST_F(RealDeskTest, TheProgramsOwnDialogBoxesActAsThemselvesWhileArmed) {
    struct Case {
        const char* name;
        int command;
        int control;  // pressed while armed
    };
    const Case cases[] = {
        {"About's OK", ID_APP_ABOUT, 1},
        {"a Display adjust slider", ID_SETTING, 1007},
        {"Display adjust's Cancel", ID_SETTING, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Run({}, [&](CLvDlg&, HWindow) {
            AddTarget(Rect{0, 0, 1024, 768});  // a window under the box wherever it is
            TrayClick();
            Sends();
            WithDialog(c.command, [&](HWindow box) {
                const HWindow control = ControlOf(box, c.control);
                ASSERT_FALSE(IsNone(control));
                const Point at = CentreOf(control);
                ASSERT_EQ(desk->windows.WindowFromPoint(at), control);
                const Point moved{at.x + 5, at.y};
                Hand({{0, at, false, false}, {30, at, true, false}, {60, moved, true, false}, {200, moved, false, false}});
                desk->RunFor(400);
                EXPECT_EQ(Pointer(), kNormalPointer);
                EXPECT_TRUE(desk->mouse.injected.empty());  // the box sees the user's own press
                EXPECT_TRUE(desk->screen.BandFrames().empty());
                EXPECT_EQ(TheSelection().bDragging, 0);
            });
            EXPECT_TRUE(Sends().empty());
            EXPECT_EQ(TheSelection().bRegionSent, 0);
        });
    }
}

TEST_F(RealDeskTest, TheProgramsOwnWindowsInFrontBringNoSuspendedRegionBack) {
    Run({}, [&](CLvDlg&, HWindow) {
        AddTarget();
        ArmAndClick(Point{300, 250});
        desk->windows.Activate(desk->windows.AddWindow("Calc", Rect{600, 500, 800, 700}));
        desk->RunFor(400);
        ASSERT_EQ(Sends(), Sent{"off"});
        desk->shell.Click(128, kWmRButtonUp);  // the tray menu: the bar in front
        desk->RunFor(900);
        EXPECT_TRUE(Sends().empty());
        EXPECT_EQ(TheSelection().nState, STATE_SUSPENDED);
    });
}

TEST_F(RealDeskTest, EveryTaskbarAndTheOverflowWindowAreTheUsersNotASelection) {
    struct Case {
        const char* cls;
        Rect rect;
    };
    const Case cases[] = {
        {"Shell_TrayWnd", {0, 738, 1024, 768}},
        {"Shell_SecondaryTrayWnd", {0, 738, 1024, 768}},  // the taskbar of another monitor
        {"NotifyIconOverflowWindow", {850, 600, 1000, 730}},
        {"TopLevelWindowForOverflowXamlIsland", {850, 600, 1000, 730}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cls);
        SetUp();
        Run({}, [&](CLvDlg&, HWindow) {
            AddTarget(Rect{0, 0, 1024, 768});
            const HWindow shell = desk->windows.AddWindow(c.cls, c.rect);
            const HWindow button = desk->windows.AddWindow("ToolbarWindow32", c.rect, shell);
            TrayClick();
            Sends();
            const Point at = CentreOf(button);
            ASSERT_EQ(desk->windows.WindowFromPoint(at), button);
            ClickAt(at);
            desk->RunFor(300);
            EXPECT_TRUE(desk->mouse.injected.empty());
            EXPECT_TRUE(Sends().empty());
            EXPECT_EQ(Pointer(), kNormalPointer);
        });
    }
}

// ---------------------------------------------------------------------------
// The program's boxes: owned by the bar, one at a time, ended by a way out

TEST_F(RealDeskTest, TheBoxesAreOwnedByTheBarOneAtATime) {
    struct Case {
        const char* name;
        int command;
        int templateId;
    };
    const Case cases[] = {{"About...", ID_APP_ABOUT, 100}, {"Setting", ID_SETTING, 149}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Run({}, [&](CLvDlg&, HWindow dlg) {
            AddTarget();  // another program in front meanwhile
            WithDialog(c.command, [&](HWindow box) {
                // Owned by the bar, which takes no input meanwhile.
                EXPECT_EQ(desk->windows.Find(box)->owner, dlg);
                EXPECT_TRUE(desk->windows.Find(dlg)->disabled);
                // Asked for again (the tray menu still works), or the other
                // box asked for: the open one comes to the front instead.
                desk->windows.Activate(desk->windows.AddWindow("Calc", Rect{0, 0, 9, 9}));
                Command(c.command);
                EXPECT_EQ(desk->windows.GetForegroundWindow(), box);
                Command(c.command == ID_APP_ABOUT ? ID_SETTING : ID_APP_ABOUT);
                EXPECT_EQ(desk->windows.GetForegroundWindow(), box);
                EXPECT_EQ(desk->windows.WindowsFrom(100).size() + desk->windows.WindowsFrom(149).size(), 1u);
                EXPECT_EQ(nestedBoxes, 0);
            });
            EXPECT_FALSE(desk->windows.Find(dlg)->disabled);
            // Closed, a new request opens it again.
            int opened = 0;
            WithDialog(c.command, [&](HWindow) { ++opened; });
            EXPECT_EQ(opened, 1);
            EXPECT_EQ(desk->windows.WindowsFrom(c.templateId).size(), 2u);
        });
    }
}

TEST_F(RealDeskTest, EveryWayOutEndsAnOpenBoxAndThenTheBar) {
    struct Way {
        const char* name;
        std::function<void(RealDeskTest&, HWindow bar)> take;
    };
    const Way ways[] = {
        {"Exit from the tray menu", [](RealDeskTest& t, HWindow) { t.Command(ID_APP_EXIT); }},
        {"a close from outside", [](RealDeskTest& t, HWindow bar) { t.desk->dialogs.Send(bar, kWmClose, 0, 0); }},
        {"the session's end",
         [](RealDeskTest& t, HWindow bar) {
             t.desk->dialogs.Send(bar, kWmQueryEndSession, 0, 0);
             t.desk->dialogs.Send(bar, kWmEndSession, 1, 0);
         }},
    };
    for (const Way& way : ways) {
        for (const int command : {ID_APP_ABOUT, ID_SETTING}) {
            SCOPED_TRACE(std::string(way.name) + (command == ID_APP_ABOUT ? ", About open" : ", Setting open"));
            SetUp();
            HWindow box = HWindow::None;
            Run({}, [&](CLvDlg&, HWindow dlg) {
                WithDialog(command, [&](HWindow b) {
                    box = b;
                    way.take(*this, dlg);
                    EXPECT_TRUE(desk->windows.Find(b)->ended);
                });
                EXPECT_TRUE(desk->windows.Find(dlg)->ended);
                EXPECT_EQ(desk->shell.Icon(128), nullptr);  // and everything was handed back
            });
            ASSERT_FALSE(IsNone(box));
            EXPECT_TRUE(desk->windows.Find(box)->destroyed);
        }
    }
}

// Started elevated (the installer's last page, an install for everyone),
// the program still hears the shell's broadcast that the taskbar is back.
TEST_F(RealDeskTest, TheTaskbarsReturnReachesAnElevatedCopy) {
    Run({}, [&](CLvDlg&, HWindow dlg) {
        const std::uint32_t taskbarCreated = CTrayNotifyIcon::TaskbarCreatedMessage;
        ASSERT_NE(taskbarCreated, 0u);
        const auto& allowed = desk->messages.allowedFromBelow;
        EXPECT_EQ(allowed.count({dlg, taskbarCreated}), 1u);
        // And the tray icon's own hidden window, which puts the icon back.
        int hidden = 0;
        for (const auto& [wnd, msg] : allowed) {
            if (msg == taskbarCreated && wnd != dlg) ++hidden;
        }
        EXPECT_EQ(hidden, 1);
    });
}

// The installer ends a running copy by finding the tray icon's hidden
// window by its title: the two must name it alike.
TEST(Installer, FindsTheTrayIconsHiddenWindowByTheTitleItCarries) {
    std::ifstream script(std::string(LV_SOURCE_DIR) + "/packaging/lumivane.nsi");
    ASSERT_TRUE(script.good());
    std::string line;
    std::string title;
    while (std::getline(script, line)) {
        const std::string define = "!define TRAY_WND_TITLE \"";
        if (line.rfind(define, 0) == 0) title = line.substr(define.size(), line.rfind('"') - define.size());
    }
    EXPECT_EQ(title, kResurrectionWindowTitle);
    // And the program's hidden windows carry it.
    FakeDesktop desk;
    struct NoHandling : IDialogHandler {
        std::intptr_t OnInitDialog(HWindow) override { return 1; }
    } handler;
    const HWindow notify = desk.dialogs.CreateModelessDialog(102, &handler);
    ASSERT_FALSE(IsNone(notify));
    {
        CTrayNotifyIcon icon;
        ASSERT_TRUE(icon.Create(notify, 128, "tip", desk.shell.MakeIcon("A"), kWmUser + 100));
        EXPECT_EQ(desk.messages.HiddenWindowsTitled(title).size(), 1u);
    }
}

TEST_F(RealDeskTest, TheHelpViewerIsOwnedByNobody) {
    Run({}, [&](CLvDlg&, HWindow) {
        desk->shell.helpFiles.insert(kHelpFile);
        Command(ID_HELP_TOPICS);
        ASSERT_EQ(desk->shell.helpCalls.size(), 1u);
        EXPECT_TRUE(IsNone(desk->shell.helpCalls[0].caller));
    });
}

// ---------------------------------------------------------------------------
// Windows that are not plain top-level windows

TEST_F(RealDeskTest, AnOwnedWindowIsFollowedAsTheWindowInFront) {
    Run({}, [&](CLvDlg&, HWindow) {
        const HWindow owner = AddTarget(Rect{50, 50, 900, 700});
        // A dialog box, or a player's full-screen pop-up: its owner is not
        // its parent, and it is the foreground window itself.
        const HWindow box = desk->windows.AddOwnedWindow("#32770", Rect{200, 200, 600, 500}, owner, kCaptionFrame);
        desk->windows.Activate(box);
        ASSERT_EQ(desk->windows.GetParent(box), owner);
        TrayClick();
        Sends();
        ClickAt(Point{400, 350});
        desk->RunFor(400);
        EXPECT_EQ(Sends(), (Sent{"off", "region 204 224 596 496"}));
        EXPECT_EQ(TheSelection().hwndTop, box);
        desk->RunFor(900);
        EXPECT_TRUE(Sends().empty());  // in front, so on
        desk->windows.Move(box, 250, 220);
        desk->RunFor(400);
        EXPECT_EQ(Sends(), (Sent{"off", "region 254 244 646 516"}));
        // The owner in front is another window in front.
        desk->windows.Activate(owner);
        desk->RunFor(400);
        EXPECT_EQ(Sends(), Sent{"off"});
        EXPECT_EQ(TheSelection().nState, STATE_SUSPENDED);
    });
}

TEST_F(RealDeskTest, AChildOfAMaximisedWindowIsFollowedAgainOnceItIsRestored) {
    Run({}, [&](CLvDlg&, HWindow) {
        const HWindow top = AddTarget(Rect{100, 100, 700, 600});
        const HWindow pane = desk->windows.AddWindow("Pane", Rect{150, 150, 450, 400}, top, fake::Frame{2, 2, 2, 2});
        desk->windows.Maximise(top);
        const Point in = desk->windows.ClientToScreen(pane, Point{100, 100});
        ArmAndClick(in);
        ASSERT_EQ(TheSelection().hwndTarget, pane);
        ASSERT_EQ(TheSelection().bParentZoomed, 1);
        desk->RunFor(900);
        EXPECT_TRUE(Sends().empty());
        desk->windows.Restore(top);
        desk->RunFor(400);
        EXPECT_EQ(Sends(), (Sent{"off", "region 152 152 448 398"}));
        desk->windows.Move(top, 200, 150);
        desk->RunFor(400);
        EXPECT_EQ(Sends(), (Sent{"off", "region 252 202 548 448"}));
        desk->windows.Resize(pane, 200, 100);
        desk->windows.Move(top, 200, 160);
        desk->RunFor(400);
        EXPECT_EQ(Sends(), (Sent{"off", "region 252 212 448 308"}));
    });
}

TEST_F(RealDeskTest, AFollowedChildWindowThatGoesAwayInItsWindowEndsFollowing) {
    struct Case {
        const char* name;
        bool maximised;
        bool destroyed;  // or hidden
    };
    const Case cases[] = {
        {"destroyed", false, true},
        {"hidden", false, false},
        {"destroyed in a maximised player", true, true},
        {"hidden in a maximised player", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Run({}, [&](CLvDlg&, HWindow) {
            const HWindow player = AddTarget(Rect{100, 100, 700, 600}, "SomePlayer");
            const HWindow video = desk->windows.AddWindow("SomeVideo", Rect{110, 130, 690, 590}, player);
            if (c.maximised) desk->windows.Maximise(player);
            ArmAndClick(CentreOf(video));
            ASSERT_EQ(TheSelection().hwndTarget, video);
            if (c.destroyed) {
                desk->windows.Close(video);
            } else {
                desk->windows.ShowWindow(video, false);
            }
            desk->RunFor(400);
            EXPECT_EQ(Sends(), Sent{"off"});
            EXPECT_EQ(TheSelection().nState, STATE_IDLE);
            EXPECT_EQ(TheSelection().bFollowing, 0);
            EXPECT_EQ(TimerPeriod(), 0u);
            EXPECT_EQ(TrayImage(), "own 128");
        });
    }
}

TEST_F(RealDeskTest, ADraggedRectangleStaysThroughAMinimiseAndRestore) {
    for (const bool keepsForeground : {false, true}) {
        SCOPED_TRACE(keepsForeground ? "the window keeps the foreground" : "it loses the foreground");
        SetUp();
        Run({}, [&](CLvDlg&, HWindow) {
            const HWindow target = AddTarget(Rect{100, 100, 700, 600});
            TrayClick();
            Hand({{0, {200, 200}, true, false}, {50, {400, 300}, true, false}, {100, {400, 300}, false, false}});
            desk->RunFor(500);
            ASSERT_EQ(Sends(), (Sent{"off", "off", "region 200 200 400 300"}));
            desk->windows.Minimise(target);
            if (keepsForeground) desk->windows.foreground = target;
            desk->RunFor(600);
            EXPECT_EQ(Sends(), Sent{"off"});
            desk->windows.Restore(target);
            desk->windows.Activate(target);
            desk->RunFor(900);
            // Back once, on the dragged rectangle.
            EXPECT_EQ(Sends(), Sent{"region 200 200 400 300"});
            EXPECT_EQ(TheSelection().nState, STATE_ACTIVE);
        });
    }
}

TEST_F(RealDeskTest, TheHandOverToTheParentKeepsTheRegionOnTheSamePixels) {
    for (const char* cls : {"KingPlayer Video Class", "KPRealvideoWnd"}) {
        SCOPED_TRACE(cls);
        SetUp();
        Run({}, [&](CLvDlg&, HWindow) {
            const HWindow frame = AddTarget(Rect{100, 100, 700, 500}, "SomePlayerFrame");
            const HWindow video = desk->windows.AddWindow(cls, Rect{154, 174, 654, 474}, frame);
            TrayClick();
            Sends();
            ClickAt(Point{400, 300});
            desk->RunFor(400);
            EXPECT_EQ(Sends(), (Sent{"off", "region 154 174 654 474"}));
            desk->RunFor(900);
            EXPECT_EQ(TheSelection().hwndTarget, frame);  // handed over
            EXPECT_TRUE(Sends().empty());                 // on the same pixels
            desk->windows.Move(frame, 200, 150);
            desk->RunFor(400);
            EXPECT_EQ(Sends(), (Sent{"off", "region 254 224 754 524"}));
            (void)video;
        });
    }
}

// ---------------------------------------------------------------------------
// Nothing left behind

TEST_F(RealDeskTest, TheHotKeyWhileArmedPutsTheUsersPointersBackAndErasesTheBand) {
    for (const bool dragging : {false, true}) {
        SCOPED_TRACE(dragging ? "a drag in progress" : "armed");
        SetUp();
        Run({}, [&](CLvDlg&, HWindow dlg) {
            AddTarget(Rect{100, 100, 700, 600});
            if (dragging) {
                ArmAndDrag(Point{200, 200}, Point{400, 300});
                ASSERT_EQ(desk->screen.BandFrames(), (std::vector<Rect>{{200, 200, 400, 300}}));
            } else {
                TrayClick();
                Hand({{0, {300, 300}, false, false}});
                desk->RunFor(50);
                Sends();
            }
            ASSERT_EQ(Pointer(), "resource 148");
            desk->dialogs.Send(dlg, kWmHotKey, kHotKeyId, 0);
            EXPECT_EQ(Pointer(), kNormalPointer);
            EXPECT_TRUE(desk->screen.BandFrames().empty());
            EXPECT_EQ(Sends(), (Sent{"off", "region 0 0 1024 768"}));
            // Let go later, the button finishes nothing.
            Hand({{0, {400, 300}, false, false}});
            desk->RunFor(300);
            EXPECT_TRUE(Sends().empty());
            EXPECT_TRUE(desk->screen.BandFrames().empty());
        });
    }
}

TEST_F(RealDeskTest, ADragLetGoWhereNothingCanBeSelectedIsCancelled) {
    struct Case {
        const char* name;
        Point at;
    };
    const Case cases[] = {
        {"the title bar", {400, 110}},
        {"the taskbar", {500, 750}},
        {"the bar", {520, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Run({}, [&](CLvDlg&, HWindow) {
            AddTarget(Rect{100, 100, 700, 600});
            desk->windows.AddWindow("Shell_TrayWnd", Rect{0, 738, 1024, 768});
            Command(ID_SHOW_BAR);
            ArmAndDrag(Point{200, 200}, Point{400, 300});
            ASSERT_FALSE(desk->screen.BandFrames().empty());
            Hand({{0, c.at, true, false}, {50, c.at, false, false}});
            desk->RunFor(150);
            EXPECT_TRUE(desk->screen.BandFrames().empty());
            EXPECT_EQ(TheSelection().bDragging, 0);
            // Back over the client area with no button: nothing finishes.
            Hand({{0, {450, 350}, false, false}});
            desk->RunFor(300);
            EXPECT_TRUE(Sends().empty());
            EXPECT_EQ(TheSelection().nState, STATE_ACTIVE);
            EXPECT_EQ(TimerPeriod(), 10u);  // still armed: a new press selects
            ClickAt(Point{450, 350});
            desk->RunFor(300);
            EXPECT_EQ(Sends(), (Sent{"off", "region 104 124 696 596"}));
        });
    }
}

}  // namespace
}  // namespace lv
