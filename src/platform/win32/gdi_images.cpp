// Images, memory surfaces and the module's bitmap resources on GDI.
#include "platform/module_handle.h"
#include "platform/shared/scale.h"
#include "platform/win32/gdi_surface.h"

namespace platform {

using win32::GdiImage;
using win32::GdiSurface;

namespace {

// Counts a bitmap just made as wrapped in `image`; deletes it when it could
// not be wrapped.
std::unique_ptr<GdiImage> counted(HBITMAP bitmap, std::unique_ptr<GdiImage> image) {
    win32::countCreated();
    if (!image) {
        DeleteObject(bitmap);
        win32::countDeleted();
    }
    return image;
}

// Fresh bitmaps start black, as the other backends' do, rather than with
// whatever memory GDI hands out.
std::unique_ptr<Image> cleared(HBITMAP bitmap, bool mask, int width, int height, int scale) {
    if (!bitmap) return nullptr;
    auto image = counted(bitmap, GdiImage::adoptScaled(bitmap, mask, width, height, scale, 0));
    if (!image) return nullptr;
    if (auto surface = GdiSurface::forImage(nullptr, *image)) {
        PatBlt(surface->dc(), 0, 0, image->width(), image->height(), BLACKNESS);
    }
    return image;
}

}  // namespace

// A colour bitmap of the format of `compatible`; a memory surface drawing
// into a mask would give a one-bit bitmap, so that case takes the screen's.
std::unique_ptr<Image> createImage(const Surface* compatible, int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    const auto* gdi = dynamic_cast<const GdiSurface*>(compatible);
    const int scale = gdi ? gdi->scale() : 100;
    const int w = shared::toDevice(width, scale);
    const int h = shared::toDevice(height, scale);
    if (gdi && !gdi->drawsIntoMask()) {
        return cleared(CreateCompatibleBitmap(gdi->dc(), w, h), false, width, height, scale);
    }
    HDC screen = GetDC(nullptr);
    if (!screen) return nullptr;
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    return cleared(bitmap, false, width, height, scale);
}

std::unique_ptr<Image> createMask(int width, int height, const Surface* compatible) {
    if (width <= 0 || height <= 0) return nullptr;
    const auto* gdi = dynamic_cast<const GdiSurface*>(compatible);
    const int scale = gdi ? gdi->scale() : 100;
    return cleared(CreateBitmap(shared::toDevice(width, scale), shared::toDevice(height, scale), 1,
                                1, nullptr),
                   true, width, height, scale);
}

std::unique_ptr<Surface> createImageSurface(const Surface* compatible, Image& image) {
    auto* gdiImage = dynamic_cast<GdiImage*>(&image);
    if (!gdiImage) return nullptr;
    return GdiSurface::forImage(dynamic_cast<const GdiSurface*>(compatible), *gdiImage);
}

std::unique_ptr<Image> loadBitmapResource(int resourceId) {
    auto* instance = static_cast<HINSTANCE>(moduleHandle());
    if (!instance || resourceId <= 0 || resourceId > 0xFFFF) return nullptr;
    HBITMAP bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(resourceId));
    if (!bitmap) return nullptr;
    return counted(bitmap, GdiImage::adopt(bitmap, false));
}

std::unique_ptr<Image> loadScaledBitmapResource(int resourceId, int scalePercent, int designWidth,
                                                int frameHeight, int frames) {
    auto* instance = static_cast<HINSTANCE>(moduleHandle());
    if (!instance || resourceId <= 0 || resourceId > 0xFFFF) return nullptr;
    HBITMAP bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(resourceId));
    if (!bitmap) return nullptr;
    BITMAP info{};
    const bool sized = GetObject(bitmap, sizeof info, &info) &&
                       info.bmWidth == shared::toDevice(designWidth, scalePercent) &&
                       info.bmHeight == frames * shared::toDevice(frameHeight, scalePercent);
    if (!sized) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return counted(bitmap, GdiImage::adoptScaled(bitmap, false, designWidth, frames * frameHeight,
                                                 scalePercent, frameHeight));
}

}  // namespace platform
