// The screen-row line code: the three frames the program paints across
// screen row 0 for the monitor's controller to decode.
//
// Every frame is a black lead-in at x = 0..1, 96 cells carrying 24 bits (four
// cells a bit), and a black tail. Blue is a clock (high in the middle two
// cells of each bit), green a 24-bit header naming the frame, red the payload.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace lv {

constexpr int kFrameCells = 96;
constexpr std::uint16_t kOffFlags = 0xD640;
constexpr std::uint32_t kOffBaseWord = 0xA4296000;
constexpr std::uint32_t kRowsHeader = 0xEC6BE100;
constexpr std::uint32_t kColumnsHeader = 0xEC6BE200;

// The geometry of one screen width. `lastColumn` is W, HORZRES - 1.
struct FrameGeometry {
    std::uint32_t lastColumn = 0;
    std::uint32_t cellWidth = 0;   // c = W div 96
    std::uint8_t remainder = 0;    // r = W mod 96
    std::uint8_t extra = 0;        // n = max(r, 4) - 4
    std::int64_t cellStart[kFrameCells + 1] = {};  // X(0) .. X(96)

    explicit FrameGeometry(std::uint32_t lastColumn);
};

// A columns-frame edge: the cell it falls in and its offset there.
struct ColumnEdge {
    std::uint32_t cell = 0;
    std::uint32_t offset = 0;
};

// The off frame's header word for a flag word (only bits 15..8 count).
std::uint32_t OffHeaderWord(std::uint16_t flags);
// The rows frame's payload word.
std::uint32_t RowsPayloadWord(std::uint32_t top, std::uint32_t bottom);
// Maps a screen column onto the frame's cells.
ColumnEdge MapColumn(std::uint32_t value, const FrameGeometry& geometry);

// One stretch of a frame as the painter draws it: a line in `colour` from
// where the previous part ended to `end`.
struct FramePart {
    Colour colour = 0;
    std::int64_t end = 0;
};

// The cells of a frame, in painting order. At most three parts a cell.
struct FramePlan {
    static constexpr int kMaxParts = kFrameCells + 4;
    FramePart parts[kMaxParts];
    int count = 0;
    void Add(Colour colour, std::int64_t end);
};

FramePlan PlanOffFrame(std::uint16_t flags, const FrameGeometry& geometry);
FramePlan PlanRowsFrame(std::uint32_t top, std::uint32_t bottom, const FrameGeometry& geometry);
FramePlan PlanColumnsFrame(std::uint32_t left, std::uint32_t right, const FrameGeometry& geometry);

// Paint a frame on the whole-screen device context, or with a monitor's
// device name on that monitor's top row. They never wait.
void PaintOffFrame(std::uint16_t flags, std::uint32_t lastColumn, const char* device = nullptr);
void PaintRowsFrame(std::uint32_t top, std::uint32_t bottom, std::uint32_t lastColumn, const char* device = nullptr);
void PaintColumnsFrame(std::uint32_t left, std::uint32_t right, std::uint32_t lastColumn,
                       const char* device = nullptr);

// Paints a plan: lead, its parts, tail. Each colour's pen is made once per
// frame; the pixels are those of drawing every part with its own pen.
void PaintFramePlan(const FramePlan& plan, const FrameGeometry& geometry, const char* device = nullptr);

}  // namespace lv
