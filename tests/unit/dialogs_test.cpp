// The About box with its link, and the Display adjust dialog, as a user
// meets them on the simulated desktop: opened from the bar, the link's
// colours under the pointer, its launches and their errors, its fitting.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "bar/lv_dlg.h"
#include "dialogs/about_dlg.h"
#include "dialogs/display_adjust_dlg.h"
#include "dialogs/hyper_link.h"
#include "platform/fake/fake_desktop.h"
#include "select/selection_state.h"

namespace lv {
namespace {

using fake::FakeDesktop;

constexpr char kUrl[] = "https://lumivane.example/";
constexpr char kPrefix[] = "Unable to open hyperlink:\n\n";
constexpr Colour kLinkBlue = MakeColour(0, 0, 238);
constexpr Colour kVisitedPurple = MakeColour(85, 26, 139);
constexpr Colour kHighlight = MakeColour(0, 120, 215);  // the simulated desktop's
constexpr char kBrowser[] = "C:\\Browser\\browser.exe";

class DialogsTest : public testing::Test {
protected:
    // Runs the About box; `user` acts while it is up (it has painted).
    void RunAbout(const std::function<void(CAboutDlg&, HWindow)>& user) {
        CAboutDlg about;
        desk.dialogs.modalScript = [&](HWindow dlg) {
            desk.controls.PaintInvalid();
            user(about, dlg);
        };
        about.DoModal();
    }
    // Runs a dialog of one static control (id 1000) of this style, rect
    // and text, with a link attached to it after `before` ran.
    void RunLinkIn(std::uint32_t style, Rect rect, const std::string& text,
                   const std::function<void(CHyperLink&)>& before,
                   const std::function<void(CHyperLink&, HWindow)>& user) {
        desk.dialogs.templates[900] =
            fake::FakeTemplate{Rect{100, 100, 400, 300}, true, {fake::FakeControl{1000, text, rect, "Static", style}}};
        desk.controls.templateFonts[900] = fake::FakeFont{"Test", 9, false, true};  // text 14 high
        struct Host : IDialogHandler {
            CHyperLink link;
            std::function<void(CHyperLink&)> before;
            std::intptr_t OnInitDialog(HWindow dlg) override {
                before(link);
                link.Attach(Dialogs().GetDlgItem(dlg, 1000));
                return 1;
            }
            bool OnMessage(const Message& m, std::intptr_t& result) override {
                return link.OnReflectedMessage(m, result);
            }
        } host;
        host.before = before;
        desk.dialogs.modalScript = [&](HWindow dlg) { user(host.link, dlg); };
        Dialogs().RunModalDialog(900, &host);
    }

