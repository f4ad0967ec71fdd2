// Where a control's picture starts in a bitmap that stacks its images
// vertically. A value outside a control's range, or a strip shorter than the
// control believes, would otherwise copy rows from beyond the bitmap's end;
// the row is kept inside the bitmap so the nearest end image shows.
#pragma once

#include <cstdint>

class GuiBitmap;

// The first row of a `viewHeight`-high area starting at `row`, moved to
// lie within the bitmap (0 when the bitmap is null or not as high as the view).
std::int32_t guiStripRow(const GuiBitmap* bitmap, std::int32_t row, std::int32_t viewHeight);

// Truncates toward zero; NaN and magnitudes beyond the pixel range give 0 or
// the range's end instead of an undefined conversion.
std::int32_t guiTruncate(double x);
