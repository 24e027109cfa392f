// The monitor's tracker and desktop watch, fed row 0 over time: first as the
// real link sender paints it on the fake screen, then in made-up sequences
// for the cases the link never produces.
#include "monitor/message_tracker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/screen_link.h"
#include "monitor/desktop_watch.h"
#include "monitor/report.h"
#include "platform/fake/fake_desktop.h"

namespace lv {
namespace {

using monitor::DecodedRow;
using monitor::FrameKind;
using monitor::MessageKind;
using monitor::SeenMessage;

// Watches the fake screen's row 0 once a millisecond, from the frames and
// repaints it recorded, the way a monitor samples its video signal.
struct Watch {
    monitor::MessageTracker tracker;
    monitor::DesktopWatch desktop;
    std::vector<SeenMessage> messages;
    std::vector<monitor::RestoreEvent> restores;

    void Run(const fake::FakeScreen& screen, std::uint64_t untilMs) {
        std::vector<Colour> row = screen.DesktopRow();
        std::size_t frame = 0;
        std::size_t redraw = 0;
        for (std::uint64_t t = 0; t <= untilMs; ++t) {
            // The repaint only marks the row: the desktop is back after it.
            while (frame < screen.frames.size() && screen.frames[frame].timeMs <= t) row = screen.frames[frame++].row;
            while (redraw < screen.redraws.size() && screen.redraws[redraw].timeMs <= t) {
                if (frame == screen.frames.size() || screen.frames[frame].timeMs > screen.redraws[redraw].timeMs) {
                    row = screen.DesktopRow();
                }
                ++redraw;
            }
            Feed(double(t), row);
        }
        tracker.Finish(double(untilMs));
        Collect();
    }
    void Feed(double t, const std::vector<Colour>& row) {
        const DecodedRow d = monitor::DecodeRow(row.data(), row.size());
        tracker.Feed(t, d);
        desktop.Feed(t, row.data(), row.size(), tracker.FrameShown());
        Collect();
    }
    void Collect() {
        for (auto& m : tracker.TakeMessages()) messages.push_back(m);
        for (auto& e : desktop.TakeEvents()) restores.push_back(e);
    }
};

TEST(MessageTracker, ReadsTheLinksMessagesWithTheirTimes) {
    for (int width : {800, 1024, 1920}) {
        SCOPED_TRACE(width);
        const int height = width * 3 / 4;
        fake::FakeDesktop desk(width, height);
        CScreenLink link;
        link.Send(SEND_OFF);                          // frame at 100, repaint at 200
        link.rcRegion = Rect{45, 60, 700, 500};
        link.Send(SEND_REGION);                       // rows 300, columns 350, repaint 450
        link.rcRegion = Rect{0, 0, width, height};
        link.Send(SEND_REGION);                       // rows 550, columns 600, repaint 700
        link.rcRegion = Rect{700, 500, 45, 60};       // dragged up and left
        link.Send(SEND_REGION);                       // rows 800, columns 850, repaint 950
        link.rcRegion = Rect{-4, -4, width + 4, height + 4};
        link.Send(SEND_REGION);                       // rows 1050, columns 1100, repaint 1200

        Watch watch;
        watch.Run(desk.screen, 1300);
        std::vector<std::string> lines;
        for (const SeenMessage& m : watch.messages) {
            lines.push_back(monitor::MessageLine(m));
            for (int i = 0; i < m.frameCount; ++i) lines.push_back(monitor::FrameLine(m.frames[i]));
        }
        const std::string h = std::to_string(height);
        // The whole screen's right edge stands for every column from W - 2.
        const std::string fullRight = std::to_string(width - 3) + "+";
        const std::vector<std::string> expected = {
            "0.100 off",
            "0.100 frame off 100.0 EC6BE0",
            "0.300 region 45 60 700 500",
            "0.300 frame rows 50.0 60 500",
            lines.size() > 4 ? lines[4] : "",  // the columns frame's x, checked below
            "0.550 region 0-2 0 " + fullRight + " " + h,
            "0.550 frame rows 50.0 0 " + h,
            lines.size() > 7 ? lines[7] : "",
            "0.800 region 45 60 700 500",
            "0.800 frame rows 50.0 60 500",
            lines.size() > 10 ? lines[10] : "",
            // -4 as an unsigned number: both columns past the frame, the
            // bottom's high bits in the top field.
            "1.050 region none 4095 none 4092",
            "1.050 frame rows 50.0 4095 4092",
            "1.100 frame columns 100.0 none none",
        };
        EXPECT_EQ(lines, expected);
        ASSERT_EQ(watch.messages.size(), 5u);
        EXPECT_EQ(lines[4].rfind("0.350 frame columns 100.0 ", 0), 0u) << lines[4];
        EXPECT_EQ(lines[7], "0.600 frame columns 100.0 2 " + std::to_string(width - 4));
        EXPECT_EQ(lines[10], "0.850" + lines[4].substr(5));

        // The monitor still enhances the last region; the desktop came back
        // after every message, at the repaint.
        EXPECT_TRUE(watch.tracker.Enhanced().active);
        EXPECT_EQ(watch.tracker.Enhanced().top, 4095u);
        ASSERT_EQ(watch.restores.size(), 5u);
        const double repaints[] = {200, 450, 700, 950, 1200};
        for (int i = 0; i < 5; ++i) {
            EXPECT_TRUE(watch.restores[std::size_t(i)].restored) << i;
            EXPECT_EQ(watch.restores[std::size_t(i)].atMs, repaints[i]) << i;
            EXPECT_EQ(monitor::RestoreLine(watch.restores[std::size_t(i)]).substr(6), "restored 0.0");
        }
    }
}

// The program's Exit: an off frame from the command, then another from the
// global link at process exit.
TEST(MessageTracker, EachOffFrameIsOneMessage) {
    fake::FakeDesktop desk;
    {
        CScreenLink link;
        link.rcRegion = Rect{10, 20, 300, 400};
        link.Send(SEND_REGION);
        link.Send(SEND_OFF);
    }
    Watch watch;
    watch.Run(desk.screen, 1000);
    ASSERT_EQ(watch.messages.size(), 3u);
    EXPECT_EQ(watch.messages[1].kind, MessageKind::Off);
    EXPECT_EQ(watch.messages[2].kind, MessageKind::Off);
    EXPECT_EQ(watch.messages[2].firstSeenMs, 550);
    EXPECT_FALSE(watch.tracker.Enhanced().active);
}

// Made-up frames for the tracker alone.
DecodedRow Frame(FrameKind kind, std::uint32_t a = 0, std::uint32_t b = 0) {
    DecodedRow d;
    d.kind = kind;
    d.header = 0xEC6BE0 | (kind == FrameKind::Rows ? 1 : kind == FrameKind::Columns ? 2 : 0);
    if (kind == FrameKind::Rows) {
        d.top = a;
        d.bottom = b;
    } else if (kind == FrameKind::Columns) {
        d.hasRed = true;
        d.redFirst = std::int32_t(a);
        d.redEnd = std::int32_t(b);
        d.left = monitor::ColumnSpan{a, a};
        d.right = monitor::ColumnSpan{b, b};
    }
    return d;
}

// Feeds each frame from its start time to the next one's, a sample a
// millisecond; None rows stand for the desktop.
std::vector<SeenMessage> Track(monitor::MessageTracker& tracker,
                               const std::vector<std::pair<double, DecodedRow>>& script, double until) {
    std::vector<SeenMessage> out;
    for (std::size_t i = 0; i < script.size(); ++i) {
        const double to = i + 1 < script.size() ? script[i + 1].first : until;
        for (double t = script[i].first; t < to; t += 1) {
            tracker.Feed(t, script[i].second);
            for (auto& m : tracker.TakeMessages()) out.push_back(m);
        }
    }
    tracker.Finish(until);
    for (auto& m : tracker.TakeMessages()) out.push_back(m);
    return out;
}

// A columns frame pairs with the rows frame before it when it comes within
// 200 ms of the rows frame's first sight: at 200 it does, at 201 it does not.
TEST(MessageTracker, ColumnsTooLateAfterRowsAreNoRegion) {
    struct Case {
        int columnsAt;
        bool region;
    };
    for (const Case& c : {Case{299, true}, Case{300, true}, Case{301, false}}) {
        SCOPED_TRACE(c.columnsAt);
        monitor::MessageTracker tracker;
        const DecodedRow none;
        const auto messages = Track(tracker,
                                    {{0, none},
                                     {100, Frame(FrameKind::Rows, 60, 500)},
                                     {150, none},
                                     {c.columnsAt, Frame(FrameKind::Columns, 41, 697)},
                                     {400, none}},
                                    500);
        if (c.region) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].kind, MessageKind::Region);
            EXPECT_TRUE(tracker.Enhanced().active);
            continue;
        }
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_EQ(messages[0].kind, MessageKind::RowsOnly);
        EXPECT_EQ(messages[0].frames[0].shownMs, 50);
        EXPECT_EQ(messages[1].kind, MessageKind::ColumnsOnly);
        EXPECT_EQ(monitor::MessageLine(messages[1]), "0.301 columns 41 697");
        EXPECT_FALSE(tracker.Enhanced().active);
    }
}

