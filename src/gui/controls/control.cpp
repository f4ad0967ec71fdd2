#include "gui/controls/control.h"

#include "gui/core/draw_context.h"
#include "gui/core/editor_base.h"
#include "gui/core/frame.h"

GuiControl::GuiControl(const GuiRect& size, ControlListener* listener, std::int32_t tag)
    : GuiView(size), listener(listener), tag(tag) {}

GuiControl::~GuiControl() = default;

void GuiControl::update(GuiDrawContext* context) {
    if (value == oldValue) return;
    draw(context);
    oldValue = value;
}

float GuiControl::wheelTarget(int notches, unsigned keys) const {
    const float share = (keys & GuiMouse::kShift) ? 0.001f : 0.01f;
    return value + static_cast<float>(notches) * share * (max - min);
}

void GuiControl::gestureTo(GuiDrawContext* context, float target) {
    if (target < min) target = min;
    if (target > max) target = max;
    if (target == value) return;
    // The listener may close the editor while it reports to the host.
    const GuiLifeWatch life = frame ? frame->watchLife() : GuiLifeWatch();
    if (listener) listener->beginEdit(this);
    if (frame && life.ended()) return;
    setValue(target);
    if (listener) listener->valueChanged(context, this);
    if (frame && life.ended()) return;
    update(context);
    if (listener) listener->endEdit(this);
}

void GuiControl::doIdle() {
    if (!frame) return;
    if (GuiEditorBase* editor = frame->getEditor()) editor->doIdle();
}
