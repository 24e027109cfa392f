// The monitor's view over time: frames as they come and go on row 0, put
// together into the link's messages. A rows frame followed by a columns
// frame within the link's timing is a region; an off frame ends whatever the
// monitor enhances. Each message is reported once, when its last frame has
// left the row, with the time it was first seen and how long each frame
// stayed.
#pragma once

#include <cstddef>
#include <vector>

#include "monitor/row_decoder.h"

namespace lv::monitor {

// The longest wait from a rows frame's first sight to its columns frame's
// that still makes one region. The link paints them 50 ms apart; a busy
// machine may stretch that, a later message comes at least 100 ms after.
constexpr double kMaxRowsToColumnsMs = 200;

// One frame while it was on the row.
struct SeenFrame {
    DecodedRow frame;
    double firstSeenMs = 0;
    // From the first sample that showed it to the first that did not.
    double shownMs = 0;
};

enum class MessageKind {
    Off,          // an off frame
    Region,       // a rows frame, then its columns frame
    RowsOnly,     // a rows frame no columns frame followed in time
    ColumnsOnly,  // a columns frame without a rows frame before it
};

struct SeenMessage {
    MessageKind kind = MessageKind::Off;
    double firstSeenMs = 0;  // its first frame's
    SeenFrame frames[2];     // in order; a region's rows frame, then columns
    int frameCount = 0;
};

// What the monitor enhances now.
struct Enhancement {
    bool active = false;
    std::uint32_t top = 0;  // the rows frame's fields
    std::uint32_t bottom = 0;
    DecodedRow columns;  // the columns frame
};

class MessageTracker {
public:
    // One sample of row 0 at `timeMs` (never earlier than the last sample).
    void Feed(double timeMs, const DecodedRow& row);
    // Watching ends: a frame still on the row ends now, a rows frame still
    // waiting for its columns is reported alone.
    void Finish(double timeMs);

    // The messages completed since the last call, in the order they ended.
    std::vector<SeenMessage> TakeMessages();

    const Enhancement& Enhanced() const { return enhanced_; }
    bool FrameShown() const { return hasCurrent_; }

private:
    void EndCurrent(double timeMs);
    void StartFrame(double timeMs, const DecodedRow& row);
    void ExpireRows(double timeMs);
    void ReportRowsAlone();
    void Report(MessageKind kind, const SeenFrame* first, const SeenFrame* second);

    bool hasCurrent_ = false;
    SeenFrame current_;
    // A rows frame that has left the row and waits for its columns frame.
    bool hasPendingRows_ = false;
    SeenFrame pendingRows_;
    // The rows frame of the region whose columns frame is on the row now.
    bool hasRegionRows_ = false;
    SeenFrame regionRows_;
    Enhancement enhanced_;
    std::vector<SeenMessage> done_;
};

}  // namespace lv::monitor
