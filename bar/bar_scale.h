// The bar's measures at the DPI of its monitor: everything it lays out is
// given at 96 DPI (100 %) and scaled, and its pictures come drawn for the
// nearest scale at or below it (100, 125, 150, 175, 200, 250, 300 %), so
// that none is stretched.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace lv {

constexpr std::uint32_t kDefaultDpi = 96;

class BarScale {
public:
    explicit BarScale(std::uint32_t dpi = kDefaultDpi);

    std::uint32_t Dpi() const { return dpi_; }
    // A length at 96 DPI, scaled to the nearest pixel.
    std::int32_t Of(std::int32_t at96) const;
    // The resource of a picture drawn for this scale: the 100 % one's id,
    // plus 1000 for each step up the scales.
    int Art(int baseId) const { return baseId + 1000 * art_; }
    // A tool bar button's picture, as drawn for that scale (17 x 15 at 100 %).
    Point ImageSize() const;
    // A tool bar button (24 x 22 at 100 %).
    Point ButtonSize() const { return Point{Of(24), Of(22)}; }

private:
    std::uint32_t dpi_;
    int art_;  // 0 for 100 %, ..., 6 for 300 %
};

}  // namespace lv
