// lvrow's command line: which frame to paint, with which values, on a screen
// of which width. Apart from the tool so that its fuzz target reads
// arguments exactly as lvrow does.
#pragma once

#include <cstdint>

#include "link/line_code.h"

namespace lv {

constexpr std::uint32_t kLvrowMaxHorzRes = 1u << 20;

enum class LvrowFrame { Off, Rows, Columns };

struct LvrowArgs {
    LvrowFrame frame = LvrowFrame::Off;
    std::uint32_t a = 0;  // top or left
    std::uint32_t b = 0;  // bottom or right
    std::uint32_t horzRes = 0;
    std::uint16_t flags = kOffFlags;
};

// A 32-bit number: decimal or 0x hex digits only, optionally after one '-',
// which stands for the 32-bit two's complement (down to -0x80000000).
bool ParseWord(const char* text, std::uint32_t& out);

// argv as main gets it (argv[0] the program):
//   off HORZRES [FLAGS] | rows TOP BOTTOM HORZRES | columns LEFT RIGHT HORZRES
// HORZRES 1 .. kLvrowMaxHorzRes, FLAGS at most 0xFFFF. False for anything else.
bool ParseLvrowArgs(int argc, const char* const* argv, LvrowArgs& out);

}  // namespace lv
