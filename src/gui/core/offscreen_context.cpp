#include "gui/core/offscreen_context.h"

#include "gui/core/frame.h"

GuiOffscreenContext::GuiOffscreenContext(GuiFrame* frame, std::int32_t width, std::int32_t height,
                                         const GuiColor& background)
    : GuiDrawContext(frame, nullptr, nullptr),
      height(height),
      width(width),
      backgroundColor(background) {
    {
        std::unique_ptr<platform::Surface> windowSurface;
        if (frame && frame->getWindow())
            windowSurface = platform::acquireWindowSurface(frame->getWindow());
        memoryBitmap = platform::createImage(windowSurface.get(), width, height);
        if (memoryBitmap)
            memorySurface = platform::createImageSurface(windowSurface.get(), *memoryBitmap);
    }
    if (!memorySurface) return;
    installSurface(memorySurface.get());
    setFillColor(background);
    setFrameColor(background);
    fillRect(GuiRect(0, 0, width, height));
    drawRect(GuiRect(0, 0, width, height));
}

GuiOffscreenContext::~GuiOffscreenContext() { releaseSurface(); }

void GuiOffscreenContext::copyFrom(GuiDrawContext* target, const GuiRect& destination,
                                   const GuiPoint& offset) {
    platform::Surface* to = target ? target->getSurface() : nullptr;
    if (!to || !memorySurface) return;
    (void)to->copyFrom(*memorySurface, destination.left, destination.top, destination.width(),
                       destination.height(), offset.h, offset.v, platform::RasterOp::copy);
}
