// A desk of several monitors on the simulated desktop: each monitor decodes
// its own top row, so a region goes to the monitor that shows it, in that
// monitor's pixels, and the off frames go where regions went.
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "bar/lv_dlg.h"
#include "link/monitors.h"
#include "link/screen_link.h"
#include "monitor/row_decoder.h"
#include "platform/fake/fake_desktop.h"
#include "select/selection_state.h"
#include "tests/unit/bar_on_desktop.h"

namespace lv {
namespace {

using fake::FakeDesktop;
using fake::kCaptionFrame;
using monitor::DecodeRow;
using monitor::FrameKind;
using Step = fake::FakeMouseInput::Step;
using Sent = std::vector<std::string>;

// What a monitor decoded from its top row, frame by frame.
struct Decoding {
    std::vector<monitor::DecodedRow> frames;
    // Each frame as "off", "rows T B" or "columns L R"; a column edge the
    // painter cannot place exactly shows as its span ("F-L", or "F+" at the
    // row's end).
    std::string Text() const {
        std::string out;
        for (const auto& d : frames) {
            auto span = [](const monitor::ColumnSpan& c) {
                if (c.Exact()) return std::to_string(c.first);
                if (c.last == monitor::ColumnSpan::kNoLimit) return std::to_string(c.first) + "+";
                return std::to_string(c.first) + "-" + std::to_string(c.last);
            };
            if (d.kind == FrameKind::Off) out += "off; ";
            else if (d.kind == FrameKind::Rows) out += "rows " + std::to_string(d.top) + " " + std::to_string(d.bottom) + "; ";
            else if (d.kind == FrameKind::Columns) out += "columns " + span(d.left) + " " + span(d.right) + "; ";
            else out += "?; ";
        }
        return out;
    }
};
void PrintTo(const Decoding& d, std::ostream* os) { *os << d.Text(); }

// The frames read as the messages expected: "off", "rows T B",
// "columns L R", each column within its edge's span.
bool Shows(const Decoding& got, const std::vector<std::string>& expected) {
    if (got.frames.size() != expected.size()) return false;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const monitor::DecodedRow& d = got.frames[i];
        char kind[16] = {};
        std::uint32_t a = 0, b = 0;
        if (std::sscanf(expected[i].c_str(), "%15s %u %u", kind, &a, &b) < 1) return false;
        const std::string k = kind;
        auto within = [](const monitor::ColumnSpan& c, std::uint32_t v) {
            return c.last == monitor::ColumnSpan::kNoLimit ? v >= c.first : c.Contains(v);
        };
        if (k == "off" && d.kind != FrameKind::Off) return false;
        if (k == "rows" && (d.kind != FrameKind::Rows || d.top != a || d.bottom != b)) return false;
        if (k == "columns" && (d.kind != FrameKind::Columns || !within(d.left, a) || !within(d.right, b))) return false;
    }
    return true;
}

Decoding Decoded(const std::vector<std::vector<Colour>>& rows) {
    Decoding out;
    for (const auto& row : rows) out.frames.push_back(DecodeRow(row.data(), row.size()));
    return out;
}

std::vector<std::vector<Colour>> Rows(const std::vector<fake::FakeScreen::Frame>& frames) {
    std::vector<std::vector<Colour>> out;
    for (const auto& f : frames) out.push_back(f.row);
    return out;
}

// A second monitor beside the primary one (1024 x 768 at 0, 0).
struct Layout {
    const char* name;
    Rect second;
    std::uint32_t dpi;
};
const Layout kLayouts[] = {
    {"left of the primary", {-1280, 0, 0, 1024}, 96},
    {"above it", {0, -900, 1600, 0}, 120},
    {"right of it, larger and at 150 %", {1024, -100, 1024 + 1920, 980}, 144},
};

class MonitorsTest : public BarOnDesktopTest {
public:
    // What the second monitor and the primary decoded since the last call.
    Decoding SecondDecoded() {
        auto& frames = desk->screen.monitors[0].frames;
        Decoding out = Decoded(frames);
        frames.clear();
        return out;
    }
    Decoding PrimaryDecoded() {
        Decoding out = Decoded(Rows(desk->screen.frames));
        desk->screen.frames.clear();
        return out;
    }
    // A window wholly on the second monitor, 100 pixels in from its corner.
    Rect OnSecond(const Layout& l, std::int32_t w = 600, std::int32_t h = 400) {
        return Rect{l.second.left + 100, l.second.top + 100, l.second.left + 100 + w, l.second.top + 100 + h};
    }
    std::string Local(const Layout& l, const Rect& r, const char* what) {
        if (std::string(what) == "rows") {
            return "rows " + std::to_string(r.top - l.second.top) + " " + std::to_string(r.bottom - l.second.top);
        }
        return "columns " + std::to_string(r.left - l.second.left) + " " + std::to_string(r.right - l.second.left);
    }
};

TEST_F(MonitorsTest, AWindowOnAnotherMonitorIsSentThereInItsPixels) {
    for (const Layout& l : kLayouts) {
        SCOPED_TRACE(l.name);
        SetUp();
        seen_ = 0;
        Run([&](FakeDesktop& d) { d.screen.AddMonitor(l.second, l.dpi); },
            [&](CLvDlg&, HWindow) {
                const Rect window = OnSecond(l);
                AddTarget(window);
                TrayClick();
                Sends();
                PrimaryDecoded();
                ClickAt(Point{window.left + 50, window.top + 50});
                desk->RunFor(400);
                const Rect client{window.left + 4, window.top + 24, window.right - 4, window.bottom - 4};
                // The off frame of the click goes where the last region went
                // (none yet: the primary); the region to the second monitor.
                EXPECT_PRED2(Shows, PrimaryDecoded(), Sent{"off"});
                EXPECT_PRED2(Shows, SecondDecoded(), (Sent{Local(l, client, "rows"), Local(l, client, "columns")}));
                // Painted across the monitor's own width, in its physical pixels.
                ASSERT_FALSE(desk->screen.monitors[0].row.empty());
                EXPECT_EQ(std::int32_t(desk->screen.monitors[0].row.size()), l.second.Width());
                EXPECT_EQ(desk->screen.pixelsOffRow, 0);
                // Its top row comes back after the message.
                EXPECT_EQ(desk->screen.monitors[0].row, desk->screen.monitors[0].desktop);
                // Moved on that monitor: off there, the region there.
                desk->windows.Move(TheSelection().hwndTarget, window.left + 30, window.top + 20);
                desk->RunFor(400);
                const Rect moved{client.left + 30, client.top + 20, client.right + 30, client.bottom + 20};
                EXPECT_TRUE(PrimaryDecoded().frames.empty());
                EXPECT_PRED2(Shows, SecondDecoded(), (Sent{"off", Local(l, moved, "rows"), Local(l, moved, "columns")}));
            });
    }
}

TEST_F(MonitorsTest, AWindowAcrossTwoMonitorsGoesToTheOneHoldingMostOfItClippedToIt) {
    Run([&](FakeDesktop& d) { d.screen.AddMonitor(Rect{1024, 0, 2048, 768}); },
        [&](CLvDlg&, HWindow) {
            // 200 pixels on the primary, 400 on the second.
            AddTarget(Rect{824, 100, 1424, 500});
            TrayClick();
            ClickAt(Point{1200, 300});
            desk->RunFor(400);
            EXPECT_EQ(Sends(), (Sent{"off", "off", "region 1024 124 1420 496 on \\\\.\\DISPLAY2"}));
            EXPECT_PRED2(Shows, SecondDecoded(), (Sent{"rows 124 496", "columns 0 396"}));
        });
}

TEST_F(MonitorsTest, AWindowMovedToAnotherMonitorIsTurnedOffOnTheOldOneFirst) {
    for (const Layout& l : kLayouts) {
        SCOPED_TRACE(l.name);
        SetUp();
        seen_ = 0;
        Run([&](FakeDesktop& d) { d.screen.AddMonitor(l.second, l.dpi); },
            [&](CLvDlg&, HWindow) {
                const HWindow target = AddTarget(Rect{200, 150, 600, 450});
                TrayClick();
                ClickAt(Point{400, 300});
                desk->RunFor(400);
                PrimaryDecoded();
                const Rect there = OnSecond(l, 400, 300);
                desk->windows.Move(target, there.left, there.top);
                desk->RunFor(400);
                const Rect client{there.left + 4, there.top + 24, there.right - 4, there.bottom - 4};
                EXPECT_PRED2(Shows, PrimaryDecoded(), Sent{"off"});
                EXPECT_PRED2(Shows, SecondDecoded(), (Sent{Local(l, client, "rows"), Local(l, client, "columns")}));
                // And back: off on the second, the region on the primary.
                desk->windows.Move(target, 200, 150);
                desk->RunFor(400);
                EXPECT_PRED2(Shows, SecondDecoded(), Sent{"off"});
                EXPECT_PRED2(Shows, PrimaryDecoded(), (Sent{"rows 174 446", "columns 204 596"}));
            });
    }
}

TEST_F(MonitorsTest, TheHotKeyTakesTheWholeMonitorUnderThePointer) {
    for (const Layout& l : kLayouts) {
        SCOPED_TRACE(l.name);
        SetUp();
        seen_ = 0;
        Run([&](FakeDesktop& d) { d.screen.AddMonitor(l.second, l.dpi); },
            [&](CLvDlg&, HWindow dlg) {
                desk->mouse.cursorPos = Point{l.second.left + 10, l.second.top + 10};
                desk->dialogs.Send(dlg, kWmHotKey, kHotKeyId, 0);
                EXPECT_EQ(TheScreenLink().rcRegion, l.second);
                EXPECT_PRED2(Shows, SecondDecoded(), (Sent{"rows 0 " + std::to_string(l.second.Height()),
                                                 "columns 0 " + std::to_string(l.second.Width())}));
                // Pressed again, off where it went.
                desk->dialogs.Send(dlg, kWmHotKey, kHotKeyId, 0);
                EXPECT_PRED2(Shows, SecondDecoded(), Sent{"off"});
            });
    }
}

TEST_F(MonitorsTest, EveryWayOutTurnsOffEveryMonitorSentARegion) {
    Run([&](FakeDesktop& d) {
            d.screen.AddMonitor(Rect{1024, 0, 2048, 768});
            d.screen.AddMonitor(Rect{-1024, 0, 0, 768});  // never sent anything
        },
        [&](CLvDlg&, HWindow dlg) {
            const HWindow target = AddTarget(Rect{1200, 100, 1600, 400});
            TrayClick();
            ClickAt(Point{1400, 250});
            desk->RunFor(400);
            desk->windows.Move(target, 200, 100);  // to the primary
            desk->RunFor(400);
            PrimaryDecoded();
            SecondDecoded();
            desk->dialogs.Send(dlg, kWmCommand, ID_APP_EXIT, 0);
            EXPECT_PRED2(Shows, PrimaryDecoded(), Sent{"off"});
            EXPECT_PRED2(Shows, SecondDecoded(), Sent{"off"});
            EXPECT_TRUE(desk->screen.monitors[1].frames.empty());
        });
}

TEST_F(MonitorsTest, AFollowedWindowIsSentAgainWhereItIsAfterItsMonitorIsRemoved) {
    Run([&](FakeDesktop& d) { d.screen.AddMonitor(Rect{1024, 0, 2048, 768}); },
        [&](CLvDlg&, HWindow dlg) {
            const HWindow target = AddTarget(Rect{1200, 100, 1600, 400});
            TrayClick();
            ClickAt(Point{1400, 250});
            desk->RunFor(400);
            Sends();
            // The monitor goes; the window system moves the window onto the
            // primary, and the display change follows.
            desk->screen.RemoveMonitor(0);
            desk->windows.Move(target, 500, 100);
            desk->dialogs.Send(dlg, kWmDisplayChange, 32, (768 << 16) | 1024);
            EXPECT_EQ(Sends(), (Sent{"off", "region 504 124 896 396"}));
            const Decoding primary = PrimaryDecoded();
            ASSERT_FALSE(primary.frames.empty());
            EXPECT_PRED2(Shows, Decoding{{primary.frames.back()}}, Sent{"columns 504 896"});
        });
}

TEST_F(MonitorsTest, ADetectedPlayerIsSentOnItsMonitor) {
    Run([&](FakeDesktop& d) {
            d.screen.AddMonitor(Rect{0, -900, 1600, 0}, 120);
            d.windows.AddWindow("WMPlayerApp", Rect{0, 0, 10, 10});
            const HWindow host = d.windows.AddWindow("WMP Skin Host", Rect{100, -800, 900, -200});
            d.windows.AddWindow("WMPVideoWindow", Rect{120, -760, 880, -240}, host);
        },
        [&](CLvDlg&, HWindow) {
            desk->RunFor(1600);
            EXPECT_PRED2(Shows, SecondDecoded(), (Sent{"rows 140 660", "columns 120 880"}));
        });
}

TEST(Monitors, TheMonitorOfARegionHoldsMostOfIt) {
    FakeDesktop desk(1024, 768);
    desk.screen.AddMonitor(Rect{1024, 0, 2048, 768});
    desk.screen.AddMonitor(Rect{-800, -600, 0, 0});
    struct Case {
        Rect region;
        const char* device;
    };
    const Case cases[] = {
        {{100, 100, 200, 200}, "\\\\.\\DISPLAY1"},
        {{900, 100, 1300, 200}, "\\\\.\\DISPLAY2"},     // 124 on the primary, 276 beside it
        {{1300, 200, 900, 100}, "\\\\.\\DISPLAY2"},     // corners in either order
        {{-300, -300, 100, 100}, "\\\\.\\DISPLAY3"},    // 300 x 300 there, 100 x 100 on the primary
        {{3000, 100, 3100, 200}, "\\\\.\\DISPLAY2"},    // on none: the nearest
        {{-2000, -2000, -1900, -1900}, "\\\\.\\DISPLAY3"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(MonitorOfRegion(c.region).device, c.device)
            << c.region.left << " " << c.region.top << " " << c.region.right << " " << c.region.bottom;
    }
    EXPECT_STREQ(MonitorAt(Point{1023, 767}).device, "\\\\.\\DISPLAY1");
    EXPECT_STREQ(MonitorAt(Point{1024, 0}).device, "\\\\.\\DISPLAY2");
    EXPECT_STREQ(MonitorAt(Point{-1, -1}).device, "\\\\.\\DISPLAY3");
}

}  // namespace
}  // namespace lv
