// GuiHorizontalSwitch: the multi-position switch of GuiVerticalSwitch with
// the position taken from the pointer's horizontal place: zone = bitmap
// width / n, and zone i reaches up to and including truncate(i * zone)
// (the vertical switch's limit is exclusive). Its images are stacked
// vertically all the same, and an Alt+left click sets the default (0.0).
//
// Ownership: the bitmap holds one reference.
// The implementation, shared with the other axis, is GuiAxisSwitch.
// Threads: user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/controls/axis_switch.h"

class GuiHorizontalSwitch : public GuiAxisSwitch {
public:
    GuiHorizontalSwitch(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                        std::int32_t imageCount, std::int32_t imageHeight,
                        std::int32_t positionCount, GuiBitmap* bitmap,
                        const GuiPoint& backgroundOffset);
};
