// Every player the program finds by itself, on the simulated desktop: found
// without a click, in a window or already in full screen; its video window
// is the region; followed when the player moves and while another
// application is in front; off when it closes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "bar/lv_dlg.h"
#include "platform/fake/fake_desktop.h"
#include "select/players.h"
#include "select/selection_state.h"
#include "tests/unit/bar_on_desktop.h"

namespace lv {
namespace {

using fake::FakeDesktop;
using fake::kCaptionFrame;
using Sent = std::vector<std::string>;

// A player's windows: its top-level window, and the window the picture is
// in, which the monitor must be told of.
struct PlayerWorld {
    HWindow top;
    HWindow video;
    Rect picture;  // on the screen
};

std::string RegionOf(const Rect& r) {
    return "region " + std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
           std::to_string(r.bottom);
}

struct PlayerCase {
    const char* name;
    // Builds the player, in a window or in full screen (the whole screen,
    // no caption).
    std::function<PlayerWorld(FakeDesktop&, bool fullScreen)> build;
};

Rect TopRect(bool fullScreen) { return fullScreen ? Rect{0, 0, 1024, 768} : Rect{100, 100, 740, 580}; }
fake::Frame TopFrame(bool fullScreen) { return fullScreen ? fake::Frame{} : kCaptionFrame; }

// A main frame whose view pane (0xE900) shows the video, with a tool bar
// and a status bar beside it; the view's class is the framework's own.
PlayerWorld BuildPaneFrame(FakeDesktop& d, const char* frameClass, bool fullScreen) {
    const Rect r = TopRect(fullScreen);
    const HWindow top = d.windows.AddWindow(frameClass, r, HWindow::None, TopFrame(fullScreen));
    const Rect client = d.windows.GetClientRect(top);
    const Point o = d.windows.ClientToScreen(top, Point{0, 0});
    const HWindow toolBar = d.windows.AddWindow("ToolbarWindow32", Rect{o.x, o.y, o.x + client.right, o.y + 20}, top);
    d.windows.Find(toolBar)->controlId = 0xE81B;
    const Rect view{o.x, o.y + 20, o.x + client.right, o.y + client.bottom - 20};
    const HWindow pane = d.windows.AddWindow("Afx:00400000:b:00010003:00000006:00000000", view, top);
    d.windows.Find(pane)->controlId = 0xE900;
    const HWindow status = d.windows.AddWindow("msctls_statusbar32",
                                               Rect{o.x, view.bottom, o.x + client.right, o.y + client.bottom}, top);
    d.windows.Find(status)->controlId = 0xE801;
    d.windows.Activate(top);
    return PlayerWorld{top, pane, view};
}

const PlayerCase kCases[] = {
    {"the first player",
     [](FakeDesktop& d, bool fullScreen) {
         const Rect r = TopRect(fullScreen);
         const HWindow top = d.windows.AddWindow("WMPlayerApp", r, HWindow::None, TopFrame(fullScreen));
         const Rect video{r.left + 20, r.top + 60, r.right - 20, r.bottom - 60};
         return PlayerWorld{top, d.windows.AddWindow("VideoRenderer", video, top), video};
     }},
    {"the second player",
     [](FakeDesktop& d, bool fullScreen) {
         const Rect r = TopRect(fullScreen);
         const HWindow top = d.windows.AddWindow("GeminiWindowClass", r, HWindow::None, TopFrame(fullScreen));
         const HWindow c = d.windows.AddWindow("VideoWindowControlClass", Rect{r.left + 4, r.top + 24, r.right - 4,
                                                                              r.bottom - 4}, top);
         const Rect video{r.left + 10, r.top + 40, r.right - 10, r.bottom - 40};
         return PlayerWorld{top, d.windows.AddWindow("VideoControlWindowClass", video, c), video};
     }},
    {"mpv",
     [](FakeDesktop& d, bool fullScreen) {
         // Its main window is its video window: the picture is its client area.
         const HWindow top = d.windows.AddWindow("mpv", TopRect(fullScreen), HWindow::None, TopFrame(fullScreen));
         d.windows.Activate(top);
         const Rect c = d.windows.GetClientRect(top);
         const Point o = d.windows.ClientToScreen(top, Point{0, 0});
         return PlayerWorld{top, top, Rect{o.x, o.y, o.x + c.right, o.y + c.bottom}};
     }},
    {"MPC-HC", [](FakeDesktop& d, bool fullScreen) { return BuildPaneFrame(d, "MediaPlayerClassicW", fullScreen); }},
    {"MPC-BE", [](FakeDesktop& d, bool fullScreen) { return BuildPaneFrame(d, "MPC-BE", fullScreen); }},
};

class PlayersTest : public BarOnDesktopTest {};

TEST_F(PlayersTest, EachPlayerIsFoundFollowedAndLetGo) {
    for (const PlayerCase& c : kCases) {
        for (const bool fullScreen : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (fullScreen ? ", already in full screen" : ", in a window"));
            SetUp();
            seen_ = 0;
            PlayerWorld p{};
            Run([&](FakeDesktop& d) { p = c.build(d, fullScreen); },
                [&](CLvDlg&, HWindow) {
                    desk->RunFor(1600);
                    // Found without a click: its picture is the region.
                    EXPECT_EQ(Sends(), (Sent{"off", RegionOf(p.picture)}));
                    const SelectionState& s = TheSelection();
                    EXPECT_EQ(s.nState, STATE_ACTIVE);
                    EXPECT_EQ(s.bFollowing, 1);
                    EXPECT_EQ(s.hwndTarget, p.video);
                    EXPECT_EQ(s.hwndTop, p.top);
                    EXPECT_EQ(desk->log.Count(std::string("trace lumivane: found the video window of ") + c.name), 1);
                    // Another application in front: the video stays on.
                    desk->windows.Activate(desk->windows.AddWindow("Notepad", Rect{0, 0, 50, 50}));
                    desk->RunFor(900);
                    EXPECT_TRUE(Sends().empty());
                    EXPECT_EQ(s.nState, STATE_ACTIVE);
                    if (!fullScreen) {
                        // The player moves: the region goes with the picture.
                        desk->windows.Move(p.top, 160, 130);
                        desk->RunFor(400);
                        const Rect moved{p.picture.left + 60, p.picture.top + 30, p.picture.right + 60,
                                         p.picture.bottom + 30};
                        EXPECT_EQ(Sends(), (Sent{"off", RegionOf(moved)}));
                    }
                    // It closes: off, idle.
                    desk->windows.Close(p.top);
                    desk->RunFor(400);
                    EXPECT_EQ(Sends(), Sent{"off"});
                    EXPECT_EQ(s.nState, STATE_IDLE);
                });
        }
    }
}

// The players are looked for in a fixed order, the two the program has
// always known first; a player whose main window runs without a video
// window ends the look, as the first one always has.
TEST_F(PlayersTest, PlayersAreLookedForInTheTablesOrder) {
    struct Case {
        const char* name;
        std::vector<int> running;  // rows of kCases, started in this order
        const char* found;         // the player found, or "" for none
    };
    const Case cases[] = {
        {"a newer player beside the first", {4, 0}, "the first player"},
        {"two newer players", {4, 2}, "mpv"},
        {"the second player before the newer ones", {3, 1}, "the second player"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        seen_ = 0;
        Run([&](FakeDesktop& d) {
                int n = 0;
                for (int row : c.running) {
                    const PlayerWorld p = kCases[row].build(d, false);
                    d.windows.Move(p.top, 100 + 40 * n, 100 + 30 * n);
                    ++n;
                }
            },
            [&](CLvDlg&, HWindow) {
                desk->RunFor(1600);
                EXPECT_EQ(desk->log.Count(std::string("trace lumivane: found the video window of ") + c.found), 1);
            });
    }
    // The first player's window without any video window: nothing is found,
    // though mpv runs, as before.
    SetUp();
    seen_ = 0;
    Run([&](FakeDesktop& d) {
            d.windows.AddWindow("WMPlayerApp", Rect{100, 100, 400, 400});
            kCases[2].build(d, false);
        },
        [&](CLvDlg&, HWindow) {
            desk->RunFor(4600);
            EXPECT_TRUE(Sends().empty());
            EXPECT_EQ(TheSelection().bAutoDetect, 1);
        });
}

// A view pane is a player's video window only in that player's frame: a
// window of id 0xE900 in another program is an ordinary one.
TEST_F(PlayersTest, APaneOfAnotherProgramIsAnOrdinaryWindow) {
    Run({}, [&](CLvDlg&, HWindow) {
        const HWindow frame = AddTarget(Rect{100, 100, 700, 500}, "SomeEditor");
        const HWindow pane = desk->windows.AddWindow("Afx:view", Rect{104, 124, 696, 496}, frame);
        desk->windows.Find(pane)->controlId = 0xE900;
        EXPECT_EQ(PlayerOfVideoWindow(pane, frame), nullptr);
        const PlayerWorld mpc = BuildPaneFrame(*desk, "MPC-BE", false);
        ASSERT_NE(PlayerOfVideoWindow(mpc.video, mpc.top), nullptr);
        EXPECT_STREQ(PlayerOfVideoWindow(mpc.video, mpc.top)->name, "MPC-BE");
        // Its tool bar is not its video window.
        EXPECT_EQ(PlayerOfVideoWindow(desk->dialogs.GetDlgItem(mpc.top, 0xE81B), mpc.top), nullptr);
    });
}

}  // namespace
}  // namespace lv
