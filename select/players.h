// The media players the program knows, one row a player: the classes to look
// for, how detection reaches the video window from them, and the rules of
// following its video window. A new player is one new row.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace lv {

// How detection reaches a player's video window.
enum class VideoAt : std::uint8_t {
    NotDetected,      // followed when clicked, never looked for
    SkinHostOrScan,   // the first player: its skin host's video child, or a scan of its middle row
    NestedPair,       // the second player: two levels under its main window, either order
    TheTopWindow,     // the top-level window's own client area (in full screen too)
    PaneChild,        // the main frame's view pane, child control id 0xE900
};

// The control id of a frame's first view pane.
constexpr int kPaneChildId = 0xE900;

struct PlayerRow {
    const char* name;
    const char* topClass;         // the top-level window detection looks for; none when not detected
    VideoAt videoAt;
    const char* videoClasses[2];  // the video window's classes where they are fixed (up to two)
    bool keepsRegionBehind;       // its video keeps its region while another application is in front
    bool parentTakesOver;         // following moves to the video window's parent
    bool regionIsClientArea;      // detection sends the video window's client area, else its window rectangle
};

// Every player, in the order detection looks for them: the two players the
// program has always known first.
extern const PlayerRow kPlayers[];
extern const int kPlayerCount;

// The row whose video window the followed window is (its class, or its
// place in a player whose video window's class is not fixed); none for an
// ordinary window.
const PlayerRow* PlayerOfVideoWindow(HWindow target, HWindow top);

// Detection's look for one player whose top-level window (maybe none) was
// looked up: its video window, or none.
HWindow FindVideoWindow(const PlayerRow& player, HWindow top);

}  // namespace lv
