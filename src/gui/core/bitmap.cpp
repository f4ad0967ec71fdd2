#include "gui/core/bitmap.h"

#include "gui/core/color.h"
#include "gui/core/draw_context.h"

using platform::RasterOp;

GuiBitmap::GuiBitmap(std::int32_t resourceId)
    : resourceId(resourceId), image(platform::loadBitmapResource(resourceId)) {
    if (image) {
        width = image->width();
        height = image->height();
    }
}

GuiBitmap::~GuiBitmap() = default;

bool GuiBitmap::loadForScale(std::int32_t id, std::int32_t scalePercent, std::int32_t frames) {
    if (!image || frames < 1 || height % frames != 0) return false;
    auto scaled = scalePercent == 100 ? platform::loadBitmapResource(id)
                                      : platform::loadScaledBitmapResource(id, scalePercent, width,
                                                                           height / frames, frames);
    if (!scaled || scaled->width() != width || scaled->height() != height) return false;
    image = std::move(scaled);
    mask.reset();
    masked.reset();
    resourceId = id;
    return true;
}

void GuiBitmap::release() {
    if (--refCount <= 0) delete this;
}

void GuiBitmap::draw(GuiDrawContext* context, const GuiRect& rect, const GuiPoint& offset) {
    platform::Surface* target = context ? context->getSurface() : nullptr;
    if (!image || !target) return;
    auto source = platform::createImageSurface(target, *image);
    if (!source) return;
    (void)target->copyFrom(*source, rect.left, rect.top, rect.width(), rect.height(), offset.h,
                           offset.v, RasterOp::copy);
}

// Key-colour pixels become 1 in the mask, all others 0.
bool GuiBitmap::buildMask(const platform::Surface* target) {
    auto imageSurface = platform::createImageSurface(target, *image);
    if (!imageSurface) return false;
    auto newMask = platform::createMask(width, height, imageSurface.get());
    if (!newMask) return false;
    auto maskSurface = platform::createImageSurface(target, *newMask);
    if (!maskSurface) return false;
    imageSurface->setBackgroundColor(toRgb(kColorTransparentKey));
    if (!maskSurface->copyFrom(*imageSurface, 0, 0, width, height, 0, 0, RasterOp::copy))
        return false;
    imageSurface->setBackgroundColor(toRgb(kColorWhite));
    mask = std::move(newMask);
    return true;
}

// The image ANDed with the inverted mask, in an image of its own: black
// where the key colour was, so ORing it over a masked background composes.
bool GuiBitmap::buildMaskedImage(const platform::Surface* target) {
    auto inverse = platform::createMask(width, height, target);
    auto newMasked = platform::createImage(target, width, height);
    if (!inverse || !newMasked) return false;
    auto imageSurface = platform::createImageSurface(target, *image);
    auto maskSurface = platform::createImageSurface(target, *mask);
    auto inverseSurface = platform::createImageSurface(target, *inverse);
    auto maskedSurface = platform::createImageSurface(target, *newMasked);
    if (!imageSurface || !maskSurface || !inverseSurface || !maskedSurface) return false;
    const bool ok =
        inverseSurface->copyFrom(*maskSurface, 0, 0, width, height, 0, 0, RasterOp::notSource) &&
        maskedSurface->copyFrom(*imageSurface, 0, 0, width, height, 0, 0, RasterOp::copy) &&
        maskedSurface->copyFrom(*inverseSurface, 0, 0, width, height, 0, 0, RasterOp::andSource);
    if (ok) masked = std::move(newMasked);
    return ok;
}

// Background where the mask is 1, the masked image where it is 0, combined
// in a work bitmap and copied once, so the window never shows a half-drawn
// state.
void GuiBitmap::drawTransparent(GuiDrawContext* context, const GuiRect& rect,
                                const GuiPoint& offset) {
    platform::Surface* target = context ? context->getSurface() : nullptr;
    if (!image || !target) return;
    if (!mask && !buildMask(target)) return;
    if (!masked && !buildMaskedImage(target)) return;

    const int w = width;
    const int h = height;
    auto work = platform::createImage(target, w, h);
    if (!work) return;
    auto workSurface = platform::createImageSurface(target, *work);
    auto maskSurface = platform::createImageSurface(target, *mask);
    auto maskedSurface = platform::createImageSurface(target, *masked);
    if (!workSurface || !maskSurface || !maskedSurface) return;
    const bool ok =
        workSurface->copyFrom(*target, 0, 0, w, h, rect.left, rect.top, RasterOp::copy) &&
        workSurface->copyFrom(*maskSurface, 0, 0, w, h, 0, 0, RasterOp::andSource) &&
        workSurface->copyFrom(*maskedSurface, 0, 0, w, h, 0, 0, RasterOp::orSource);
    if (ok) {
        (void)target->copyFrom(*workSurface, rect.left, rect.top, rect.width(), rect.height(),
                               offset.h, offset.v, RasterOp::copy);
    }
}
