#include "platform/headless/headless_system.h"

#include <algorithm>
#include <deque>
#include <memory>

#include "platform/cairo/cairo_surface.h"
#include "platform/headless/headless_services.h"
#include "platform/shared/backend.h"
#include "platform/shared/scale.h"

namespace platform::headless {

namespace {

struct VirtualWindow final : shared::RegisteredWindow {
    std::unique_ptr<cairo::CairoImage> image;
    Point origin;
};

// The backend's whole state: the virtual desktop, one per process like the
// display it stands for. Windows and classes live in the shared registry.
struct Desktop {
    std::vector<std::string> calls;
    std::deque<InputState> script;
    InputState input;
    std::uint32_t tick = 0;
    std::uint32_t tickStep = 0;
    int trackingPauses = 0;
    int parentToken = 0;
    int dpi = 0;
};

Desktop& desktop() {
    static Desktop instance;
    return instance;
}

}  // namespace

void reset() {
    desktop() = Desktop{};
    shared::registry().clear();
    resetServices();
}

NativeWindow makeParentWindow() { return &desktop().parentToken; }

const std::vector<std::string>& calls() { return desktop().calls; }
void clearCalls() { desktop().calls.clear(); }

int windowCount() { return shared::registry().windowCount(); }

WindowHandle lastWindow() { return shared::registry().lastWindow(); }

void setWindowOrigin(WindowHandle window, Point origin) {
    if (VirtualWindow* w = shared::find<VirtualWindow>(window)) w->origin = origin;
}

bool sendButtonDown(WindowHandle window, Point where, bool rightButton) {
    WindowMessage message;
    message.kind = rightButton ? MessageKind::rightButtonDown : MessageKind::leftButtonDown;
    message.where = where;
    return shared::deliver(window, message);
}

bool sendWheel(WindowHandle window, Point where, int notches, unsigned keys) {
    WindowMessage message;
    message.kind = MessageKind::wheel;
    message.where = where;
    message.wheelNotches = notches;
    message.keys = keys;
    return shared::deliver(window, message);
}

bool sendPaint(WindowHandle window) {
    VirtualWindow* w = shared::findLive<VirtualWindow>(window);
    if (!w) return false;
    cairo::CairoSurface surface(*w->image);
    WindowMessage message;
    message.kind = MessageKind::paint;
    message.surface = &surface;
    return shared::deliver(window, message);
}

bool sendParentDestroyed(WindowHandle window) { return shared::deliverDestroy(window); }

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
int trackingPauses() { return desktop().trackingPauses; }

void setDesktopDpi(int dpi) { desktop().dpi = dpi; }

Rgb pixel(WindowHandle window, int x, int y) {
    VirtualWindow* w = shared::find<VirtualWindow>(window);
    if (!w) return {};
    const std::uint32_t p = w->image->pixel(x, y);
    return Rgb{static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
               static_cast<std::uint8_t>(p)};
}

bool writePng(WindowHandle window, const char* path) {
    VirtualWindow* w = shared::find<VirtualWindow>(window);
    if (!w || !path) return false;
    cairo_surface_flush(w->image->surface());
    return cairo_surface_write_to_png(w->image->surface(), path) == CAIRO_STATUS_SUCCESS;
}

}  // namespace platform::headless

namespace platform::backend {

bool classAdding(const char* className, bool) {
    headless::desktop().calls.push_back(std::string("registerClass ") + className);
    return true;
}

void classRemoved(const char* className, bool) {
    headless::desktop().calls.push_back(std::string("unregisterClass ") + className);
}

std::unique_ptr<shared::RegisteredWindow> createNativeWindow(const char* /*className*/,
                                                             const char* title, NativeWindow parent,
                                                             int width, int height) {
    auto& d = headless::desktop();
    d.calls.push_back(std::string("createWindow ") + title + " " + std::to_string(width) + "x" +
                      std::to_string(height));
    if (parent != &d.parentToken) return nullptr;
    auto window = std::make_unique<headless::VirtualWindow>();
    // A zero-sized window still gets a pixel to draw into.
    window->image = cairo::CairoImage::create(std::max(width, 1), std::max(height, 1), false);
    if (!window->image) return nullptr;
    return window;
}

bool resizeNativeWindow(shared::RegisteredWindow& window, int deviceWidth, int deviceHeight,
                        int scalePercent) {
    auto& w = static_cast<headless::VirtualWindow&>(window);
    auto image = cairo::CairoImage::createScaled(
        std::max(w.designWidth, 1), std::max(w.designHeight, 1), 0, scalePercent,
        std::max(deviceWidth, 1), std::max(deviceHeight, 1), false);
    if (!image) return false;
    headless::desktop().calls.push_back("resizeWindow " + std::to_string(deviceWidth) + "x" +
                                        std::to_string(deviceHeight));
    w.image = std::move(image);
    return true;
}

void destroyNativeWindow(shared::RegisteredWindow&, bool) {
    headless::desktop().calls.push_back("destroyWindow");
}

}  // namespace platform::backend

namespace platform {

using headless::desktop;

// The x11 and win32 backends hand this to the system, whose message loop
// sends the paint later; here the test is that loop and sends it itself.
void invalidateWindow(WindowHandle) {}

void dispatchPendingMessages(WindowHandle) {}

std::unique_ptr<Surface> acquireWindowSurface(WindowHandle window) {
    auto* w = shared::findLive<headless::VirtualWindow>(window);
    if (!w) return nullptr;
    return std::make_unique<cairo::CairoSurface>(*w->image);
}

Point screenToClient(WindowHandle window, Point screen) {
    if (auto* w = shared::find<headless::VirtualWindow>(window))
        return shared::toDesignPoint(*w, Point{screen.x - w->origin.x, screen.y - w->origin.y});
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

int desktopDpi(NativeWindow) { return desktop().dpi; }

void pauseTracking(std::uint32_t) { ++desktop().trackingPauses; }

}  // namespace platform
