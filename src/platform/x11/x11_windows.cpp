// Window classes, child windows and their messages on the library's own
// display connection.
#include <X11/Xutil.h>

#include <algorithm>

#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_text_entry.h"

namespace platform {

using x11::ChildWindow;
using x11::connection;

namespace {

// Draws into the window's backing pixels and shows them when released.
class WindowSurface final : public cairo::CairoSurface {
public:
    explicit WindowSurface(ChildWindow& window)
        : CairoSurface(*window.backing), handle(&window) {}
    ~WindowSurface() override {
        // The window may have gone while the surface was in use.
        if (ChildWindow* w = x11::findWindow(handle)) x11::present(*w);
    }

private:
    WindowHandle handle;
};

void deliver(ChildWindow& window, const WindowMessage& message) {
    if (window.procedure) window.procedure(&window, message);
}

void handleEvent(const XEvent& event) {
    if (x11::handleTextEntryEvent(event)) return;
    auto& windows = connection().windows;
    auto it = std::find_if(windows.begin(), windows.end(),
                           [&](const auto& w) { return w->id == event.xany.window; });
    if (it == windows.end()) return;
    ChildWindow& window = **it;
    WindowMessage message;
    switch (event.type) {
    case Expose:
        // Paint once the server has told of the last exposed piece.
        if (event.xexpose.count != 0 || !window.alive) return;
        {
            WindowSurface surface(window);
            message.kind = MessageKind::paint;
            message.surface = &surface;
            deliver(window, message);
        }
        break;
    case ButtonPress:
        if (event.xbutton.button != Button1 && event.xbutton.button != Button3) return;
        message.kind =
            event.xbutton.button == Button1 ? MessageKind::leftButtonDown : MessageKind::rightButtonDown;
        message.where = Point{event.xbutton.x, event.xbutton.y};
        deliver(window, message);
        break;
    case DestroyNotify:
        if (event.xdestroywindow.window != window.id || !window.alive) return;
        window.alive = false;
        message.kind = MessageKind::destroy;
        deliver(window, message);
        break;
    default:
        break;
    }
}

}  // namespace

bool registerWindowClass(const char* className, WindowProcedure procedure) {
    if (!x11::openConnection()) return false;
    auto& classes = connection().classes;
    for (const auto& c : classes) {
        if (c.name == className) return false;
    }
    classes.push_back({className, procedure});
    return true;
}

void unregisterWindowClass(const char* className) {
    auto& classes = connection().classes;
    std::erase_if(classes, [&](const x11::WindowClassEntry& c) { return c.name == className; });
    if (classes.empty()) x11::closeConnection();
}

WindowHandle createChildWindow(const char* className, const char* title, NativeWindow parent,
                               int width, int height) {
    x11::Connection& c = connection();
    const auto parentId = static_cast<::Window>(reinterpret_cast<std::uintptr_t>(parent));
    if (!c.display || parentId == 0 || width <= 0 || height <= 0) return nullptr;
    auto cls = std::find_if(c.classes.begin(), c.classes.end(),
                            [&](const x11::WindowClassEntry& e) { return e.name == className; });
    if (cls == c.classes.end()) return nullptr;

    // The host's id may name no window at all: ask first, with errors trapped.
    const unsigned long mark = x11::trapBegin();
    XWindowAttributes parentAttributes{};
    const Status known = XGetWindowAttributes(c.display, parentId, &parentAttributes);
    if (!known || !x11::trapEndClean(mark)) return nullptr;

    auto window = std::make_unique<ChildWindow>();
    window->backing = cairo::CairoImage::create(width, height, false);
    if (!window->backing) return nullptr;
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = None;  // we paint every pixel; no flash
    attributes.event_mask = ExposureMask | ButtonPressMask | StructureNotifyMask;
    window->id = XCreateWindow(c.display, parentId, 0, 0, static_cast<unsigned>(width),
                               static_cast<unsigned>(height), 0, CopyFromParent, InputOutput,
                               CopyFromParent, CWBackPixmap | CWEventMask, &attributes);
    XStoreName(c.display, window->id, title);
    XMapWindow(c.display, window->id);
    if (!x11::trapEndClean(mark)) {
        if (window->id) XDestroyWindow(c.display, window->id);
        XSync(c.display, False);
        return nullptr;
    }
    window->visual = parentAttributes.visual;
    window->width = width;
    window->height = height;
    window->procedure = cls->procedure;
    c.windows.push_back(std::move(window));
    return c.windows.back().get();
}

void destroyWindow(WindowHandle handle) {
    x11::Connection& c = connection();
    ChildWindow* window = x11::findWindow(handle);
    if (!window) return;
    if (window->alive && c.display) {
        WindowMessage message;
        message.kind = MessageKind::destroy;
        deliver(*window, message);
        XDestroyWindow(c.display, window->id);
        XSync(c.display, False);
    }
    std::erase_if(c.windows, [&](const auto& w) { return w.get() == window; });
}

void setWindowUserData(WindowHandle handle, void* data) {
    if (ChildWindow* w = x11::findWindow(handle)) w->userData = data;
}

void* windowUserData(WindowHandle handle) {
    ChildWindow* w = x11::findWindow(handle);
    return w ? w->userData : nullptr;
}

void invalidateWindow(WindowHandle handle) {
    ChildWindow* w = x11::findWindow(handle);
    if (!w || !w->alive || !connection().display) return;
    XClearArea(connection().display, w->id, 0, 0, 0, 0, True);
    XFlush(connection().display);
}

// Hosts call the editor's idle 15 to 60 times a second; whatever the server
// sent since is handled here, without waiting for more.
void dispatchPendingMessages(WindowHandle) {
    x11::Connection& c = connection();
    if (!c.display || c.dispatching) return;
    c.dispatching = true;
    while (c.display && XPending(c.display) > 0) {
        XEvent event;
        XNextEvent(c.display, &event);
        handleEvent(event);
    }
    c.dispatching = false;
}

std::unique_ptr<Surface> acquireWindowSurface(WindowHandle handle) {
    ChildWindow* w = x11::findWindow(handle);
    if (!w || !w->alive || !connection().display) return nullptr;
    return std::make_unique<WindowSurface>(*w);
}

Point screenToClient(WindowHandle handle, Point screen) {
    x11::Connection& c = connection();
    ChildWindow* w = x11::findWindow(handle);
    if (!w || !c.display) return screen;
    int x = screen.x;
    int y = screen.y;
    ::Window child = 0;
    const unsigned long mark = x11::trapBegin();
    if (!XTranslateCoordinates(c.display, DefaultRootWindow(c.display), w->id, screen.x, screen.y,
                               &x, &y, &child) ||
        c.errorCount != mark) {
        return screen;
    }
    return Point{x, y};
}

}  // namespace platform
