// GuiMomentaryButton: a two-image button that is 1 while held inside and
// goes back to 0 on release.
//
// A press reports at least twice: the 1.0 of the press, then a final 0.0
// after release, even when the pointer left the button before it (which
// reports 0.0 on leaving as well). The product editor acts on every second
// report of each button, so the pairing is part of the contract:
// | pointer while held            | value                               |
// |-------------------------------|-------------------------------------|
// | inside (edges included)       | 1.0 if it was 0.0 at the press, else 0.0 |
// | outside                       | the value at the press              |
// | after release                 | 0.0, reported once more             |
// A press already released when mouseDown runs flips the value once,
// reports it, then resets to 0.0 and reports again.
//
// Drawing clamps the value to 0..1 (stored back) and copies the view's area
// from `backgroundOffset`, one image lower when the value is not 0.
//
// Ownership: the bitmap holds one reference.
// Threads: user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/controls/strip_control.h"

class GuiMomentaryButton : public GuiStripControl {
public:
    GuiMomentaryButton(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                       std::int32_t imageHeight, GuiBitmap* bitmap,
                       const GuiPoint& backgroundOffset);

    void draw(GuiDrawContext* context) override;
    void mouseDown(GuiDrawContext* context, const GuiPoint& where) override;
};
