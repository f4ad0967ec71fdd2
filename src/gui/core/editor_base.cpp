#include "gui/core/editor_base.h"

#include "gui/core/frame.h"
#include "host/effect_base.h"
#include "platform/platform.h"

namespace {

constexpr std::uint32_t kIdleInterval = 50;

}  // namespace

GuiEditorBase::GuiEditorBase(EffectBase* effect)
    : PluginEditor(effect), lastIdleTick(platform::tickCount()) {}

GuiEditorBase::~GuiEditorBase() = default;

VstIntPtr GuiEditorBase::getRect(ERect** rectOut) {
    if (rectOut) *rectOut = &rect;
    return 1;
}

VstIntPtr GuiEditorBase::open(void* parent) {
    postUpdate();
    parentWindow = parent;
    return 0;
}

void GuiEditorBase::idle() {
    PluginEditor::idle();
    if (frame) frame->idle();
}

void GuiEditorBase::setParameter(VstInt32, float) { postUpdate(); }

void GuiEditorBase::redraw() {
    if (frame) frame->drawView(nullptr);
}

void GuiEditorBase::doIdle() {
    const std::uint32_t now = platform::tickCount();
    // The tick count wraps after 49.7 days; the unsigned difference stays
    // right across the wrap, where comparing sums would stall the idle for
    // another 49.7 days.
    if (now - lastIdleTick < kIdleInterval) return;
    lastIdleTick = now;
    const GuiLifeWatch life = frame ? frame->watchLife() : GuiLifeWatch();
    idle();
    if (life.ended()) return;  // the host closed the editor meanwhile
    if (effect) effect->hostIdle();
}
