// The text of lvmon.exe's legend window: what the monitor enhances, the last
// message with its frames' times, and how often the rows are read.
#pragma once

#include <string>
#include <vector>

#include "monitor/desk.h"
#include "monitor/message_tracker.h"

namespace lv::monitor {

// "enhancing 40 60 700 500", in the columns' and rows' numbers of the lines
// lvmon prints; "not enhancing".
std::string StateText(const Enhancement& enhanced);
// "last: region 40 60 700 500 (rows 51 ms, columns 102 ms)"; "last: -"
// before the first message.
std::string LastText(const SeenMessage* last);

// On a desk of one monitor three lines: its state, its last message and
// "row 0 (1024 pixels) read 998 times a second". With several, each
// monitor's state after its name ("DISPLAY2: enhancing ...") and its last
// message under it, then "top rows of 2 monitors read 998 times a second".
std::vector<std::string> LegendLines(const Desk& desk, double readsPerSecond);

}  // namespace lv::monitor
