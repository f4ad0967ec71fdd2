#include "gui/controls/strip_image.h"

#include <cmath>

#include "gui/core/bitmap.h"

std::int32_t guiStripRow(const GuiBitmap* bitmap, std::int32_t row, std::int32_t viewHeight) {
    const std::int32_t last = bitmap ? bitmap->getHeight() - viewHeight : 0;
    if (row > last) row = last;
    return row < 0 ? 0 : row;
}

std::int32_t guiTruncate(double x) {
    constexpr double kLimit = 1 << 30;
    if (std::isnan(x)) return 0;
    if (x > kLimit) return static_cast<std::int32_t>(kLimit);
    if (x < -kLimit) return -static_cast<std::int32_t>(kLimit);
    return static_cast<std::int32_t>(x);
}
