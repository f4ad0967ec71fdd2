#include "gui/controls/digit_display.h"

#include "gui/controls/strip_image.h"
#include "gui/core/bitmap.h"

GuiDigitDisplay::GuiDigitDisplay(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                                 std::int32_t initialValue, std::int32_t digitCount,
                                 const std::int32_t* xs, const std::int32_t* ys,
                                 std::int32_t digitWidth, std::int32_t digitHeight,
                                 GuiBitmap* bitmap)
    : GuiControl(size, listener, tag),
      bitmap(bitmap),
      digitCount(digitCount < 1 ? 1 : (digitCount > kMaxDigits ? kMaxDigits : digitCount)),
      digitWidth(digitWidth),
      digitHeight(digitHeight) {
    value = static_cast<float>(initialValue);
    for (std::int32_t i = 0; i < this->digitCount; ++i) {
        digitX[i] = xs ? xs[i] : 0;
        digitY[i] = ys ? ys[i] : 0;
    }
    std::int32_t top = 1;
    for (std::int32_t i = 0; i < this->digitCount; ++i) top *= 10;
    max = static_cast<float>(top - 1);
    min = 0.0f;
}

float GuiDigitDisplay::getValueFraction() const {
    const float m = getMax();
    if (m == 0.0f) return 0.0f;
    const float f = value / m;
    return f > 1.0f ? 1.0f : (f > 0.0f ? f : 0.0f);
}

std::array<std::int32_t, GuiDigitDisplay::kMaxDigits> GuiDigitDisplay::digits() const {
    const std::int32_t low = guiTruncate(getMin());
    const std::int32_t high = guiTruncate(getMax());
    std::int32_t shown = guiTruncate(value);
    if (shown < low) shown = low;
    if (shown >= high) shown = high;
    auto divisor = static_cast<std::int32_t>((static_cast<std::int64_t>(high) + 1) / 10);
    std::array<std::int32_t, kMaxDigits> out{};
    for (std::int32_t i = 0; i < digitCount; ++i) {
        // A max with fewer digits than the display runs out of divisors.
        const std::int32_t digit = divisor > 0 ? shown / divisor : 0;
        shown -= digit * divisor;
        divisor /= 10;
        out[i] = digit < 0 ? 0 : (digit > 9 ? 9 : digit);
    }
    return out;
}

void GuiDigitDisplay::draw(GuiDrawContext* context) {
    if (bitmap) {
        const auto shown = digits();
        for (std::int32_t i = 0; i < digitCount; ++i) {
            const GuiRect r(digitX[i], digitY[i], digitX[i] + digitWidth, digitY[i] + digitHeight);
            bitmap->draw(context, r, GuiPoint(0, shown[i] * digitHeight));
        }
    }
    oldValue = value;
}
