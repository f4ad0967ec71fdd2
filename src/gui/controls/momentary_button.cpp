#include "gui/controls/momentary_button.h"

#include "gui/controls/press_buttons.h"

GuiMomentaryButton::GuiMomentaryButton(const GuiRect& size, ControlListener* listener,
                                       std::int32_t tag, std::int32_t imageHeight,
                                       GuiBitmap* bitmap, const GuiPoint& backgroundOffset)
    : GuiStripControl(size, listener, tag, imageHeight, bitmap, backgroundOffset) {}

void GuiMomentaryButton::draw(GuiDrawContext* context) {
    if (value > 1.0f) value = 1.0f;
    if (value < 0.0f) value = 0.0f;
    drawImage(context, backgroundOffset.h, backgroundOffset.v + (value != 0.0f ? imageHeight : 0));
    oldValue = value;
}

void GuiMomentaryButton::mouseDown(GuiDrawContext* context, const GuiPoint& where) {
    if (!mouseEnabled || !context) return;
    if (!guiPressButton(*this, context, where)) return;  // deleted with its frame
    value = 0.0f;
    guiReportChange(*this, context);
}