    HWindow LinkOf(HWindow dlg) { return desk.dialogs.GetDlgItem(dlg, IDC_VENDOR_LINK); }
    Point Inside(HWindow wnd) {
        const Rect r = desk.windows.GetWindowRect(wnd);
        return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // A point of the dialog below the link.
    Point Below(HWindow wnd) {
        const Rect r = desk.windows.GetWindowRect(wnd);
        return Point{(r.left + r.right) / 2, r.bottom + 5};
    }
    Colour Shown(HWindow wnd) { return desk.controls.State(wnd).shownColour; }
    // A relative control rectangle as the parent's client coordinates give it.
    Rect InParent(HWindow wnd) {
        const Rect r = desk.windows.GetWindowRect(wnd);
        const Rect p = desk.windows.GetWindowRect(desk.windows.GetParent(wnd));
        return Rect{r.left - p.left, r.top - p.top, r.right - p.left, r.bottom - p.top};
    }
    std::string LastBox() { return desk.shell.messageBoxes.empty() ? "" : desk.shell.messageBoxes.back().text; }
    void RegisterBrowser(const std::string& command) {
        desk.launch.SetClassDefault(".htm", "htmlfile");
        desk.launch.SetClassDefault("htmlfile\\shell\\open\\command", command);
        desk.launch.programs.insert(kBrowser);
    }

    FakeDesktop desk{1024, 768};
};

// ---------------------------------------------------------------------------
// Opening

TEST_F(DialogsTest, AboutOpensFromTheMenuCommandAndTheSystemCommandOnly) {
    struct Case {
        std::uint32_t msg;
        std::uintptr_t wParam;
        bool opens;
    };
    const Case cases[] = {
        {kWmCommand, ID_APP_ABOUT, true},
        {kWmSysCommand, 0x10, true},
        {kWmSysCommand, 0x13, true},    // the low four bits are the system's own
        {kWmSysCommand, 0xF060, false},  // SC_CLOSE is the default handling's
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.msg << " " << c.wParam);
        TheSelection() = SelectionState{};
        FakeDesktop d(1024, 768);
        CLvDlg bar;
        d.dialogs.modalScript = [&](HWindow dlg) {
            if (d.windows.Find(dlg)->templateId == IDD_BAR) d.dialogs.Send(dlg, c.msg, c.wParam, 0);
        };
        bar.DoModal();
        EXPECT_EQ(d.windows.WindowsFrom(IDD_ABOUTBOX).size(), c.opens ? 1u : 0u);
        EXPECT_EQ(d.log.Count("message box"), 0);  // no stand-in box any more
    }
}

TEST_F(DialogsTest, AboutBoxIsCentredWithItsLinkUnderlinedNotAndFitted) {
    RunAbout([&](CAboutDlg&, HWindow dlg) {
        const Rect box = desk.windows.GetWindowRect(dlg);
        EXPECT_EQ(box.left, (1024 - box.Width()) / 2);
        EXPECT_EQ(box.top, (768 - box.Height()) / 2);
        const HWindow link = LinkOf(dlg);
        char text[64];
        desk.dialogs.GetWindowText(link, text, sizeof text);
        EXPECT_STREQ(text, kUrl);
        EXPECT_NE(desk.controls.GetStyle(link) & kSsNotify, 0u);
        const fake::FakeFont* font = desk.controls.Font(desk.controls.State(link).shownFont);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->face, "Times New Roman");
        EXPECT_FALSE(font->underline);
        // Centred on the template's 70 units (27..132 here) and as wide as its
        // text, a pixel wider when the difference is odd.
        const Rect r = InParent(link);
        const Point extent = fake::FakeControls::Extent(*font, kUrl);
        EXPECT_EQ(r.Width(), extent.x + std::abs(105 - extent.x) % 2);
        EXPECT_EQ(r.left + r.right, 27 + 132);
        EXPECT_EQ(r.top, 106);
        EXPECT_EQ(r.Height(), extent.y);
        EXPECT_EQ(Shown(link), kLinkBlue);
        EXPECT_TRUE(desk.controls.State(link).shownTransparent);
        // The dialog's background is painted under the text each time.
        EXPECT_EQ(desk.controls.State(link).shownBrush, fake::FakeControls::kSysColourBrushes + 15);
    });
}

TEST_F(DialogsTest, ClosingTheBoxLetsGoOfItsFontTooltipAndCursorCopy) {
    desk.controls.modules["C:\\WINDOWS\\winhlp32.exe"][106] = "help hand";
    HWindow tip = HWindow::None;
    RunAbout([&](CAboutDlg& about, HWindow) {
        EXPECT_EQ(desk.controls.LiveFonts(), 1);
        EXPECT_EQ(desk.cursors.LiveOwnedHandles(), 1);
        for (HWindow h : desk.windows.Descendants(desk.windows.GetParent(about.Link().Window()))) {
            if (desk.windows.Find(h)->className == "tooltips_class32") tip = h;
        }
    });
    EXPECT_EQ(desk.controls.LiveFonts(), 0);
    EXPECT_EQ(desk.cursors.LiveOwnedHandles(), 0);
    EXPECT_EQ(desk.cursors.badReleases, 0);
    ASSERT_NE(desk.controls.Tooltip(tip), nullptr);
    EXPECT_TRUE(desk.controls.Tooltip(tip)->destroyed);
}

// ---------------------------------------------------------------------------
// Colours under the pointer

TEST_F(DialogsTest, HoverPaintsOverVisitedAndLeavingPaintsVisitedAgain) {
    RunAbout([&](CAboutDlg& about, HWindow dlg) {
        const HWindow link = LinkOf(dlg);
        about.Link().SetVisited(true);
        desk.controls.PaintInvalid();
        EXPECT_EQ(Shown(link), kVisitedPurple);

        desk.controls.MoveMouse(Inside(link));
        EXPECT_EQ(Shown(link), kHighlight);
        EXPECT_EQ(desk.controls.capture, link);
        // Held by the capture, the move below the link still reaches it.
        desk.controls.MoveMouse(Below(link));
        EXPECT_EQ(Shown(link), kVisitedPurple);
        EXPECT_EQ(desk.controls.capture, HWindow::None);

        about.Link().SetVisited(false);
        desk.controls.PaintInvalid();
        EXPECT_EQ(Shown(link), kLinkBlue);
        desk.controls.MoveMouse(Inside(link));
        EXPECT_EQ(Shown(link), kHighlight);
        // However often the pointer comes and goes, each repaint draws the
        // text on its background, never over the text before it.
        for (int i = 0; i < 5; ++i) {
            desk.controls.MoveMouse(Below(link));
            desk.controls.MoveMouse(Inside(link));
        }
        EXPECT_GT(desk.controls.State(link).paints, 10);
        EXPECT_EQ(desk.controls.State(link).textLayers, 1);
    });
}

TEST_F(DialogsTest, EnteringRepaintsAtOnceAndTakesTheCaptureAfterTheDefaultHandling) {
    RunAbout([&](CAboutDlg&, HWindow dlg) {
        const HWindow link = LinkOf(dlg);
        const int paints = desk.controls.State(link).paints;
        const int from = int(desk.log.Entries().size());
        desk.controls.MoveMouse(Inside(link));
        EXPECT_EQ(desk.controls.State(link).paints, paints + 1);
        // The tooltip sees the move before the control handles it.
        const int relay = desk.log.Find("tooltip relay 512", from);
        const int paint = desk.log.Find("paint control 1000", from);
        const int capture = desk.log.Find("capture set", from);
        ASSERT_GE(relay, 0);
        EXPECT_LT(relay, paint);
        EXPECT_LT(paint, capture);
        // A second move inside changes nothing.
        desk.controls.MoveMouse(Point{Inside(link).x + 1, Inside(link).y});
        EXPECT_EQ(desk.controls.State(link).paints, paints + 1);
        EXPECT_EQ(desk.log.Count("capture set"), 1);
    });
}

TEST_F(DialogsTest, ACaptureLostFromOutsideEndsTheHover) {
    RunAbout([&](CAboutDlg&, HWindow dlg) {
        const HWindow link = LinkOf(dlg);
        desk.controls.MoveMouse(Inside(link));
        EXPECT_EQ(Shown(link), kHighlight);
        // The system cancels the capture (a message box disables the box).
        desk.controls.ReleaseCapture();
        EXPECT_EQ(Shown(link), kLinkBlue);
        // Back over the link, it is entered afresh.
        desk.controls.MoveMouse(Point{Inside(link).x + 1, Inside(link).y});
        EXPECT_EQ(Shown(link), kHighlight);
        EXPECT_EQ(desk.controls.capture, link);
        // Its own release on leaving repaints once.
        const int paints = desk.controls.State(link).paints;
        desk.controls.MoveMouse(Below(link));
        EXPECT_EQ(desk.controls.State(link).paints, paints + 1);
        EXPECT_EQ(Shown(link), kLinkBlue);
    });
}

TEST_F(DialogsTest, TooltipHoldsTheAddressOverTheFittedControlAndSeesOnlyItsMessages) {
    RunAbout([&](CAboutDlg&, HWindow dlg) {
        const HWindow link = LinkOf(dlg);
        HWindow tip = HWindow::None;
        for (HWindow h : desk.windows.Descendants(dlg)) {
            if (desk.windows.Find(h)->className == "tooltips_class32") tip = h;
        }
        const fake::FakeTooltip* t = desk.controls.Tooltip(tip);
        ASSERT_NE(t, nullptr);
        ASSERT_EQ(t->tools.size(), 1u);
        EXPECT_EQ(t->tools[0].owner, link);
        EXPECT_EQ(t->tools[0].id, 1u);
        EXPECT_EQ(t->tools[0].text, kUrl);
        EXPECT_EQ(t->tools[0].area, desk.windows.GetClientRect(link));
        // A move over the box elsewhere is not the link's.
        desk.controls.MoveMouse(Point{desk.windows.GetWindowRect(dlg).left + 5, desk.windows.GetWindowRect(dlg).top + 5});
        EXPECT_TRUE(t->relayed.empty());
        desk.controls.MoveMouse(Inside(link));
        ASSERT_EQ(t->relayed.size(), 1u);
        EXPECT_EQ(t->relayed[0].hwnd, link);
    });
}

TEST_F(DialogsTest, SetLinkColorsTakesTheSystemHighlightForMinusOne) {
    RunAbout([&](CAboutDlg& about, HWindow dlg) {
        desk.controls.sysColours[kColorHighlight] = MakeColour(200, 10, 10);
        about.Link().SetLinkColors(MakeColour(1, 2, 3), MakeColour(4, 5, 6), Colour(-1));
        EXPECT_EQ(about.Link().GetHoverColor(), MakeColour(200, 10, 10));
        EXPECT_EQ(about.Link().GetLinkColor(), MakeColour(1, 2, 3));
        desk.controls.PaintInvalid();
        EXPECT_EQ(Shown(LinkOf(dlg)), MakeColour(1, 2, 3));
        about.Link().SetLinkColors(MakeColour(1, 2, 3), MakeColour(4, 5, 6), MakeColour(7, 8, 9));
        desk.controls.MoveMouse(Inside(LinkOf(dlg)));
        EXPECT_EQ(Shown(LinkOf(dlg)), MakeColour(7, 8, 9));
    });
}

// ---------------------------------------------------------------------------
// The pointer's shape

TEST_F(DialogsTest, HandPointerFromTheHelpViewerOrElseTheSystemHand) {
    struct Case {
        const char* module;  // null: no such file
        int resource;
        bool longWindowsDir;
        const char* shown;
    };
    const Case cases[] = {
        {"C:\\WINDOWS\\winhlp32.exe", 106, false, "help hand"},
        {"C:\\WINDOWS\\winhlp32.exe", 107, false, "standard 32649"},
        {nullptr, 0, false, "standard 32649"},
        {"C:\\WINDOWS\\winhlp32.exe", 106, true, "standard 32649"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.module ? c.module : "none") << " " << c.resource);
        FakeDesktop d(1024, 768);
        if (c.module != nullptr) d.controls.modules[c.module][c.resource] = "help hand";
        if (c.longWindowsDir) d.registry.windowsDirectory = "C:\\" + std::string(250, 'w');
        CAboutDlg about;
        d.dialogs.modalScript = [&](HWindow dlg) {
            const HWindow link = d.dialogs.GetDlgItem(dlg, IDC_VENDOR_LINK);
            const Rect r = d.windows.GetWindowRect(link);
            d.controls.MoveMouse(Point{r.left + 1, r.top + 1});
            EXPECT_EQ(d.cursors.ImageOf(d.mouse.currentCursor), c.shown);
            EXPECT_EQ(d.controls.liveModules, 0);
        };
        about.DoModal();
    }
}

