#include "gui/controls/slider_handle.h"

#include "gui/core/bitmap.h"
#include "gui/core/offscreen_context.h"

void guiDrawSlider(GuiDrawContext* context, const GuiControl& slider, GuiBitmap* background,
                   const GuiPoint& backgroundOffset, GuiBitmap* handle, const GuiRect& handleRect,
                   bool transparent) {
    const std::int32_t w = slider.getWidth();
    const std::int32_t h = slider.getHeight();
    GuiOffscreenContext offscreen(slider.getFrame(), w, h, kColorBlack);
    if (background) background->draw(&offscreen, GuiRect(0, 0, w, h), backgroundOffset);
    if (handle) {
        if (transparent) handle->drawTransparent(&offscreen, handleRect);
        else handle->draw(&offscreen, handleRect);
    }
    offscreen.copyFrom(context, slider.getSize());
}
