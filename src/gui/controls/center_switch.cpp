#include "gui/controls/center_switch.h"

#include "gui/controls/press_buttons.h"
#include "gui/controls/tracking_loop.h"

GuiCenterSwitch::GuiCenterSwitch(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                                 std::int32_t imageHeight, GuiBitmap* bitmap,
                                 const GuiPoint& backgroundOffset)
    : GuiStripControl(size, listener, tag, imageHeight, bitmap, backgroundOffset) {}

void GuiCenterSwitch::draw(GuiDrawContext* context) {
    std::int32_t row = backgroundOffset.v;
    if (value == 1.0f) row += 2 * imageHeight;
    else if (value == 0.0f) row += imageHeight;
    drawImage(context, backgroundOffset.h, row);
    oldValue = value;
}

float GuiCenterSwitch::valueAt(const GuiPoint& p, float saved) const {
    if (p.v < size.top || p.v > size.bottom) return saved;
    const std::int32_t mid = size.left + getWidth() / 2;
    if (p.h >= size.left && p.h <= mid) return -1.0f;
    if (p.h >= mid && p.h <= size.right) return 1.0f;
    return saved;
}

void GuiCenterSwitch::mouseDown(GuiDrawContext* context, const GuiPoint& where) {
    if (!mouseEnabled || !context) return;
    const float saved = value;
    if (context->getMouseButtons() != 0) {
        GuiTrackingRules rules;
        rules.altClickSetsDefault = false;
        const GuiTrackingResult result =
            guiTrackMouse(*this, context, where, rules,
                          [this, saved](const GuiPoint& p) { return valueAt(p, saved); });
        if (result == GuiTrackingResult::closed) return;  // deleted with its frame
    } else {
        value = valueAt(where, saved);
        if (!guiReportChange(*this, context)) return;
    }
    value = 0.0f;
    guiReportChange(*this, context);
}
