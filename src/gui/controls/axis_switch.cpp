#include "gui/controls/axis_switch.h"

#include "gui/controls/switch_positions.h"
#include "gui/controls/tracking_loop.h"
#include "gui/core/bitmap.h"

GuiAxisSwitch::GuiAxisSwitch(GuiAxis axis, const GuiRect& size, ControlListener* listener,
                             std::int32_t tag, std::int32_t imageCount, std::int32_t imageHeight,
                             std::int32_t positionCount, GuiBitmap* bitmap,
                             const GuiPoint& backgroundOffset)
    : GuiControl(size, listener, tag),
      axis(axis),
      bitmap(bitmap),
      backgroundOffset(backgroundOffset),
      imageCount(imageCount),
      imageHeight(imageHeight),
      positionCount(positionCount < 1 ? 1 : positionCount) {
    defaultValue = 0.0f;
}

void GuiAxisSwitch::draw(GuiDrawContext* context) {
    if (bitmap) {
        bitmap->draw(context, size,
                     GuiPoint(0, guiSwitchImageRow(value, positionCount, imageHeight)));
    }
    oldValue = value;
}

bool GuiAxisSwitch::wheel(GuiDrawContext* context, const GuiPoint&, int notches, unsigned) {
    if (!mouseEnabled) return false;
    if (positionCount < 2) return true;
    const float span = max - min;
    const float position = span > 0 ? (value - min) / span * (positionCount - 1) : 0.0f;
    const int next = static_cast<int>(position + 0.5f) + notches;
    gestureTo(context, min + span * static_cast<float>(next) / (positionCount - 1));
    return true;
}

// Vertically the zones share the image height and end before their limit;
// horizontally they share the strip's width and include it.
void GuiAxisSwitch::mouseDown(GuiDrawContext* context, const GuiPoint& where) {
    guiTrackMouse(*this, context, where, GuiTrackingRules{}, [this](const GuiPoint& pointer) {
        if (axis == GuiAxis::vertical) {
            return guiSwitchValueAt(pointer.v - size.top, imageHeight, positionCount, false);
        }
        const std::int32_t stripWidth = bitmap ? bitmap->getWidth() : getWidth();
        return guiSwitchValueAt(pointer.h - size.left, stripWidth, positionCount, true);
    });
}
