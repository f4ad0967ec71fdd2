#include "gui/controls/horizontal_switch.h"

#include "gui/controls/switch_positions.h"
#include "gui/controls/tracking_loop.h"
#include "gui/core/bitmap.h"

GuiHorizontalSwitch::GuiHorizontalSwitch(const GuiRect& size, ControlListener* listener,
                                         std::int32_t tag, std::int32_t imageCount,
                                         std::int32_t imageHeight, std::int32_t positionCount,
                                         GuiBitmap* bitmap, const GuiPoint& backgroundOffset)
    : GuiControl(size, listener, tag),
      bitmap(bitmap),
      backgroundOffset(backgroundOffset),
      imageCount(imageCount),
      imageHeight(imageHeight),
      positionCount(positionCount < 1 ? 1 : positionCount) {
    defaultValue = 0.0f;
}

void GuiHorizontalSwitch::draw(GuiDrawContext* context) {
    if (bitmap) {
        bitmap->draw(context, size,
                     GuiPoint(0, guiSwitchImageRow(value, positionCount, imageHeight)));
    }
    oldValue = value;
}

void GuiHorizontalSwitch::mouseDown(GuiDrawContext* context, const GuiPoint& where) {
    guiTrackMouse(*this, context, where, GuiTrackingRules{}, [this](const GuiPoint& pointer) {
        const std::int32_t stripWidth = bitmap ? bitmap->getWidth() : getWidth();
        return guiSwitchValueAt(pointer.h - size.left, stripWidth, positionCount, true);
    });
}
