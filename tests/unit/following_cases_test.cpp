// Following, detection and selection at their edges, on the simulated
// desktop: an MDI application's frame while its document is maximised, the
// players' video classes, the second player's other nesting, the row scan's
// other finds, framed video windows, regions clamped at each side of the
// screen (and of the MDI client), regions with nothing left on the screen,
// the last pixels of a client area, the bar's tool bars and the look after a
// resume. Each test reads what the monitor was sent, the state, the tray
// icon, the tool bars shown and the pointers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "bar/lv_dlg.h"
#include "platform/fake/fake_desktop.h"
#include "select/selection_state.h"
#include "tests/unit/bar_on_desktop.h"

namespace lv {
namespace {

using fake::FakeDesktop;
using fake::kCaptionFrame;
using Sent = std::vector<std::string>;
using Step = fake::FakeMouseInput::Step;

constexpr char kNormalPointer[] = "standard 32512";
constexpr Rect kElsewhere{800, 600, 1000, 700};  // another application's window, clear of the others

// An MDI application: frame > "MDIClient" > document frame > view, with
// another document behind the followed one.
struct Mdi {
    HWindow frame, client, document, view, other;
};

class FollowingCasesTest : public BarOnDesktopTest {
protected:
    // The hand, from now on: steps at times relative to now.
    void DragFromTo(Point from, Point to) {
        Hand({{0, from, false, false}, {30, from, true, false}, {80, to, true, false}, {180, to, false, false}});
    }
    // Arms from the tray icon and clicks at `p`; answers what the click sent.
    Sent ArmAndClick(Point p) {
        TrayClick();
        Sends();
        ClickAt(p);
        desk->RunFor(400);
        return Sends();
    }
    // What was sent in the next `ms` of the program's running.
    Sent After(std::uint64_t ms = 600) {
        desk->RunFor(ms);
        return Sends();
    }
    // Runs until the release has been seen and following has begun: the
    // first 300 ms tick is then still to come.
    void RunUntilFollowing() {
        for (int i = 0; i < 100 && !TheSelection().bFollowing; ++i) desk->RunFor(10);
        ASSERT_EQ(TheSelection().bFollowing, 1);
    }
    // Runs to timer 1's next tick and through it, and no further. (The
    // link's sends take time of their own: a tick can be due at once.)
    void OneTick() {
        const fake::FakeTimer* t = desk->messages.Timer(dlg_, kSelectionTimer);
        ASSERT_NE(t, nullptr);
        const std::uint64_t now = desk->clock.Now();
        desk->RunFor(t->dueMs > now ? t->dueMs - now : 0);
    }
    // Another application's window comes in front.
    void AnotherApplicationInFront() { desk->windows.Activate(desk->windows.AddWindow("Calc", kElsewhere)); }
    std::uint32_t TimerPeriod() {
        const fake::FakeTimer* t = desk->messages.Timer(dlg_, kSelectionTimer);
        return t ? t->periodMs : 0;
    }
    std::string Pointer() { return desk->cursors.shown[kOcrNormal]; }
    std::string TrayImage() { return desk->shell.NameOf(desk->shell.Icon(128)->hIcon); }
    // The bitmaps of the bar's tool bars now visible.
    std::vector<int> VisibleToolBars() {
        std::vector<int> out;
        for (const fake::FakeToolBar& tb : desk->menus.toolBars) {
            if (desk->windows.IsWindowVisible(tb.handle)) out.push_back(tb.bitmapId);
        }
        return out;
    }

