// Plain value types shared by the logic and every platform: points,
// rectangles, colours and opaque handles. Nothing here knows about Windows.
#pragma once

#include <cstdint>

namespace lv {

// A colour as the display takes it: 0x00BBGGRR, red in the low byte.
using Colour = std::uint32_t;

constexpr Colour MakeColour(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Colour(r) | (Colour(g) << 8) | (Colour(b) << 16);
}
constexpr std::uint8_t RedOf(Colour c) { return std::uint8_t(c & 0xFF); }
constexpr std::uint8_t GreenOf(Colour c) { return std::uint8_t((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(Colour c) { return std::uint8_t((c >> 16) & 0xFF); }

// Screen point, signed 32-bit pixels.
struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }
    friend bool operator!=(const Point& a, const Point& b) { return !(a == b); }
};

// Screen rectangle; right and bottom are exclusive, as a window rectangle
// gives them.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    friend bool operator==(const Rect& a, const Rect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    friend bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }
};

// Opaque handles. Each platform maps them to its own objects; zero is "none"
// everywhere, as it is for the Win32 handles they stand for.
enum class HWindow : std::uintptr_t { None = 0 };
enum class HDc : std::uintptr_t { None = 0 };
enum class HPen : std::uintptr_t { None = 0 };
enum class HBitmap : std::uintptr_t { None = 0 };
enum class HMutex : std::uintptr_t { None = 0 };
enum class HCursor : std::uintptr_t { None = 0 };
enum class HIcon : std::uintptr_t { None = 0 };
enum class HMenu : std::uintptr_t { None = 0 };

template <typename H>
constexpr bool IsNone(H h) { return h == H::None; }

}  // namespace lv
