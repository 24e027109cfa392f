// Puts the frames seen on row 0 together into messages.
#include "monitor/message_tracker.h"

#include <utility>

namespace lv::monitor {

void MessageTracker::Feed(double timeMs, const DecodedRow& row) {
    // Samples of the frame already shown change nothing.
    if (hasCurrent_ && row.Valid() && row.SameFrame(current_.frame)) return;
    if (hasCurrent_) EndCurrent(timeMs);
    ExpireRows(timeMs);
    if (row.Valid()) StartFrame(timeMs, row);
}

void MessageTracker::Finish(double timeMs) {
    if (hasCurrent_) EndCurrent(timeMs);
    if (hasPendingRows_) ReportRowsAlone();
}

std::vector<SeenMessage> MessageTracker::TakeMessages() {
    std::vector<SeenMessage> out;
    out.swap(done_);
    return out;
}

void MessageTracker::EndCurrent(double timeMs) {
    hasCurrent_ = false;
    current_.shownMs = timeMs - current_.firstSeenMs;
    switch (current_.frame.kind) {
        case FrameKind::Off:
            Report(MessageKind::Off, &current_, nullptr);
            break;
        case FrameKind::Rows:
            pendingRows_ = current_;
            hasPendingRows_ = true;
            break;
        case FrameKind::Columns:
            if (hasRegionRows_) {
                Report(MessageKind::Region, &regionRows_, &current_);
                hasRegionRows_ = false;
            } else {
                Report(MessageKind::ColumnsOnly, &current_, nullptr);
            }
            break;
        case FrameKind::None:
            break;
    }
}

void MessageTracker::StartFrame(double timeMs, const DecodedRow& row) {
    if (row.kind == FrameKind::Columns && hasPendingRows_) {
        // The second half of a region: the monitor acts on it at once.
        regionRows_ = pendingRows_;
        hasRegionRows_ = true;
        hasPendingRows_ = false;
        enhanced_.active = true;
        enhanced_.top = regionRows_.frame.top;
        enhanced_.bottom = regionRows_.frame.bottom;
        enhanced_.columns = row;
    } else if (hasPendingRows_) {
        ReportRowsAlone();
    }
    if (row.kind == FrameKind::Off) enhanced_ = Enhancement{};
    current_ = SeenFrame{row, timeMs, 0};
    hasCurrent_ = true;
}

void MessageTracker::ExpireRows(double timeMs) {
    if (hasPendingRows_ && timeMs - pendingRows_.firstSeenMs > kMaxRowsToColumnsMs) ReportRowsAlone();
}

void MessageTracker::ReportRowsAlone() {
    hasPendingRows_ = false;
    Report(MessageKind::RowsOnly, &pendingRows_, nullptr);
}

void MessageTracker::Report(MessageKind kind, const SeenFrame* first, const SeenFrame* second) {
    SeenMessage m;
    m.kind = kind;
    m.firstSeenMs = first->firstSeenMs;
    m.frames[0] = *first;
    m.frameCount = 1;
    if (second != nullptr) {
        m.frames[1] = *second;
        m.frameCount = 2;
    }
    done_.push_back(std::move(m));
}

}  // namespace lv::monitor
