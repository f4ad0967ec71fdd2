#include "gui/controls/animation_view.h"

#include "gui/controls/press_buttons.h"
#include "gui/controls/strip_image.h"

GuiAnimationView::GuiAnimationView(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                                   std::int32_t imageCount, std::int32_t imageHeight,
                                   GuiBitmap* bitmap, const GuiPoint& backgroundOffset)
    : GuiStripControl(size, listener, tag, imageHeight, bitmap, backgroundOffset),
      imageCount(imageCount),
      stripHeight(imageCount * imageHeight) {}

void GuiAnimationView::nextImage() {
    value += static_cast<float>(imageHeight);
    if (!(value <= static_cast<float>(stripHeight - imageHeight))) value = 0.0f;
}

void GuiAnimationView::previousImage() {
    value -= static_cast<float>(imageHeight);
    if (!(value >= 0.0f))
        value = static_cast<float>(stripHeight > imageHeight ? stripHeight - imageHeight : 0);
}

void GuiAnimationView::draw(GuiDrawContext* context) {
    if (!running) return;
    drawImage(context, backgroundOffset.h, guiTruncate(value) + backgroundOffset.v);
    oldValue = value;
}

void GuiAnimationView::mouseDown(GuiDrawContext* context, const GuiPoint&) {
    if (!mouseEnabled || !context) return;
    value = 0.0f;
    if (running) {
        draw(context);
        stop();
        return;
    }
    start();
    oldValue = -1.0f;
    guiReportChange(*this, context);
}
