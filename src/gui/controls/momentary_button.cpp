#include "gui/controls/momentary_button.h"

#include "gui/controls/press_buttons.h"
#include "gui/controls/strip_image.h"
#include "gui/core/bitmap.h"

GuiMomentaryButton::GuiMomentaryButton(const GuiRect& size, ControlListener* listener,
                                       std::int32_t tag, std::int32_t imageHeight,
                                       GuiBitmap* bitmap, const GuiPoint& backgroundOffset)
    : GuiControl(size, listener, tag),
      bitmap(bitmap),
      backgroundOffset(backgroundOffset),
      imageHeight(imageHeight) {}

void GuiMomentaryButton::draw(GuiDrawContext* context) {
    if (value > 1.0f) value = 1.0f;
    if (value < 0.0f) value = 0.0f;
    if (bitmap) {
        const std::int32_t row = backgroundOffset.v + (value != 0.0f ? imageHeight : 0);
        bitmap->draw(context, size,
                     GuiPoint(backgroundOffset.h, guiStripRow(bitmap.get(), row, getHeight())));
    }
    oldValue = value;
}

void GuiMomentaryButton::mouseDown(GuiDrawContext* context, const GuiPoint& where) {
    if (!mouseEnabled || !context) return;
    if (!guiPressButton(*this, context, where)) return;  // deleted with its frame
    value = 0.0f;
    guiReportChange(*this, context);
}
