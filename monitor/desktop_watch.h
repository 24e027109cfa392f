// Whether row 0 is the desktop's again after the link's frames: the picture
// the row showed before the first frame of a message must come back once the
// last one has gone. A row still showing part of a frame, or anything else,
// is not the desktop's.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/types.h"

namespace lv::monitor {

// How long after the frames have gone the desktop may take to repaint.
constexpr double kRestoreTimeoutMs = 1000;

struct RestoreEvent {
    double framesLeftMs = 0;  // the first sample without a frame
    double atMs = 0;          // restored: the first sample with the desktop's row
    bool restored = false;    // false: timed out, or a frame came first
};

class DesktopWatch {
public:
    // One sample: the row and whether it carries a valid frame.
    void Feed(double timeMs, const Colour* row, std::size_t count, bool frameShown);
    std::vector<RestoreEvent> TakeEvents();

private:
    enum class State { Watching, InFrames, Waiting };
    bool IsReference(const Colour* row, std::size_t count) const;
    void Report(double atMs, bool restored);

    State state_ = State::Watching;
    std::vector<Colour> reference_;
    bool hasReference_ = false;
    double leftMs_ = 0;
    std::vector<RestoreEvent> events_;
};

}  // namespace lv::monitor