TEST_F(DialogsTest, WithoutALinkCursorThePointerStaysAsItWas) {
    desk.cursors.shown.erase(kIdcHand);  // an old system without a hand
    RunAbout([&](CAboutDlg& about, HWindow dlg) {
        EXPECT_EQ(about.Link().GetLinkCursor(), HCursor::None);
        const HCursor before = desk.mouse.currentCursor;
        const int sets = desk.mouse.cursorSets;
        desk.controls.MoveMouse(Inside(LinkOf(dlg)));
        EXPECT_EQ(desk.mouse.currentCursor, before);
        EXPECT_EQ(desk.mouse.cursorSets, sets);
    });
}

// ---------------------------------------------------------------------------
// Launching

TEST_F(DialogsTest, ASuccessfulLaunchOpensTheAddressAndPaintsVisited) {
    RunAbout([&](CAboutDlg& about, HWindow dlg) {
        const HWindow link = LinkOf(dlg);
        desk.controls.Click(Inside(link));
        ASSERT_EQ(desk.launch.shellOpens.size(), 1u);
        EXPECT_EQ(desk.launch.shellOpens[0].what, kUrl);
        EXPECT_EQ(desk.launch.shellOpens[0].showCommand, 5);
        EXPECT_TRUE(about.Link().IsVisited());
        EXPECT_TRUE(desk.launch.beeps.empty());
        EXPECT_TRUE(desk.shell.messageBoxes.empty());
        desk.controls.MoveMouse(Below(link));
        EXPECT_EQ(Shown(link), kVisitedPurple);
    });
}

