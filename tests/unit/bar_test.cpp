// The floating bar and the activation state machine as a user drives them:
// through the tray icon, the menus, the tool bars and the hot key, on the
// simulated desktop.
#include "bar/lv_dlg.h"

#include <gtest/gtest.h>

#include <functional>

#include "bar/tool_bars.h"
#include "link/line_code.h"
#include "link/screen_link.h"
#include "platform/fake/fake_desktop.h"
#include "select/selection_state.h"

namespace lv {
namespace {

using fake::FakeDesktop;

// Runs the bar on a fresh desktop; `user` acts while it is up.
class BarTest : public testing::Test {
protected:
    void SetUp() override {
        TheSelection() = SelectionState{};
        CTrayNotifyIcon::SetActivationState(STATE_IDLE);
    }

    void Run(const std::function<void(CLvDlg&, HWindow)>& user, int width = 1024) {
        desk.reset();  // the old desktop puts back what it replaced first
        desk = std::make_unique<FakeDesktop>(width, 768);
        CLvDlg bar;
        desk->dialogs.modalScript = [&](HWindow dlg) { user(bar, dlg); };
        bar.DoModal();
    }

    void Command(HWindow dlg, int id) {
        desk->dialogs.Send(dlg, kWmCommand, std::uintptr_t(id), 0);
        desk->dialogs.Pump();
    }
    std::uint32_t TimerPeriod(HWindow dlg) {
        const fake::FakeTimer* t = desk->messages.Timer(dlg, kSelectionTimer);
        return t ? t->periodMs : 0;
    }
    int Sends(const char* what) { return desk->log.Count(std::string("trace lumivane: send ") + what); }
    int RestoresOfNormalPointer() { return desk->log.Count("cursor set 32512"); }
    std::string TrayImage() { return desk->shell.NameOf(desk->shell.Icon(128)->hIcon); }
    // The only visible tool bar, 0..2, or -1 when it is not exactly one.
    int VisibleToolBar(CLvDlg& bar) {
        int found = -1;
        for (int i = 0; i < 3; ++i) {
            if (!desk->windows.Find(bar.ToolBars()[i])->visible) continue;
            if (found >= 0) return -1;
            found = i;
        }
        return found;
    }

