// Detection: while the program is idle after start-up, every 1.5 s it looks
// for a running media player's video window, player by player in the
// table's order, and, when it finds one, enhances it and starts following
// it, without a click.
#include <cstdio>

#include "bar/lv_dlg.h"
#include "link/screen_link.h"
#include "platform/platform.h"
#include "select/players.h"
#include "select/region.h"
#include "select/selection_state.h"
#include "select/steps.h"
#include "select/window_classes.h"

namespace lv {

namespace {

// The video window V is found: its window rectangle (for the newer
// players, its client area, which is the picture) becomes the region,
// clamped to its monitor as a click's is, and following starts. The corners
// kept for following are the whole rectangle's, so that a part past an edge
// comes on when the player is moved back.
void TakeVideoWindow(CLvDlg& bar, const PlayerRow& player, HWindow v) {
    SelectionState& s = TheSelection();
    IWindows& windows = Windows();
    const Rect f = windows.GetWindowRect(v);
    const Rect g = windows.GetClientRect(v);
    Rect whole = f;
    if (player.regionIsClientArea) {
        const Point tl = windows.ClientToScreen(v, Point{0, 0});
        whole = Rect{tl.x, tl.y, tl.x + g.right, tl.y + g.bottom};
    }
    // Detection runs before any selection: never inside an MDI client.
    const Rect region = ClampRegion(s, whole);
    char line[96];
    std::snprintf(line, sizeof line, "lumivane: found the video window of %s", player.name);
    System().Trace(line);
    SendOffThenRegion(region);
    s.bAutoDetect = 0;
    bar.SetState(STATE_ACTIVE);
    s.bRegionSent = 1;
    s.bFollowing = 1;
    bar.ShowLook(STATE_ACTIVE);
    s.hwndTarget = v;
    s.hwndTop = OutermostAncestor(v);
    s.hwndWatch = s.hwndTop;
    bar.RestartSelectionTimer(kFollowPeriodMs);
    s.rcLastWindow = f;
    s.rcLastClient = g;
    s.ptClientTL = windows.ScreenToClient(v, Point{whole.left, whole.top});
    s.ptClientBR = windows.ScreenToClient(v, Point{whole.right, whole.bottom});
}

}  // namespace

// A player whose main window runs without a video window ends this tick's
// look, as the first player always has: the next tick looks again. A
// player that is not running leaves the look to the next row. Nothing found
// changes nothing.
void DetectVideoWindow(CLvDlg& bar) {
    for (int i = 0; i < kPlayerCount; ++i) {
        const PlayerRow& player = kPlayers[i];
        if (player.videoAt == VideoAt::NotDetected) continue;
        const HWindow top = Windows().FindWindow(player.topClass);
        const HWindow v = FindVideoWindow(player, top);
        if (!IsNone(v)) return TakeVideoWindow(bar, player, v);
        if (!IsNone(top)) return;
    }
}

}  // namespace lv
