#include "gui/controls/toggle_button.h"

#include "gui/controls/press_buttons.h"
#include "gui/controls/strip_image.h"
#include "gui/core/bitmap.h"

GuiToggleButton::GuiToggleButton(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                                 GuiBitmap* bitmap)
    : GuiControl(size, listener, tag), bitmap(bitmap) {}

void GuiToggleButton::draw(GuiDrawContext* context) {
    if (bitmap)
        bitmap->draw(context, size, GuiPoint(0, value == 0.0f ? 0 : bitmap->getHeight() / 2));
    oldValue = value;
}

void GuiToggleButton::mouseDown(GuiDrawContext* context, const GuiPoint&) {
    if (!mouseEnabled || !context) return;
    value = guiTruncate(value) == 0 ? 1.0f : 0.0f;
    draw(context);
    guiReportChange(*this, context);
}
