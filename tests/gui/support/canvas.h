// A headless window to draw into and read back, without a frame: the
// drawing tests look at the seam and the context alone.
#pragma once

#include <memory>

#include "platform/headless/headless_system.h"
#include "platform/platform.h"

namespace guitest {

class Canvas {
public:
    Canvas(int width, int height, platform::Rgb background);
    ~Canvas();

    platform::Surface* surface() const { return surf.get(); }
    platform::WindowHandle window() const { return win; }
    platform::Rgb at(int x, int y) const { return platform::headless::pixel(win, x, y); }
    bool is(int x, int y, platform::Rgb colour) const { return at(x, y) == colour; }

    // Bounds of the pixels that differ from the background; false if none.
    struct Ink {
        int left, top, right, bottom;
    };
    bool ink(Ink& out, int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1) const;

    int width, height;
    platform::Rgb background;

private:
    platform::WindowHandle win = nullptr;
    std::unique_ptr<platform::Surface> surf;
};

}  // namespace guitest
