#include "gui/controls/press_buttons.h"

#include "gui/controls/tracking_loop.h"

void guiReportChange(GuiControl& control, GuiDrawContext* context) {
    if (ControlListener* listener = control.getListener())
        listener->valueChanged(context, &control);
}

void guiPressButton(GuiControl& control, GuiDrawContext* context, const GuiPoint& where) {
    const float saved = control.getValue();
    if (context->getMouseButtons() != 0) {
        GuiTrackingRules rules;
        rules.altClickSetsDefault = false;
        guiTrackMouse(control, context, where, rules, [&control, saved](const GuiPoint& p) {
            if (!control.isInside(p)) return saved;
            return saved == 0.0f ? 1.0f : 0.0f;
        });
        return;
    }
    control.setValue(control.getValue() == 0.0f ? 1.0f : 0.0f);
    guiReportChange(control, context);
}