TEST(MessageTracker, RegionStartsAtItsColumnsFrameAndOffEndsIt) {
    monitor::MessageTracker tracker;
    const DecodedRow none;
    std::vector<SeenMessage> messages;
    auto feed = [&](double from, double to, const DecodedRow& row) {
        for (double t = from; t < to; t += 1) tracker.Feed(t, row);
        for (auto& m : tracker.TakeMessages()) messages.push_back(m);
    };
    feed(0, 100, none);
    feed(100, 150, Frame(FrameKind::Rows, 60, 500));
    EXPECT_FALSE(tracker.Enhanced().active);
    feed(150, 151, Frame(FrameKind::Columns, 41, 697));
    // Acted on at once, reported once the frame has gone.
    EXPECT_TRUE(tracker.Enhanced().active);
    EXPECT_EQ(tracker.Enhanced().bottom, 500u);
    EXPECT_TRUE(messages.empty());
    feed(151, 250, Frame(FrameKind::Columns, 41, 697));
    feed(250, 300, none);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, MessageKind::Region);
    EXPECT_EQ(messages[0].frames[1].shownMs, 100);
    feed(300, 301, Frame(FrameKind::Off));
    EXPECT_FALSE(tracker.Enhanced().active);
    // Watching ends with the off frame still shown.
    tracker.Finish(350);
    const auto last = tracker.TakeMessages();
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].kind, MessageKind::Off);
    EXPECT_EQ(last[0].frames[0].shownMs, 50);
}

