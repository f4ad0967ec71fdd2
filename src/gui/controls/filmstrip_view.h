// GuiFilmstripView: shows the image of a vertical strip nearest to the
// value (the value spread over the images 0 .. imageCount - 1 and
// rounded); no mouse handling. A value above 1 is stored back as 1, a value
// of 0 or below (or NaN) shows the first image; a strip shorter than its
// images claim shows its last rows instead of rows beyond its end.
//
// Ownership: the bitmap holds one reference.
// Threads: user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/controls/strip_control.h"

class GuiFilmstripView : public GuiStripControl {
public:
    GuiFilmstripView(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                     std::int32_t imageCount, std::int32_t imageHeight, GuiBitmap* bitmap,
                     const GuiPoint& backgroundOffset);

    void draw(GuiDrawContext* context) override;

protected:
    std::int32_t imageCount;
};