    std::unique_ptr<FakeDesktop> desk;
};

// Puts the program in each state the way it gets there.
enum class From { Idle, Armed, Following, Suspended, FullOverFollowed };

void Enter(From from, CLvDlg& bar, HWindow dlg, FakeDesktop& desk) {
    SelectionState& s = TheSelection();
    if (from == From::Armed) {
        desk.dialogs.Send(dlg, kWmCommand, ID_START, 0);
        s.bDragging = 1;  // the user is dragging a rubber band
    } else if (from != From::Idle) {
        // Following a window inside an MDI frame, maximised; suspended when
        // it was minimised.
        const bool suspended = from == From::Suspended;
        s.nState = suspended ? STATE_SUSPENDED : STATE_ACTIVE;
        bar.TrayIcon().SetActivationState(s.nState);
        s.bRegionSent = 1;
        s.bFollowing = 1;
        s.bInMdi = 1;
        s.bParentZoomed = 1;
        s.nWatchShow = suspended ? 2 : 1;
        s.nFrameShow = s.nWatchShow;
        desk.messages.SetTimer(dlg, kSelectionTimer, 300);
        // The hot key then replaced the followed region by the whole screen.
        if (from == From::FullOverFollowed) desk.dialogs.Send(dlg, kWmHotKey, kHotKeyId, 0);
    }
}

enum class Event { Start, Stop, TrayClick, Logo, FullScreen };

struct TransitionCase {
    From from;
    Event event;
    std::int32_t state;
    std::uint32_t timer;  // 0: killed
    int offs, regions;
    bool restored;
    // The record afterwards: bRegionSent, bFollowing, bFullScreen, bDragging,
    // bInMdi (and bParentZoomed), nWatchShow (and nFrameShow).
    std::int32_t sent, following, full, dragging, mdi, show;
};

TEST_F(BarTest, StateAndEventTable) {
    using F = From;
    using E = Event;
    const TransitionCase cases[] = {
        {F::Idle, E::Start, STATE_ACTIVE, 10, 1, 0, false, 0, 0, 0, 0, 0, 0},
        {F::Armed, E::Start, STATE_ACTIVE, 10, 1, 0, false, 0, 0, 0, 0, 0, 0},
        {F::Following, E::Start, STATE_ACTIVE, 10, 1, 0, false, 0, 0, 0, 0, 0, 0},
        // Start from suspended drops the followed window.
        {F::Suspended, E::Start, STATE_ACTIVE, 10, 1, 0, false, 0, 0, 0, 0, 0, 0},
        {F::FullOverFollowed, E::Start, STATE_ACTIVE, 10, 1, 0, false, 0, 0, 1, 0, 0, 0},
        // Stop clears only the region flags, and drops a drag in progress
        // (its band erased).
        {F::Idle, E::Stop, STATE_IDLE, 0, 1, 0, true, 0, 0, 0, 0, 0, 0},
        {F::Armed, E::Stop, STATE_IDLE, 0, 1, 0, true, 0, 0, 0, 0, 0, 0},
        {F::Following, E::Stop, STATE_IDLE, 0, 1, 0, true, 0, 1, 0, 0, 1, 1},
        {F::Suspended, E::Stop, STATE_IDLE, 0, 1, 0, true, 0, 1, 0, 0, 1, 2},
        {F::FullOverFollowed, E::Stop, STATE_IDLE, 0, 1, 0, true, 0, 1, 0, 0, 0, 1},
        // The tray click's stop also forgets where the target was.
        {F::Idle, E::TrayClick, STATE_ACTIVE, 10, 1, 0, false, 0, 0, 0, 0, 0, 0},
        {F::Armed, E::TrayClick, STATE_IDLE, 0, 1, 0, true, 0, 0, 0, 0, 0, 0},
        {F::Following, E::TrayClick, STATE_IDLE, 0, 1, 0, true, 0, 1, 0, 0, 0, 0},
        {F::Suspended, E::TrayClick, STATE_IDLE, 0, 1, 0, true, 0, 1, 0, 0, 0, 0},
        {F::FullOverFollowed, E::TrayClick, STATE_IDLE, 0, 1, 0, true, 0, 1, 0, 0, 0, 0},
        {F::Idle, E::Logo, STATE_ACTIVE, 10, 1, 0, false, 0, 0, 0, 0, 0, 0},
        {F::Armed, E::Logo, STATE_IDLE, 0, 1, 0, true, 0, 0, 0, 0, 0, 0},
        {F::Following, E::Logo, STATE_IDLE, 0, 1, 0, true, 0, 0, 0, 0, 0, 0},
        {F::Suspended, E::Logo, STATE_IDLE, 0, 1, 0, true, 0, 0, 0, 0, 0, 0},
        {F::FullOverFollowed, E::Logo, STATE_IDLE, 0, 1, 0, true, 0, 0, 0, 0, 0, 0},
        {F::Idle, E::FullScreen, STATE_ACTIVE, 0, 1, 1, false, 1, 0, 1, 0, 0, 0},
        {F::Armed, E::FullScreen, STATE_ACTIVE, 0, 1, 1, false, 1, 0, 1, 0, 0, 0},
        {F::Following, E::FullScreen, STATE_ACTIVE, 0, 1, 1, false, 1, 1, 1, 0, 0, 1},
        {F::Suspended, E::FullScreen, STATE_ACTIVE, 0, 1, 1, false, 1, 1, 1, 0, 0, 2},
        // The second press after replacing a followed region turns it off.
        {F::FullOverFollowed, E::FullScreen, STATE_IDLE, 0, 1, 0, false, 0, 0, 0, 0, 0, 1},
    };
    static const char* const kIcons[3] = {"own 128", "own 145", "own 146"};
    for (const TransitionCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << int(c.from) << " event " << int(c.event));
        SetUp();
        Run([&](CLvDlg& bar, HWindow dlg) {
            Enter(c.from, bar, dlg, *desk);
            const int offs = Sends("off"), regions = Sends("region"), restores = RestoresOfNormalPointer();
            const int begin = int(desk->log.Entries().size());
            switch (c.event) {
                case Event::Start: Command(dlg, ID_START); break;
                case Event::Stop: Command(dlg, ID_STOP); break;
                case Event::TrayClick: desk->shell.Click(128, kWmLButtonUp); break;
                case Event::Logo: Command(dlg, 32778); break;
                case Event::FullScreen: desk->dialogs.Send(dlg, kWmHotKey, kHotKeyId, 0); break;
            }
            const SelectionState& s = TheSelection();
            EXPECT_EQ(s.nState, c.state);
            EXPECT_EQ(CLvTrayIcon::MenuState(), c.state);
            EXPECT_EQ(TimerPeriod(dlg), c.timer);
            EXPECT_EQ(Sends("off") - offs, c.offs);
            EXPECT_EQ(Sends("region") - regions, c.regions);
            EXPECT_EQ(RestoresOfNormalPointer() > restores, c.restored);
            EXPECT_EQ(TrayImage(), kIcons[c.state]);
            EXPECT_EQ(VisibleToolBar(bar), c.state);
            EXPECT_EQ(s.bRegionSent, c.sent);
            EXPECT_EQ(s.bFollowing, c.following);
            EXPECT_EQ(s.bFullScreen, c.full);
            EXPECT_EQ(s.bDragging, c.dragging);
            EXPECT_EQ(s.bInMdi, c.mdi);
            EXPECT_EQ(s.bParentZoomed, c.mdi);
            EXPECT_EQ(s.nWatchShow, c.show);
            EXPECT_EQ(s.nFrameShow, c.show);
            // The order of the effects: the off frame is on the screen before
            // the new look shows (the state's tool bar first, then the other
            // two hidden) and before the user's pointers come back.
            const auto& log = desk->log;
            const int off = log.Find("trace lumivane: send off", begin);
            const int frame = log.Find("screen frame", off);
            ASSERT_GE(off, 0);
            ASSERT_GE(frame, 0);
            const HWindow* tb = bar.ToolBars();
            const auto id = [](HWindow w) { return std::to_string(std::uintptr_t(w)); };
            const int icon = log.Find("tray modify", begin);
            const int shown = log.Find("show window " + id(tb[c.state]), begin);
            EXPECT_GT(icon, frame);
            EXPECT_GT(shown, frame);
            for (int i = 0; i < 3; ++i) {
                if (i != c.state) EXPECT_GT(log.Find("hide window " + id(tb[i]), shown), shown) << "tool bar " << i;
            }
            if (c.restored) EXPECT_GT(log.Find("cursor set 32512", begin), frame);
        });
    }
}

TEST_F(BarTest, FullScreenToggleThreeTimes) {
    Run([&](CLvDlg&, HWindow dlg) {
        const std::int32_t expected[3] = {STATE_ACTIVE, STATE_IDLE, STATE_ACTIVE};
        for (int press = 0; press < 3; ++press) {
            Command(dlg, ID_TB_FULL_IDLE);
            EXPECT_EQ(TheSelection().nState, expected[press]) << press;
            EXPECT_EQ(TheSelection().bFullScreen, press != 1) << press;
            EXPECT_EQ(TheScreenLink().rcRegion, (Rect{0, 0, 1024, 768}));
        }
        EXPECT_EQ(Sends("region"), 2);
        // The last message on the screen: rows 0..768, then full-width columns.
        const auto& frames = desk->screen.frames;
        ASSERT_GE(frames.size(), 2u);
        FakeDesktop scratch(1024, 768);
        PaintColumnsFrame(0, 1024, 1023);
        EXPECT_EQ(frames.back().row, scratch.screen.Row());
    });
}

TEST_F(BarTest, DoubleClickOnTheTrayIconArmsAndStopsAgain) {
    Run([&](CLvDlg&, HWindow dlg) {
        desk->shell.Click(128, kWmLButtonUp);
        desk->shell.Click(128, kWmLButtonUp);
        EXPECT_EQ(TheSelection().nState, STATE_IDLE);
        EXPECT_EQ(Sends("off"), 2);
        EXPECT_EQ(TimerPeriod(dlg), 0u);
    });
}

TEST_F(BarTest, ClickWithAForeignIconIdStillToggles) {
    Run([&](CLvDlg&, HWindow dlg) {
        EXPECT_EQ(desk->dialogs.Send(dlg, WM_TRAY_NOTIFY, 77, kWmLButtonUp), 0);
        EXPECT_EQ(TheSelection().nState, STATE_ACTIVE);
        EXPECT_TRUE(desk->menus.trackedMenus.empty());
    });
}

TEST_F(BarTest, MenusOfferStartAndStopByState) {
    struct Case {
        From from;
        bool start, stop;
    };
    const Case cases[] = {{From::Idle, true, false}, {From::Armed, false, true}, {From::Suspended, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.from));
        SetUp();
        Run([&](CLvDlg& bar, HWindow dlg) {
            Enter(c.from, bar, dlg, *desk);
            const std::int32_t state = TheSelection().nState;
            const int offs = Sends("off");
            desk->mouse.cursorPos = Point{900, 750};
            EXPECT_EQ(desk->shell.Click(128, kWmRButtonUp), 1);
            desk->mouse.cursorPos = Point{480, 12};
            // The press goes on to the dialog after the menu.
            EXPECT_FALSE(bar.PreTranslateMessage(Message{bar.ToolBars()[0], kWmRButtonDown, 0, 0}));
            const auto& menus = desk->menus.trackedMenus;
            ASSERT_EQ(menus.size(), 2u);
            EXPECT_EQ(menus[0].resourceId, 6000);
            EXPECT_TRUE(menus[0].ownerWasForeground);
            EXPECT_EQ(menus[0].items[5].text, "Show Bar");
            EXPECT_EQ(menus[1].resourceId, 7000);
            EXPECT_EQ(menus[1].items[5].text, "Hide Bar");
            for (const auto& m : menus) {
                EXPECT_EQ(m.items[0].enabled, c.start);
                EXPECT_EQ(m.items[1].enabled, c.stop);
                EXPECT_EQ(m.defaultPosition, 0);
                EXPECT_EQ(m.flags, kTpmRightButton);
                EXPECT_EQ(m.owner, dlg);
            }
            EXPECT_EQ(menus[0].at, (Point{900, 750}));
            EXPECT_EQ(menus[1].at, (Point{480, 12}));
            // A right click toggles nothing.
            EXPECT_EQ(TheSelection().nState, state);
            EXPECT_EQ(Sends("off"), offs);
        });
    }
}