    // The window's client area on the screen.
    Rect ClientArea(HWindow w) {
        const Point tl = desk->windows.ClientToScreen(w, Point{0, 0});
        const Rect c = desk->windows.GetClientRect(w);
        return Rect{tl.x, tl.y, tl.x + c.right, tl.y + c.bottom};
    }
    void Fill(HWindow w, const Rect& r) {
        desk->windows.Move(w, r.left, r.top);
        desk->windows.Resize(w, r.Width(), r.Height());
    }
    // What the application does once its frame changed: the MDI client fills
    // the frame's client area, a maximised document the MDI client, and the
    // view its document's client area.
    void LayOut(const Mdi& m) {
        Fill(m.client, ClientArea(m.frame));
        if (desk->windows.IsZoomed(m.document)) Fill(m.document, ClientArea(m.client));
        Fill(m.view, ClientArea(m.document));
    }
    Mdi BuildMdi(const Rect& frame, const Rect& document, bool maximised = false) {
        fake::FakeWindows& w = desk->windows;
        Mdi m{};
        m.frame = w.AddWindow("Word", frame, HWindow::None, kCaptionFrame);
        m.client = w.AddWindow("MDIClient", Rect{}, m.frame);
        Fill(m.client, ClientArea(m.frame));
        const Rect c = ClientArea(m.client);
        m.other = w.AddWindow("DocFrame", Rect{c.left + 6, c.top + 6, c.left + 246, c.top + 206}, m.client,
                              kCaptionFrame);
        m.document = w.AddWindow("DocFrame", document, m.client, kCaptionFrame);
        m.view = w.AddWindow("DocView", Rect{}, m.document);
        if (maximised) w.Maximise(m.document);
        LayOut(m);
        w.Activate(m.document);
        return m;
    }
};

// ---------------------------------------------------------------------------
// MDI

// One thing happening to the application, and what the monitor is sent.
struct Beat {
    const char* what;
    std::function<void(const Mdi&)> act;
    Sent sent;
    std::int32_t state;
};

TEST_F(FollowingCasesTest, WithTheDocumentMaximisedTheFrameIsWatched) {
    // The document fills the MDI client {54, 74, 846, 646}; its view is
    // {58, 98, 842, 642}.
    const Sent asClicked{"region 58 98 842 642"};
    struct Case {
        const char* name;
        std::vector<Beat> beats;
    };
    const Case cases[] = {
        {"moved partly off the screen",
         {{"moved", [&](const Mdi& m) { desk->windows.Move(m.frame, 400, 300); },
           Sent{"off", "region 408 348 1024 768"}, STATE_ACTIVE}}},
        {"resized",
         {{"resized",
           [&](const Mdi& m) {
               desk->windows.Resize(m.frame, 600, 400);
               LayOut(m);
           },
           Sent{"off", "region 58 98 642 442"}, STATE_ACTIVE}}},
        {"maximised and restored",
         {{"maximised",
           [&](const Mdi& m) {
               desk->windows.Maximise(m.frame);
               LayOut(m);
           },
           Sent{"off", "region 8 48 1016 760"}, STATE_ACTIVE},
          {"still maximised", [](const Mdi&) {}, Sent{}, STATE_ACTIVE},
          {"restored",
           [&](const Mdi& m) {
               desk->windows.Restore(m.frame);
               LayOut(m);
           },
           Sent{"off", "region 58 98 842 642"}, STATE_ACTIVE}}},
        // Inside the maximised frame the document is watched while it is
        // restored, and the frame again once it is maximised once more.
        {"maximised, then the document restored and maximised again",
         {{"frame maximised",
           [&](const Mdi& m) {
               desk->windows.Maximise(m.frame);
               LayOut(m);
           },
           Sent{"off", "region 8 48 1016 760"}, STATE_ACTIVE},
          {"document restored",
           [&](const Mdi& m) {
               desk->windows.Restore(m.document);
               LayOut(m);
           },
           Sent{"off", "region 104 144 496 416"}, STATE_ACTIVE},
          {"document maximised again",
           [&](const Mdi& m) {
               desk->windows.Maximise(m.document);
               LayOut(m);
           },
           Sent{"off", "region 8 48 1016 760"}, STATE_ACTIVE}}},
        {"minimised and restored to the front",
         {{"minimised", [&](const Mdi& m) { desk->windows.Minimise(m.frame); }, Sent{"off"}, STATE_SUSPENDED},
          {"restored",
           [&](const Mdi& m) {
               desk->windows.Restore(m.frame);
               desk->windows.Activate(m.document);
           },
           asClicked, STATE_ACTIVE}}},
        // The frame's own show state is what tells: the foreground stays.
        {"minimised keeping the foreground, then restored",
         {{"minimised",
           [&](const Mdi& m) {
               desk->windows.Minimise(m.frame);
               desk->windows.foreground = m.frame;
           },
           Sent{"off"}, STATE_SUSPENDED},
          {"still minimised", [](const Mdi&) {}, Sent{}, STATE_SUSPENDED},
          {"restored", [&](const Mdi& m) { desk->windows.Restore(m.frame); }, asClicked, STATE_ACTIVE}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Run({}, [&](CLvDlg&, HWindow) {
            const Mdi m = BuildMdi(Rect{50, 50, 850, 650}, Rect{100, 120, 500, 420}, true);
            EXPECT_EQ(ArmAndClick(Point{400, 300}), (Sent{"off", "region 58 98 842 642"}));
            EXPECT_EQ(TheSelection().bParentZoomed, 1);
            EXPECT_EQ(After(900), Sent{});  // nothing while nothing changes
            for (const Beat& b : c.beats) {
                SCOPED_TRACE(b.what);
                b.act(m);
                EXPECT_EQ(After(), b.sent);
                EXPECT_EQ(TheSelection().nState, b.state);
                EXPECT_EQ(TheSelection().bFollowing, 1);
            }
        });
    }
}

TEST_F(FollowingCasesTest, AResizedMdiFrameSendsTheRegionAgainClampedToTheNewMdiClient) {
    // The document hangs over the MDI client's right and bottom edges.
    struct Case {
        const char* name;
        std::int32_t width, height;
        const char* region;
    };
    const Case cases[] = {
        {"smaller", 600, 450, "region 504 324 646 496"},
        {"larger", 900, 700, "region 504 324 946 746"},
        {"larger than the screen", 1100, 800, "region 504 324 996 768"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Run({}, [&](CLvDlg&, HWindow) {
            const Mdi m = BuildMdi(Rect{50, 50, 850, 650}, Rect{500, 300, 1000, 800});
            EXPECT_EQ(ArmAndClick(Point{600, 400}), (Sent{"off", "region 504 324 846 646"}));
            desk->windows.Resize(m.frame, c.width, c.height);
            LayOut(m);
            EXPECT_EQ(After(), (Sent{"off", c.region}));
            EXPECT_EQ(TheSelection().nState, STATE_ACTIVE);
            EXPECT_EQ(After(900), Sent{});
        });
    }
}

TEST_F(FollowingCasesTest, AClosedMdiDocumentEndsFollowingWhileTheFrameStays) {
    Run({}, [&](CLvDlg&, HWindow) {
        const Mdi m = BuildMdi(Rect{50, 50, 850, 650}, Rect{100, 120, 500, 420});
        EXPECT_EQ(ArmAndClick(Point{300, 300}), (Sent{"off", "region 104 144 496 416"}));
        desk->windows.Close(m.document);
        EXPECT_EQ(After(), Sent{"off"});
        const SelectionState& s = TheSelection();
        EXPECT_EQ(s.nState, STATE_IDLE);
        EXPECT_EQ(s.bFollowing, 0);
        EXPECT_EQ(s.bRegionSent, 0);
        EXPECT_EQ(TimerPeriod(), 0u);
        EXPECT_EQ(TrayImage(), "own 128");
        EXPECT_TRUE(desk->windows.IsWindow(m.frame));
        EXPECT_EQ(After(900), Sent{});
    });
}

TEST_F(FollowingCasesTest, AnMdiDocumentMinimisedInItsApplicationSuspendsUntilRestored) {
    // The frame stays in front and normal: the document's own show state is
    // what tells.
    Run({}, [&](CLvDlg&, HWindow) {
        const Mdi m = BuildMdi(Rect{50, 50, 850, 650}, Rect{100, 120, 500, 420});
        EXPECT_EQ(ArmAndClick(Point{300, 300}), (Sent{"off", "region 104 144 496 416"}));
        desk->windows.Minimise(m.document);
        EXPECT_EQ(After(), Sent{"off"});
        EXPECT_EQ(TheSelection().nState, STATE_SUSPENDED);
        EXPECT_EQ(After(900), Sent{});
        desk->windows.Restore(m.document);
        EXPECT_EQ(After(), Sent{"region 104 144 496 416"});
        EXPECT_EQ(TheSelection().nState, STATE_ACTIVE);
        EXPECT_EQ(After(900), Sent{});
    });
}

// ---------------------------------------------------------------------------
// Players' video windows

TEST_F(FollowingCasesTest, PlayerVideoWindowsStayOnBehindOtherApplicationsAndTwoHandOverToTheirParent) {
    struct Case {
        const char* cls;
        bool handsOver;
    };
    const Case cases[] = {
        {"KingDVD Video Window Class", false}, {"VideoRenderer", false},           {"WMPVideoWindow", false},
        {"VideoControlWindowClass", false},    {"VideoWindowControlClass", false}, {"KingPlayer Video Class", true},
        {"KPRealvideoWnd", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cls);
        Run({}, [&](CLvDlg&, HWindow) {
            fake::FakeWindows& w = desk->windows;
            // The player's client area is {104, 124, 696, 496}.
            const HWindow player = w.AddWindow("PlayerFrame", Rect{100, 100, 700, 500}, HWindow::None, kCaptionFrame);
            const HWindow video = w.AddWindow(c.cls, Rect{150, 150, 650, 450}, player);
            w.Activate(player);
            TrayClick();
            Sends();
            ClickAt(Point{400, 300});
            RunUntilFollowing();
            EXPECT_EQ(Sends(), (Sent{"off", "region 150 150 650 450"}));
            EXPECT_EQ(TheSelection().hwndTarget, video);

            // Another application in front before the first tick: the tick
            // sees the video class, and sends nothing (nor at the hand-over).
            AnotherApplicationInFront();
            OneTick();
            EXPECT_EQ(Sends(), Sent{});
            EXPECT_EQ(TheSelection().nState, STATE_ACTIVE);
            EXPECT_EQ(TheSelection().hwndTarget, c.handsOver ? player : video);

            // Later ticks read the target's class again: a parent that took
            // over is an ordinary window, off while it is behind.
            EXPECT_EQ(After(), c.handsOver ? Sent{"off"} : Sent{});
            EXPECT_EQ(TheSelection().nState, c.handsOver ? STATE_SUSPENDED : STATE_ACTIVE);
            w.Activate(player);
            EXPECT_EQ(After(), c.handsOver ? Sent{"region 150 150 650 450"} : Sent{});  // the same pixels
            EXPECT_EQ(TheSelection().nState, STATE_ACTIVE);

            // The video window moves inside the player: followed only while
            // it is the target.
            w.Move(video, 200, 160);
            EXPECT_EQ(After(), c.handsOver ? Sent{} : (Sent{"off", "region 200 160 700 460"}));

            // The player moves: the region goes with the target.
            w.Move(player, 200, 150);
            EXPECT_EQ(After(), c.handsOver ? (Sent{"off", "region 250 200 750 500"})
                                           : (Sent{"off", "region 300 210 800 510"}));
            EXPECT_EQ(TheSelection().nState, STATE_ACTIVE);
        });
    }
}

TEST_F(FollowingCasesTest, DetectionFindsTheVideoWindowInEachArrangementAndFollowsIt) {
    struct Case {
        const char* name;
        // Builds the players; answers the video window, or None.
        std::function<HWindow(FakeDesktop&)> build;
        const char* region;
        const char* moved;  // after the top-level window moved by (20, 10)
    };
    const Case cases[] = {
        {"the second player, VideoControlWindowClass then VideoWindowControlClass",
         [](FakeDesktop& d) {
             const HWindow g = d.windows.AddWindow("GeminiWindowClass", Rect{100, 100, 700, 500});
             const HWindow c = d.windows.AddWindow("VideoControlWindowClass", Rect{110, 110, 690, 490}, g);
             return d.windows.AddWindow("VideoWindowControlClass", Rect{120, 130, 680, 470}, c);
         },
         "region 120 130 680 470", "region 140 140 700 480"},
        {"the second player's first order without its grandchild gives up",
         [](FakeDesktop& d) {
             const HWindow g = d.windows.AddWindow("GeminiWindowClass", Rect{100, 100, 700, 500});
             d.windows.AddWindow("VideoWindowControlClass", Rect{110, 110, 690, 490}, g);
             const HWindow c = d.windows.AddWindow("VideoControlWindowClass", Rect{110, 110, 690, 490}, g);
             d.windows.AddWindow("VideoWindowControlClass", Rect{120, 130, 680, 470}, c);
             return HWindow::None;
         },
         nullptr, nullptr},
        {"a skin host without a video window: the row scan",
         [](FakeDesktop& d) {
             const HWindow p = d.windows.AddWindow("WMPlayerApp", Rect{100, 100, 700, 500});
             const HWindow host = d.windows.AddWindow("WMP Skin Host", Rect{750, 550, 1000, 750});
             d.windows.AddWindow("WMPChrome", Rect{760, 560, 990, 740}, host);
             return d.windows.AddWindow("VideoRenderer", Rect{200, 150, 600, 450}, p);
         },
         "region 200 150 600 450", "region 220 160 620 460"},
        {"the row scan meets the skin's video window",
         [](FakeDesktop& d) {
             const HWindow p = d.windows.AddWindow("WMPlayerApp", Rect{100, 100, 700, 500});
             return d.windows.AddWindow("WMPVideoWindow", Rect{150, 120, 650, 480}, p);
         },
         "region 150 120 650 480", "region 170 130 670 490"},
        // The middle row is y = 500 here; x = 500 would miss the renderer.
        {"a player whose left is not its top",
         [](FakeDesktop& d) {
             const HWindow p = d.windows.AddWindow("WMPlayerApp", Rect{40, 300, 640, 700});
             return d.windows.AddWindow("VideoRenderer", Rect{80, 420, 600, 580}, p);
         },
         "region 80 420 600 580", "region 100 430 620 590"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWindow video = HWindow::None;
        Run([&](FakeDesktop& d) { video = c.build(d); },
            [&](CLvDlg&, HWindow) {
                desk->RunFor(4600);  // three 1500 ms ticks
                const SelectionState& s = TheSelection();
                if (IsNone(video)) {
                    EXPECT_EQ(Sends(), Sent{});
                    EXPECT_EQ(s.nState, STATE_IDLE);
                    EXPECT_EQ(TimerPeriod(), 1500u);
                    return;
                }
                EXPECT_EQ(Sends(), (Sent{"off", c.region}));
                EXPECT_EQ(s.hwndTarget, video);
                const HWindow top = desk->windows.TopLevelOf(video);
                EXPECT_EQ(s.hwndTop, top);
                desk->windows.Activate(top);
                EXPECT_EQ(After(900), Sent{});
                const Rect r = desk->windows.GetWindowRect(top);
                desk->windows.Move(top, r.left + 20, r.top + 10);
                EXPECT_EQ(After(), (Sent{"off", c.moved}));
            });
    }
}

TEST_F(FollowingCasesTest, AFramedVideoWindowIsFollowedByItsWindowOrClientRectangleAsChosen) {
    // The renderer {150, 150, 650, 450} has a caption: its client area is
    // {154, 174, 646, 446}. Detection takes the window rectangle, a click the
    // client area; moving the player keeps either on the same pixels.
    struct Case {
        const char* how;
        bool detect;
        const char* region;
        const char* moved;
    };
    const Case cases[] = {
        {"detected", true, "region 150 150 650 450", "region 170 160 670 460"},
        {"clicked", false, "region 154 174 646 446", "region 174 184 666 456"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        HWindow player = HWindow::None;
        Run(
            [&](FakeDesktop& d) {
                player = d.windows.AddWindow("WMPlayerApp", Rect{100, 100, 700, 500}, HWindow::None, kCaptionFrame);
                d.windows.AddWindow("VideoRenderer", Rect{150, 150, 650, 450}, player, kCaptionFrame);
            },
            [&](CLvDlg&, HWindow) {
                if (c.detect) {
                    desk->RunFor(1600);
                    EXPECT_EQ(Sends(), (Sent{"off", c.region}));
                    desk->windows.Activate(player);
                } else {
                    desk->windows.Activate(player);
                    EXPECT_EQ(ArmAndClick(Point{400, 300}), (Sent{"off", c.region}));
                }
                EXPECT_EQ(After(900), Sent{});
                desk->windows.Move(player, 120, 110);
                EXPECT_EQ(After(), (Sent{"off", c.moved}));
                desk->windows.Move(player, 100, 100);
                EXPECT_EQ(After(), (Sent{"off", c.region}));
            });
    }
}

// ---------------------------------------------------------------------------
// Buttons held

TEST_F(FollowingCasesTest, ARightButtonHeldFreezesFollowingUntilItIsLetGo) {
    Run({}, [&](CLvDlg&, HWindow) {
        const HWindow target = AddTarget();
        EXPECT_EQ(ArmAndClick(Point{300, 250}), (Sent{"off", "region 104 124 496 396"}));
        Hand({{0, {300, 110}, false, true}});
        desk->windows.Move(target, 200, 150);
        EXPECT_EQ(After(), Sent{});
        desk->windows.Minimise(target);
        EXPECT_EQ(After(), Sent{});
        desk->windows.Restore(target);
        desk->windows.Activate(target);
        desk->windows.Move(target, 250, 200);
        EXPECT_EQ(After(), Sent{});
        EXPECT_EQ(TheSelection().nState, STATE_ACTIVE);
        Hand({{0, {300, 110}, false, false}});
        EXPECT_EQ(After(400), (Sent{"off", "region 254 224 646 496"}));
    });
}

// ---------------------------------------------------------------------------
// Clamps

TEST_F(FollowingCasesTest, AClickAndAMovePastEachSideOfTheScreenAreClampedThere) {
    // The region is kept whole in client coordinates: moved back, the window
    // is enhanced whole again.
    struct Case {
        const char* side;
        Rect window;
        Point click;
        const char* region;
    };
    const Case cases[] = {
        {"left", {-50, 200, 350, 500}, {100, 300}, "region 0 224 346 496"},
        {"top", {300, -50, 700, 250}, {500, 100}, "region 304 0 696 246"},
        {"right", {800, 200, 1200, 500}, {900, 300}, "region 804 224 1024 496"},
        {"bottom", {300, 600, 700, 900}, {500, 700}, "region 304 624 696 768"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.side);
        Run({}, [&](CLvDlg&, HWindow) {
            const HWindow target = AddTarget(c.window);
            EXPECT_EQ(ArmAndClick(c.click), (Sent{"off", c.region}));
            desk->windows.Move(target, 100, 100);
            EXPECT_EQ(After(), (Sent{"off", "region 104 124 496 396"}));
            desk->windows.Move(target, c.window.left, c.window.top);
            EXPECT_EQ(After(), (Sent{"off", c.region}));
        });
    }
}

TEST_F(FollowingCasesTest, ADraggedRectangleMovedPastEachSideIsClampedCornerByCornerKeepingItsDirection) {
    // Dragged up and to the left on the target, from client (300, 250) to
    // client (50, 30).
    struct Case {
        const char* side;
        Point movedTo;
        const char* region;
    };
    const Case cases[] = {
        {"left", {-150, 100}, "region 154 374 0 154"},
        {"top", {100, -100}, "region 404 174 154 0"},
        {"right", {800, 100}, "region 1024 374 854 154"},
        {"bottom", {100, 500}, "region 404 768 154 554"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.side);
        Run({}, [&](CLvDlg&, HWindow) {
            const HWindow target = AddTarget();
            TrayClick();
            Sends();
            DragFromTo(Point{404, 374}, Point{154, 154});
            EXPECT_EQ(After(400), (Sent{"off", "region 404 374 154 154"}));
            desk->windows.Move(target, c.movedTo.x, c.movedTo.y);
            EXPECT_EQ(After(), (Sent{"off", c.region}));
            desk->windows.Move(target, 100, 100);
            EXPECT_EQ(After(), (Sent{"off", "region 404 374 154 154"}));
        });
    }
}

TEST_F(FollowingCasesTest, ADetectedPlayerPastEachSideIsClampedAndComesOnWholeWhenMovedBack) {
    struct Case {
        const char* side;
        Rect video;
        const char* region;
        const char* movedBack;  // the player moved so that the video's top left is (100, 100)
    };
    const Case cases[] = {
        {"left", {-60, 200, 400, 500}, "region 0 200 400 500", "region 100 100 560 400"},
        {"top", {300, -40, 700, 300}, "region 300 0 700 300", "region 100 100 500 440"},
        {"right", {700, 200, 1100, 500}, "region 700 200 1024 500", "region 100 100 500 400"},
        {"bottom", {300, 500, 700, 800}, "region 300 500 700 768", "region 100 100 500 400"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.side);
        HWindow player = HWindow::None;
        Run(
            [&](FakeDesktop& d) {
                const Rect& v = c.video;
                player = d.windows.AddWindow("GeminiWindowClass",
                                             Rect{v.left - 10, v.top - 10, v.right + 10, v.bottom + 10});
                const HWindow mid = d.windows.AddWindow("VideoWindowControlClass", v, player);
                d.windows.AddWindow("VideoControlWindowClass", v, mid);
            },
            [&](CLvDlg&, HWindow) {
                EXPECT_EQ(After(1600), (Sent{"off", c.region}));
                desk->windows.Activate(player);
                desk->windows.Move(player, 90, 90);
                EXPECT_EQ(After(), (Sent{"off", c.movedBack}));
            });
    }
}

TEST_F(FollowingCasesTest, AnMdiFrameMovedPastEachSideIsClampedToTheScreen) {
    // Frame {100, 100, 700, 600}, MDI client {104, 124, 696, 596}, view
    // {154, 174, 546, 446}.
    struct Case {
        const char* side;
        Point frameTo;
        const char* region;
    };
    const Case cases[] = {
        {"left", {-300, 100}, "region 0 174 146 446"},
        {"top", {100, -250}, "region 154 0 546 96"},
        {"right", {700, 100}, "region 754 174 1024 446"},
        {"bottom", {100, 500}, "region 154 574 546 768"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.side);
        Run({}, [&](CLvDlg&, HWindow) {
            const Mdi m = BuildMdi(Rect{100, 100, 700, 600}, Rect{150, 150, 550, 450});
            EXPECT_EQ(ArmAndClick(Point{300, 300}), (Sent{"off", "region 154 174 546 446"}));
            desk->windows.Move(m.frame, c.frameTo.x, c.frameTo.y);
            EXPECT_EQ(After(), (Sent{"off", c.region}));
            desk->windows.Move(m.frame, 100, 100);
            EXPECT_EQ(After(), (Sent{"off", "region 154 174 546 446"}));
        });
    }
}

TEST_F(FollowingCasesTest, AFollowedWindowWithNothingLeftOnTheScreenGetsTheOffFrameAlone) {
    // The target's client area is 392 x 272, 4 and 24 in from its window's
    // top left. Moved off to the last pixel the region is empty; one pixel
    // back, a one-pixel strip is sent.
    struct Case {
        const char* side;
        Point off;
        Point onePixelOn;
        const char* strip;
    };
    const Case cases[] = {
        {"left", {-500, 100}, {-395, 100}, "region 0 124 1 396"},
        {"top", {100, -420}, {100, -295}, "region 104 0 496 1"},
        {"right", {1020, 100}, {1019, 100}, "region 1023 124 1024 396"},
        {"bottom", {100, 744}, {100, 743}, "region 104 767 496 768"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.side);
        Run({}, [&](CLvDlg&, HWindow) {
            const HWindow target = AddTarget();
            ArmAndClick(Point{300, 250});
            desk->windows.Move(target, c.off.x, c.off.y);
            EXPECT_EQ(After(), Sent{"off"});
            EXPECT_EQ(TheSelection().bFollowing, 1);
            desk->windows.Move(target, c.onePixelOn.x, c.onePixelOn.y);
            EXPECT_EQ(After(), (Sent{"off", c.strip}));
        });
    }
}

TEST_F(FollowingCasesTest, EveryOtherSendWithNothingLeftOnTheScreenIsTheOffFrame) {
    struct Case {
        const char* name;
        // Sets the scene up and makes the region leave the screen at the
        // next tick.
        std::function<void()> leave;
        // Brings the window back whole.
        std::function<void()> back;
        const char* region;
    };
    HWindow w = HWindow::None;
    const Case cases[] = {
        {"a detected player wholly past the right edge",
         [&] {
             const HWindow g = desk->windows.AddWindow("GeminiWindowClass", Rect{1090, 90, 1410, 410});
             const HWindow mid = desk->windows.AddWindow("VideoWindowControlClass", Rect{1100, 100, 1400, 400}, g);
             desk->windows.AddWindow("VideoControlWindowClass", Rect{1100, 100, 1400, 400}, mid);
             w = g;
             desk->windows.Activate(g);
             desk->RunFor(1000);  // the first detection tick is at 1500 ms
         },
         [&] { desk->windows.Move(w, 90, 90); }, "region 100 100 400 400"},
        {"an MDI document moved out of the MDI client",
         [&] {
             const Mdi m = BuildMdi(Rect{50, 50, 850, 650}, Rect{100, 120, 500, 420});
             w = m.document;
             ArmAndClick(Point{300, 300});
             desk->windows.Move(m.document, 900, 120);
         },
         [&] { desk->windows.Move(w, 100, 120); }, "region 104 144 496 416"},
        {"a window moved off the screen while behind another application comes back",
         [&] {
             w = AddTarget();
             ArmAndClick(Point{300, 250});
             AnotherApplicationInFront();
             desk->RunFor(400);
             EXPECT_EQ(Sends(), Sent{"off"});
             desk->windows.Move(w, 1100, 100);
             desk->windows.Activate(w);
         },
         [&] { desk->windows.Move(w, 100, 100); }, "region 104 124 496 396"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Run({}, [&](CLvDlg&, HWindow) {
            c.leave();
            EXPECT_EQ(After(), Sent{"off"});
            EXPECT_EQ(After(900), Sent{});  // once
            EXPECT_EQ(TheSelection().bFollowing, 1);
            c.back();
            EXPECT_EQ(After(), (Sent{"off", c.region}));
        });
    }
}

// ---------------------------------------------------------------------------
// The pointer over a client area's edges and over the bar

TEST_F(FollowingCasesTest, TheLastClientColumnAndRowSelectAndThePixelsBeyondDoNot) {
    // The target's client area is {104, 124, 496, 396}: right and bottom
    // exclusive.
    struct Case {
        Point at;
        bool selects;
    };
    const Case cases[] = {
        {{105, 125}, true},  {{495, 250}, true},  {{300, 395}, true},  {{495, 395}, true},
        {{496, 250}, false}, {{300, 396}, false}, {{496, 396}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.at.x << "," << c.at.y);
        Run({}, [&](CLvDlg&, HWindow) {
            AddTarget();
            TrayClick();
            Sends();
            Hand({{0, c.at, false, false}});
            desk->RunFor(50);
            EXPECT_EQ(Pointer(), c.selects ? "resource 148" : "resource 147");
            Hand({{0, c.at, true, false}, {100, c.at, false, false}});
            desk->RunFor(400);
            EXPECT_EQ(desk->mouse.injected.size(), c.selects ? 1u : 0u);
            EXPECT_EQ(Sends(), c.selects ? (Sent{"off", "region 104 124 496 396"}) : Sent{});
            EXPECT_EQ(TheSelection().bRegionSent, c.selects ? 1 : 0);
        });
    }
}

TEST_F(FollowingCasesTest, APressOnTheBarsToolBarWhileArmedIsTheBars) {
    Run({}, [&](CLvDlg& bar, HWindow dlg) {
        AddTarget();
        desk->dialogs.Send(dlg, kWmCommand, ID_SHOW_BAR, 0);
        TrayClick();
        Sends();
        // The fake lays the tool bars out in the bar's client area without
        // giving them a place on the screen: put them where that is.
        const Point origin = desk->windows.ClientToScreen(dlg, Point{0, 0});
        for (const fake::FakeToolBar& tb : desk->menus.toolBars) {
            desk->windows.Find(tb.handle)->rect = Rect{origin.x + tb.placed.left, origin.y + tb.placed.top,
                                                       origin.x + tb.placed.right, origin.y + tb.placed.bottom};
        }
        ASSERT_EQ(VisibleToolBars(), std::vector<int>{172});
        const HWindow active = bar.ToolBars()[1];
        const Point onToolBar{origin.x + 30, origin.y + 10};
        ASSERT_EQ(desk->windows.WindowFromPoint(onToolBar), active);

        Hand({{0, {300, 250}, false, false}});
        desk->RunFor(50);
        EXPECT_EQ(Pointer(), "resource 148");
        Hand({{0, onToolBar, false, false}, {30, onToolBar, true, false}, {130, onToolBar, false, false}});
        desk->RunFor(400);
        EXPECT_EQ(Pointer(), kNormalPointer);
        EXPECT_TRUE(desk->mouse.injected.empty());
        EXPECT_EQ(Sends(), Sent{});
        EXPECT_EQ(TheSelection().bDragging, 0);
        EXPECT_EQ(TheSelection().bRegionSent, 0);
        EXPECT_EQ(TimerPeriod(), 10u);  // still armed
        // The target can still be chosen.
        ClickAt(Point{300, 250});
        EXPECT_EQ(After(400), (Sent{"off", "region 104 124 496 396"}));
    });
}

// ---------------------------------------------------------------------------
// The look

TEST_F(FollowingCasesTest, AfterAResumeTheActiveLookIsBack) {
    struct Case {
        const char* name;
        std::function<void(HWindow)> hide;
        std::function<void(HWindow)> bringBack;
        bool mdi;
    };
    HWindow other = HWindow::None;
    const Case cases[] = {
        {"another application in front", [&](HWindow) { AnotherApplicationInFront(); },
         [&](HWindow t) { desk->windows.Activate(t); }, false},
        {"minimised", [&](HWindow t) { desk->windows.Minimise(t); },
         [&](HWindow t) {
             desk->windows.Restore(t);
             desk->windows.Activate(t);
         },
         false},
        {"another MDI document on top", [&](HWindow) { desk->windows.Activate(other); },
         [&](HWindow t) { desk->windows.Activate(t); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Run({}, [&](CLvDlg&, HWindow) {
            HWindow target = HWindow::None;
            const char* region = "region 104 124 496 396";
            if (c.mdi) {
                const Mdi m = BuildMdi(Rect{50, 50, 850, 650}, Rect{100, 120, 500, 420});
                target = m.document;
                other = m.other;
                region = "region 104 144 496 416";
                ArmAndClick(Point{300, 300});
            } else {
                target = AddTarget();
                ArmAndClick(Point{300, 250});
            }
            c.hide(target);
            EXPECT_EQ(After(), Sent{"off"});
            EXPECT_EQ(TheSelection().nState, STATE_SUSPENDED);
            EXPECT_EQ(CLvTrayIcon::MenuState(), STATE_SUSPENDED);
            EXPECT_EQ(TrayImage(), "own 146");
            EXPECT_EQ(VisibleToolBars(), std::vector<int>{174});
            c.bringBack(target);
            EXPECT_EQ(After(), Sent{region});
            EXPECT_EQ(TheSelection().nState, STATE_ACTIVE);
            EXPECT_EQ(CLvTrayIcon::MenuState(), STATE_ACTIVE);
            EXPECT_EQ(TrayImage(), "own 145");
            EXPECT_EQ(VisibleToolBars(), std::vector<int>{172});
        });
    }
}

}  // namespace
}  // namespace lv
