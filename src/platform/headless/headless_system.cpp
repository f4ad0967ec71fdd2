#include "platform/headless/headless_system.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <memory>

#include "platform/cairo/cairo_surface.h"
#include "platform/headless/headless_services.h"

namespace platform::headless {

namespace {

struct WindowClass {
    std::string name;
    WindowProcedure procedure;
};

struct VirtualWindow {
    WindowProcedure procedure = nullptr;
    std::unique_ptr<cairo::CairoImage> image;
    void* userData = nullptr;
    Point origin;
    bool alive = true;
    bool paintPending = false;
};

// The virtual desktop: one per process, like the display it stands for.
struct Desktop {
    std::vector<WindowClass> classes;
    std::vector<std::unique_ptr<VirtualWindow>> windows;
    std::vector<std::string> calls;
    std::deque<InputState> script;
    InputState input;
    std::uint32_t tick = 0;
    std::uint32_t tickStep = 0;
    int parentToken = 0;
};

Desktop& desktop() {
    static Desktop instance;
    return instance;
}

VirtualWindow* find(WindowHandle handle) {
    for (auto& w : desktop().windows) {
        if (w.get() == handle) return w.get();
    }
    return nullptr;
}

VirtualWindow* findLive(WindowHandle handle) {
    VirtualWindow* w = find(handle);
    return w && w->alive ? w : nullptr;
}

}  // namespace

void reset() {
    desktop() = Desktop{};
    resetServices();
}

NativeWindow makeParentWindow() { return &desktop().parentToken; }

const std::vector<std::string>& calls() { return desktop().calls; }
void clearCalls() { desktop().calls.clear(); }

int windowCount() { return static_cast<int>(desktop().windows.size()); }

WindowHandle lastWindow() {
    return desktop().windows.empty() ? nullptr : desktop().windows.back().get();
}

void setWindowOrigin(WindowHandle window, Point origin) {
    if (VirtualWindow* w = find(window)) w->origin = origin;
}

bool sendButtonDown(WindowHandle window, Point where, bool rightButton) {
    VirtualWindow* w = findLive(window);
    if (!w) return false;
    WindowMessage message;
    message.kind = rightButton ? MessageKind::rightButtonDown : MessageKind::leftButtonDown;
    message.where = where;
    w->procedure(window, message);
    return true;
}

bool sendPaint(WindowHandle window) {
    VirtualWindow* w = findLive(window);
    if (!w) return false;
    w->paintPending = false;
    cairo::CairoSurface surface(*w->image);
    WindowMessage message;
    message.kind = MessageKind::paint;
    message.surface = &surface;
    w->procedure(window, message);
    return true;
}

bool sendParentDestroyed(WindowHandle window) {
    VirtualWindow* w = findLive(window);
    if (!w) return false;
    WindowMessage message;
    message.kind = MessageKind::destroy;
    w->procedure(window, message);
    w->alive = false;
    return true;
}

bool paintRequested(WindowHandle window) {
    VirtualWindow* w = find(window);
    return w && w->paintPending;
}

void setPointer(Point screen, unsigned buttons) {
    desktop().script.clear();
    desktop().input = InputState{screen, buttons};
}

void scriptInput(const std::vector<InputState>& states) {
    desktop().script.insert(desktop().script.end(), states.begin(), states.end());
}

int pendingInput() { return static_cast<int>(desktop().script.size()); }

void setTickCount(std::uint32_t milliseconds) { desktop().tick = milliseconds; }
void advanceClock(std::uint32_t milliseconds) { desktop().tick += milliseconds; }
void setTickStepPerPoll(std::uint32_t milliseconds) { desktop().tickStep = milliseconds; }

Rgb pixel(WindowHandle window, int x, int y) {
    VirtualWindow* w = find(window);
    if (!w) return {};
    const std::uint32_t p = w->image->pixel(x, y);
    return Rgb{static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
               static_cast<std::uint8_t>(p)};
}

bool writePng(WindowHandle window, const char* path) {
    VirtualWindow* w = find(window);
    if (!w || !path) return false;
    cairo_surface_flush(w->image->surface());
    return cairo_surface_write_to_png(w->image->surface(), path) == CAIRO_STATUS_SUCCESS;
}

}  // namespace platform::headless

namespace platform {

using headless::desktop;

bool registerWindowClass(const char* className, WindowProcedure procedure) {
    auto& d = desktop();
    d.calls.push_back(std::string("registerClass ") + className);
    for (const auto& c : d.classes) {
        if (c.name == className) return false;
    }
    d.classes.push_back({className, procedure});
    return true;
}

void unregisterWindowClass(const char* className) {
    auto& d = desktop();
    d.calls.push_back(std::string("unregisterClass ") + className);
    std::erase_if(d.classes, [&](const headless::WindowClass& c) { return c.name == className; });
}

WindowHandle createChildWindow(const char* className, const char* title, NativeWindow parent,
                               int width, int height) {
    auto& d = desktop();
    d.calls.push_back(std::string("createWindow ") + title + " " + std::to_string(width) + "x" +
                      std::to_string(height));
    if (parent != &d.parentToken) return nullptr;
    auto cls = std::find_if(d.classes.begin(), d.classes.end(),
                            [&](const headless::WindowClass& c) { return c.name == className; });
    if (cls == d.classes.end()) return nullptr;
    auto window = std::make_unique<headless::VirtualWindow>();
    window->procedure = cls->procedure;
    // A zero-sized window still gets a pixel to draw into.
    window->image = cairo::CairoImage::create(std::max(width, 1), std::max(height, 1), false);
    if (!window->image) return nullptr;
    d.windows.push_back(std::move(window));
    return d.windows.back().get();
}

void destroyWindow(WindowHandle window) {
    auto& d = desktop();
    d.calls.push_back("destroyWindow");
    headless::VirtualWindow* w = headless::find(window);
    if (!w) return;
    if (w->alive) {
        WindowMessage message;
        message.kind = MessageKind::destroy;
        w->procedure(window, message);
    }
    std::erase_if(d.windows, [&](const auto& p) { return p.get() == w; });
}

void setWindowUserData(WindowHandle window, void* data) {
    if (auto* w = headless::find(window)) w->userData = data;
}

void* windowUserData(WindowHandle window) {
    auto* w = headless::find(window);
    return w ? w->userData : nullptr;
}

void invalidateWindow(WindowHandle window) {
    if (auto* w = headless::findLive(window)) w->paintPending = true;
}

void dispatchPendingMessages(WindowHandle) {}

std::unique_ptr<Surface> acquireWindowSurface(WindowHandle window) {
    auto* w = headless::findLive(window);
    if (!w) return nullptr;
    return std::make_unique<cairo::CairoSurface>(*w->image);
}

Point screenToClient(WindowHandle window, Point screen) {
    if (auto* w = headless::find(window)) return Point{screen.x - w->origin.x, screen.y - w->origin.y};
    return screen;
}

Point pointerPosition() { return desktop().input.screen; }

unsigned mouseState() {
    auto& d = desktop();
    if (!d.script.empty()) {
        d.input = d.script.front();
        d.script.pop_front();
    }
    d.tick += d.tickStep;
    return d.input.buttons;
}

std::uint32_t tickCount() { return desktop().tick; }

}  // namespace platform
