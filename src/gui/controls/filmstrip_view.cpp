#include "gui/controls/filmstrip_view.h"

#include "gui/controls/strip_image.h"

GuiFilmstripView::GuiFilmstripView(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                                   std::int32_t imageCount, std::int32_t imageHeight,
                                   GuiBitmap* bitmap, const GuiPoint& backgroundOffset)
    : GuiStripControl(size, listener, tag, imageHeight, bitmap, backgroundOffset),
      imageCount(imageCount) {}

void GuiFilmstripView::draw(GuiDrawContext* context) {
    if (value > 1.0f) value = 1.0f;
    std::int32_t row = backgroundOffset.v;
    if (value > 0.0f && imageCount > 1) {
        row += guiTruncate((imageCount - 1) * static_cast<double>(value) + 0.5) * imageHeight;
    }
    drawImage(context, backgroundOffset.h, row);
    oldValue = value;
}