TEST_F(BarTest, MenuChoiceReachesTheBarAfterTheMenuCloses) {
    Run([&](CLvDlg&, HWindow) {
        desk->menus.nextMenuChoice = ID_START;
        desk->shell.Click(128, kWmRButtonUp);
        desk->RunFor(0);
        EXPECT_EQ(TheSelection().nState, STATE_ACTIVE);
        // Every notification's menu is destroyed, pointer moves included.
        desk->shell.Click(128, 0x0200);
        EXPECT_EQ(desk->log.Count("menu destroy"), 2);
    });
}

// Show Bar sets the state's tool bar alone whatever was visible (hiding the
// other two before it shows that one); Hide Bar leaves them as they are.
TEST_F(BarTest, ShowBarTakesTheStateToolBarAndHideBarBringsTheIconBack) {
    for (From from : {From::Idle, From::Armed}) {
        SCOPED_TRACE(int(from));
        Run([&](CLvDlg& bar, HWindow dlg) {
            Enter(from, bar, dlg, *desk);
            const int state = TheSelection().nState;
            const HWindow* tb = bar.ToolBars();
            for (int i = 0; i < 3; ++i) desk->windows.ShowWindow(tb[i], true);
            const int begin = int(desk->log.Entries().size());
            Command(dlg, ID_SHOW_BAR);
            EXPECT_EQ(desk->windows.Find(dlg)->rect, (Rect{462, 0, 462 + 95, 24}));
            EXPECT_TRUE(desk->windows.Find(dlg)->topmost);
            EXPECT_EQ(bar.bBarShown, 1);
            EXPECT_EQ(desk->shell.Icon(128), nullptr);
            EXPECT_EQ(VisibleToolBar(bar), state);
            const auto id = [](HWindow w) { return std::to_string(std::uintptr_t(w)); };
            const int shown = desk->log.Find("show window " + id(tb[state]), begin);
            ASSERT_GE(shown, 0);
            for (int i = 0; i < 3; ++i) {
                if (i == state) continue;
                const int hidden = desk->log.Find("hide window " + id(tb[i]), begin);
                EXPECT_GE(hidden, 0) << i;
                EXPECT_LT(hidden, shown) << i;
            }
            // Hide Bar: the tool bars stay as they were, the icon comes back
            // with the state's image.
            desk->windows.ShowWindow(tb[2], true);
            const int hideBegin = int(desk->log.Entries().size());
            Command(dlg, ID_HIDE_BAR);
            EXPECT_EQ(desk->windows.Find(dlg)->rect, (Rect{462, 0, 462, 0}));
            EXPECT_EQ(bar.bBarShown, 0);
            ASSERT_NE(desk->shell.Icon(128), nullptr);
            EXPECT_EQ(TrayImage(), state == STATE_IDLE ? "own 128" : "own 145");
            for (int i = 0; i < 3; ++i) EXPECT_EQ(desk->windows.Find(tb[i])->visible, i == state || i == 2) << i;
            EXPECT_LT(desk->log.Find("show window", hideBegin), 0);
            EXPECT_LT(desk->log.Find("hide window", hideBegin), 0);
        });
    }
}

