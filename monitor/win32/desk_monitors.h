// The desk's monitors as Windows lists them, in physical pixels.
#pragma once

#include <vector>

#include "monitor/desk.h"

namespace lv::monitor::win32 {

// Asks for physical pixels on every monitor (per-monitor DPI awareness,
// where the system has it), so that a monitor at 150 % is read and outlined
// in its own pixels, as the program paints it. Call before any window.
void UsePhysicalPixels();

// Every monitor, the primary first. When the system lists none, the primary
// screen as the system metrics give it.
std::vector<DeskMonitor> ReadDeskMonitors();

}  // namespace lv::monitor::win32
