#include "gui/controls/vertical_switch.h"

GuiVerticalSwitch::GuiVerticalSwitch(const GuiRect& size, ControlListener* listener,
                                     std::int32_t tag, std::int32_t imageCount,
                                     std::int32_t imageHeight, std::int32_t positionCount,
                                     GuiBitmap* bitmap, const GuiPoint& backgroundOffset)
    : GuiAxisSwitch(GuiAxis::vertical, size, listener, tag, imageCount, imageHeight, positionCount,
                    bitmap, backgroundOffset) {}
