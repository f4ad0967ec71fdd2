// GuiHorizontalSwitch: the multi-position switch of GuiVerticalSwitch with
// the position taken from the pointer's horizontal place: zone = bitmap
// width / n, and zone i reaches up to and including truncate(i * zone)
// (the vertical switch's limit is exclusive). Its images are stacked
// vertically all the same, and an Alt+left click sets the default (0.0).
//
// Ownership: the bitmap holds one reference.
// Threads: user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/controls/control.h"
#include "gui/core/bitmap_ref.h"

class GuiHorizontalSwitch : public GuiControl {
public:
    GuiHorizontalSwitch(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                        std::int32_t imageCount, std::int32_t imageHeight,
                        std::int32_t positionCount, GuiBitmap* bitmap,
                        const GuiPoint& backgroundOffset);

    void draw(GuiDrawContext* context) override;
    void mouseDown(GuiDrawContext* context, const GuiPoint& where) override;

    std::int32_t getPositionCount() const { return positionCount; }

protected:
    GuiBitmapRef bitmap;
    GuiPoint backgroundOffset;
    std::int32_t imageCount;
    std::int32_t imageHeight;
    std::int32_t positionCount;
};
