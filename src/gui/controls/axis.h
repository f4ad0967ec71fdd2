// The axis a slider or a multi-position switch works along. The horizontal
// and vertical classes of each pair share one implementation that takes it.
#pragma once

enum class GuiAxis { horizontal, vertical };

// `h` on the horizontal axis, `v` on the vertical one.
template <typename T>
constexpr T guiAlong(GuiAxis axis, T h, T v) {
    return axis == GuiAxis::horizontal ? h : v;
}
