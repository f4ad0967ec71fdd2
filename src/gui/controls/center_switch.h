// GuiCenterSwitch: a spring-loaded three-way switch. While held it is -1.0
// with the pointer over its left half (the middle column included), +1.0
// over its right half and what it was at the press elsewhere; after release
// it returns to 0.0 and reports that once more.
//
// Drawing copies from `backgroundOffset`: the first image for -1.0 (and any
// value other than 0 and 1), the second for 0.0, the third for 1.0.
//
// Ownership: the bitmap holds one reference.
// Threads: user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/controls/strip_control.h"

class GuiCenterSwitch : public GuiStripControl {
public:
    GuiCenterSwitch(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                    std::int32_t imageHeight, GuiBitmap* bitmap, const GuiPoint& backgroundOffset);

    void draw(GuiDrawContext* context) override;
    void mouseDown(GuiDrawContext* context, const GuiPoint& where) override;

protected:
    float valueAt(const GuiPoint& p, float saved) const;
};
