// The monitor's lines of text: one a message, one a frame, one for the
// desktop's return; the same on every platform, so that scripts read the
// Linux and the Windows monitor alike. monitor/README.md describes them.
#pragma once

#include <string>

#include "monitor/desktop_watch.h"
#include "monitor/message_tracker.h"

namespace lv::monitor {

// A red edge's screen columns: "40", "40-41" when it stands for both,
// "1021+" for an edge at or past the end of the frame.
std::string ColumnText(const ColumnSpan& span);

// "0.512 off", "0.812 region 40 60 700 500", "0.812 rows 60 500",
// "0.862 columns 40 700"; times in seconds, three decimals.
std::string MessageLine(const SeenMessage& message);
// "0.812 frame rows 50.1 60 500", "0.862 frame columns 100.4 41 697",
// "0.512 frame off 100.2 EC6BE0".
std::string FrameLine(const SeenFrame& frame);
// "0.962 restored 0.3": the frames left the row at 0.962 s and the desktop's
// picture was back 0.3 ms later; "0.962 unrestored": it was not, within a
// second or before the next frame.
std::string RestoreLine(const RestoreEvent& event);

}  // namespace lv::monitor
