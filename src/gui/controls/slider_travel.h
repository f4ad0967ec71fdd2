// What the vertical and horizontal sliders share, along the one axis they
// move on: where the handle is drawn for a value, and the drag that turns
// the pointer into a value.
//
// The slider's style has a drawing bit (value 0 at minPos, else at maxPos)
// and a mouse bit (value 0 at maxPos, else at minPos); a consistent style
// carries exactly one of them. Here the drawing bit decides both, so a style
// with both bits or neither still moves the handle with the pointer instead
// of against it.
//
// The drag (state = mouse buttons and keys):
// | step  | what                                                          |
// |-------|---------------------------------------------------------------|
// | start | only a plain left press (1) or left + shift (9) on the handle |
// |       | as last drawn; grab = pointer - handle start, reference = value|
// | each  | value = (pointer - minPos - grab) / (maxPos - minPos), turned |
// |       | round when 0 sits at maxPos; with shift, reference + a tenth  |
// |       | of the difference; clamped to 0..1; reported when it differs  |
// |       | from the value last drawn                                     |
// | shift | pressed anew (state changed and has shift): the current value |
// |       | becomes the reference, so the handle does not jump            |
// | end   | any state other than 1 or 9                                   |
// A travel of zero length keeps the value at the press.
#pragma once

#include <cstdint>
#include <functional>

#include "gui/controls/control.h"
#include "gui/core/draw_context.h"

struct GuiSliderTravel {
    std::int32_t minPos = 0;        // frame coordinate of the handle's start at one end
    std::int32_t maxPos = 0;        // ... and at the other
    std::int32_t viewStart = 0;     // the view's top (left for horizontal)
    std::int32_t handleLength = 0;  // the handle's height (width)
    std::int32_t handleOffset = 0;  // added to the computed start
    bool zeroAtMinPos = false;      // the drawing bit

    // First and one-past-last pixel of the handle, in view coordinates: the
    // start never above minPos, the end never past maxPos + handleLength.
    void handleSpan(float value, std::int32_t& start, std::int32_t& end) const;
};

// The drag from `where`, pressed with `state`; `along` takes a point's
// coordinate on the axis.
// Returns without acting unless the press qualifies (see the table).
void guiSliderDrag(GuiControl& control, GuiDrawContext* context, GuiMouseState state,
                   const GuiPoint& where, const GuiRect& handleRect, const GuiSliderTravel& travel,
                   const std::function<std::int32_t(const GuiPoint&)>& along);
