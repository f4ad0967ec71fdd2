// The coordinate pictures: every pixel's colour names its own position, so
// a test reads one pixel of a copy and knows where in the bitmap it came
// from. Used as image strips (images stacked from the top) as well.
#pragma once

#include <cstdint>

namespace guitest {

inline constexpr int kCoordinateWidth = 48;
inline constexpr int kCoordinateHeight = 80;
inline constexpr std::uint8_t kLitBlue = 77;
inline constexpr std::uint8_t kUnlitBlue = 177;

struct CoordinateColor {
    std::uint8_t r, g, b;
};

inline constexpr CoordinateColor coordinateColor(int x, int y, std::uint8_t blue) {
    return {static_cast<std::uint8_t>(x * 5), static_cast<std::uint8_t>(y * 3), blue};
}

}  // namespace guitest
