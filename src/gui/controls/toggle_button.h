// GuiToggleButton: a two-state button; every press flips the value and
// reports once. No tracking: the press alone acts.
//
// | value before (integer part) | after |
// |-----------------------------|-------|
// | 0 (0.0, 0.7, -0.5)          | 1.0   |
// | anything else               | 0.0   |
// Drawing copies the bitmap's upper half for 0.0, its lower half otherwise;
// without a bitmap nothing is drawn.
//
// Ownership: the bitmap holds one reference.
// Threads: user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/controls/control.h"
#include "gui/core/bitmap_ref.h"

class GuiToggleButton : public GuiControl {
public:
    GuiToggleButton(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                    GuiBitmap* bitmap);

    void draw(GuiDrawContext* context) override;
    void mouseDown(GuiDrawContext* context, const GuiPoint& where) override;

protected:
    GuiBitmapRef bitmap;
};
