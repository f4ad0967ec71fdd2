// GuiBitmap: one of the module's bitmap resources, shared by reference
// count between the editor, the frame and the controls.
//
// Ownership: construction gives the creator one reference; every other
// holder takes one with addRef. Each holder calls release once per
// reference it took; the last release deletes the object, its image and its
// mask. Never delete a GuiBitmap directly.
//
// A resource that cannot be loaded leaves a bitmap with no image and size
// 0 x 0; drawing it draws nothing.
//
// Transparent drawing: the first such draw builds the mask (1 where the
// image has the key colour) and the masked image (the image, black where
// the mask is 1) and keeps both; a draw that finds either missing builds
// them again. The image itself is never written.
//
// Threads: user-interface thread only; the count is a plain counter.
#pragma once

#include <cstdint>
#include <memory>

#include "gui/core/geometry.h"
#include "platform/platform.h"

class GuiDrawContext;

class GuiBitmap {
public:
    explicit GuiBitmap(std::int32_t resourceId);

    GuiBitmap(const GuiBitmap&) = delete;
    GuiBitmap& operator=(const GuiBitmap&) = delete;

    void addRef() { ++refCount; }
    void release();

    std::int32_t getWidth() const { return width; }
    std::int32_t getHeight() const { return height; }
    std::int32_t getResourceId() const { return resourceId; }
    std::int32_t getRefCount() const { return refCount; }
    // Swaps the pixels for resource `resourceId`, drawn for `scalePercent`
    // (a panel shown larger), keeping the size: the picture is still
    // getWidth() x getHeight() of the toolkit's pixels, made of `frames`
    // frames scaled one by one. Mask and masked image are built again at the
    // next transparent draw. False, nothing changed, when the resource is
    // missing or not of the scaled size. 100 takes the resource as it is.
    bool loadForScale(std::int32_t resourceId, std::int32_t scalePercent, std::int32_t frames);
    // The mask is built on the first transparent draw and kept.
    bool hasMask() const { return mask != nullptr; }
    const platform::Image* getMask() const { return mask.get(); }

    // Copies rect.width() x rect.height() pixels from `offset` in the image
    // to rect's top-left corner.
    void draw(GuiDrawContext* context, const GuiRect& rect, const GuiPoint& offset = GuiPoint());
    // The same, leaving the destination where the image has
    // kColorTransparentKey. Used with offset (0, 0).
    void drawTransparent(GuiDrawContext* context, const GuiRect& rect,
                         const GuiPoint& offset = GuiPoint());

private:
    ~GuiBitmap();
    bool buildMask(const platform::Surface* target);
    bool buildMaskedImage(const platform::Surface* target);

    std::int32_t resourceId;
    std::unique_ptr<platform::Image> image;
    std::unique_ptr<platform::Image> mask;
    std::unique_ptr<platform::Image> masked;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t refCount = 1;
};
