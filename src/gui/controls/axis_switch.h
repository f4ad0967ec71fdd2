// GuiAxisSwitch: what GuiHorizontalSwitch and GuiVerticalSwitch are,
// written once for either axis. Only the two public classes construct it;
// their headers describe the behaviour. The images are stacked vertically
// for both; the axis only decides where the pointer picks the position.
//
// Ownership: the bitmap holds one reference.
// Threads: user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/controls/axis.h"
#include "gui/controls/control.h"
#include "gui/core/bitmap_ref.h"

class GuiAxisSwitch : public GuiControl {
public:
    void draw(GuiDrawContext* context) override;
    void mouseDown(GuiDrawContext* context, const GuiPoint& where) override;
    // One position per notch, up toward the last.
    bool wheel(GuiDrawContext* context, const GuiPoint& where, int notches, unsigned keys) override;

    std::int32_t getPositionCount() const { return positionCount; }

protected:
    GuiAxisSwitch(GuiAxis axis, const GuiRect& size, ControlListener* listener, std::int32_t tag,
                  std::int32_t imageCount, std::int32_t imageHeight, std::int32_t positionCount,
                  GuiBitmap* bitmap, const GuiPoint& backgroundOffset);

    GuiAxis axis;
    GuiBitmapRef bitmap;
    GuiPoint backgroundOffset;
    std::int32_t imageCount;
    std::int32_t imageHeight;
    std::int32_t positionCount;
};
