// GuiFilmstripKnob: a knob drawn as one of several stacked images of one
// bitmap instead of a moving handle. It turns like GuiKnob, with no inset:
// the centre of rotation is the view's centre for a square view.
//
// | value                 | image shown                                  |
// |-----------------------|----------------------------------------------|
// | 0 or below (or NaN)   | the first                                    |
// | v in 0..1             | floor((imageCount - 1) * v) of the strip's   |
// |                       | rows, snapped down to a whole image          |
// | 1 and above           | the last                                     |
// A strip of no images or of zero height shows its top rows.
//
// Ownership: the bitmap (kept as the knob's handle) holds one reference;
// there is no background.
// Threads: user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/controls/knob.h"

class GuiFilmstripKnob : public GuiKnob {
public:
    GuiFilmstripKnob(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                     std::int32_t imageCount, std::int32_t imageHeight, GuiBitmap* bitmap,
                     const GuiPoint& backgroundOffset);

    void draw(GuiDrawContext* context) override;

    // The first row of the image the current value shows.
    std::int32_t imageRow() const;

protected:
    std::int32_t imageCount;
    std::int32_t imageHeight;
};
