#include "gui/controls/horizontal_switch.h"

GuiHorizontalSwitch::GuiHorizontalSwitch(const GuiRect& size, ControlListener* listener,
                                         std::int32_t tag, std::int32_t imageCount,
                                         std::int32_t imageHeight, std::int32_t positionCount,
                                         GuiBitmap* bitmap, const GuiPoint& backgroundOffset)
    : GuiAxisSwitch(GuiAxis::horizontal, size, listener, tag, imageCount, imageHeight,
                    positionCount, bitmap, backgroundOffset) {}
