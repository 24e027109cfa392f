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
enum class From { Idle, Armed, Suspended };

void Enter(From from, CLvDlg& bar, HWindow dlg, FakeDesktop& desk) {
    if (from == From::Armed) {
        desk.dialogs.Send(dlg, kWmCommand, ID_START, 0);
    } else if (from == From::Suspended) {
        // Following a window that went behind another.
        SelectionState& s = TheSelection();
        s.nState = STATE_SUSPENDED;
        bar.TrayIcon().SetActivationState(STATE_SUSPENDED);
        s.bRegionSent = 1;
        s.bFollowing = 1;
        desk.messages.SetTimer(dlg, kSelectionTimer, 300);
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
};

TEST_F(BarTest, StateAndEventTable) {
    const TransitionCase cases[] = {
        {From::Idle, Event::Start, STATE_ACTIVE, 10, 1, 0, false},
        {From::Armed, Event::Start, STATE_ACTIVE, 10, 1, 0, false},
        {From::Suspended, Event::Start, STATE_ACTIVE, 10, 1, 0, false},
        {From::Idle, Event::Stop, STATE_IDLE, 0, 1, 0, true},
        {From::Armed, Event::Stop, STATE_IDLE, 0, 1, 0, true},
        {From::Suspended, Event::Stop, STATE_IDLE, 0, 1, 0, true},
        {From::Idle, Event::TrayClick, STATE_ACTIVE, 10, 1, 0, false},
        {From::Armed, Event::TrayClick, STATE_IDLE, 0, 1, 0, true},
        {From::Suspended, Event::TrayClick, STATE_IDLE, 0, 1, 0, true},
        {From::Idle, Event::Logo, STATE_ACTIVE, 10, 1, 0, false},
        {From::Armed, Event::Logo, STATE_IDLE, 0, 1, 0, true},
        {From::Suspended, Event::Logo, STATE_IDLE, 0, 1, 0, true},
        {From::Idle, Event::FullScreen, STATE_ACTIVE, 0, 1, 1, false},
        {From::Armed, Event::FullScreen, STATE_ACTIVE, 0, 1, 1, false},
        {From::Suspended, Event::FullScreen, STATE_ACTIVE, 0, 1, 1, false},
    };
    static const char* const kIcons[3] = {"own 128", "own 145", "own 146"};
    for (const TransitionCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << int(c.from) << " event " << int(c.event));
        SetUp();
        Run([&](CLvDlg& bar, HWindow dlg) {
            Enter(c.from, bar, dlg, *desk);
            const int offs = Sends("off"), regions = Sends("region"), restores = RestoresOfNormalPointer();
            switch (c.event) {
                case Event::Start: Command(dlg, ID_START); break;
                case Event::Stop: Command(dlg, ID_STOP); break;
                case Event::TrayClick: desk->shell.Click(128, kWmLButtonUp); break;
                case Event::Logo: Command(dlg, 32778); break;
                case Event::FullScreen: desk->dialogs.Send(dlg, kWmHotKey, kHotKeyId, 0); break;
            }
            EXPECT_EQ(TheSelection().nState, c.state);
            EXPECT_EQ(CLvTrayIcon::MenuState(), c.state);
            EXPECT_EQ(TimerPeriod(dlg), c.timer);
            EXPECT_EQ(Sends("off") - offs, c.offs);
            EXPECT_EQ(Sends("region") - regions, c.regions);
            EXPECT_EQ(RestoresOfNormalPointer() > restores, c.restored);
            EXPECT_EQ(TrayImage(), kIcons[c.state]);
            EXPECT_EQ(VisibleToolBar(bar), c.state);
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
            desk->shell.Click(128, kWmRButtonUp);
            bar.PreTranslateMessage(Message{bar.ToolBars()[0], kWmRButtonDown, 0, 0});
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
            EXPECT_EQ(TheSelection().nState, c.from == From::Idle ? STATE_IDLE : TheSelection().nState);
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

TEST_F(BarTest, ShowBarTakesTheStateToolBarAndHideBarBringsTheIconBack) {
    Run([&](CLvDlg& bar, HWindow dlg) {
        Command(dlg, ID_START);
        Command(dlg, ID_SHOW_BAR);
        EXPECT_EQ(desk->windows.Find(dlg)->rect, (Rect{462, 0, 462 + 95, 24}));
        EXPECT_TRUE(desk->windows.Find(dlg)->topmost);
        EXPECT_EQ(bar.bBarShown, 1);
        EXPECT_EQ(desk->shell.Icon(128), nullptr);
        EXPECT_EQ(VisibleToolBar(bar), 1);
        Command(dlg, ID_HIDE_BAR);
        EXPECT_EQ(desk->windows.Find(dlg)->rect, (Rect{462, 0, 462, 0}));
        ASSERT_NE(desk->shell.Icon(128), nullptr);
        EXPECT_EQ(TrayImage(), "own 145");
    });
}

TEST_F(BarTest, ShowBarWhileSuspendedLeavesTheToolBarsAlone) {
    Run([&](CLvDlg& bar, HWindow dlg) {
        Enter(From::Suspended, bar, dlg, *desk);
        for (int i = 0; i < 3; ++i) desk->windows.ShowWindow(bar.ToolBars()[i], i == 0);
        Command(dlg, ID_SHOW_BAR);
        EXPECT_EQ(VisibleToolBar(bar), 0);
    });
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

TEST_F(BarTest, MoveCursorNearTheRightEdgeOnlyWhileShown) {
    Run([&](CLvDlg&, HWindow dlg) {
        const int right = 462 + 95;
        desk->mouse.cursorPos = Point{right - 23, 10};
        desk->dialogs.Send(dlg, kWmSetCursor, 0, 0);
        EXPECT_EQ(desk->mouse.cursorSets, 0);  // hidden
        Command(dlg, ID_SHOW_BAR);
        desk->dialogs.Send(dlg, kWmSetCursor, 0, 0);
        EXPECT_EQ(desk->mouse.cursorSets, 1);
        EXPECT_EQ(desk->cursors.ImageOf(desk->mouse.currentCursor), "resource 184");
        desk->mouse.cursorPos = Point{right - 24, 10};
        desk->dialogs.Send(dlg, kWmSetCursor, 0, 0);
        EXPECT_EQ(desk->mouse.cursorSets, 1);
        EXPECT_EQ(desk->dialogs.Send(dlg, kWmNcHitTest, 0, 0), kHtCaption);
    });
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
        ASSERT_GE(frame, 0);
        ASSERT_GE(mouse, 0);
        ASSERT_GE(icon, 0);
        ASSERT_GE(end, 0);
        EXPECT_EQ(log.Entries()[std::size_t(cursors)].timeMs - t0, 300u);
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
            Command(dlg, ID_HIDE_BAR);
            ASSERT_EQ(desk->shell.animations.size(), 1u);
            EXPECT_EQ(desk->shell.animations[0].to, c.to);
            EXPECT_EQ(desk->shell.animations[0].animation, kIdAniCaption);
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
