#include "gui/controls/horizontal_slider.h"

GuiHorizontalSlider::GuiHorizontalSlider(const GuiRect& size, ControlListener* listener,
                                         std::int32_t tag, std::int32_t minPos, std::int32_t maxPos,
                                         GuiBitmap* handle, GuiBitmap* background,
                                         const GuiPoint& backgroundOffset, std::int32_t style)
    : GuiAxisSlider(GuiAxis::horizontal, GuiSliderStyle::kHorizontalZeroAtMin, size, listener, tag,
                    minPos, maxPos, handle, background, backgroundOffset, style) {}
