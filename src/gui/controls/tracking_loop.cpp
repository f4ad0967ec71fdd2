#include "gui/controls/tracking_loop.h"

namespace {

void tellIfChanged(GuiControl& control, GuiDrawContext* context) {
    if (control.getValue() == control.getOldValue()) return;
    if (ControlListener* listener = control.getListener()) listener->valueChanged(context, &control);
}

}  // namespace

GuiTrackingResult guiTrackMouse(GuiControl& control, GuiDrawContext* context,
                                const GuiPoint& where, const GuiTrackingRules& rules,
                                const std::function<float(const GuiPoint&)>& valueAt) {
    if (!control.getMouseEnabled() || !context) return GuiTrackingResult::ignored;
    GuiMouseState state = context->getMouseButtons();
    if (rules.altClickSetsDefault && state == (kMouseLeft | kMouseAlt)) {
        control.setValue(control.getDefaultValue());
        tellIfChanged(control, context);
        return GuiTrackingResult::defaultSet;
    }
    GuiPoint position = where;
    do {
        control.setValue(valueAt(position));
        tellIfChanged(control, context);
        context->getMouseLocation(position);
        control.doIdle();
        state = context->getMouseButtons();
    } while ((state & rules.keepTracking) != 0);
    return GuiTrackingResult::tracked;
}
