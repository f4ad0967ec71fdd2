#include "gui/controls/axis_slider.h"

#include "gui/controls/press_buttons.h"
#include "gui/controls/slider_handle.h"
#include "gui/core/bitmap.h"

GuiAxisSlider::GuiAxisSlider(GuiAxis axis, std::int32_t zeroAtMinBit, const GuiRect& size,
                             ControlListener* listener, std::int32_t tag, std::int32_t minPos,
                             std::int32_t maxPos, GuiBitmap* handle, GuiBitmap* background,
                             const GuiPoint& backgroundOffset, std::int32_t style)
    : GuiControl(size, listener, tag),
      axis(axis),
      zeroAtMinBit(zeroAtMinBit),
      handle(handle),
      background(background),
      handleWidth(handle ? handle->getWidth() : 0),
      handleHeight(handle ? handle->getHeight() : 0),
      backgroundOffset(backgroundOffset),
      minPos(minPos),
      maxPos(maxPos),
      style(style),
      handlePos(maxPos),
      minLimit(minPos - guiAlong(axis, size.left, size.top)),
      maxLimit(maxPos + guiAlong(axis, handleWidth, handleHeight) -
               guiAlong(axis, size.left, size.top)),
      viewWidth(size.width()),
      viewHeight(size.height()) {}

GuiSliderTravel GuiAxisSlider::travel() const {
    return GuiSliderTravel{minPos,
                           maxPos,
                           guiAlong(axis, size.left, size.top),
                           guiAlong(axis, handleWidth, handleHeight),
                           guiAlong(axis, handleOffset.h, handleOffset.v),
                           (style & zeroAtMinBit) != 0};
}

void GuiAxisSlider::draw(GuiDrawContext* context) {
    std::int32_t start = 0;
    std::int32_t end = 0;
    travel().handleSpan(value, start, end);
    const GuiRect handleRect =
        axis == GuiAxis::horizontal
            ? GuiRect(start, handleOffset.v, end, handleOffset.v + handleHeight)
            : GuiRect(handleOffset.h, start, handleOffset.h + handleWidth, end);
    guiDrawSlider(context, *this, background.get(), backgroundOffset, handle.get(), handleRect,
                  drawTransparentHandle);
    handlePos = start + guiAlong(axis, size.left, size.top);
    oldValue = value;
}

void GuiAxisSlider::mouseDown(GuiDrawContext* context, const GuiPoint& where) {
    if (!mouseEnabled || !context) return;
    const GuiMouseState state = context->getMouseButtons();
    if (state == (GuiMouse::kLeft | GuiMouse::kAlt)) {
        value = defaultValue;
        if (value != oldValue) guiReportChange(*this, context);
        return;
    }
    const GuiPoint gripStart = axis == GuiAxis::horizontal ? GuiPoint(handlePos, size.top)
                                                           : GuiPoint(size.left, handlePos);
    const GuiRect grip(gripStart.h, gripStart.v, gripStart.h + handleWidth,
                       gripStart.v + handleHeight);
    const GuiAxis along = axis;
    guiSliderDrag(*this, context, state, where, grip, travel(),
                  [along](const GuiPoint& p) { return guiAlong(along, p.h, p.v); });
}
