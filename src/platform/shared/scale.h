// Device pixels of a panel drawn at a scale, in per cent of the design's
// pixels. The toolkit works only in the design's coordinates; the backends
// map them here, one way for drawing and the other for the pointer.
//
// | direction            | rule                                   | 150 %          |
// |----------------------|----------------------------------------|----------------|
// | design -> device     | v * scale / 100, rounded half up       | 1 -> 2, 25 -> 38 |
// | device -> design     | d * 100 / scale, rounded down          | 2 -> 1, 37 -> 24 |
// | strip row -> device  | whole cells first, then the rest       | 50 -> 76 (cell 25) |
//
// Rounding down on the way back keeps a pointer inside the design pixel
// whose device pixels it is over.
#pragma once

namespace platform::shared {

inline constexpr int kUnscaled = 100;

constexpr int floorDivide(long long value, int divisor) {
    const long long q = value / divisor;
    return static_cast<int>((value % divisor != 0 && value < 0) ? q - 1 : q);
}

constexpr int toDevice(int v, int scalePercent) {
    return floorDivide(static_cast<long long>(v) * scalePercent + 50, 100);
}

constexpr int toDesign(int d, int scalePercent) {
    return floorDivide(static_cast<long long>(d) * 100, scalePercent);
}

// Rows of a picture made of cells scaled one by one (each frame of a strip
// rounded on its own), so cell n starts at n times the scaled cell.
constexpr int toDeviceInCells(int v, int cell, int scalePercent) {
    if (cell <= 0) return toDevice(v, scalePercent);
    const int whole = floorDivide(v, cell);
    return whole * toDevice(cell, scalePercent) + toDevice(v - whole * cell, scalePercent);
}

// The scales a window accepts.
constexpr bool isSupportedScale(int scalePercent) {
    return scalePercent >= 100 && scalePercent <= 400;
}

}  // namespace platform::shared
