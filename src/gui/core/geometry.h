// Rectangles and points in pixels of the frame's window, y growing downward.
//
// A rectangle's far edges belong to it: a point on `right` or `bottom` is
// inside, and drawRect outlines them. Width and height are right - left and
// bottom - top (no +1); bitmap copies cover width x height pixels.
#pragma once

#include <cstdint>

struct GuiRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    constexpr GuiRect() = default;
    constexpr GuiRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
        : left(left), top(top), right(right), bottom(bottom) {}

    constexpr std::int32_t width() const { return right - left; }
    constexpr std::int32_t height() const { return bottom - top; }
    friend constexpr bool operator==(const GuiRect&, const GuiRect&) = default;
};

struct GuiPoint {
    std::int32_t h = 0;  // x
    std::int32_t v = 0;  // y

    constexpr GuiPoint() = default;
    constexpr GuiPoint(std::int32_t h, std::int32_t v) : h(h), v(v) {}

    constexpr void set(std::int32_t newH, std::int32_t newV) {
        h = newH;
        v = newV;
    }
    // Both edges included on each axis.
    constexpr bool isInside(const GuiRect& r) const {
        return h >= r.left && h <= r.right && v >= r.top && v <= r.bottom;
    }
    friend constexpr bool operator==(const GuiPoint&, const GuiPoint&) = default;
};
