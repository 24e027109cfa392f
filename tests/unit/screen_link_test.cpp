// The link sender on the virtual clock: when each frame reaches the screen,
// what it carries, and that the desktop gets row 0 back.
#include "link/screen_link.h"

#include <gtest/gtest.h>

#include "link/line_code.h"
#include "platform/fake/fake_desktop.h"
#include "row_helpers.h"

namespace lv {
namespace {

using fake::FakeDesktop;

// The row a painter leaves on a fresh screen of the given width.
template <typename Paint>
std::vector<Colour> Expected(int horzRes, Paint paint) {
    FakeDesktop scratch(horzRes, 768);
    paint(std::uint32_t(horzRes - 1));
    return scratch.screen.Row();
}

TEST(ScreenLink, OffMessageTimeline) {
    FakeDesktop desk;
    CScreenLink link;
    link.Send(SEND_OFF);
    ASSERT_EQ(desk.screen.frames.size(), 1u);
    EXPECT_EQ(desk.screen.frames[0].timeMs, 100u);
    EXPECT_EQ(desk.screen.frames[0].row, Expected(1024, [](std::uint32_t w) { PaintOffFrame(kOffFlags, w); }));
    ASSERT_EQ(desk.screen.redraws.size(), 1u);
    EXPECT_EQ(desk.screen.redraws[0].timeMs, 200u);
    EXPECT_EQ(desk.screen.redraws[0].rect, (Rect{0, 0, 1024, 5}));
    EXPECT_EQ(desk.clock.Now(), 200u);
    EXPECT_EQ(link.nLastColumn, 1023u);
}

TEST(ScreenLink, RegionMessageTimeline) {
    FakeDesktop desk;
    CScreenLink link;
    link.rcRegion = Rect{40, 60, 700, 500};
    link.Send(SEND_REGION);
    ASSERT_EQ(desk.screen.frames.size(), 2u);
    EXPECT_EQ(desk.screen.frames[0].timeMs, 100u);
    EXPECT_EQ(desk.screen.frames[0].row, Expected(1024, [](std::uint32_t w) { PaintRowsFrame(60, 500, w); }));
    EXPECT_EQ(desk.screen.frames[1].timeMs, 150u);
    EXPECT_EQ(desk.screen.frames[1].row, Expected(1024, [](std::uint32_t w) { PaintColumnsFrame(40, 700, w); }));
    ASSERT_EQ(desk.screen.redraws.size(), 1u);
    EXPECT_EQ(desk.screen.redraws[0].timeMs, 250u);
    EXPECT_EQ(link.rcRegion, (Rect{40, 60, 700, 500}));  // the sender never changes it
}

// The erase must bring back the desktop background and the window frames
// under row 0; invalidating alone leaves the pattern on the screen.
TEST(ScreenLink, RowZeroIsTheDesktopsAgainAfterEachSend) {
    FakeDesktop desk;
    desk.screen.AddWindowFrame(300, 700);
    CScreenLink link;
    link.rcRegion = Rect{0, 0, 1024, 768};
    for (std::uint32_t mode : {SEND_OFF, SEND_REGION}) {
        link.Send(mode);
        EXPECT_NE(desk.screen.frames.back().row, desk.screen.DesktopRow());
        EXPECT_EQ(desk.screen.Row(), desk.screen.DesktopRow()) << "mode " << mode;
    }
    EXPECT_EQ(desk.screen.redraws.back().flags, kRdwInvalidate | kRdwAllChildren | kRdwErase | kRdwFrame);
}

TEST(ScreenLink, CoordinatesAreOrderedAsUnsignedNumbers) {
    struct Case {
        Rect region;
        std::uint32_t top, bottom, left, right;
    };
    const Case cases[] = {
        // Dragged up and to the left.
        {Rect{700, 500, 40, 60}, 60, 500, 40, 700},
        // Partly off the screen: -4 orders after every non-negative number.
        {Rect{-4, -4, 1028, 772}, 772, 0xFFFFFFFC, 1028, 0xFFFFFFFC},
    };
    for (const Case& c : cases) {
        FakeDesktop desk;
        CScreenLink link;
        link.rcRegion = c.region;
        link.Send(SEND_REGION);
        ASSERT_EQ(desk.screen.frames.size(), 2u);
        EXPECT_EQ(desk.screen.frames[0].row,
                  Expected(1024, [&](std::uint32_t w) { PaintRowsFrame(c.top, c.bottom, w); }));
        EXPECT_EQ(desk.screen.frames[1].row,
                  Expected(1024, [&](std::uint32_t w) { PaintColumnsFrame(c.left, c.right, w); }));
    }
    // The off-screen region's rows word is 0xFFFFFC00 and its columns show no red.
    EXPECT_EQ(RowsPayloadWord(772, 0xFFFFFFFC), 0xFFFFFC00u);
    EXPECT_EQ(test::FindRedRun(Expected(1024, [](std::uint32_t w) {
                  PaintColumnsFrame(1028, 0xFFFFFFFC, w);
              })).first, -1);
}

TEST(ScreenLink, EachSendMeasuresTheScreenAgain) {
    FakeDesktop desk;
    CScreenLink link;
    link.Send(SEND_OFF);
    desk.SetResolution(1280, 1024);
    link.rcRegion = Rect{0, 0, 1280, 1024};
    link.Send(SEND_REGION);
    EXPECT_EQ(link.nLastColumn, 1279u);
    EXPECT_EQ(desk.screen.frames.back().row,
              Expected(1280, [](std::uint32_t w) { PaintColumnsFrame(0, 1280, w); }));
    EXPECT_EQ(desk.screen.redraws.back().rect, (Rect{0, 0, 1280, 5}));
}

TEST(ScreenLink, EraseReadsTheWidthAfresh) {
    FakeDesktop desk;
    CScreenLink link;
    // The resolution changes while the off frame is on the screen.
    desk.clock.onSleep = [&](std::uint64_t now) {
        if (now == 150) desk.SetResolution(800, 600);
    };
    link.Send(SEND_OFF);
    EXPECT_EQ(link.nLastColumn, 1023u);
    EXPECT_EQ(desk.screen.redraws.back().rect, (Rect{0, 0, 800, 5}));
}

TEST(ScreenLink, WithoutAScreenOnlyTheWaitsHappen) {
    FakeDesktop desk;
    desk.screen.failOpen = true;
    CScreenLink link;
    link.Send(SEND_REGION);
    EXPECT_TRUE(desk.screen.frames.empty());
    ASSERT_EQ(desk.screen.redraws.size(), 1u);
    EXPECT_EQ(desk.screen.redraws[0].rect, Rect{});
    EXPECT_EQ(desk.clock.Now(), 250u);
}

TEST(ScreenLink, ASilencedLinkPaintsNothingWhenDestroyed) {
    FakeDesktop desk;
    { CScreenLink link; link.SilenceAtExit(); }
    EXPECT_TRUE(desk.screen.frames.empty());
}

TEST(ScreenLink, DestructionSendsTheOffFrame) {
    FakeDesktop desk;
    {
        CScreenLink link;
        link.rcRegion = Rect{1, 2, 3, 4};
    }
    ASSERT_EQ(desk.screen.frames.size(), 1u);
    EXPECT_EQ(desk.screen.frames[0].row, Expected(1024, [](std::uint32_t w) { PaintOffFrame(kOffFlags, w); }));
    EXPECT_EQ(desk.screen.Row(), desk.screen.DesktopRow());
}

}  // namespace
}  // namespace lv
