// The position arithmetic that the vertical and horizontal multi-position
// switches share. A switch has n positions with the values 0, 1/(n-1), ...
// 1; its images are stacked vertically in one bitmap, one per position.
#pragma once

#include <cstdint>

// Top row of the image for `value`: the first image below the first step,
// the last at 1.0 and above (and for NaN). Never outside
// 0 .. (positionCount - 1) * imageHeight.
std::int32_t guiSwitchImageRow(float value, std::int32_t positionCount, std::int32_t imageHeight);

// The value for a pointer `offset` pixels into a switch whose positions
// share `extent` pixels in equal zones. Zone i covers offsets below
// truncate(i * zone) (up to and including it when `inclusive`); anything
// beyond the last zone gives 1.0, anything before the first gives 0.0.
float guiSwitchValueAt(std::int32_t offset, std::int32_t extent, std::int32_t positionCount,
                       bool inclusive);