// A bar the user dragged away goes back to the top centre on Show Bar.
TEST_F(BarTest, ShowBarPutsADraggedBarBackAtTheTopCentre) {
    Run([&](CLvDlg&, HWindow dlg) {
        Command(dlg, ID_SHOW_BAR);
        desk->windows.Move(dlg, 100, 300);
        Command(dlg, ID_SHOW_BAR);
        EXPECT_EQ(desk->windows.Find(dlg)->rect, (Rect{462, 0, 462 + 95, 24}));
    });
}

// The logo button re-lays the tool bars and hides the bar and shows it again,
// after the new look.
TEST_F(BarTest, LogoButtonHidesAndShowsTheBar) {
    for (From from : {From::Idle, From::Armed}) {
        SCOPED_TRACE(int(from));
        Run([&](CLvDlg& bar, HWindow dlg) {
            Enter(from, bar, dlg, *desk);
            Command(dlg, ID_SHOW_BAR);
            const int begin = int(desk->log.Entries().size());
            Command(dlg, ID_TB_LOGO_IDLE);
            const std::string self = std::to_string(std::uintptr_t(dlg));
            const int icon = desk->log.Find("tray modify", begin);
            const int hidden = desk->log.Find("hide window " + self, begin);
            const int shown = desk->log.Find("show window " + self, begin);
            ASSERT_GE(icon, 0);
            EXPECT_GT(hidden, icon);
            EXPECT_GT(shown, hidden);
            EXPECT_TRUE(desk->windows.Find(dlg)->visible);
            EXPECT_EQ(desk->windows.Find(dlg)->rect, (Rect{462, 0, 462 + 95, 24}));
        });
    }
}

