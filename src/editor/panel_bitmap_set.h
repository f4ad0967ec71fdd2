// The panel's bitmap resources at each screen scale: one table that the
// drawing tool (tools/resgen), the tests and the panel's loader share, so an
// id or a size is written once.
//
// Every picture exists at 100 %, 150 % and 200 %. The larger sets are drawn
// at their size (vectors and text re-rendered), not enlarged pixels:
//
// | scale | ids        | id                |
// |-------|------------|-------------------|
// | 100 % | 120 .. 126 | base              |
// | 150 % | 220 .. 226 | base + 100        |
// | 200 % | 320 .. 326 | base + 200        |
//
// Sizes: each frame of a strip is scaled on its own and rounded half up
// (a 25-pixel frame is 38 pixels at 150 %), so frame n of a strip always
// starts at n times the scaled frame height.
#pragma once

#include <cstdint>

namespace molvex {

struct PanelBitmap {
    std::int32_t id;  // at 100 %
    int width;        // at 100 %
    int frameHeight;  // at 100 %
    int frames;       // stacked top to bottom
};

// | id  | picture                                                      |
// |-----|--------------------------------------------------------------|
// | 120 | the panel: sections, knob bodies, labels, display, buttons   |
// | 121 | one knob body on the panel's colour                          |
// | 122 | knob handle: a dark dot, everything else pure white (key)    |
// | 123 | type switch, three frames: LP, HP, BP lit yellow             |
// | 124 | "+" button, two frames: blue sign (released), yellow (held)  |
// | 125 | "-" button, the same with a minus                            |
// | 126 | red dot on white                                             |
inline constexpr PanelBitmap kPanelBitmaps[] = {
    {120, 420, 64, 1}, {121, 24, 24, 1}, {122, 11, 11, 1}, {123, 24, 25, 3},
    {124, 12, 8, 2},   {125, 12, 8, 2},  {126, 11, 11, 1},
};

// The scales, in per cent, that have a set of their own.
inline constexpr int kPanelScales[] = {100, 150, 200};

// A length of the 100 % picture at `scalePercent`, rounded half up.
constexpr int scaledLength(int length, int scalePercent) {
    return (length * scalePercent + 50) / 100;
}

// The resource id of picture `baseId` (120 .. 126) in the set for
// `scalePercent` (one of kPanelScales); 0, no resource, for other scales.
constexpr std::int32_t panelBitmapId(std::int32_t baseId, int scalePercent) {
    switch (scalePercent) {
    case 100: return baseId;
    case 150: return baseId + 100;
    case 200: return baseId + 200;
    default: return 0;
    }
}

// The set to draw a panel shown at `scalePercent` with: the smallest set at
// least that large (shrinking a larger picture keeps it sharp, enlarging a
// smaller one blurs it), the largest beyond 200 %, 100 % below it.
constexpr int panelScaleFor(int scalePercent) {
    for (int scale : kPanelScales) {
        if (scale >= scalePercent) return scale;
    }
    return kPanelScales[sizeof kPanelScales / sizeof kPanelScales[0] - 1];
}

}  // namespace molvex
