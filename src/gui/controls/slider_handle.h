// The sliders' drawing: background and handle composed offscreen at the
// view's size, then copied to the window at once.
#pragma once

#include "gui/controls/control.h"

class GuiBitmap;

// `handleRect` is in view coordinates. The offscreen surface starts black,
// the background (if any) is copied from `backgroundOffset`, and the handle
// (if any) goes on top, through its mask when `transparent`.
void guiDrawSlider(GuiDrawContext* context, const GuiControl& slider, GuiBitmap* background,
                   const GuiPoint& backgroundOffset, GuiBitmap* handle, const GuiRect& handleRect,
                   bool transparent);