TEST_F(BarTest, BarSitsAtTheTopCentre) {
    for (int width : {1024, 1023}) {
        Run([&](CLvDlg&, HWindow dlg) {
            Command(dlg, ID_SHOW_BAR);
            EXPECT_EQ(desk->windows.Find(dlg)->rect.left, width == 1024 ? 462 : 461);
        }, width);
    }
}

TEST_F(BarTest, ToolBarLayoutFillsTheStrip) {
    Run([&](CLvDlg& bar, HWindow dlg) {
        Command(dlg, ID_SHOW_BAR);
        const fake::FakeToolBar* tb = desk->menus.FindToolBar(bar.ToolBars()[0]);
        ASSERT_NE(tb, nullptr);
        EXPECT_EQ(tb->placed, (Rect{0, 0, 72, 22}));
        EXPECT_EQ(tb->commands, (std::vector<int>{32777, 32778, 32779, 32780, 32789, 32791}));
        EXPECT_EQ(desk->menus.toolBars.size(), 3u);
    });
}

// With more than one tool bar visible, each in turn takes the top of what
// remains of the 72 x 24 strip: the second gets the two rows below the
// first, the third nothing, at the strip's bottom.
TEST_F(BarTest, ToolBarLayoutSharesTheStripAmongVisibleToolBars) {
    Run([&](CLvDlg& bar, HWindow dlg) {
        Enter(From::Suspended, bar, dlg, *desk);  // Show Bar then leaves the tool bars alone
        for (int i = 0; i < 3; ++i) desk->windows.ShowWindow(bar.ToolBars()[i], true);
        Command(dlg, ID_SHOW_BAR);
        const Rect expected[3] = {{0, 0, 72, 22}, {0, 22, 72, 24}, {0, 24, 72, 24}};
        for (int i = 0; i < 3; ++i) {
            const fake::FakeToolBar* tb = desk->menus.FindToolBar(bar.ToolBars()[i]);
            ASSERT_NE(tb, nullptr);
            EXPECT_EQ(tb->placed, expected[i]) << i;
        }
    });
}

