#include "gui/controls/tracking_loop.h"

#include "gui/core/frame.h"
#include "platform/platform.h"

namespace {

// Pointer samples 5 ms apart are smoother than any host's automation needs,
// and the drag costs a few per cent of a core instead of all of it.
constexpr std::uint32_t kPauseBetweenSamplesMs = 5;

void tellIfChanged(GuiControl& control, GuiDrawContext* context) {
    if (control.getValue() == control.getOldValue()) return;
    if (ControlListener* listener = control.getListener())
        listener->valueChanged(context, &control);
}

}  // namespace

GuiTrackingResult guiTrackMouse(GuiControl& control, GuiDrawContext* context, const GuiPoint& where,
                                const GuiTrackingRules& rules,
                                const std::function<float(const GuiPoint&)>& valueAt) {
    if (!control.getMouseEnabled() || !context) return GuiTrackingResult::ignored;
    const GuiLifeWatch life = control.getFrame() ? control.getFrame()->watchLife() : GuiLifeWatch();
    GuiMouseState state = context->getMouseButtons();
    if (rules.altClickSetsDefault && state == (GuiMouse::kLeft | GuiMouse::kAlt)) {
        control.setValue(control.getDefaultValue());
        tellIfChanged(control, context);
        return life.ended() ? GuiTrackingResult::closed : GuiTrackingResult::defaultSet;
    }
    GuiPoint position = where;
    do {
        control.setValue(valueAt(position));
        tellIfChanged(control, context);
        if (life.ended()) return GuiTrackingResult::closed;
        platform::pauseTracking(kPauseBetweenSamplesMs);
        context->getMouseLocation(position);
        control.doIdle();
        if (life.ended()) return GuiTrackingResult::closed;
        state = context->getMouseButtons();
    } while ((state & rules.keepTracking) != 0);
    return GuiTrackingResult::tracked;
}
