#include "gui/controls/latch_button.h"

#include "gui/controls/press_buttons.h"
#include "gui/controls/strip_image.h"
#include "gui/core/bitmap.h"

GuiLatchButton::GuiLatchButton(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                               std::int32_t imageHeight, GuiBitmap* bitmap,
                               const GuiPoint& backgroundOffset)
    : GuiControl(size, listener, tag),
      bitmap(bitmap),
      backgroundOffset(backgroundOffset),
      imageHeight(imageHeight) {}

void GuiLatchButton::draw(GuiDrawContext* context) {
    if (value > 1.0f) value = 1.0f;
    if (value < 0.0f) value = 0.0f;
    if (bitmap) {
        const std::int32_t row = value != 0.0f ? imageHeight : 0;
        bitmap->draw(context, size, GuiPoint(0, guiStripRow(bitmap.get(), row, getHeight())));
    }
    lastValue = value;
    oldValue = value;
}

void GuiLatchButton::mouseDown(GuiDrawContext* context, const GuiPoint& where) {
    if (!mouseEnabled || !context) return;
    guiPressButton(*this, context, where);
}
