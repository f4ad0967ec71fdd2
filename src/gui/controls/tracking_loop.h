// The mouse-tracking loop that knobs, switches, sliders and the momentary,
// latch and center buttons share. It stays inside the control's mouseDown
// while a mouse button or modifier key is held: the window procedure is
// blocked meanwhile, and the editor's throttled idle keeps the panel and the
// host going.
//
// One pass:
// | step | what                                                           |
// |------|----------------------------------------------------------------|
// | 1    | mouse disabled: return at once (ignored)                        |
// | 2    | state exactly left + alt (33) and the control takes defaults:  |
// |      | value := defaultValue, tell the listener if it differs from    |
// |      | oldValue, return (defaultSet)                                  |
// | 3    | value := valueAt(position), `where` on the first pass          |
// | 4    | value != oldValue: listener's valueChanged at once             |
// | 5    | pause a few milliseconds, then read the pointer position       |
// | 6    | control's doIdle                                               |
// | 7    | read the mouse state; again from 3 while it has a bit of       |
// |      | `keepTracking` (any bit by default: a modifier still held after |
// |      | the button was released keeps tracking)                        |
//
// After steps 2, 4 and 6 the loop returns `closed` at once when the frame was
// deleted meanwhile (a host that closed the editor or the plug-in from
// inside audioMasterAutomate or audioMasterIdle): the control is gone then,
// and the caller must return without touching itself.
//
// The loop never draws the control; step 4 compares with the value last
// drawn, so a listener that redraws the control hears of each change once.
#pragma once

#include <functional>

#include "gui/controls/control.h"
#include "gui/core/draw_context.h"

struct GuiTrackingRules {
    bool altClickSetsDefault = true;
    GuiMouseState keepTracking = ~0u;
};

enum class GuiTrackingResult { ignored, defaultSet, tracked, closed };

// valueAt turns a pointer position (frame window coordinates) into the
// control's new value.
GuiTrackingResult guiTrackMouse(GuiControl& control, GuiDrawContext* context, const GuiPoint& where,
                                const GuiTrackingRules& rules,
                                const std::function<float(const GuiPoint&)>& valueAt);
