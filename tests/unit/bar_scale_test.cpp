// The bar at every scale: its size, its tool bars' pictures and buttons, its
// logo and its move zone follow the DPI of its monitor, at start-up and
// when the DPI changes, and 96 DPI is the bar as it always was.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "bar/bar_scale.h"
#include "app/cov_dlg.h"
#include "bar/lv_dlg.h"
#include "dialogs/about_dlg.h"
#include "link/screen_link.h"
#include "monitor/row_decoder.h"
#include "platform/fake/fake_desktop.h"
#include "select/selection_state.h"
#include "tests/unit/bar_on_desktop.h"

namespace lv {
namespace {

using fake::FakeDesktop;

struct ScaleCase {
    std::uint32_t dpi;
    Rect bar;             // shown, at the top centre of a 1024-wide screen
    int artStep;          // the pictures' resource ids: base + 1000 * step
    Point image;          // a tool bar picture
    Point button;         // a tool bar button
    std::int32_t strip;   // the tool bars' width
    Rect logo;            // in the bar's client area
    std::int32_t zone;    // the move cursor's zone at the right edge
};
const ScaleCase kScales[] = {
    {96, {462, 0, 557, 24}, 0, {17, 15}, {24, 22}, 72, {70, 0, 94, 18}, 24},
    {110, {455, 0, 564, 28}, 0, {17, 15}, {28, 25}, 83, {80, 0, 108, 21}, 28},  // 115 %: the 100 % pictures
    {120, {449, 0, 568, 30}, 1, {21, 19}, {30, 28}, 90, {88, 0, 118, 23}, 30},
    {144, {437, 0, 580, 36}, 2, {26, 23}, {36, 33}, 108, {105, 0, 141, 27}, 36},
    {168, {424, 0, 590, 42}, 3, {30, 26}, {42, 39}, 126, {123, 0, 165, 32}, 42},
    {192, {412, 0, 602, 48}, 4, {34, 30}, {48, 44}, 144, {140, 0, 188, 36}, 48},
    {240, {387, 0, 625, 60}, 5, {43, 38}, {60, 55}, 180, {175, 0, 235, 45}, 60},
    {288, {362, 0, 647, 72}, 6, {51, 45}, {72, 66}, 216, {210, 0, 282, 54}, 72},
};

class BarScaleTest : public BarOnDesktopTest {
public:
    void ExpectScale(CLvDlg& bar, HWindow dlg, const ScaleCase& c) {
        // Shown, the bar's size at that scale at the top centre.
        desk->dialogs.Send(dlg, kWmCommand, ID_SHOW_BAR, 0);
        EXPECT_EQ(desk->windows.GetWindowRect(dlg), c.bar);
        // Its tool bars: the pictures drawn for the scale, their buttons.
        const int bases[3] = {165, 172, 174};
        for (int i = 0; i < 3; ++i) {
            const fake::FakeToolBar* tb = desk->menus.FindToolBar(bar.ToolBars()[i]);
            ASSERT_NE(tb, nullptr);
            EXPECT_EQ(tb->bitmapId, bases[i] + 1000 * c.artStep) << i;
            EXPECT_EQ(tb->image, c.image) << i;
            EXPECT_EQ(tb->button, c.button) << i;
        }
        // The one shown fills the strip's width, one row of buttons high.
        const fake::FakeToolBar* idle = desk->menus.FindToolBar(bar.ToolBars()[0]);
        EXPECT_EQ(idle->placed, (Rect{0, 0, c.strip, c.button.y}));
        // The logo's picture drawn for the scale, at its place; at 96 DPI
        // the template's own.
        const HWindow logo = desk->dialogs.GetDlgItem(dlg, 1020);
        ASSERT_FALSE(IsNone(logo));
        if (c.dpi == 96) {
            EXPECT_EQ(desk->dialogs.staticBitmaps.count(logo), 0u);
        } else {
            EXPECT_EQ(desk->dialogs.staticBitmaps[logo].name, "#" + std::to_string(177 + 1000 * c.artStep));
        }
        const Rect onScreen = desk->windows.GetWindowRect(logo);
        const Point origin = desk->windows.ClientToScreen(dlg, Point{0, 0});
        EXPECT_EQ((Rect{onScreen.left - origin.x, onScreen.top - origin.y, onScreen.right - origin.x,
                        onScreen.bottom - origin.y}),
                  c.logo);
        // The move cursor from the zone's first column on.
        desk->mouse.cursorPos = Point{c.bar.right - c.zone, 10};
        const int sets = desk->mouse.cursorSets;
        desk->dialogs.Send(dlg, kWmSetCursor, 0, 0);
        EXPECT_EQ(desk->mouse.cursorSets, sets);
        desk->mouse.cursorPos = Point{c.bar.right - c.zone + 1, 10};
        desk->dialogs.Send(dlg, kWmSetCursor, 0, 0);
        EXPECT_EQ(desk->mouse.cursorSets, sets + 1);
        EXPECT_EQ(desk->cursors.SizeOf(desk->mouse.currentCursor), std::int32_t((32 * c.dpi + 48) / 96));
        // Hidden, 0 x 0 at the same place.
        desk->dialogs.Send(dlg, kWmCommand, ID_HIDE_BAR, 0);
        EXPECT_EQ(desk->windows.GetWindowRect(dlg), (Rect{c.bar.left, 0, c.bar.left, 0}));
    }
};

TEST_F(BarScaleTest, TheBarTakesTheScaleOfItsMonitorAtStartUp) {
    for (const ScaleCase& c : kScales) {
        SCOPED_TRACE(c.dpi);
        Run([&](FakeDesktop& d) { d.screen.primaryDpi = c.dpi; },
            [&](CLvDlg& bar, HWindow dlg) {
                EXPECT_EQ(bar.Scale().Dpi(), c.dpi);
                ExpectScale(bar, dlg, c);
            });
    }
}

TEST_F(BarScaleTest, ADpiChangeLaysTheBarOutAgainWithTheStatesToolBar) {
    for (const ScaleCase& c : kScales) {
        SCOPED_TRACE(c.dpi);
        Run({}, [&](CLvDlg& bar, HWindow dlg) {
            desk->dialogs.Send(dlg, kWmCommand, ID_SHOW_BAR, 0);
            // The move cursor in use at 96 DPI.
            desk->mouse.cursorPos = Point{556, 10};
            desk->dialogs.Send(dlg, kWmSetCursor, 0, 0);
            ASSERT_EQ(desk->cursors.SizeOf(desk->mouse.currentCursor), 32);
            TrayClick();  // armed: the active look's tool bar
            const std::vector<HWindow> before(bar.ToolBars(), bar.ToolBars() + 3);
            desk->screen.primaryDpi = c.dpi;
            desk->dialogs.Send(dlg, kWmDpiChanged, (c.dpi << 16) | c.dpi, 0);
            EXPECT_EQ(bar.Scale().Dpi(), c.dpi);
            // Shown, at the new size, without taking the foreground.
            EXPECT_EQ(desk->windows.GetWindowRect(dlg), c.bar);
            if (c.dpi != 96) {
                // New tool bars, the old ones gone; the active one alone shown.
                for (int i = 0; i < 3; ++i) {
                    EXPECT_FALSE(desk->windows.IsWindow(before[std::size_t(i)])) << i;
                    EXPECT_EQ(desk->windows.IsWindowVisible(bar.ToolBars()[i]), i == 1) << i;
                }
                const fake::FakeToolBar* active = desk->menus.FindToolBar(bar.ToolBars()[1]);
                ASSERT_NE(active, nullptr);
                EXPECT_EQ(active->placed, (Rect{0, 0, c.strip, c.button.y}));
            }
            TrayClick();  // back to idle: the idle tool bar at the new scale
            ExpectScale(bar, dlg, c);
        });
    }
}

// The tray shows each look's icon at the small-icon size of the scale, drawn
// for it: 16 x 16 at 96 DPI, 24 x 24 at 144.
TEST_F(BarScaleTest, TheTrayIconIsTheSmallIconOfTheScaleThroughChanges) {
    struct Case {
        std::uint32_t dpi;
        int size;
    };
    const Case cases[] = {{96, 16}, {120, 20}, {144, 24}, {192, 32}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        Run([&](FakeDesktop& d) { d.screen.primaryDpi = c.dpi; },
            [&](CLvDlg&, HWindow dlg) {
                auto shown = [&] {
                    const auto* icon = desk->shell.Icon(128);
                    return icon == nullptr ? std::string("none")
                                           : desk->shell.NameOf(icon->hIcon) + " @" +
                                                 std::to_string(desk->shell.SizeOf(icon->hIcon));
                };
                const std::string at = " @" + std::to_string(c.size);
                EXPECT_EQ(shown(), "own 128" + at);
                TrayClick();
                EXPECT_EQ(shown(), "own 145" + at);
                // The scaling changes to 200 %: the same look, the new size.
                desk->screen.primaryDpi = 192;
                desk->dialogs.Send(dlg, kWmDpiChanged, (192 << 16) | 192, 0);
                EXPECT_EQ(shown(), "own 145 @32");
                // Explorer restarts after the scaling went back: the icon
                // comes back at the scale of now.
                desk->screen.primaryDpi = c.dpi;
                desk->shell.RestartTaskbar();
                desk->dialogs.Pump();
                EXPECT_EQ(shown(), "own 145" + at);
            });
    }
}

// At start-up the idle icon is sent again every second; a DPI change keeps
// that going at the new size.
TEST_F(BarScaleTest, TheStartUpIconKeepsItsResendThroughADpiChange) {
    Run({}, [&](CLvDlg& bar, HWindow dlg) {
        ASSERT_TRUE(bar.TrayIcon().IsAnimated());
        desk->screen.primaryDpi = 144;
        desk->dialogs.Send(dlg, kWmDpiChanged, (144 << 16) | 144, 0);
        EXPECT_TRUE(bar.TrayIcon().IsAnimated());
        const std::size_t before = desk->shell.calls.size();
        desk->RunFor(2100);
        std::size_t resends = 0;
        for (std::size_t i = before; i < desk->shell.calls.size(); ++i) {
            EXPECT_EQ(desk->shell.SizeOf(desk->shell.calls[i].data.hIcon), 24);
            ++resends;
        }
        EXPECT_GE(resends, 2u);
    });
}

// The splash and the About box's logo come drawn at 1x and 2x: at 96 DPI
// the 1x picture as it is, above it the 2x one at the monitor's scale.
TEST(ScaledPictures, TheSplashAndTheAboutLogoAtTheScaleOfTheirMonitor) {
    struct Case {
        std::uint32_t dpi;
        Point splash;
        const char* splashPicture;
        Point logo;
        const char* logoPicture;  // "" where the template's own stays
    };
    const Case cases[] = {
        {96, {400, 273}, "COVU", {0, 0}, ""},
        {120, {500, 341}, "COVU2X", {180, 103}, "#4178"},
        {144, {600, 410}, "COVU2X", {216, 123}, "#4178"},
        {192, {800, 546}, "COVU2X", {288, 164}, "#4178"},
        {288, {1200, 819}, "COVU2X", {432, 246}, "#4178"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        FakeDesktop desk(1920, 1200);
        desk.screen.primaryDpi = c.dpi;
        // The splash: its picture, and the window sized to it, centred.
        CCovDlg splash;
        ASSERT_TRUE(splash.Create());
        const auto splashes = desk.windows.WindowsFrom(130);
        ASSERT_EQ(splashes.size(), 1u);
        EXPECT_EQ(splashes[0]->rect.Width(), c.splash.x);
        EXPECT_EQ(splashes[0]->rect.Height(), c.splash.y);
        EXPECT_EQ(splashes[0]->rect.left, (1920 - c.splash.x) / 2);
        const HWindow button = desk.dialogs.GetDlgItem(splashes[0]->handle, 5000);
        EXPECT_EQ(desk.dialogs.NameOf(desk.windows.Find(button)->pictures[0]), c.splashPicture);
        // The 1x picture measured for the 2x one is let go.
        EXPECT_EQ(desk.dialogs.deletedBitmaps, c.dpi == 96 ? 0 : 1);
        splash.DestroyWindow();
        // The About box's logo.
        CAboutDlg about;
        desk.dialogs.modalScript = [&](HWindow dlg) {
            const HWindow logo = desk.dialogs.GetDlgItem(dlg, 1021);
            ASSERT_FALSE(IsNone(logo));
            if (c.logoPicture[0] == '\0') {
                EXPECT_EQ(desk.dialogs.staticBitmaps.count(logo), 0u);
                return;
            }
            ASSERT_EQ(desk.dialogs.staticBitmaps.count(logo), 1u);
            EXPECT_EQ(desk.dialogs.staticBitmaps[logo].name, c.logoPicture);
            EXPECT_EQ(desk.dialogs.staticBitmaps[logo].size, c.logo);
        };
        about.DoModal();
    }
}

TEST(BarScale, MeasuresAndPicturesAtEachDpi) {
    struct Case {
        std::uint32_t dpi;
        std::int32_t of95;
        int art177;
    };
    const Case cases[] = {
        {96, 95, 177},   {97, 96, 177},    {119, 118, 177},  {120, 119, 1177}, {143, 142, 1177},
        {144, 143, 2177}, {192, 190, 4177}, {239, 237, 4177}, {288, 285, 6177}, {480, 475, 6177},
        {0, 95, 177},  // an unreadable DPI counts as 96
    };
    for (const Case& c : cases) {
        const BarScale s(c.dpi);
        EXPECT_EQ(s.Of(95), c.of95) << c.dpi;
        EXPECT_EQ(s.Art(177), c.art177) << c.dpi;
    }
}

// The link paints in physical pixels whatever the scale: at 150 % on a
// 1536-pixel-wide screen the frame covers all 1536.
TEST_F(BarScaleTest, TheLinkPaintsAcrossThePhysicalWidthAtEveryScale) {
    seen_ = 0;
    desk.reset();
    desk = std::make_unique<FakeDesktop>(1536, 864);
    desk->screen.primaryDpi = 144;
    CScreenLink& link = TheScreenLink();
    link.ForgetMonitors();
    link.rcRegion = Rect{0, 0, 1536, 864};
    link.Send(SEND_REGION);
    ASSERT_EQ(desk->screen.frames.size(), 2u);
    for (const auto& f : desk->screen.frames) {
        EXPECT_EQ(f.row.size(), 1536u);
        EXPECT_TRUE(monitor::DecodeRow(f.row.data(), f.row.size()).Valid());
    }
    const monitor::DecodedRow columns =
        monitor::DecodeRow(desk->screen.frames[1].row.data(), desk->screen.frames[1].row.size());
    EXPECT_EQ(columns.kind, monitor::FrameKind::Columns);
    EXPECT_EQ(columns.left.first, 0u);
    // The right edge at the screen's physical end.
    EXPECT_TRUE(columns.right.Contains(1536) ||
                (columns.right.last == monitor::ColumnSpan::kNoLimit && columns.right.first <= 1536 &&
                 columns.right.first >= 1530))
        << columns.right.first << "-" << columns.right.last;
    EXPECT_EQ(desk->screen.pixelsOffRow, 0);
}

}  // namespace
}  // namespace lv
