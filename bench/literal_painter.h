// A frame painter that follows the frame's steps word for word: a pen made,
// selected and deleted for every part, the lead, each part and the tail as
// separate lines. The yardstick the program's painter is checked and timed
// against; the program itself never uses it.
#pragma once

#include "link/line_code.h"
#include "platform/platform.h"

namespace lv {

inline void PaintFramePlanLiterally(const FramePlan& plan, const FrameGeometry& g) {
    IScreen& s = Screen();
    const HDc dc = s.OpenScreenDC();
    if (IsNone(dc)) return;
    auto line = [&](Colour c, std::int64_t x) {
        const HPen pen = s.CreateSolidPen(c);
        const HPen old = s.SelectPen(dc, pen);
        s.LineTo(dc, std::int32_t(x), 0);
        s.SelectPen(dc, old);
        s.DeletePen(pen);
    };
    s.MoveTo(dc, 0, 0);
    line(0, std::int64_t(g.lastColumn) + 1);
    for (int i = 0; i < plan.count; ++i) line(plan.parts[i].colour, plan.parts[i].end);
    s.MoveTo(dc, std::int32_t(g.cellStart[kFrameCells]), 0);
    line(0, g.lastColumn);
    s.CloseScreenDC(dc);
}

}  // namespace lv
