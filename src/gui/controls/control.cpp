#include "gui/controls/control.h"

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

void GuiControl::doIdle() {
    if (!frame) return;
    if (GuiEditorBase* editor = frame->getEditor()) editor->doIdle();
}
