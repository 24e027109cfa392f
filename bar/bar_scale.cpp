#include "bar/bar_scale.h"

#include "platform/screen.h"

namespace lv {

namespace {

// The scales the pictures are drawn at, in percent, and a tool bar
// picture's size at each (17 x 15 scaled, halves rounded up).
constexpr std::uint32_t kArtScales[] = {100, 125, 150, 175, 200, 250, 300};
constexpr Point kImageSizes[] = {{17, 15}, {21, 19}, {26, 23}, {30, 26}, {34, 30}, {43, 38}, {51, 45}};

}  // namespace

BarScale::BarScale(std::uint32_t dpi) : dpi_(dpi == 0 ? kDefaultDpi : dpi), art_(0) {
    // The largest drawn scale not above this one: a picture is never
    // stretched, at most a little smaller than its place.
    for (int i = 0; i < int(sizeof kArtScales / sizeof kArtScales[0]); ++i) {
        if (kArtScales[i] * kDefaultDpi <= dpi_ * 100) art_ = i;
    }
}

std::int32_t BarScale::Of(std::int32_t at96) const { return ScaleToDpi(at96, dpi_); }

Point BarScale::ImageSize() const { return kImageSizes[art_]; }

}  // namespace lv
