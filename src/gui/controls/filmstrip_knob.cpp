#include "gui/controls/filmstrip_knob.h"

#include "gui/controls/strip_image.h"
#include "gui/core/bitmap.h"

GuiFilmstripKnob::GuiFilmstripKnob(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                                   std::int32_t imageCount, std::int32_t imageHeight,
                                   GuiBitmap* bitmap, const GuiPoint& backgroundOffset)
    : GuiKnob(size, listener, tag, nullptr, bitmap, backgroundOffset),
      imageCount(imageCount),
      imageHeight(imageHeight) {
    inset = 0;
}

std::int32_t GuiFilmstripKnob::imageRow() const {
    if (!(value > 0.0f) || imageHeight <= 0 || imageCount <= 1) return 0;
    const std::int32_t lastStart = (imageCount - 1) * imageHeight;
    const std::int32_t y = guiTruncate(static_cast<double>(lastStart) * value);
    // Beyond the last image (a value above 1) the last image shows.
    if (y >= lastStart) return lastStart;
    return y / imageHeight * imageHeight;
}

void GuiFilmstripKnob::draw(GuiDrawContext* context) {
    if (handle)
        handle->draw(context, size,
                     GuiPoint(0, guiStripRow(handle.get(), imageRow(), getHeight())));
    oldValue = value;
}