TEST(MessageTracker, AFrameChangingValuesIsANewFrame) {
    monitor::MessageTracker tracker;
    const auto messages = Track(tracker,
                                {{0, Frame(FrameKind::Rows, 1, 2)},
                                 {50, Frame(FrameKind::Rows, 1, 3)},
                                 {100, Frame(FrameKind::Columns, 5, 9)},
                                 {200, DecodedRow{}}},
                                300);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(monitor::MessageLine(messages[0]), "0.000 rows 1 2");
    EXPECT_EQ(monitor::MessageLine(messages[1]), "0.050 region 5 1 9 3");
}

TEST(DesktopWatch, WaitsForTheWholeRowAndGivesUp) {
    std::vector<Colour> desktop(200, 0x202020);
    std::vector<Colour> frame(200, 0xFF0000);
    std::vector<Colour> half = desktop;
    std::fill(half.begin() + 100, half.end(), 0xFF0000);
    std::vector<Colour> other(200, 0x404040);

    monitor::DesktopWatch watch;
    auto feed = [&](double from, double to, const std::vector<Colour>& row, bool shown) {
        for (double t = from; t < to; t += 1) watch.Feed(t, row.data(), row.size(), shown);
    };
    // A repaint in two halves: restored 30 ms after the frame left.
    feed(0, 10, desktop, false);
    feed(10, 110, frame, true);
    feed(110, 140, half, false);
    feed(140, 150, desktop, false);
    // The desktop changed under the frame: never the same again.
    feed(150, 200, frame, true);
    feed(200, 1300, other, false);
    // A frame before the repaint.
    feed(1300, 1350, frame, true);
    feed(1350, 1360, half, false);
    feed(1360, 1400, frame, true);
    feed(1400, 1410, other, false);
    const auto events = watch.TakeEvents();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_TRUE(events[0].restored);
    EXPECT_EQ(monitor::RestoreLine(events[0]), "0.110 restored 30.0");
    EXPECT_FALSE(events[1].restored);
    EXPECT_EQ(monitor::RestoreLine(events[1]), "0.200 unrestored");
    EXPECT_FALSE(events[2].restored);
    EXPECT_EQ(events[2].framesLeftMs, 1350);
    EXPECT_TRUE(events[3].restored);  // "other" became the desktop's picture
}

TEST(Report, ColumnTexts) {
    using monitor::ColumnSpan;
    EXPECT_EQ(monitor::ColumnText(ColumnSpan{40, 40}), "40");
    EXPECT_EQ(monitor::ColumnText(ColumnSpan{40, 41}), "40-41");
    EXPECT_EQ(monitor::ColumnText(ColumnSpan{1021, ColumnSpan::kNoLimit}), "1021+");
}

}  // namespace
}  // namespace lv
