// Follows row 0 between messages: remembers the desktop's picture, then
// waits for it to come back after the frames.
#include "monitor/desktop_watch.h"

#include <algorithm>

namespace lv::monitor {

void DesktopWatch::Feed(double timeMs, const Colour* row, std::size_t count, bool frameShown) {
    switch (state_) {
        case State::Watching:
            if (frameShown) {
                state_ = State::InFrames;
            } else {
                reference_.assign(row, row + count);
                hasReference_ = true;
            }
            break;
        case State::InFrames:
            if (frameShown) break;
            leftMs_ = timeMs;
            state_ = State::Waiting;
            [[fallthrough]];
        case State::Waiting:
            if (frameShown) {
                Report(timeMs, false);
                state_ = State::InFrames;
            } else if (!hasReference_) {
                // Watching began during a frame: nothing to compare with.
                state_ = State::Watching;
            } else if (IsReference(row, count)) {
                Report(timeMs, true);
                state_ = State::Watching;
            } else if (timeMs - leftMs_ > kRestoreTimeoutMs) {
                Report(timeMs, false);
                state_ = State::Watching;
                reference_.assign(row, row + count);
            }
            break;
    }
}

std::vector<RestoreEvent> DesktopWatch::TakeEvents() {
    std::vector<RestoreEvent> out;
    out.swap(events_);
    return out;
}

bool DesktopWatch::IsReference(const Colour* row, std::size_t count) const {
    return count == reference_.size() && std::equal(row, row + count, reference_.begin());
}

void DesktopWatch::Report(double atMs, bool restored) {
    events_.push_back(RestoreEvent{leftMs_, atMs, restored});
}

}  // namespace lv::monitor
