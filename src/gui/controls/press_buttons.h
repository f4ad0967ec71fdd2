// The press that the momentary and latch buttons share.
//
// With a button or key still down, the control tracks the pointer: inside
// its rectangle (edges included) the value is the opposite of the value at
// the press (1.0 from 0.0, else 0.0), outside it is the value at the press;
// each change from the value last drawn is reported at once. With nothing
// down any more (the press was over before mouseDown ran), the value flips
// once and is reported once. What follows the press is the caller's, and
// only when it answers true: false means the host deleted the frame, and the
// control with it, while hearing of the press.
#pragma once

#include "gui/controls/control.h"

bool guiPressButton(GuiControl& control, GuiDrawContext* context, const GuiPoint& where);

// Tells the control's listener, if it has one, that the value changed;
// false when the frame, and so the control, was deleted meanwhile.
bool guiReportChange(GuiControl& control, GuiDrawContext* context);
