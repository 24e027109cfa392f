#include "monitor/legend_text.h"

#include <cstdio>

#include "monitor/report.h"

namespace lv::monitor {

std::string StateText(const Enhancement& e) {
    if (!e.active) return "not enhancing";
    char text[96];
    if (!e.columns.hasRed) {
        std::snprintf(text, sizeof text, "enhancing nothing: rows %u %u, no columns", e.top, e.bottom);
    } else {
        std::snprintf(text, sizeof text, "enhancing %s %u %s %u", ColumnText(e.columns.left).c_str(), e.top,
                      ColumnText(e.columns.right).c_str(), e.bottom);
    }
    return text;
}

std::string LastText(const SeenMessage* m) {
    if (m == nullptr) return "last: -";
    // The message's line without its time.
    const std::string line = MessageLine(*m);
    const std::size_t space = line.find(' ');
    std::string text = "last: " + (space == std::string::npos ? line : line.substr(space + 1)) + " (";
    for (int i = 0; i < m->frameCount; ++i) {
        char part[48];
        std::snprintf(part, sizeof part, "%s%s %.0f ms", i ? ", " : "", KindName(m->frames[i].frame.kind),
                      m->frames[i].shownMs);
        text += part;
    }
    return text + ")";
}

std::vector<std::string> LegendLines(const Desk& desk, double readsPerSecond) {
    char rate[96];
    if (desk.Count() == 1) {
        std::snprintf(rate, sizeof rate, "row 0 (%d pixels) read %.0f times a second",
                      int(desk.Monitor(0).rect.Width()), readsPerSecond);
        return {StateText(desk.Enhanced(0)), LastText(desk.Last(0)), rate};
    }
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < desk.Count(); ++i) {
        lines.push_back(MonitorName(desk.Monitor(i).device) + ": " + StateText(desk.Enhanced(i)));
        lines.push_back("    " + LastText(desk.Last(i)));
    }
    std::snprintf(rate, sizeof rate, "top rows of %zu monitors read %.0f times a second", desk.Count(), readsPerSecond);
    lines.push_back(rate);
    return lines;
}

}  // namespace lv::monitor
