#include "canvas.h"

#include <algorithm>

namespace guitest {

namespace {
void ignoreMessages(platform::WindowHandle, const platform::WindowMessage&) {}
}  // namespace

Canvas::Canvas(int width, int height, platform::Rgb background)
    : width(width), height(height), background(background) {
    (void)platform::registerWindowClass("canvas", &ignoreMessages);
    win = platform::createChildWindow("canvas", "canvas", platform::headless::makeParentWindow(),
                                      width, height);
    surf = platform::acquireWindowSurface(win);
    surf->pushState();
    (void)surf->setBrush(background);
    surf->fillBox({0, 0, width, height});
    surf->popState();
}

Canvas::~Canvas() {
    surf.reset();
    platform::destroyWindow(win);
    platform::unregisterWindowClass("canvas");
}

bool Canvas::ink(Ink& out, int x0, int y0, int x1, int y1) const {
    if (x1 < 0) x1 = width - 1;
    if (y1 < 0) y1 = height - 1;
    bool any = false;
    out = {x1, y1, x0, y0};
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            if (at(x, y) == background) continue;
            any = true;
            out.left = std::min(out.left, x);
            out.right = std::max(out.right, x);
            out.top = std::min(out.top, y);
            out.bottom = std::max(out.bottom, y);
        }
    }
    return any;
}

}  // namespace guitest
