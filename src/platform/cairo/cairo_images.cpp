// The seam's image functions for every backend that draws with cairo.
#include <algorithm>

#include "platform/cairo/cairo_surface.h"
#include "platform/resources/bmp_decoder.h"
#include "platform/resources/embedded_bitmaps.h"

namespace platform {

std::unique_ptr<Image> createImage(const Surface*, int width, int height) {
    return cairo::CairoImage::create(width, height, false);
}

std::unique_ptr<Image> createMask(int width, int height) {
    return cairo::CairoImage::create(width, height, true);
}

std::unique_ptr<Surface> createImageSurface(const Surface*, Image& image) {
    auto* cairoImage = dynamic_cast<cairo::CairoImage*>(&image);
    if (!cairoImage) return nullptr;
    return std::make_unique<cairo::CairoSurface>(*cairoImage);
}

std::unique_ptr<Image> loadBitmapResource(int resourceId) {
    const resources::EmbeddedBitmap* found = resources::findEmbeddedBitmap(resourceId & 0xFFFF);
    if (!found) return nullptr;
    resources::DecodedBitmap decoded;
    if (!resources::decodeBmp(found->data, found->size, decoded)) return nullptr;
    auto image = cairo::CairoImage::create(decoded.width, decoded.height, false);
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

}  // namespace platform
