#include "platform/shared/window_registry.h"

#include <algorithm>

#include "platform/shared/backend.h"
#include "platform/shared/scale.h"

namespace platform::shared {

bool WindowRegistry::addClass(const char* name, WindowProcedure procedure) {
    if (classProcedure(name)) return false;
    classes.push_back({name, procedure});
    return true;
}

void WindowRegistry::removeClass(const char* name) {
    std::erase_if(classes, [&](const ClassEntry& c) { return c.name == name; });
}

WindowProcedure WindowRegistry::classProcedure(const char* name) const {
    for (const auto& c : classes) {
        if (c.name == name) return c.procedure;
    }
    return nullptr;
}

WindowHandle WindowRegistry::add(std::unique_ptr<RegisteredWindow> window) {
    windows.push_back(std::move(window));
    return handleOf(*windows.back());
}

void WindowRegistry::remove(WindowHandle handle) {
    std::erase_if(windows, [&](const auto& w) { return handleOf(*w) == handle; });
}

RegisteredWindow* WindowRegistry::find(WindowHandle handle) const {
    if (!handle) return nullptr;
    return findIf([&](RegisteredWindow& w) { return handleOf(w) == handle; });
}

RegisteredWindow* WindowRegistry::findLive(WindowHandle handle) const {
    RegisteredWindow* w = find(handle);
    return w && w->alive ? w : nullptr;
}

WindowHandle WindowRegistry::lastWindow() const {
    return windows.empty() ? nullptr : handleOf(*windows.back());
}

void WindowRegistry::clear() {
    windows.clear();
    classes.clear();
}

WindowRegistry& registry() {
    static WindowRegistry instance;
    return instance;
}

bool deliver(WindowHandle window, const WindowMessage& message) {
    RegisteredWindow* w = registry().findLive(window);
    if (!w) return false;
    if (!w->procedure) return true;
    if (message.kind == MessageKind::leftButtonDown ||
        message.kind == MessageKind::rightButtonDown || message.kind == MessageKind::wheel) {
        WindowMessage scaled = message;
        scaled.where = toDesignPoint(*w, message.where);
        w->procedure(window, scaled);
    } else {
        w->procedure(window, message);
    }
    return true;
}

Point toDesignPoint(const RegisteredWindow& window, Point device) {
    return Point{toDesign(device.x, window.scalePercent), toDesign(device.y, window.scalePercent)};
}

Point toDevicePoint(const RegisteredWindow& window, Point design) {
    return Point{toDevice(design.x, window.scalePercent), toDevice(design.y, window.scalePercent)};
}

Box toDeviceBox(const RegisteredWindow& window, const Box& design) {
    const int s = window.scalePercent;
    return Box{toDevice(design.left, s), toDevice(design.top, s), toDevice(design.right, s),
               toDevice(design.bottom, s)};
}

bool deliverDestroy(WindowHandle window) {
    RegisteredWindow* w = registry().findLive(window);
    if (!w) return false;
    // Marked first, so nothing the procedure does can deliver it twice.
    w->alive = false;
    WindowMessage message;
    message.kind = MessageKind::destroy;
    if (w->procedure) w->procedure(window, message);
    return true;
}

}  // namespace platform::shared

namespace platform {

bool registerWindowClass(const char* className, WindowProcedure procedure) {
    auto& r = shared::registry();
    if (!className || !backend::classAdding(className, !r.hasClasses())) return false;
    return r.addClass(className, procedure);
}

void unregisterWindowClass(const char* className) {
    if (!className) return;
    auto& r = shared::registry();
    r.removeClass(className);
    backend::classRemoved(className, !r.hasClasses());
}

WindowHandle createChildWindow(const char* className, const char* title, NativeWindow parent,
                               int width, int height) {
    auto& r = shared::registry();
    const WindowProcedure procedure = className ? r.classProcedure(className) : nullptr;
    if (!procedure) return nullptr;
    auto window = backend::createNativeWindow(className, title ? title : "", parent, width, height);
    if (!window) return nullptr;
    window->procedure = procedure;
    window->designWidth = width;
    window->designHeight = height;
    return r.add(std::move(window));
}

bool setWindowScale(WindowHandle window, int scalePercent) {
    shared::RegisteredWindow* w = shared::registry().findLive(window);
    if (!w || !shared::isSupportedScale(scalePercent)) return false;
    if (w->scalePercent == scalePercent) return true;
    if (!backend::resizeNativeWindow(*w, shared::toDevice(w->designWidth, scalePercent),
                                     shared::toDevice(w->designHeight, scalePercent), scalePercent))
        return false;
    w->scalePercent = scalePercent;
    return true;
}

int windowScale(WindowHandle window) {
    const shared::RegisteredWindow* w = shared::registry().find(window);
    return w ? w->scalePercent : shared::kUnscaled;
}

void destroyWindow(WindowHandle window) {
    auto& r = shared::registry();
    shared::RegisteredWindow* w = r.find(window);
    if (!w) return;
    const bool nativeAlive = w->alive;
    shared::deliverDestroy(window);
    backend::destroyNativeWindow(*w, nativeAlive);
    r.remove(window);
}

NativeWindow nativeWindowOf(WindowHandle window) {
    auto* w = shared::registry().find(window);
    return w && w->alive ? w->native() : nullptr;
}

void setWindowUserData(WindowHandle window, void* data) {
    if (auto* w = shared::registry().find(window)) w->userData = data;
}

void* windowUserData(WindowHandle window) {
    auto* w = shared::registry().find(window);
    return w ? w->userData : nullptr;
}

}  // namespace platform
