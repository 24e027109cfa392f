// Pictures drawn at 1x and 2x, shown at the scale of their monitor: at 96
// DPI the 1x one as it is, above it the 2x one drawn down (or up) to the 1x
// size scaled, never the 1x one stretched.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace lv {

// The bitmap resources `name` (1x) and `name2x` (2x) for a window at `dpi`.
// The caller owns the answer; None when neither exists.
HBitmap LoadPictureAtDpi(const char* name, const char* name2x, std::uint32_t dpi);

}  // namespace lv
