#include "gui/controls/vertical_slider.h"

#include "gui/controls/press_buttons.h"
#include "gui/controls/slider_handle.h"
#include "gui/core/bitmap.h"

GuiVerticalSlider::GuiVerticalSlider(const GuiRect& size, ControlListener* listener,
                                     std::int32_t tag, std::int32_t minPos, std::int32_t maxPos,
                                     GuiBitmap* handle, GuiBitmap* background,
                                     const GuiPoint& backgroundOffset, std::int32_t style)
    : GuiControl(size, listener, tag),
      handle(handle),
      background(background),
      handleWidth(handle ? handle->getWidth() : 0),
      handleHeight(handle ? handle->getHeight() : 0),
      backgroundOffset(backgroundOffset),
      minPos(minPos),
      maxPos(maxPos),
      style(style),
      handlePos(maxPos),
      minLimit(minPos - size.top),
      maxLimit(maxPos + handleHeight - size.top),
      viewWidth(size.width()),
      viewHeight(size.height()) {}

GuiSliderTravel GuiVerticalSlider::travel() const {
    return GuiSliderTravel{minPos,       maxPos,         size.top,
                           handleHeight, handleOffset.v, (style & kSliderVerticalZeroAtMin) != 0};
}

void GuiVerticalSlider::draw(GuiDrawContext* context) {
    std::int32_t top = 0;
    std::int32_t bottom = 0;
    travel().handleSpan(value, top, bottom);
    const GuiRect handleRect(handleOffset.h, top, handleOffset.h + handleWidth, bottom);
    guiDrawSlider(context, *this, background.get(), backgroundOffset, handle.get(), handleRect,
                  drawTransparentHandle);
    handlePos = top + size.top;
    oldValue = value;
}

void GuiVerticalSlider::mouseDown(GuiDrawContext* context, const GuiPoint& where) {
    if (!mouseEnabled || !context) return;
    const GuiMouseState state = context->getMouseButtons();
    if (state == (kMouseLeft | kMouseAlt)) {
        value = defaultValue;
        if (value != oldValue) guiReportChange(*this, context);
        return;
    }
    const GuiRect grip(size.left, handlePos, size.left + handleWidth, handlePos + handleHeight);
    guiSliderDrag(*this, context, state, where, grip, travel(),
                  [](const GuiPoint& p) { return p.v; });
}
