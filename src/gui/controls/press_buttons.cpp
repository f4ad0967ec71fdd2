#include "gui/controls/press_buttons.h"

#include "gui/controls/tracking_loop.h"
#include "gui/core/frame.h"

bool guiReportChange(GuiControl& control, GuiDrawContext* context) {
    const GuiLifeWatch life = control.getFrame() ? control.getFrame()->watchLife() : GuiLifeWatch();
    if (ControlListener* listener = control.getListener())
        listener->valueChanged(context, &control);
    return !life.ended();
}

bool guiPressButton(GuiControl& control, GuiDrawContext* context, const GuiPoint& where) {
    const float saved = control.getValue();
    if (context->getMouseButtons() != 0) {
        GuiTrackingRules rules;
        rules.altClickSetsDefault = false;
        return guiTrackMouse(control, context, where, rules, [&control, saved](const GuiPoint& p) {
                   if (!control.isInside(p)) return saved;
                   return saved == 0.0f ? 1.0f : 0.0f;
               }) != GuiTrackingResult::closed;
    }
    control.setValue(control.getValue() == 0.0f ? 1.0f : 0.0f);
    return guiReportChange(control, context);
}
