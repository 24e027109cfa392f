// The monitor's reading of screen row 0: which frame, if any, one row of
// pixels carries, read the way a display controller would read it from the
// video signal - clock cells on blue, a fixed header on green, the payload on
// red - without knowing how the program built it.
//
// A row counts as a frame only when every pixel fits: a row partly covered by
// the desktop, a half-repainted row or a row of another width answers "no
// frame" with the reason, never a wrong message.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/types.h"

namespace lv::monitor {

constexpr int kClockPulses = 24;                 // one a bit
constexpr int kCells = 4 * kClockPulses;         // four cells a bit
constexpr std::uint32_t kHeaderPattern = 0xEC6BE;  // the first 20 header bits
// A row shorter than this cannot hold the lead, 96 one-pixel cells, the tail
// and the last pixel.
constexpr std::size_t kMinRowPixels = 2 + kCells + 3 + 1;

enum class FrameKind { None, Off, Rows, Columns };

// Why a row carries no frame.
enum class RowFault {
    None,
    TooNarrow,    // fewer pixels than a frame needs
    WrongClock,   // no clean lead, 24 clock pulses of regular cells and tail
    WrongHeader,  // the first 20 green bits are not the fixed pattern
    UnknownType,  // a header type code other than 0, 1 or 2
    BadPayload,   // red that no frame of that type shows
};

// The screen columns a red edge stands for: every column from `first` to
// `last` is painted at that x. `last` is kNoLimit for an edge past the frame.
struct ColumnSpan {
    static constexpr std::uint32_t kNoLimit = 0xFFFFFFFF;
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    bool Exact() const { return first == last; }
    bool Contains(std::uint32_t column) const { return column >= first && column <= last; }
    friend bool operator==(const ColumnSpan& a, const ColumnSpan& b) {
        return a.first == b.first && a.last == b.last;
    }
};

struct DecodedRow {
    FrameKind kind = FrameKind::None;
    RowFault fault = RowFault::None;
    // The 24 header bits shown on green, first bit highest (0xEC6BE0 for
    // the off frame); read whenever the clock was found.
    std::uint32_t header = 0;
    // Rows frame: the two 12-bit fields of the payload.
    std::uint32_t top = 0;
    std::uint32_t bottom = 0;
    // Columns frame: the red run, x of its first pixel and one past its last
    // (equal when there is no red); the screen columns each edge stands for
    // (meaningful only when hasRed).
    bool hasRed = false;
    std::int32_t redFirst = 0;
    std::int32_t redEnd = 0;
    ColumnSpan left;
    ColumnSpan right;

    bool Valid() const { return kind != FrameKind::None; }
    // Same frame: kind and every value it carries.
    bool SameFrame(const DecodedRow& other) const;
};

// Decodes one row, x = 0 .. count - 1 (the last column is count - 1).
DecodedRow DecodeRow(const Colour* row, std::size_t count);

const char* FaultName(RowFault fault);
const char* KindName(FrameKind kind);

}  // namespace lv::monitor
