// Colours: red, green, blue and a fourth byte that the toolkit sets to 0 and
// never reads. Two colours are equal when their red, green and blue agree;
// the fourth byte is not compared.
#pragma once

#include <cstdint>

struct GuiColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t unused = 0;

    friend constexpr bool operator==(const GuiColor& a, const GuiColor& b) {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
};

inline constexpr GuiColor kColorWhite{255, 255, 255, 0};
inline constexpr GuiColor kColorBlack{0, 0, 0, 0};
inline constexpr GuiColor kColorGrey{127, 127, 127, 0};
inline constexpr GuiColor kColorRed{255, 0, 0, 0};
inline constexpr GuiColor kColorGreen{0, 255, 0, 0};
inline constexpr GuiColor kColorBlue{0, 0, 255, 0};
inline constexpr GuiColor kColorYellow{255, 255, 0, 0};
inline constexpr GuiColor kColorMagenta{255, 0, 255, 0};
inline constexpr GuiColor kColorCyan{0, 255, 255, 0};
// Bitmaps drawn with drawTransparent leave the background where they have
// this colour.
inline constexpr GuiColor kColorTransparentKey{255, 255, 255, 0};
