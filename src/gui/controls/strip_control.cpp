#include "gui/controls/strip_control.h"

#include "gui/controls/strip_image.h"
#include "gui/core/bitmap.h"

GuiStripControl::GuiStripControl(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                                 std::int32_t imageHeight, GuiBitmap* bitmap,
                                 const GuiPoint& backgroundOffset)
    : GuiControl(size, listener, tag),
      bitmap(bitmap),
      backgroundOffset(backgroundOffset),
      imageHeight(imageHeight) {}

void GuiStripControl::drawImage(GuiDrawContext* context, std::int32_t h, std::int32_t row) {
    if (bitmap)
        bitmap->draw(context, size, GuiPoint(h, guiStripRow(bitmap.get(), row, getHeight())));
}
