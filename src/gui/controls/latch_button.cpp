#include "gui/controls/latch_button.h"

#include "gui/controls/press_buttons.h"

GuiLatchButton::GuiLatchButton(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                               std::int32_t imageHeight, GuiBitmap* bitmap,
                               const GuiPoint& backgroundOffset)
    : GuiStripControl(size, listener, tag, imageHeight, bitmap, backgroundOffset) {}

void GuiLatchButton::draw(GuiDrawContext* context) {
    if (value > 1.0f) value = 1.0f;
    if (value < 0.0f) value = 0.0f;
    drawImage(context, 0, value != 0.0f ? imageHeight : 0);
    lastValue = value;
    oldValue = value;
}

void GuiLatchButton::mouseDown(GuiDrawContext* context, const GuiPoint& where) {
    if (!mouseEnabled || !context) return;
    guiPressButton(*this, context, where);
}
