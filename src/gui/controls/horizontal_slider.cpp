#include "gui/controls/horizontal_slider.h"

#include "gui/controls/press_buttons.h"
#include "gui/controls/slider_handle.h"
#include "gui/core/bitmap.h"

GuiHorizontalSlider::GuiHorizontalSlider(const GuiRect& size, ControlListener* listener,
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
      minLimit(minPos - size.left),
      maxLimit(maxPos + handleWidth - size.left),
      viewWidth(size.width()),
      viewHeight(size.height()) {}

GuiSliderTravel GuiHorizontalSlider::travel() const {
    return GuiSliderTravel{minPos,      maxPos,         size.left,
                           handleWidth, handleOffset.h, (style & kSliderHorizontalZeroAtMin) != 0};
}

void GuiHorizontalSlider::draw(GuiDrawContext* context) {
    std::int32_t left = 0;
    std::int32_t right = 0;
    travel().handleSpan(value, left, right);
    const GuiRect handleRect(left, handleOffset.v, right, handleOffset.v + handleHeight);
    guiDrawSlider(context, *this, background.get(), backgroundOffset, handle.get(), handleRect,
                  drawTransparentHandle);
    handlePos = left + size.left;
    oldValue = value;
}

void GuiHorizontalSlider::mouseDown(GuiDrawContext* context, const GuiPoint& where) {
    if (!mouseEnabled || !context) return;
    const GuiMouseState state = context->getMouseButtons();
    if (state == (kMouseLeft | kMouseAlt)) {
        value = defaultValue;
        if (value != oldValue) guiReportChange(*this, context);
        return;
    }
    const GuiRect grip(handlePos, size.top, handlePos + handleWidth, size.top + handleHeight);
    guiSliderDrag(*this, context, state, where, grip, travel(),
                  [](const GuiPoint& p) { return p.h; });
}
