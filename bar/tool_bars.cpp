#include "bar/tool_bars.h"

#include <algorithm>

#include "platform/platform.h"

namespace lv {

// The strip shrinks from the top as each tool bar takes its height; a tool
// bar taller than what remains gets what remains, and one after the strip is
// used up gets an empty rectangle at its bottom.
void LayOutToolBars(const HWindow toolBars[3], const BarScale& scale) {
    const std::int32_t width = scale.Of(kToolBarStripWidth);
    const std::int32_t stripHeight = scale.Of(kToolBarStripHeight);
    std::int32_t top = 0;
    for (int i = 0; i < 3; ++i) {
        if (IsNone(toolBars[i]) || !Windows().IsWindowVisible(toolBars[i])) continue;
        const std::int32_t height = Menus().GetToolBarHeight(toolBars[i]);
        const std::int32_t bottom = std::min(top + std::max(height, 0), stripHeight);
        Menus().PlaceChild(toolBars[i], Rect{0, top, width, bottom});
        top = bottom;
    }
}

void ShowToolBarThenHideOthers(const HWindow toolBars[3], int index) {
    if (!IsNone(toolBars[index])) Windows().ShowWindow(toolBars[index], true);
    for (int i = 0; i < 3; ++i) {
        if (i != index && !IsNone(toolBars[i])) Windows().ShowWindow(toolBars[i], false);
    }
}

void ShowOnlyToolBar(const HWindow toolBars[3], int index) {
    for (int i = 0; i < 3; ++i) {
        if (i != index && !IsNone(toolBars[i])) Windows().ShowWindow(toolBars[i], false);
    }
    if (!IsNone(toolBars[index])) Windows().ShowWindow(toolBars[index], true);
}

}  // namespace lv
