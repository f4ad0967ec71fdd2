// GuiLatchButton: behaves like the momentary button while held (the
// opposite of the value at the press while the pointer is inside, that
// value outside) but keeps whatever showed at release: a click flips it,
// a click dragged out before release leaves it as it was.
//
// Drawing clamps the value to 0..1 (stored back), copies the first image
// for 0.0 and the second otherwise, and notes the value in `lastValue`.
//
// Ownership: the bitmap holds one reference. `backgroundOffset` is kept but
// not used by drawing.
// Threads: user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/controls/strip_control.h"

class GuiLatchButton : public GuiStripControl {
public:
    GuiLatchButton(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                   std::int32_t imageHeight, GuiBitmap* bitmap, const GuiPoint& backgroundOffset);

    void draw(GuiDrawContext* context) override;
    void mouseDown(GuiDrawContext* context, const GuiPoint& where) override;

    float getLastValue() const { return lastValue; }

protected:
    float lastValue = 0.0f;
};
