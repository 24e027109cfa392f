// The link to the monitor: paints one message on screen row 0, holds it for
// its time, then has the desktop repaint the top rows.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace lv {

enum SendMode : std::uint32_t {
    SEND_OFF = 1,     // the off frame
    SEND_REGION = 2,  // rows frame, pause, columns frame
};

class CScreenLink {
public:
    CScreenLink() = default;
    // The off frame once more: the monitor must not keep enhancing a region
    // of a program that has ended.
    ~CScreenLink();
    CScreenLink(const CScreenLink&) = delete;
    CScreenLink& operator=(const CScreenLink&) = delete;

    // Paints one message and returns once the repaint has been asked for:
    // 200 ms for SEND_OFF, 250 ms for SEND_REGION, on the calling thread.
    void Send(std::uint32_t mode);
    // Reads HORZRES into nLastColumn.
    void MeasureScreen();
    // Destruction then paints nothing: a copy of the program that found
    // another one running must leave the monitor to that one.
    void SilenceAtExit() { silent_ = true; }
    bool IsSilencedAtExit() const { return silent_; }

    std::uint32_t nDelay = 50;  // the pause unit, ms
    Rect rcRegion;              // the region the next SEND_REGION paints
    std::uint32_t nLastColumn = 0;

private:
    void EraseTopRows();
    bool silent_ = false;
};

// The flags the erase uses: invalidating alone would leave the desktop
// background and window frames under row 0 unpainted, and the pattern on the
// screen.
constexpr std::uint32_t kEraseFlags = 0x0001 | 0x0080 | 0x0004 | 0x0400;
constexpr std::int32_t kEraseRows = 5;

// The program's one link, alive from static initialisation to process exit.
CScreenLink& TheScreenLink();

}  // namespace lv