TEST_F(DialogsTest, ShellAnswerTwoWithoutHtmBeepsOnceAndShowsTheFileText) {
    desk.launch.shellAnswer = 2;
    RunAbout([&](CAboutDlg& about, HWindow dlg) {
        about.Link().SetVisited(true);
        desk.controls.Click(Inside(LinkOf(dlg)));
        ASSERT_EQ(desk.launch.beeps.size(), 1u);
        EXPECT_EQ(desk.launch.beeps[0], 0x30u);
        ASSERT_EQ(desk.shell.messageBoxes.size(), 1u);
        EXPECT_EQ(desk.shell.messageBoxes[0].text, std::string(kPrefix) + "The specified file was not found.");
        EXPECT_EQ(desk.shell.messageBoxes[0].flags, 0x30u);
        EXPECT_FALSE(about.Link().IsVisited());
        EXPECT_TRUE(desk.launch.winExecs.empty());
        // The beep comes before the box.
        EXPECT_LT(desk.log.Find("beep"), desk.log.Find("message box"));
    });
}

TEST_F(DialogsTest, EachLaunchCodeHasItsText) {
    struct Case {
        std::intptr_t code;
        const char* text;
    };
    const Case cases[] = {
        {0, "The operating system is out\nof memory or resources."},
        {26, "A sharing violation occurred. "},
        {7, "Unknown Error (7) occurred."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
        {-5, "Unknown Error (-5) occurred."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        desk.shell.messageBoxes.clear();
        desk.launch.shellAnswer = c.code;
        RunAbout([&](CAboutDlg& about, HWindow dlg) {
            desk.controls.Click(Inside(LinkOf(dlg)));
            EXPECT_FALSE(about.Link().IsVisited());
        });
        EXPECT_EQ(LastBox(), std::string(kPrefix) + c.text);
    }
}

TEST_F(DialogsTest, FallbackCutsTheRegisteredCommandAtItsPlaceholder) {
    struct Case {
        std::string registered;
        std::string started;
    };
    const std::string b = std::string("\"") + kBrowser + "\"";
    const Case cases[] = {
        {b + " \"%1\"", b + "  " + kUrl},            // the text before the quote stays, blank and all
        {b + " %1 -new", b + "  " + kUrl},           // a bare placeholder
        {b + " -nohome", b + " -nohome " + kUrl},    // none: the address goes at the end
        {b + " \"%1\" %1", b + "  " + kUrl},          // the quoted one is looked for first
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.registered);
        desk.launch.winExecs.clear();
        desk.launch.shellAnswer = 31;
        RegisterBrowser(c.registered);
        RunAbout([&](CAboutDlg& about, HWindow dlg) {
            desk.controls.Click(Inside(LinkOf(dlg)));
            ASSERT_EQ(desk.launch.winExecs.size(), 1u);
            EXPECT_EQ(desk.launch.winExecs[0].what, c.started);
            EXPECT_EQ(desk.launch.winExecs[0].showCommand, 5);
            EXPECT_TRUE(about.Link().IsVisited());
        });
        EXPECT_EQ(desk.launch.openKeys, 0);
    }
}

TEST_F(DialogsTest, FallbackAnswersAreSuccessOnlyAbove32) {
    struct Case {
        std::uint32_t answer;
        bool visited;
        const char* box;
    };
    const Case cases[] = {
        {33, true, ""},
        {32, false, "The specified dynamic-link library was not found."},
        {11, false, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        desk.shell.messageBoxes.clear();
        desk.launch.shellAnswer = 2;
        desk.launch.winExecAnswer = c.answer;
        RegisterBrowser(std::string(kBrowser) + " %1");
        RunAbout([&](CAboutDlg& about, HWindow dlg) {
            desk.controls.Click(Inside(LinkOf(dlg)));
            EXPECT_EQ(about.Link().IsVisited(), c.visited);
        });
        EXPECT_EQ(LastBox(), *c.box ? std::string(kPrefix) + c.box : std::string());
    }
}

TEST_F(DialogsTest, WhatDoesNotFitTheCommandIsRefusedNotCut) {
    const std::string tooLong = "C:\\" + std::string(300, 'b') + ".exe %1";
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::string url;
    };
    const Case cases[] = {
        {"registered command over 259 characters", [&] { RegisterBrowser(tooLong); }, kUrl},
        {"file type name over 259 characters",
         [&] {
             RegisterBrowser(std::string(kBrowser) + " %1");
             desk.launch.SetClassDefault(".htm", std::string(300, 'h'));
         },
         kUrl},
        {"260 bytes with no terminator",
         [&] { RegisterBrowser(std::string(kBrowser) + " %1"), desk.launch.SetClassDefault(
                                                                     "htmlfile\\shell\\open\\command",
                                                                     std::string(kBrowser) + std::string(260 - 22, ' '), false); },
         kUrl},
        {"address that leaves no room", [&] { RegisterBrowser(std::string(kBrowser) + " %1"); },
         "https://lumivane.example/" + std::string(500, 'u')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        desk.launch.winExecs.clear();
        desk.shell.messageBoxes.clear();
        desk.launch.shellAnswer = 2;
        c.arrange();
        RunAbout([&](CAboutDlg& about, HWindow dlg) {
            about.Link().SetUrl(c.url.c_str());
            desk.controls.Click(Inside(LinkOf(dlg)));
            EXPECT_FALSE(about.Link().IsVisited());
        });
        EXPECT_TRUE(desk.launch.winExecs.empty());
        EXPECT_EQ(LastBox(), std::string(kPrefix) +
                                 "The address, or the program registered\nto open it, is too long to start.");
    }
}

TEST_F(DialogsTest, UnterminatedShortValueAndUnreadableDefaults) {
    // A value stored without its terminator is read as it is.
    desk.launch.shellAnswer = 2;
    RegisterBrowser("");
    desk.launch.SetClassDefault("htmlfile\\shell\\open\\command", std::string(kBrowser) + " %1", false);
    RunAbout([&](CAboutDlg&, HWindow dlg) { desk.controls.Click(Inside(LinkOf(dlg))); });
    ASSERT_EQ(desk.launch.winExecs.size(), 1u);
    EXPECT_EQ(desk.launch.winExecs[0].what, std::string(kBrowser) + "  " + kUrl);

    // A command key whose value is no text: an empty command, which starts
    // nothing, and WinExec's answer is the one shown.
    desk.launch.winExecs.clear();
    desk.launch.classes["htmlfile\\shell\\open\\command"].type = 4;  // REG_DWORD
    RunAbout([&](CAboutDlg& about, HWindow dlg) {
        desk.controls.Click(Inside(LinkOf(dlg)));
        EXPECT_FALSE(about.Link().IsVisited());
    });
    ASSERT_EQ(desk.launch.winExecs.size(), 1u);
    EXPECT_EQ(desk.launch.winExecs[0].what, std::string(" ") + kUrl);
    EXPECT_EQ(LastBox(), std::string(kPrefix) + "The specified file was not found.");

    // An ".htm" key with no type name leads nowhere: the shell's code.
    desk.launch.winExecs.clear();
    desk.launch.shellAnswer = 31;
    desk.launch.AddClassKey(".htm");
    RunAbout([&](CAboutDlg&, HWindow dlg) { desk.controls.Click(Inside(LinkOf(dlg))); });
    EXPECT_TRUE(desk.launch.winExecs.empty());
    EXPECT_EQ(LastBox(), std::string(kPrefix) +
                             "There is no application associated\nwith the given filename extension.");
    EXPECT_EQ(desk.launch.openKeys, 0);
}

TEST_F(DialogsTest, AFailedLaunchClearsVisitedWithoutRepainting) {
    desk.launch.shellAnswer = 5;
    RunAbout([&](CAboutDlg& about, HWindow dlg) {
        const HWindow link = LinkOf(dlg);
        about.Link().SetVisited(true);
        desk.controls.Click(Inside(link));
        desk.controls.MoveMouse(Below(link));  // leaving repaints: now in the link colour
        EXPECT_EQ(Shown(link), kLinkBlue);
        const int paints = desk.controls.State(link).paints;
        desk.controls.Click(Inside(link));
        // The hover repaint on entering, and none for the failure.
        EXPECT_EQ(desk.controls.State(link).paints, paints + 1);
    });
}

// ---------------------------------------------------------------------------
// Fitting and attaching

TEST_F(DialogsTest, FitToTextKeepsTheEdgeOrCentreItsAlignmentSays) {
    // "abcdefg..." is 41 pixels wide and 14 high in the simulated face.
    struct Case {
        std::uint32_t style;
        Rect rect;
        Rect expected;
    };
    const Rect wide{10, 20, 80, 50};  // 70 x 30
    const Case cases[] = {
        {kSsCenter, wide, Rect{24, 20, 66, 34}},                   // each side in by 14: 42 wide
        {kSsRight, wide, Rect{39, 20, 80, 34}},                    // the right edge stays
        {0, wide, Rect{10, 20, 51, 34}},                           // the left edge stays
        {kSsCenter | kSsCenterImage, wide, Rect{24, 28, 66, 42}},  // 30 - 14 = 16: 8 each way
        {kSsRight | kSsCenterImage, wide, Rect{39, 28, 80, 42}},
        // Growing to a text wider (and taller) than the control by an odd
        // difference: out by 6 each side, never a pixel short of the text.
        {kSsCenter | kSsCenterImage, Rect{40, 20, 70, 31}, Rect{34, 18, 76, 33}},
        {kSsRight, Rect{40, 20, 70, 31}, Rect{29, 20, 70, 34}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.style << " " << c.rect.Width());
        RunLinkIn(c.style, c.rect, "abcdefg...", [](CHyperLink&) {},
                  [&](CHyperLink& link, HWindow) { EXPECT_EQ(InParent(link.Window()), c.expected); });
    }
}

TEST_F(DialogsTest, FitToTextOffBeforeAttachingKeepsTheTemplateSize) {
    const Rect rect{10, 20, 80, 50};
    RunLinkIn(kSsCenter, rect, "abcdefg...", [](CHyperLink& link) { link.SetFitToText(false); },
              [&](CHyperLink& link, HWindow) {
                  EXPECT_EQ(InParent(link.Window()), rect);
                  link.SetFitToText(true);
                  EXPECT_EQ(InParent(link.Window()), (Rect{24, 20, 66, 34}));
              });
}

TEST_F(DialogsTest, AnEmptyAddressTakesTheTextAndAnEmptyTextTheAddress) {
    RunLinkIn(0, Rect{0, 0, 100, 20}, "abc", [](CHyperLink&) {}, [&](CHyperLink& link, HWindow dlg) {
        EXPECT_EQ(link.GetUrl(), "abc");
        HWindow tip = HWindow::None;
        for (HWindow h : desk.windows.Descendants(dlg)) {
            if (desk.windows.Find(h)->className == "tooltips_class32") tip = h;
        }
        ASSERT_NE(desk.controls.Tooltip(tip), nullptr);
        EXPECT_EQ(desk.controls.Tooltip(tip)->tools.at(0).text, "abc");
        link.SetUrl("https://other.example/");
        EXPECT_EQ(desk.controls.Tooltip(tip)->tools.at(0).text, "https://other.example/");
    });
    RunLinkIn(0, Rect{0, 0, 100, 20}, "", [](CHyperLink& link) { link.SetUrl("abc"); },
              [&](CHyperLink& link, HWindow) {
                  char text[16];
                  desk.dialogs.GetWindowText(link.Window(), text, sizeof text);
                  EXPECT_STREQ(text, "abc");
                  EXPECT_EQ(InParent(link.Window()).Width(), 5 * 3);
              });
}

TEST_F(DialogsTest, UnderlineFollowsItsFlagAndTheOldFontGoes) {
    RunLinkIn(0, Rect{0, 0, 100, 20}, "abc", [](CHyperLink&) {}, [&](CHyperLink& link, HWindow) {
        const HFont first = desk.controls.State(link.Window()).font;
        ASSERT_NE(desk.controls.Font(first), nullptr);
        EXPECT_TRUE(desk.controls.Font(first)->underline);  // a link is underlined unless told
        link.SetUnderline(false);
        const HFont second = desk.controls.State(link.Window()).font;
        EXPECT_EQ(desk.controls.Font(first), nullptr);
        ASSERT_NE(desk.controls.Font(second), nullptr);
        EXPECT_FALSE(desk.controls.Font(second)->underline);
        EXPECT_EQ(desk.controls.LiveFonts(), 1);
    });
}

// ---------------------------------------------------------------------------
// Display adjust

TEST_F(DialogsTest, SettingOpensDisplayAdjustCentredAndChangesNothing) {
    TheSelection() = SelectionState{};
    CLvDlg bar;
    int opened = 0;
    std::size_t frames = 0;
    int sends = 0;
    desk.dialogs.modalScript = [&](HWindow dlg) {
        const int templateId = desk.windows.Find(dlg)->templateId;
        if (templateId == IDD_BAR) {
            desk.dialogs.Send(dlg, kWmCommand, ID_SHOW_BAR, 0);  // wherever the bar is
            frames = desk.screen.frames.size();
            sends = desk.log.Count("trace lumivane: send");
            desk.dialogs.Send(dlg, kWmCommand, ID_SETTING, 0);
            desk.dialogs.Send(dlg, kWmCommand, ID_SETTING, 0);
            // Before the bar is closed: its close runs Exit, which sends.
            EXPECT_EQ(desk.screen.frames.size(), frames);
            EXPECT_EQ(desk.log.Count("trace lumivane: send"), sends);
            return;
        }
        ASSERT_EQ(templateId, IDD_DISPLAY_ADJUST);
        ++opened;
        const Rect box = desk.windows.GetWindowRect(dlg);
        EXPECT_EQ(box, (Rect{(1024 - 374) / 2, (768 - 316) / 2, (1024 - 374) / 2 + 374, (768 - 316) / 2 + 316}));
        for (int id : {IDC_BRIGHTNESS, IDC_CONTRAST, IDC_SHARPNESS}) {
            const HWindow slider = desk.dialogs.GetDlgItem(dlg, id);
            char name[64];
            desk.windows.GetClassName(slider, name, sizeof name);
            EXPECT_STREQ(name, "msctls_trackbar32");
            const fake::FakeControlState& s = desk.controls.State(slider);
            EXPECT_EQ(s.minimum, 0);
            EXPECT_EQ(s.maximum, 100);
            EXPECT_EQ(s.position, 50) << "opening " << opened;
            desk.controls.MoveSlider(slider, 80);
        }
        // OK the first time, Cancel the second.
        desk.dialogs.EndDialog(dlg, opened == 1 ? kIdOk : kIdCancel);
    };
    bar.DoModal();
    EXPECT_EQ(opened, 2);
}

}  // namespace
}  // namespace lv
