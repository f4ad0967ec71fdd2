// The seam's image functions for every backend that draws with cairo.
#include <algorithm>

#include "platform/cairo/cairo_surface.h"
#include "platform/resources/bmp_decoder.h"
#include "platform/resources/embedded_bitmaps.h"
#include "platform/shared/scale.h"

namespace platform {

namespace {

int scaleOf(const Surface* compatible) {
    const auto* surface = dynamic_cast<const cairo::CairoSurface*>(compatible);
    return surface ? surface->image().scale() : 100;
}

}  // namespace

std::unique_ptr<Image> createImage(const Surface* compatible, int width, int height) {
    return cairo::CairoImage::create(width, height, false, scaleOf(compatible));
}

std::unique_ptr<Image> createMask(int width, int height, const Surface* compatible) {
    return cairo::CairoImage::create(width, height, true, scaleOf(compatible));
}

std::unique_ptr<Surface> createImageSurface(const Surface*, Image& image) {
    auto* cairoImage = dynamic_cast<cairo::CairoImage*>(&image);
    if (!cairoImage) return nullptr;
    return std::make_unique<cairo::CairoSurface>(*cairoImage);
}

namespace {

bool decodeResource(int resourceId, resources::DecodedBitmap& decoded) {
    const resources::EmbeddedBitmap* found = resources::findEmbeddedBitmap(resourceId & 0xFFFF);
    return found && resources::decodeBmp(found->data, found->size, decoded);
}

std::unique_ptr<cairo::CairoImage> fill(std::unique_ptr<cairo::CairoImage> image,
                                        const resources::DecodedBitmap& decoded) {
    if (!image) return nullptr;
    image->beginAccess();
    for (int y = 0; y < decoded.height; ++y) {
        const std::uint32_t* in =
            decoded.pixels.data() + static_cast<std::size_t>(y) * decoded.width;
        std::copy(in, in + decoded.width, image->row(y));
    }
    image->endAccess();
    return image;
}

}  // namespace

std::unique_ptr<Image> loadBitmapResource(int resourceId) {
    resources::DecodedBitmap decoded;
    if (!decodeResource(resourceId, decoded)) return nullptr;
    return fill(cairo::CairoImage::create(decoded.width, decoded.height, false), decoded);
}

std::unique_ptr<Image> loadScaledBitmapResource(int resourceId, int scalePercent, int designWidth,
                                                int frameHeight, int frames) {
    resources::DecodedBitmap decoded;
    if (!decodeResource(resourceId, decoded)) return nullptr;
    if (decoded.width != shared::toDevice(designWidth, scalePercent) ||
        decoded.height != frames * shared::toDevice(frameHeight, scalePercent))
        return nullptr;
    return fill(cairo::CairoImage::createScaled(designWidth, frames * frameHeight, frameHeight,
                                                scalePercent, decoded.width, decoded.height, false),
                decoded);
}

}  // namespace platform
