#include "bar/tool_bars.h"

#include "platform/platform.h"

namespace lv {

void LayOutToolBars(const HWindow toolBars[3]) {
    std::int32_t top = 0;
    for (int i = 0; i < 3; ++i) {
        if (IsNone(toolBars[i]) || !Windows().IsWindowVisible(toolBars[i])) continue;
        const std::int32_t height = Menus().GetToolBarHeight(toolBars[i]);
        Menus().PlaceChild(toolBars[i], Rect{0, top, kToolBarStripWidth, top + height});
        top += height;
    }
}

void ShowOnlyToolBar(const HWindow toolBars[3], int index) {
    for (int i = 0; i < 3; ++i) {
        if (i != index && !IsNone(toolBars[i])) Windows().ShowWindow(toolBars[i], false);
    }
    if (!IsNone(toolBars[index])) Windows().ShowWindow(toolBars[index], true);
}

}  // namespace lv
