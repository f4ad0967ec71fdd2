// GuiDigitDisplay: an integer value shown as 1 to 7 digits, each cut from a
// bitmap that stacks the digit images 0 to 9 from the top and placed at its
// own position. No mouse handling.
//
// The shown number is the value's integer part limited to min..max (max is
// 10^digitCount - 1, min 0, at construction); the first digit is the most
// significant and leading zeros show: 42.7 on three digits is 0 4 2, 5000
// is 9 9 9. A digit count outside 1..7 is brought into it; a max set later
// that has fewer digits than the display shows zeros in the extra places.
//
// Virtual operations after GuiControl's: 20 getValueFraction.
//
// Ownership: the bitmap holds one reference.
// Threads: user-interface thread only.
#pragma once

#include <array>
#include <cstdint>

#include "gui/controls/control.h"
#include "gui/core/bitmap_ref.h"

class GuiDigitDisplay : public GuiControl {
public:
    static constexpr std::int32_t kMaxDigits = 7;

    // `xs` and `ys` hold (at least) digitCount positions in frame coordinates.
    GuiDigitDisplay(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                    std::int32_t initialValue, std::int32_t digitCount, const std::int32_t* xs,
                    const std::int32_t* ys, std::int32_t digitWidth, std::int32_t digitHeight,
                    GuiBitmap* bitmap);

    void draw(GuiDrawContext* context) override;

    // value / max within 0..1 (0 when max is 0).
    virtual float getValueFraction() const;

    // The digits the current value shows, most significant first.
    std::array<std::int32_t, kMaxDigits> digits() const;
    std::int32_t getDigitCount() const { return digitCount; }

protected:
    GuiBitmapRef bitmap;
    std::int32_t digitCount;
    std::array<std::int32_t, kMaxDigits> digitX{};
    std::array<std::int32_t, kMaxDigits> digitY{};
    std::int32_t digitWidth;
    std::int32_t digitHeight;
};
