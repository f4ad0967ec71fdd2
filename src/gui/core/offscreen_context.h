// GuiOffscreenContext: a drawing context whose surface is a memory bitmap
// of a given size, prepared in the background colour, drawn into like any
// context and copied to a window context in one step.
//
// Ownership: the context creates and deletes its memory surface and bitmap
// (the surface goes first, as it draws into the bitmap). It holds no window
// (mouse positions come back in screen coordinates).
//
// Threads: user-interface thread only.
#pragma once

#include <cstdint>
#include <memory>

#include "gui/core/draw_context.h"

class GuiOffscreenContext : public GuiDrawContext {
public:
    // The surface is compatible with the frame's window (the screen's format
    // when the frame has no window); it starts filled and outlined in
    // `background`, which is then the pen, brush and background colour. The
    // text colour and background mode stay the memory surface's own (black,
    // opaque) until setFontColor; drawString sets the mode itself.
    GuiOffscreenContext(GuiFrame* frame, std::int32_t width, std::int32_t height,
                        const GuiColor& background);
    ~GuiOffscreenContext() override;

    // Copies destination.width() x destination.height() pixels of the
    // surface from `offset` to destination's top-left corner in `target`.
    void copyFrom(GuiDrawContext* target, const GuiRect& destination,
                  const GuiPoint& offset = GuiPoint());

    std::int32_t getWidth() const { return width; }
    std::int32_t getHeight() const { return height; }
    GuiColor getBackgroundColor() const { return backgroundColor; }

private:
    std::int32_t height;
    std::int32_t width;
    GuiColor backgroundColor;
    std::unique_ptr<platform::Image> memoryBitmap;
    std::unique_ptr<platform::Surface> memorySurface;
};
