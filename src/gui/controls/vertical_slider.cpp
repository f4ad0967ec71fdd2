#include "gui/controls/vertical_slider.h"

GuiVerticalSlider::GuiVerticalSlider(const GuiRect& size, ControlListener* listener,
                                     std::int32_t tag, std::int32_t minPos, std::int32_t maxPos,
                                     GuiBitmap* handle, GuiBitmap* background,
                                     const GuiPoint& backgroundOffset, std::int32_t style)
    : GuiAxisSlider(GuiAxis::vertical, GuiSliderStyle::kVerticalZeroAtMin, size, listener, tag,
                    minPos, maxPos, handle, background, backgroundOffset, style) {}
