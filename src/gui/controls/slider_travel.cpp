#include "gui/controls/slider_travel.h"

#include "gui/controls/press_buttons.h"
#include "gui/controls/strip_image.h"
#include "gui/core/draw_context.h"
#include "gui/core/frame.h"

void GuiSliderTravel::handleSpan(float value, std::int32_t& start, std::int32_t& end) const {
    const float n = zeroAtMinPos ? value : 1.0f - value;
    const auto range = static_cast<float>(maxPos - minPos);
    start = guiTruncate(static_cast<double>(n * range)) + handleOffset;
    const std::int32_t minLimit = minPos - viewStart;
    const std::int32_t maxLimit = maxPos + handleLength - viewStart;
    if (start < minLimit) start = minLimit;
    end = start + handleLength;
    if (end > maxLimit) end = maxLimit;
}

namespace {

bool dragState(GuiMouseState state) {
    return state == GuiMouse::kLeft || state == (GuiMouse::kLeft | GuiMouse::kShift);
}

}  // namespace

void guiSliderDrag(GuiControl& control, GuiDrawContext* context, GuiMouseState state,
                   const GuiPoint& where, const GuiRect& handleRect, const GuiSliderTravel& travel,
                   const std::function<std::int32_t(const GuiPoint&)>& along) {
    if (!dragState(state) || !where.isInside(handleRect)) return;

    const auto range = static_cast<float>(travel.maxPos - travel.minPos);
    const std::int32_t handleStart = along(GuiPoint(handleRect.left, handleRect.top));
    const std::int32_t grab = along(where) - handleStart;
    const GuiLifeWatch life = control.getFrame() ? control.getFrame()->watchLife() : GuiLifeWatch();
    float reference = control.getValue();
    GuiMouseState lastState = state;
    GuiPoint pointer = where;
    do {
        float v = reference;
        if (range != 0.0f) {
            v = static_cast<float>(along(pointer) - travel.minPos - grab) / range;
            if (!travel.zeroAtMinPos) v = 1.0f - v;
        }
        if (state & GuiMouse::kShift) v = reference + (v - reference) / 10.0f;
        v = v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
        control.setValue(v);
        if (v != control.getOldValue()) guiReportChange(control, context);
        if (life.ended()) return;  // the frame and this slider were deleted
        context->getMouseLocation(pointer);
        control.doIdle();
        if (life.ended()) return;
        state = context->getMouseButtons();
        if (state != lastState && (state & GuiMouse::kShift)) {
            reference = control.getValue();
            lastState = state;
        }
    } while (dragState(state));
}
