// lvmon.exe's desk of several monitors: each monitor's top row decoded with
// a tracker of its own, its region outlined on it in desktop coordinates,
// its lines printed under its name (the primary's as on a desk of one), and
// monitors that come, move and go while it watches.
#include "monitor/desk.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "link/line_code.h"
#include "link/screen_link.h"
#include "monitor/legend_text.h"
#include "platform/fake/fake_desktop.h"

namespace lv {
namespace {

using monitor::ColumnSpan;
using monitor::Desk;
using monitor::DeskMonitor;
using monitor::Enhancement;
using monitor::OutlineRect;
using Row = std::vector<Colour>;

constexpr std::uint32_t kPast = ColumnSpan::kNoLimit;

// The monitors of a fake screen as lvmon.exe lists them.
std::vector<DeskMonitor> MonitorsOf(fake::FakeScreen& screen) {
    MonitorInfo info[kMaxMonitors];
    const int n = screen.GetMonitors(info, kMaxMonitors);
    std::vector<DeskMonitor> out;
    for (int i = 0; i < n; ++i) out.push_back(DeskMonitor{info[i].device, info[i].rect, info[i].primary});
    return out;
}

// A frame as the link paints it on a top row `width` pixels wide.
Row Painted(int width, const std::function<void(std::uint32_t lastColumn)>& paint) {
    fake::FakeDesktop desk(width, 768);
    paint(std::uint32_t(width - 1));
    return desk.screen.Row();
}
Row RowsFrame(int width, std::uint32_t top, std::uint32_t bottom) {
    return Painted(width, [&](std::uint32_t w) { PaintRowsFrame(top, bottom, w); });
}
Row ColumnsFrame(int width, std::uint32_t left, std::uint32_t right) {
    return Painted(width, [&](std::uint32_t w) { PaintColumnsFrame(left, right, w); });
}
Row OffFrame(int width) {
    return Painted(width, [&](std::uint32_t w) { PaintOffFrame(kOffFlags, w); });
}
// A monitor's own picture on its top row: no frame.
Row Picture(int width) {
    Row row(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) row[std::size_t(x)] = MakeColour(std::uint8_t(x * 7), 90, 140);
    return row;
}

// Shows rows on a desk's monitors and reads every monitor's row once a
// millisecond, as lvmon.exe does.
class Player {
public:
    explicit Player(Desk& desk) : desk_(desk) {
        for (std::size_t i = 0; i < desk.Count(); ++i) shown_.push_back(Picture(desk.Monitor(i).rect.Width()));
    }
    double Now() const { return now_; }
    // Monitor `i` shows `row` for `ms`, while the others go on showing
    // what they showed.
    void Show(std::size_t i, const Row& row, double ms) {
        shown_[i] = row;
        Wait(ms);
    }
    void Wait(double ms) {
        for (const double end = now_ + ms; now_ < end; now_ += 1) {
            for (std::size_t i = 0; i < shown_.size(); ++i) desk_.Feed(i, now_, shown_[i].data(), shown_[i].size());
        }
    }
    // A region as the link sends it, in the monitor's pixels: rows 50 ms,
    // columns 100 ms, then the monitor's picture again.
    void Region(std::size_t i, std::uint32_t left, std::uint32_t top, std::uint32_t right, std::uint32_t bottom) {
        const int width = Width(i);
        Show(i, RowsFrame(width, top, bottom), 50);
        Show(i, ColumnsFrame(width, left, right), 100);
        Show(i, Picture(width), 150);
    }
    void Off(std::size_t i) {
        Show(i, OffFrame(Width(i)), 100);
        Show(i, Picture(Width(i)), 150);
    }
    // Rows as some DC close left them, each for 60 ms, then 300 ms more of
    // the last.
    void Frames(std::size_t i, const std::vector<Row>& rows) {
        for (const Row& row : rows) Show(i, row, 60);
        Wait(300);
    }
    // The desk's monitors change now; the rows of those that stay go on.
    void Change(const std::vector<DeskMonitor>& monitors) {
        std::vector<Row> next;
        for (const DeskMonitor& m : monitors) {
            Row row = Picture(m.rect.Width());
            for (std::size_t j = 0; j < desk_.Count(); ++j) {
                if (desk_.Monitor(j).device == m.device) row = shown_[j];
            }
            next.push_back(row);
        }
        desk_.SetMonitors(now_, monitors);
        shown_ = next;
    }

private:
    int Width(std::size_t i) const { return desk_.Monitor(i).rect.Width(); }
    Desk& desk_;
    std::vector<Row> shown_;
    double now_ = 0;
};

std::string Text(const Rect& r) {
    char text[64];
    std::snprintf(text, sizeof text, "%d %d %d %d", r.left, r.top, r.right, r.bottom);
    return text;
}

// A second monitor beside the primary one (1024 x 768 at 0, 0).
struct Layout {
    const char* name;
    Rect second;
};
const Layout kLayouts[] = {
    {"left of the primary", {-1280, 0, 0, 1024}},
    {"above it", {0, -900, 1600, 0}},
    {"right of it, larger", {1024, -100, 1024 + 1920, 980}},
};

TEST(DeskOutline, IsTheDecodedRegionAtItsMonitorsPlaceBelowItsTopRow) {
    struct Case {
        const char* what;
        Rect monitor;
        bool active;
        bool hasRed;
        std::uint32_t top, bottom;
        ColumnSpan left, right;
        Rect expected;
    };
    const Rect primary{0, 0, 1024, 768};
    const Rect left{-1280, -200, 0, 824};
    const Rect above{0, -900, 1600, 0};
    const Case cases[] = {
        {"a region on the primary", primary, true, true, 60, 500, {40, 40}, {700, 700}, {40, 60, 700, 500}},
        {"the same on a monitor left of it, higher", left, true, true, 60, 500, {40, 40}, {700, 700},
         {-1240, -140, -580, 300}},
        {"on a monitor above it", above, true, true, 60, 500, {40, 40}, {700, 700}, {40, -840, 700, -400}},
        {"an edge for several columns at the first", left, true, true, 60, 500, {0, 2}, {40, 41},
         {-1280, -140, -1240, 300}},
        {"the whole monitor: from its row 1, to its right edge", left, true, true, 0, 1024, {0, 2}, {1277, kPast},
         {-1280, -199, 0, 824}},
        {"cut at its bottom and right", above, true, true, 100, 4000, {1500, 1500}, {3000, 3000},
         {1500, -800, 1600, 0}},
        {"nothing enhanced", left, false, true, 60, 500, {40, 40}, {700, 700}, {}},
        {"a columns frame without red", left, true, false, 60, 500, {40, 40}, {700, 700}, {}},
        {"only the monitor's top row", above, true, true, 0, 1, {40, 40}, {700, 700}, {}},
        {"rows past the monitor's bottom", primary, true, true, 772, 4092, {40, 40}, {700, 700}, {}},
        {"columns past its right edge", left, true, true, 60, 500, {1300, 1300}, {1400, kPast}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Enhancement e;
        e.active = c.active;
        e.top = c.top;
        e.bottom = c.bottom;
        e.columns.hasRed = c.hasRed;
        e.columns.left = c.left;
        e.columns.right = c.right;
        EXPECT_EQ(Text(OutlineRect(e, c.monitor)), Text(c.expected));
    }
}

// The program's link sends a region on either monitor; the desk reads both
// rows and outlines the region where the program was asked for it.
TEST(Desk, OutlinesTheLinksRegionOnTheMonitorThatWasSentIt) {
    for (const Layout& l : kLayouts) {
        SCOPED_TRACE(l.name);
        const Rect s = l.second;
        struct Sent {
            const char* what;
            Rect region;      // asked for, in desktop pixels
            std::size_t on;   // the monitor that shows it: 0 the primary
            Rect outline;     // where the desk outlines it
        };
        const Sent sends[] = {
            {"a window on the second monitor", {s.left + 100, s.top + 100, s.left + 700, s.top + 500}, 1,
             {s.left + 100, s.top + 100, s.left + 700, s.top + 500}},
            {"the whole second monitor", s, 1, {s.left, s.top + 1, s.right, s.bottom}},
            {"a window on the primary", {40, 60, 700, 500}, 0, {40, 60, 700, 500}},
        };
        for (const Sent& sent : sends) {
            SCOPED_TRACE(sent.what);
            fake::FakeDesktop fake(1024, 768);
            fake.screen.AddMonitor(s);
            Desk desk;
            desk.SetMonitors(0, MonitorsOf(fake.screen));
            ASSERT_EQ(desk.Count(), 2u);
            Player player(desk);
            CScreenLink link;
            link.rcRegion = sent.region;
            link.Send(SEND_REGION);
            auto play = [&] {
                // The primary's erase only marks its row: the desktop's
                // picture is back after it.
                std::vector<Row> primaryRows;
                for (const auto& f : fake.screen.frames) primaryRows.push_back(f.row);
                if (!primaryRows.empty()) primaryRows.push_back(fake.screen.DesktopRow());
                player.Frames(0, primaryRows);
                player.Frames(1, fake.screen.monitors[0].frames);
                fake.screen.frames.clear();
                fake.screen.monitors[0].frames.clear();
            };
            play();
            EXPECT_EQ(Text(desk.Outline(sent.on)), Text(sent.outline));
            EXPECT_EQ(Text(desk.Outline(1 - sent.on)), Text(Rect{}));
            // The off frame goes where the region went, and ends it there.
            link.Send(SEND_OFF);
            play();
            EXPECT_FALSE(desk.Enhanced(sent.on).active);
            EXPECT_EQ(Text(desk.Outline(sent.on)), Text(Rect{}));
            link.SilenceAtExit();
        }
    }
}

// The desk's message lines split into the primary's and those of the monitor
// `name`, taken out of them; comment lines are left out.
struct Split {
    std::vector<std::string> primary;
    std::vector<std::string> named;
};
Split SplitLines(const std::vector<std::string>& lines, const std::string& name) {
    Split out;
    const std::string tag = " " + name + " ";
    for (const std::string& line : lines) {
        if (line[0] == '#') continue;
        const std::size_t space = line.find(' ');
        if (line.compare(space, tag.size(), tag) == 0) {
            out.named.push_back(line.substr(0, space) + " " + line.substr(space + tag.size()));
        } else {
            out.primary.push_back(line);
        }
    }
    return out;
}

TEST(Desk, EachMonitorPrintsItsOwnMessagesThePrimaryAsOnADeskOfOne) {
    for (const Layout& l : kLayouts) {
        SCOPED_TRACE(l.name);
        const DeskMonitor primary{"\\\\.\\DISPLAY1", {0, 0, 1024, 768}, true};
        const DeskMonitor second{"\\\\.\\DISPLAY2", l.second, false};
        Desk desk;
        desk.SetMonitors(0, {primary, second});
        EXPECT_EQ(desk.TakeLines(), (std::vector<std::string>{
                                        "# monitor DISPLAY2 left=" + std::to_string(l.second.left) +
                                        " top=" + std::to_string(l.second.top) + " width=" +
                                        std::to_string(l.second.Width()) + " height=" +
                                        std::to_string(l.second.Height())}));
        // The same rows on desks of one monitor each.
        Desk alone[2];
        alone[0].SetMonitors(0, {primary});
        alone[1].SetMonitors(0, {DeskMonitor{"\\\\.\\DISPLAY1", {0, 0, l.second.Width(), l.second.Height()}, true}});
        Player player(desk);
        Player players[2] = {Player(alone[0]), Player(alone[1])};
        auto both = [&](const std::function<void(Player&, std::size_t)>& act, std::size_t i) {
            act(player, i);
            act(players[i], 0);
            players[1 - i].Wait(player.Now() - players[1 - i].Now());
        };
        auto region = [](std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
            return [=](Player& p, std::size_t i) { p.Region(i, a, b, c, d); };
        };
        auto off = [](Player& p, std::size_t i) { p.Off(i); };
        // Each row shows its monitor's picture first.
        for (Player* p : {&player, &players[0], &players[1]}) p->Wait(50);
        both(region(40, 60, 700, 500), 0);
        both(region(100, 100, 700, 500), 1);
        // Each monitor enhances its own region, both at once.
        EXPECT_EQ(Text(desk.Outline(0)), "40 60 700 500");
        EXPECT_EQ(Text(desk.Outline(1)), Text(Rect{l.second.left + 100, l.second.top + 100, l.second.left + 700,
                                                   l.second.top + 500}));
        both(off, 1);
        EXPECT_EQ(Text(desk.Outline(0)), "40 60 700 500");
        EXPECT_EQ(Text(desk.Outline(1)), Text(Rect{}));
        both(region(0, 0, 1024, 768), 0);
        both(off, 0);
        desk.Finish(player.Now());
        alone[0].Finish(player.Now());
        alone[1].Finish(player.Now());

        const std::vector<std::string> lines = desk.TakeLines();
        const std::vector<std::string> primaryAlone = alone[0].TakeLines();
        const std::vector<std::string> secondAlone = alone[1].TakeLines();
        // Each message: its line, its frames, the desktop's return.
        ASSERT_EQ(primaryAlone.size(), 4u + 4u + 3u);
        ASSERT_EQ(secondAlone.size(), 4u + 3u);
        const Split split = SplitLines(lines, "DISPLAY2");
        EXPECT_EQ(split.primary, primaryAlone);
        EXPECT_EQ(split.named, secondAlone);
        EXPECT_EQ(lines.size(), primaryAlone.size() + secondAlone.size());
        EXPECT_EQ(lines[0], "0.050 region 40 60 700 500");
        EXPECT_EQ(lines[4], "0.350 DISPLAY2 region 100 100 700 500");
    }
}

TEST(Desk, FollowsMonitorsThatMoveGoAndCome) {
    const DeskMonitor primary{"\\\\.\\DISPLAY1", {0, 0, 1024, 768}, true};
    DeskMonitor second{"\\\\.\\DISPLAY2", {-1280, 0, 0, 1024}, false};
    Desk desk;
    desk.SetMonitors(0, {primary, second});
    Player player(desk);
    player.Region(1, 100, 100, 700, 500);
    EXPECT_EQ(Text(desk.Outline(1)), "-1180 100 -580 500");
    desk.TakeLines();
    // Read again, unchanged: nothing to say, the region stays.
    player.Change({primary, second});
    EXPECT_EQ(desk.TakeLines(), std::vector<std::string>{});
    EXPECT_EQ(Text(desk.Outline(1)), "-1180 100 -580 500");

    // Moved to the right of the primary: the same region, at its new place.
    second.rect = Rect{1024, 0, 2304, 1024};
    player.Change({primary, second});
    EXPECT_EQ(desk.TakeLines(),
              (std::vector<std::string>{"# monitor DISPLAY2 left=1024 top=0 width=1280 height=1024"}));
    EXPECT_EQ(Text(desk.Outline(1)), "1124 100 1724 500");

    // Gone while a rows frame is on its row: that frame ends then, alone,
    // and the desk has the primary only.
    player.Show(1, RowsFrame(1280, 60, 500), 30);
    const double goneAt = player.Now();
    player.Change({primary});
    ASSERT_EQ(desk.Count(), 1u);
    EXPECT_EQ(desk.Monitor(0).device, primary.device);
    char rows[64];
    std::snprintf(rows, sizeof rows, "%.3f DISPLAY2 rows 60 500", (goneAt - 30) / 1000.0);
    char frame[64];
    std::snprintf(frame, sizeof frame, "%.3f DISPLAY2 frame rows 30.0 60 500", (goneAt - 30) / 1000.0);
    EXPECT_EQ(desk.TakeLines(), (std::vector<std::string>{rows, frame, "# monitor DISPLAY2 gone"}));

    // Back again: it starts afresh.
    player.Change({primary, second});
    ASSERT_EQ(desk.Count(), 2u);
    EXPECT_FALSE(desk.Enhanced(1).active);
    EXPECT_EQ(desk.Last(1), nullptr);
    player.Region(1, 200, 300, 400, 500);
    EXPECT_EQ(Text(desk.Outline(1)), "1224 300 1424 500");
    EXPECT_EQ(Text(desk.Outline(0)), Text(Rect{}));
}

TEST(Desk, NamesAMonitorByItsDevice) {
    EXPECT_EQ(monitor::MonitorName("\\\\.\\DISPLAY2"), "DISPLAY2");
    EXPECT_EQ(monitor::MonitorName("Left screen"), "Left_screen");
    EXPECT_EQ(monitor::MonitorName(""), "monitor");
}

TEST(LegendLines, TellWhatEachMonitorEnhancesUnderItsNameWhenThereAreSeveral) {
    const DeskMonitor primary{"\\\\.\\DISPLAY1", {0, 0, 1024, 768}, true};
    const DeskMonitor second{"\\\\.\\DISPLAY2", {-1280, 0, 0, 1024}, false};
    Desk one;
    one.SetMonitors(0, {primary});
    EXPECT_EQ(monitor::LegendLines(one, 998.2),
              (std::vector<std::string>{"not enhancing", "last: -", "row 0 (1024 pixels) read 998 times a second"}));
    Player(one).Region(0, 40, 60, 700, 500);
    EXPECT_EQ(monitor::LegendLines(one, 998.2),
              (std::vector<std::string>{"enhancing 40 60 700 500",
                                        "last: region 40 60 700 500 (rows 50 ms, columns 100 ms)",
                                        "row 0 (1024 pixels) read 998 times a second"}));

    Desk two;
    two.SetMonitors(0, {primary, second});
    Player player(two);
    player.Region(1, 0, 0, 1280, 1024);
    player.Off(0);
    EXPECT_EQ(monitor::LegendLines(two, 501),
              (std::vector<std::string>{"DISPLAY1: not enhancing", "    last: off (off 100 ms)",
                                        "DISPLAY2: enhancing 0-2 0 1277+ 1024",
                                        "    last: region 0-2 0 1277+ 1024 (rows 50 ms, columns 100 ms)",
                                        "top rows of 2 monitors read 501 times a second"}));
}

}  // namespace
}  // namespace lv
