// GuiVerticalSwitch: a switch of n positions (values 0, 1/(n-1), ... 1)
// showing one of n images stacked in a bitmap. The pointer's height in the
// view picks the position while the button is held; an Alt+left click sets
// the default, which is 0.0 for switches.
//
// | pointer dy (from the view's top)      | value           |
// |---------------------------------------|-----------------|
// | dy < truncate(i * zone), first such i  | (i - 1)/(n - 1) |
// | otherwise (and below the view)        | 1.0             |
// zone = imageHeight / n. The panel's three-position switch (image height
// 25): dy 0..7 gives 0.0, 8..15 gives 0.5, 16 and more 1.0.
//
// Drawing copies the view's area of the bitmap from (0, row of the image):
// below 1/(n-1) the first image, ..., 1.0 and above the last. A switch built
// with fewer than one position has one.
//
// Ownership: the bitmap holds one reference.
// The implementation, shared with the other axis, is GuiAxisSwitch. `backgroundOffset` and
// `imageCount` are kept but not used by drawing.
// Threads: user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/controls/axis_switch.h"

class GuiVerticalSwitch : public GuiAxisSwitch {
public:
    GuiVerticalSwitch(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                      std::int32_t imageCount, std::int32_t imageHeight, std::int32_t positionCount,
                      GuiBitmap* bitmap, const GuiPoint& backgroundOffset);
};