TEST_F(BarTest, MoveCursorNearTheRightEdgeOnlyWhileShown) {
    Run([&](CLvDlg&, HWindow dlg) {
        const int right = 462 + 95;
        desk->mouse.cursorPos = Point{right - 23, 10};
        const int defaults = desk->dialogs.defaultProcCalls;
        // Answered 0 in every case, without the default handling.
        EXPECT_EQ(desk->dialogs.Send(dlg, kWmSetCursor, 0, 0), 0);
        EXPECT_EQ(desk->mouse.cursorSets, 0);  // hidden
        Command(dlg, ID_SHOW_BAR);
        EXPECT_EQ(desk->dialogs.Send(dlg, kWmSetCursor, 0, 0), 0);
        EXPECT_EQ(desk->mouse.cursorSets, 1);
        EXPECT_EQ(desk->cursors.ImageOf(desk->mouse.currentCursor), "resource 184");
        desk->mouse.cursorPos = Point{right - 24, 10};
        EXPECT_EQ(desk->dialogs.Send(dlg, kWmSetCursor, 0, 0), 0);
        EXPECT_EQ(desk->mouse.cursorSets, 1);
        EXPECT_EQ(desk->dialogs.defaultProcCalls, defaults);
        EXPECT_EQ(desk->dialogs.Send(dlg, kWmNcHitTest, 0, 0), kHtCaption);
    });
}

TEST_F(BarTest, AnswersOfTheBar) {
    Run([&](CLvDlg&, HWindow dlg) {
        // The bar's icons and the dragged icon are the program's icon.
        const HIcon icon = desk->dialogs.windowIcons[std::uintptr_t(dlg)];
        EXPECT_EQ(desk->shell.NameOf(icon), "own 128");
        EXPECT_EQ(desk->dialogs.Send(dlg, kWmQueryDragIcon, 0, 0), std::intptr_t(icon));
        // The tray icon, its tooltip with the trailing blank, and the answer
        // of its notifications: 1 for the icon's own id, 0 for another.
        ASSERT_NE(desk->shell.Icon(128), nullptr);
        EXPECT_EQ(desk->shell.Icon(128)->tip, "Lumivane 2.05 ");
        EXPECT_EQ(desk->dialogs.Send(dlg, WM_TRAY_NOTIFY, 128, 0x0200), 1);
        EXPECT_EQ(desk->dialogs.Send(dlg, WM_TRAY_NOTIFY, 129, 0x0200), 0);
        // Minimised, the bar paints its icon at ((client - icon + 1) / 2) on
        // both axes; the client area of a minimised window is empty, so
        // that is (0 - 32 + 1) / 2 = -15, rounded toward zero.
        desk->windows.Find(dlg)->minimised = true;
        const int paints = desk->dialogs.iconicPaints;
        desk->dialogs.Send(dlg, kWmPaint, 0, 0);
        EXPECT_EQ(desk->dialogs.iconicPaints, paints + 1);
        EXPECT_EQ(desk->dialogs.iconicAt, (Point{-15, -15}));
    });
}

