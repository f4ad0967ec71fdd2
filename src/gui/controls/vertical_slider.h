// GuiVerticalSlider: a handle bitmap that slides along a vertical track
// over a background bitmap. Only a press on the handle itself starts a
// drag, which keeps the offset at which the handle was grabbed (no jump);
// shift moves ten times more slowly. An Alt+left click sets the default.
// The drag's rules are in slider_travel.h.
//
// Positions are frame coordinates of the handle's top edge: minPos and
// maxPos are the two ends of the travel, handlePos where it was last drawn
// (maxPos until the first drawing). Style 0x20 puts value 0 at minPos,
// otherwise at maxPos; 0x40 (the mouse's bit) is implied by its absence.
//
// Drawing composes background and handle in an offscreen surface of the
// view's size and copies it to the window in one step, so it never flickers.
//
// Virtual operations after GuiControl's: 20 setDrawTransparentHandle,
// 21 setHandleOffset.
//
// Ownership: handle and background hold one reference each.
// The implementation, shared with the other axis, is GuiAxisSlider.
// Threads: user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/controls/axis_slider.h"

class GuiVerticalSlider : public GuiAxisSlider {
public:
    GuiVerticalSlider(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                      std::int32_t minPos, std::int32_t maxPos, GuiBitmap* handle,
                      GuiBitmap* background, const GuiPoint& backgroundOffset, std::int32_t style);
};
