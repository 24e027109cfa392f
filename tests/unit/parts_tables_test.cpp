// The program's tables as a user meets them: the link's error texts, each
// tool bar's buttons and each menu item with the handler it reaches, the
// start-up tray icon's re-send, the splash button's pictures, and the
// handles a right-click or the move pointer must not leave behind.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/cov_dlg.h"
#include "bar/lv_dlg.h"
#include "bar/tool_bars.h"
#include "dialogs/about_dlg.h"
#include "platform/fake/fake_desktop.h"
#include "select/selection_state.h"

namespace lv {
namespace {

using fake::FakeDesktop;

// ---------------------------------------------------------------------------
// The link's error message

TEST(LinkErrorTexts, EveryLaunchCodeHasItsTextInABoxOwnedByTheAboutBox) {
    struct Case {
        std::int32_t code;
        const char* text;
    };
    const Case cases[] = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied\naccess to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred. "},
        {27, "The filename association is\nincomplete or invalid."},
        {28, "The DDE transaction could not\nbe completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
        {1, "Unknown Error (1) occurred."},  // between two codes that have texts
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        FakeDesktop desk;
        desk.launch.shellAnswer = c.code;  // and no ".htm" association
        HWindow box = HWindow::None;
        CAboutDlg about;
        desk.dialogs.modalScript = [&](HWindow dlg) {
            box = dlg;
            const Rect r = desk.windows.GetWindowRect(desk.dialogs.GetDlgItem(dlg, IDC_VENDOR_LINK));
            desk.controls.Click(Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        };
        about.DoModal();
        ASSERT_EQ(desk.shell.messageBoxes.size(), 1u);
        const auto& shown = desk.shell.messageBoxes[0];
        EXPECT_EQ(shown.text, std::string("Unable to open hyperlink:\n\n") + c.text);
        EXPECT_EQ(shown.flags, 0x30u);
        EXPECT_EQ(shown.owner, box);
        EXPECT_EQ(desk.launch.beeps, (std::vector<std::uint32_t>{0x30}));
    }
}

// ---------------------------------------------------------------------------
// The bar's tool bars and menus

class BarTablesTest : public testing::Test {
protected:
    void Run(const std::function<void(CLvDlg&, HWindow)>& user) {
        TheSelection() = SelectionState{};
        CTrayNotifyIcon::SetActivationState(STATE_IDLE);
        desk.reset();
        desk = std::make_unique<FakeDesktop>(1024, 768);
        CLvDlg bar;
        // The user acts on the bar; a box it opens is closed as it comes.
        desk->dialogs.modalScript = [&](HWindow dlg) {
            if (desk->windows.Find(dlg)->templateId == IDD_BAR) user(bar, dlg);
        };
        bar.DoModal();
    }
    void Command(HWindow dlg, int id) {
        desk->dialogs.Send(dlg, kWmCommand, std::uintptr_t(id), 0);
        desk->dialogs.Pump();
    }
    // Puts the program in a state the way the user gets there: Start arms
    // it; a followed window minimised suspends it.
    void Enter(std::int32_t state, CLvDlg& bar, HWindow dlg) {
        if (state == STATE_IDLE) return;
        Command(dlg, ID_START);
        if (state == STATE_SUSPENDED) {
            SelectionState& s = TheSelection();
            s.nState = STATE_SUSPENDED;
            s.bFollowing = 1;
            s.bRegionSent = 1;
            bar.TrayIcon().SetActivationState(STATE_SUSPENDED);
        }
    }
    int Sends() { return desk->log.Count("trace lumivane: send"); }

    std::unique_ptr<FakeDesktop> desk;
};

// What a command did, as the user sees it.
enum class Effect { None, Help, Arms, Stops, FullScreen, About, Setting, ShowsBar, HidesBar, Exits };

struct Seen {
    std::size_t helps;
    int abouts, settings, ends;
    std::int32_t state;
    std::int32_t full;
    std::int32_t barWidth;
    int sends;
};

class Observer {
public:
    Observer(FakeDesktop& desk, HWindow dlg) : desk_(desk), dlg_(dlg) {}
    Seen Now() const {
        return Seen{desk_.shell.helpCalls.size(), desk_.log.Count("modal run 100"), desk_.log.Count("modal run 149"),
                    desk_.windows.Find(dlg_)->ended ? 1 : 0,  TheSelection().nState,
                    TheSelection().bFullScreen,             desk_.windows.GetWindowRect(dlg_).Width(),
                    desk_.log.Count("trace lumivane: send")};
    }
    // Checks that exactly `effect` happened between `before` and now.
    void Expect(const Seen& before, Effect effect) const {
        const Seen now = Now();
        EXPECT_EQ(now.helps - before.helps, effect == Effect::Help ? 1u : 0u);
        if (effect == Effect::Help) EXPECT_EQ(desk_.shell.helpCalls.back().path, "C:\\Program Files\\Lumivane\\lvhelp.chm");
        EXPECT_EQ(now.abouts - before.abouts, effect == Effect::About ? 1 : 0);
        EXPECT_EQ(now.settings - before.settings, effect == Effect::Setting ? 1 : 0);
        EXPECT_EQ(now.ends, effect == Effect::Exits ? 1 : 0);
        switch (effect) {
            case Effect::Arms: EXPECT_EQ(now.state, STATE_ACTIVE); break;
            case Effect::Stops: EXPECT_EQ(now.state, STATE_IDLE); break;
            case Effect::FullScreen:
                EXPECT_EQ(now.state, STATE_ACTIVE);
                EXPECT_EQ(now.full, 1);
                break;
            default:
                if (effect != Effect::Exits) EXPECT_EQ(now.state, before.state);
                EXPECT_EQ(now.full, before.full);
        }
        EXPECT_EQ(now.barWidth, effect == Effect::ShowsBar ? 95 : effect == Effect::HidesBar ? 0 : before.barWidth);
        if (effect == Effect::None || effect == Effect::Help || effect == Effect::About || effect == Effect::Setting ||
            effect == Effect::ShowsBar || effect == Effect::HidesBar) {
            EXPECT_EQ(now.sends, before.sends);  // nothing reaches the monitor
        }
    }

private:
    FakeDesktop& desk_;
    HWindow dlg_;
};

// Each tool bar as created, and what each of its buttons does in the state
// that shows it: the first three are Help, the logo button and the
// full-screen button; the buttons outside the strip have no handler.
TEST_F(BarTablesTest, EveryToolBarButtonReachesItsHandler) {
    struct Button {
        int command;
        Effect effect;
    };
    struct Case {
        std::int32_t state;
        int resourceId;
        std::vector<Button> buttons;
    };
    const Case cases[] = {
        {STATE_IDLE, 165,
         {{32777, Effect::Help}, {32778, Effect::Arms}, {32779, Effect::FullScreen}, {32780, Effect::None},
          {32789, Effect::None}, {32791, Effect::None}}},
        {STATE_ACTIVE, 172,
         {{32781, Effect::Help}, {32783, Effect::Stops}, {32784, Effect::FullScreen}, {32785, Effect::None}}},
        {STATE_SUSPENDED, 174,
         {{32782, Effect::Help}, {32786, Effect::Stops}, {32787, Effect::FullScreen}, {32788, Effect::None}}},
    };
    for (int index = 0; index < 3; ++index) {
        const Case& c = cases[index];
        std::vector<int> commands;
        for (const Button& b : c.buttons) commands.push_back(b.command);
        for (const Button& b : c.buttons) {
            SCOPED_TRACE(testing::Message() << "tool bar " << c.resourceId << " button " << b.command);
            Run([&](CLvDlg& bar, HWindow dlg) {
                const fake::FakeToolBar* tb = desk->menus.FindToolBar(bar.ToolBars()[index]);
                ASSERT_NE(tb, nullptr);
                EXPECT_EQ(tb->bitmapId, c.resourceId);
                EXPECT_EQ(tb->commands, commands);
                Enter(c.state, bar, dlg);
                const Observer seen(*desk, dlg);
                const Seen before = seen.Now();
                Command(dlg, b.command);
                seen.Expect(before, b.effect);
            });
        }
    }
}

// The items of both pop-up menus in order, and what each does when chosen.
// Start and Stop are offered by state (greyed ones cannot be chosen); the
// rest always.
TEST_F(BarTablesTest, EveryMenuItemReachesItsHandler) {
    struct Item {
        int command;  // 0: a separator
        const char* text;
        Effect effect;
    };
    auto items = [](int toggle, const char* text, Effect effect) {
        return std::vector<Item>{{40003, "Start", Effect::Arms},    {40005, "Stop", Effect::Stops},
                                 {0, "", Effect::None},             {40008, "Setting", Effect::Setting},
                                 {0, "", Effect::None},             {toggle, text, effect},
                                 {0, "", Effect::None},             {40007, "Help", Effect::Help},
                                 {0, "", Effect::None},             {40001, "About...", Effect::About},
                                 {0, "", Effect::None},             {40002, "Exit", Effect::Exits}};
    };
    struct Menu {
        int resourceId;
        std::vector<Item> items;
    };
    const Menu menus[] = {{6000, items(40006, "Show Bar", Effect::ShowsBar)},
                          {7000, items(40009, "Hide Bar", Effect::HidesBar)}};
    struct State {
        std::int32_t state;
        bool start, stop;
    };
    const State states[] = {{STATE_IDLE, true, false}, {STATE_ACTIVE, false, true}, {STATE_SUSPENDED, true, true}};
    for (const Menu& menu : menus) {
        for (const State& st : states) {
            for (const Item& item : menu.items) {
                if (item.command == 0) continue;
                SCOPED_TRACE(testing::Message() << "menu " << menu.resourceId << " state " << st.state << " item "
                                                << item.text);
                Run([&](CLvDlg& bar, HWindow dlg) {
                    Enter(st.state, bar, dlg);
                    if (menu.resourceId == 7000) Command(dlg, ID_SHOW_BAR);  // the bar's menu is the shown bar's
                    const Observer seen(*desk, dlg);
                    const Seen before = seen.Now();
                    desk->menus.nextMenuChoice = item.command;
                    if (menu.resourceId == 6000) {
                        desk->shell.Click(128, kWmRButtonUp);
                    } else {
                        bar.PreTranslateMessage(Message{bar.ToolBars()[0], kWmRButtonDown, 0, 0});
                    }
                    desk->RunFor(0);
                    desk->dialogs.Pump();
                    ASSERT_EQ(desk->menus.trackedMenus.size(), 1u);
                    const fake::TrackedMenu& shown = desk->menus.trackedMenus[0];
                    EXPECT_EQ(shown.resourceId, menu.resourceId);
                    ASSERT_EQ(shown.items.size(), menu.items.size());
                    for (std::size_t i = 0; i < menu.items.size(); ++i) {
                        EXPECT_EQ(shown.items[i].command, menu.items[i].command) << i;
                        EXPECT_EQ(shown.items[i].text, menu.items[i].text) << i;
                        const bool enabled = menu.items[i].command == ID_START  ? st.start
                                             : menu.items[i].command == ID_STOP ? st.stop
                                                                                : true;
                        EXPECT_EQ(shown.items[i].enabled, enabled) << i;
                    }
                    const bool greyed = (item.command == ID_START && !st.start) || (item.command == ID_STOP && !st.stop);
                    seen.Expect(before, greyed ? Effect::None : item.effect);
                });
            }
        }
    }
}

// ---------------------------------------------------------------------------
// The tray icon at start-up

// The idle icon is added at start-up and sent again, the same, once a
// second until the first change of state ends that.
TEST_F(BarTablesTest, TheIdleTrayIconIsResentEverySecondFromStartUp) {
    Run([&](CLvDlg&, HWindow dlg) {
        const auto& calls = desk->shell.calls;
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].command, kNimAdd);
        const std::uint64_t added = calls[0].timeMs;
        const HIcon icon = calls[0].data.hIcon;
        EXPECT_EQ(desk->shell.Icon(128)->hIcon, icon);
        desk->RunFor(999);
        EXPECT_EQ(calls.size(), 1u);
        desk->RunFor(2001);
        ASSERT_EQ(calls.size(), 4u);
        for (std::size_t i = 1; i < calls.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(calls[i].command, kNimModify);
            EXPECT_EQ(calls[i].data.uFlags, kNifIcon);
            EXPECT_EQ(calls[i].data.hIcon, icon);
            EXPECT_EQ(calls[i].timeMs, added + 1000 * i);
        }
        Command(dlg, ID_START);
        const std::size_t afterStart = calls.size();
        desk->RunFor(3000);
        EXPECT_EQ(calls.size(), afterStart);
    });
}

// ---------------------------------------------------------------------------
// The splash button

// The button's four pictures are the bitmaps named after its text with U,
// D, F and X; one the program lacks leaves its place empty.
TEST(SplashPictures, TheButtonsFourPicturesByName) {
    struct Case {
        std::vector<std::string> present;  // besides COVU
        const char* pictures[4];
    };
    const Case cases[] = {
        {{}, {"COVU", "", "", ""}},
        {{"COVD", "COVF", "COVX"}, {"COVU", "COVD", "COVF", "COVX"}},
        {{"COVX"}, {"COVU", "", "", "COVX"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.present.size());
        FakeDesktop desk;
        for (const std::string& name : c.present) desk.dialogs.bitmaps[name] = Point{400, 273};
        CCovDlg splash;
        ASSERT_TRUE(splash.Create());
        const auto splashes = desk.windows.WindowsFrom(130);
        ASSERT_EQ(splashes.size(), 1u);
        const fake::FakeWindow* button = desk.windows.Find(desk.dialogs.GetDlgItem(splashes[0]->handle, 5000));
        ASSERT_NE(button, nullptr);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(desk.dialogs.NameOf(button->pictures[i]), c.pictures[i]) << i;
        splash.DestroyWindow();
    }
}

// ---------------------------------------------------------------------------
// Nothing left behind

TEST_F(BarTablesTest, RightClicksAndMovePointersLeaveNoHandleBehind) {
    struct Case {
        const char* what;
        std::function<void(CLvDlg&, HWindow)> act;
    };
    const Case cases[] = {
        {"a right-click on the bar, menu dismissed",
         [&](CLvDlg& bar, HWindow) { bar.PreTranslateMessage(Message{bar.ToolBars()[0], kWmRButtonDown, 0, 0}); }},
        {"a right-click on the bar, Setting chosen",
         [&](CLvDlg& bar, HWindow) {
             desk->menus.nextMenuChoice = ID_SETTING;
             bar.PreTranslateMessage(Message{bar.ToolBars()[0], kWmRButtonDown, 0, 0});
             desk->dialogs.Pump();
         }},
        {"ten pointer changes over the move zone",
         [&](CLvDlg&, HWindow dlg) {
             for (int i = 0; i < 10; ++i) {
                 desk->mouse.cursorPos = Point{462 + 95 - 1 - i % 3, 10};
                 desk->dialogs.Send(dlg, kWmSetCursor, 0, 0);
             }
             EXPECT_EQ(desk->mouse.cursorSets, 10);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int cursorsAtStart = -1;
        Run([&](CLvDlg& bar, HWindow dlg) {
            Command(dlg, ID_SHOW_BAR);
            const int menus = desk->menus.LiveMenus(), fonts = desk->controls.LiveFonts();
            cursorsAtStart = desk->cursors.LiveOwnedHandles();
            c.act(bar, dlg);
            EXPECT_EQ(desk->menus.LiveMenus(), menus);
            EXPECT_EQ(desk->controls.LiveFonts(), fonts);
            // The move pointer is loaded once, at its first use, and kept.
            EXPECT_LE(desk->cursors.LiveOwnedHandles(), cursorsAtStart + 1);
        });
        EXPECT_EQ(desk->menus.LiveMenus(), 0);
        EXPECT_EQ(desk->cursors.badReleases, 0);
    }
}

}  // namespace
}  // namespace lv
