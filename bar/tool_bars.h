// The bar's three tool bars, one a state: their resources, the command ids of
// their buttons, and the strip they are laid out in.
#pragma once

#include "bar/bar_scale.h"
#include "platform/types.h"

namespace lv {

constexpr int kToolBarControlId = 0xE800;
constexpr int kToolBarStripWidth = 72;
constexpr int kToolBarStripHeight = 24;

struct ToolBarButtons {
    int resourceId;
    int count;
    int commands[6];
};

// Idle (165), active (172), suspended (174). Only the first three buttons
// lie in the strip: Help, the logo button, the full-screen button.
constexpr ToolBarButtons kToolBarButtons[3] = {
    {165, 6, {32777, 32778, 32779, 32780, 32789, 32791}},
    {172, 4, {32781, 32783, 32784, 32785}},
    {174, 4, {32782, 32786, 32787, 32788}},
};

// The command ids the bar handles.
constexpr int ID_TB_HELP_IDLE = 32777, ID_TB_HELP_ACTIVE = 32781, ID_TB_HELP_SUSPENDED = 32782;
constexpr int ID_TB_LOGO_IDLE = 32778, ID_TB_LOGO_ACTIVE = 32783, ID_TB_LOGO_SUSPENDED = 32786;
constexpr int ID_TB_FULL_IDLE = 32779, ID_TB_FULL_ACTIVE = 32784, ID_TB_FULL_SUSPENDED = 32787;

// Lays out the visible tool bars as if the bar's client area were the
// 72 x 24 strip (at 96 DPI; scaled): each takes the top of what remains,
// full width.
void LayOutToolBars(const HWindow toolBars[3], const BarScale& scale);

// Shows one tool bar (index 0..2) and hides the other two, hiding first:
// Show Bar's order.
void ShowOnlyToolBar(const HWindow toolBars[3], int index);
// The same, showing first: a look's order, so that the bar never stands
// without a tool bar between the calls.
void ShowToolBarThenHideOthers(const HWindow toolBars[3], int index);

}  // namespace lv