// The window menu's commands: the id masked with 0xFFF0 decides, so 0x10 to
// 0x1F open the About box and the system's own go to the default handling.
TEST_F(BarTest, SystemCommandsOpenAboutByTheirMaskedId) {
    desk = nullptr;
    FakeDesktop local;
    CLvDlg bar;
    struct Case {
        std::uintptr_t command;
        bool about;
    };
    const Case cases[] = {{0x10, true}, {0x13, true}, {0x1F, true}, {0x20, false}, {0xF060, false}, {0xF010, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const std::size_t before = local.log.Entries().size();
        std::intptr_t result = 0;
        EXPECT_EQ(bar.OnMessage(Message{HWindow::None, kWmSysCommand, c.command, 0}, result), c.about);
        // The About box, as a box of its own or a message box.
        EXPECT_EQ(local.log.Entries().size() > before, c.about);
    }
}

TEST_F(BarTest, EnterAndEscapeAreSwallowed) {
    Run([&](CLvDlg& bar, HWindow dlg) {
        EXPECT_TRUE(bar.PreTranslateMessage(Message{dlg, kWmKeyDown, 13, 0}));
        EXPECT_TRUE(bar.PreTranslateMessage(Message{dlg, kWmKeyDown, 27, 0}));
        EXPECT_FALSE(bar.PreTranslateMessage(Message{dlg, kWmKeyDown, 'A', 0}));
        EXPECT_FALSE(desk->windows.Find(dlg)->ended);
    });
}

TEST_F(BarTest, ExitKeepsItsOrder) {
    Run([&](CLvDlg&, HWindow dlg) {
        Command(dlg, ID_START);
        desk->log.Clear();
        const std::uint64_t t0 = desk->clock.Now();
        Command(dlg, ID_APP_EXIT);
        const auto& log = desk->log;
        const int kill = log.Find("timer kill 1");
        const int cursors = log.Find("cursor set 32512", kill);
        const int off = log.Find("trace lumivane: send off", cursors);
        const int frame = log.Find("screen frame", off);
        const int mouse = log.Find("dinput release", frame);
        const int icon = log.Find("tray delete", mouse);
        const int end = log.Find("dialog end", icon);
        ASSERT_GE(kill, 0);
        ASSERT_GE(cursors, 0);
        ASSERT_GE(off, 0);
        ASSERT_GE(frame, 0);
        ASSERT_GE(mouse, 0);
        ASSERT_GE(icon, 0);
        ASSERT_GE(end, 0);
        EXPECT_EQ(log.Find("cursor set", kill), cursors);  // nothing restored before the pause
        EXPECT_EQ(log.Entries()[std::size_t(cursors)].timeMs - t0, 300u);
        EXPECT_EQ(log.Entries()[std::size_t(frame)].timeMs - t0, 400u);  // the send's own 100 ms
        int restoredBeforeSend = 0;  // all ten ids back before the send
        for (int i = kill; i < off; ++i) {
            restoredBeforeSend += log.Entries()[std::size_t(i)].what.rfind("cursor set", 0) == 0;
        }
        EXPECT_EQ(restoredBeforeSend, 10);
        EXPECT_EQ(desk->clock.Now() - log.Entries()[std::size_t(end)].timeMs, 300u);
        EXPECT_EQ(desk->mouse.liveDevices, 0);
        EXPECT_TRUE(desk->windows.Find(dlg)->ended);
    });
}

TEST_F(BarTest, NoTrayIconMeansErrorAndNothingElse) {
    desk = nullptr;
    FakeDesktop local;
    local.shell.refuseAdd = true;
    CLvDlg bar;
    bar.DoModal();
    ASSERT_EQ(local.shell.messageBoxes.size(), 1u);
    EXPECT_EQ(local.shell.messageBoxes[0].text, "Error");
    EXPECT_EQ(local.shell.messageBoxes[0].flags, kMbIconHand);
    EXPECT_TRUE(local.messages.hotKeys.empty());
    EXPECT_TRUE(local.menus.toolBars.empty());
    const HWindow dlg = local.windows.WindowsFrom(102).at(0)->handle;
    EXPECT_EQ(local.messages.Timer(dlg, kSelectionTimer), nullptr);
    EXPECT_EQ(local.log.Count("dinput create"), 0);
    EXPECT_EQ(local.log.Count("modal end 102"), 1);  // the dialog still ran
}

TEST_F(BarTest, HotKeyFallsBackWhenWinPIsTaken) {
    struct Case {
        std::vector<std::pair<std::uint32_t, std::uint32_t>> taken;
        bool oldSystem;
        std::uint32_t modifiers;
        const char* name;
    };
    const Case cases[] = {
        {{}, false, kModWin, "Win+P"},
        {{{kModWin, 'P'}}, false, kModWin | kModShift, "Win+Shift+P"},
        {{{kModWin, 'P'}, {kModWin | kModShift, 'P'}}, false, kModControl | kModAlt, "Ctrl+Alt+P"},
        {{}, true, kModWin, "Win+P"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        desk.reset();
        desk = std::make_unique<FakeDesktop>();
        for (const auto& k : c.taken) desk->messages.takenHotKeys.insert(k);
        desk->messages.refuseNoRepeat = c.oldSystem;
        CLvDlg bar;
        desk->dialogs.modalScript = [&](HWindow) {
            ASSERT_EQ(desk->messages.hotKeys.size(), 1u);
            EXPECT_EQ(desk->messages.hotKeys[0].modifiers, c.modifiers);
            EXPECT_EQ(desk->messages.hotKeys[0].key, 0x50u);
            EXPECT_EQ(desk->messages.hotKeys[0].id, kHotKeyId);
            EXPECT_STREQ(bar.HotKeyName(), c.name);
        };
        bar.DoModal();
    }
}

TEST_F(BarTest, HelpOpensTheFileBesideTheProgram) {
    struct Case {
        std::string module;
        bool opens;
    };
    const std::string longFolder = "C:\\" + std::string(240, 'a');
    const Case cases[] = {
        {"C:\\Program Files\\Lumivane\\lumivane.exe", true},
        {longFolder + "\\x.exe", true},                          // 244 + 11 fits
        {longFolder + std::string(8, 'b') + "\\x.exe", false},   // no room for the file name
        // The longest folder that fits: 248 characters, "\\lvhelp.chm" and
        // the terminating zero fill the 260; one more does not fit.
        {"C:\\" + std::string(245, 'd') + "\\x.exe", true},
        {"C:\\" + std::string(246, 'd') + "\\x.exe", false},
        {"C:\\" + std::string(300, 'c') + "\\lumivane.exe", false},  // cut by the buffer
    };
    for (const Case& c : cases) {
        Run([&](CLvDlg&, HWindow dlg) {
            desk->shell.modulePath = c.module;
            Command(dlg, ID_TB_HELP_ACTIVE);
            ASSERT_EQ(desk->shell.helpCalls.size(), c.opens ? 1u : 0u) << c.module.size();
            if (!c.opens) return;
            const std::string folder = c.module.substr(0, c.module.rfind('\\'));
            EXPECT_EQ(desk->shell.helpCalls[0].path, folder + "\\lvhelp.chm");
            EXPECT_EQ(desk->shell.helpCalls[0].command, kHhDisplayTopic);
        });
    }
}

TEST_F(BarTest, AnimationRunsToTheNotificationAreaWithoutItsClock) {
    struct Case {
        bool notify, clock;
        Rect to;
    };
    const Rect taskbar{0, 738, 1024, 768}, notify{800, 740, 1020, 766}, clockRect{960, 742, 1018, 764};
    const Case cases[] = {
        {true, true, Rect{800, 740, 960, 766}},
        {true, false, notify},
        {false, false, taskbar},
    };
    for (const Case& c : cases) {
        Run([&](CLvDlg&, HWindow dlg) {
            const HWindow bar = desk->windows.AddWindow("Shell_TrayWnd", taskbar);
            if (c.notify) {
                const HWindow area = desk->windows.AddWindow("TrayNotifyWnd", notify, bar);
                if (c.clock) desk->windows.AddWindow("TrayClockWClass", clockRect, area);
            }
            // Hidden, the bar is the empty rectangle at the top centre: Show
            // Bar zooms from the tray to the bar as it was, Hide Bar from the
            // bar as it becomes back to the tray.
            const Rect hidden{462, 0, 462, 0};
            Command(dlg, ID_SHOW_BAR);
            desk->windows.Move(dlg, 100, 300);  // the user drags it away
            Command(dlg, ID_SHOW_BAR);
            Command(dlg, ID_HIDE_BAR);
            const auto& a = desk->shell.animations;
            ASSERT_EQ(a.size(), 3u);
            const Rect dragged{100, 300, 195, 324};
            EXPECT_EQ(a[0].from, c.to);
            EXPECT_EQ(a[0].to, hidden);
            EXPECT_EQ(a[1].from, c.to);
            EXPECT_EQ(a[1].to, dragged);
            EXPECT_EQ(a[2].from, hidden);
            EXPECT_EQ(a[2].to, c.to);
            for (const auto& one : a) EXPECT_EQ(one.animation, kIdAniCaption);
        });
    }
    Run([&](CLvDlg&, HWindow dlg) {  // no taskbar: no animation, the bar still shows
        Command(dlg, ID_SHOW_BAR);
        EXPECT_TRUE(desk->shell.animations.empty());
        EXPECT_EQ(desk->windows.Find(dlg)->rect.Width(), 95);
    });
}

TEST_F(BarTest, DetectionTicksComeEvery1500MsUntilACommand) {
    Run([&](CLvDlg&, HWindow dlg) {
        EXPECT_EQ(TimerPeriod(dlg), 1500u);
        desk->RunFor(1500);
        EXPECT_EQ(TheSelection().bAutoDetect, 1);
        Command(dlg, ID_START);
        desk->RunFor(20);
        EXPECT_EQ(TheSelection().bAutoDetect, 0);  // a tick ran while armed
    });
}

}  // namespace
}  // namespace lv
