// GuiStripControl: what the controls that show one image of a vertically
// stacked strip keep (GuiMomentaryButton, GuiLatchButton, GuiCenterSwitch,
// GuiFilmstripView, GuiAnimationView), written once. Only those classes
// construct it; their headers describe what each shows and when.
//
// | field            | meaning                                              |
// |------------------|------------------------------------------------------|
// | bitmap           | the strip; may be null (then nothing is drawn)       |
// | backgroundOffset | where the first image starts in the bitmap           |
// | imageHeight      | the height of one image in pixels                    |
//
// Ownership: the bitmap holds one reference.
// Threads: user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/controls/control.h"
#include "gui/core/bitmap_ref.h"

class GuiStripControl : public GuiControl {
protected:
    GuiStripControl(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                    std::int32_t imageHeight, GuiBitmap* bitmap, const GuiPoint& backgroundOffset);

    // Copies the view's area from column `h`, row `row` of the bitmap (the row
    // kept inside the bitmap) into the view's rectangle; nothing without one.
    void drawImage(GuiDrawContext* context, std::int32_t h, std::int32_t row);

    GuiBitmapRef bitmap;
    GuiPoint backgroundOffset;
    std::int32_t imageHeight;
};
