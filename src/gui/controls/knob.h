// GuiKnob: the rotary control. It copies the piece of a background bitmap
// behind itself, then draws a small handle bitmap (through its transparency
// mask) on a circle, over a 270 degree sweep with the dead gap at the bottom:
// min at lower left, the middle of the range at the top, max at lower right.
//
// The mouse sets the value from the pointer's angle, not from a vertical
// drag: the value jumps to the angle on the press and follows it; there is no
// fine mode. The pointer's angle is measured around the centre the handle
// is drawn around, inset + radius pixels right of and below the view's
// top-left corner (the view's centre for a square knob), at every scale.
// An Alt+left click sets the default value.
//
// Geometry (knob width w, inset = handle width / 2, or 5 without a handle):
// | quantity   | value                                                     |
// |------------|-----------------------------------------------------------|
// | radius     | (w - 2 * inset) / 2                                       |
// | angle      | clockwise from straight up; 5pi/4 + 3pi/2 * fraction       |
// | handle pos | (sin * r + r, r - cos * r) truncated, + inset (view-local) |
// | mouse gap  | a press in the bottom quarter gives min left of the bottom |
// |            | centre, max from the bottom centre rightwards             |
//
// A knob with an empty range (min == max) draws its handle at the start of
// the sweep and answers min for every position. A knob without a handle
// bitmap draws its background only.
//
// Virtual operations after GuiControl's: 20 valueToHandlePos,
// 21 handlePosToValue, 22 setBackground, 23 getBackground.
//
// Ownership: background and handle hold one reference each.
// Threads: user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/controls/control.h"
#include "gui/core/bitmap_ref.h"

class GuiKnob : public GuiControl {
public:
    GuiKnob(const GuiRect& size, ControlListener* listener, std::int32_t tag, GuiBitmap* background,
            GuiBitmap* handle, const GuiPoint& backgroundOffset);

    void draw(GuiDrawContext* context) override;
    void mouseDown(GuiDrawContext* context, const GuiPoint& where) override;
    // The default value, as Alt+click sets it, reported as one gesture.
    bool doubleClick(GuiDrawContext* context, const GuiPoint& where) override {
        (void)where;
        if (!mouseEnabled) return false;
        gestureTo(context, defaultValue);
        return true;
    }
    bool wheel(GuiDrawContext* context, const GuiPoint& where, int notches,
               unsigned keys) override {
        (void)where;
        if (!mouseEnabled) return false;
        gestureTo(context, wheelTarget(notches, keys));
        return true;
    }

    // Handle position for the current value, in view-local pixels including
    // the inset. Values outside min..max land beyond the ends of the sweep.
    virtual void valueToHandlePos(GuiPoint& p) const;
    // The inverse, resolving the centre to the middle of the range and the
    // gap to min or max; always within min..max.
    virtual float handlePosToValue(const GuiPoint& p) const;
    // Does not redraw.
    virtual void setBackground(GuiBitmap* bitmap);
    virtual GuiBitmap* getBackground() const { return background.get(); }

    std::int32_t getInset() const { return inset; }

protected:
    float radius() const;

    std::int32_t inset = 5;
    GuiBitmapRef background;
    GuiBitmapRef handle;
    GuiPoint backgroundOffset;
};
