// Child windows and their messages on the library's own display connection.
#include <X11/Xutil.h>

#include "platform/shared/backend.h"
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
        : CairoSurface(*window.backing), handle(shared::handleOf(window)) {}
    ~WindowSurface() override {
        // The window may have gone while the surface was in use.
        if (ChildWindow* w = shared::find<ChildWindow>(handle)) x11::present(*w);
    }

private:
    WindowHandle handle;
};

void handleEvent(const XEvent& event) {
    if (x11::handleTextEntryEvent(event)) return;
    auto* window =
        static_cast<ChildWindow*>(shared::registry().findIf([&](shared::RegisteredWindow& w) {
            return static_cast<ChildWindow&>(w).id == event.xany.window;
        }));
    if (!window) return;
    const WindowHandle handle = shared::handleOf(*window);
    WindowMessage message;
    switch (event.type) {
    case Expose:
        // Paint once the server has told of the last exposed piece.
        if (event.xexpose.count != 0 || !window->alive) return;
        {
            WindowSurface surface(*window);
            message.kind = MessageKind::paint;
            message.surface = &surface;
            shared::deliver(handle, message);
        }
        break;
    case ButtonPress:
        // Buttons 4 and 5 are one notch of the wheel each, up and down.
        if (event.xbutton.button == Button4 || event.xbutton.button == Button5) {
            message.kind = MessageKind::wheel;
            message.where = Point{event.xbutton.x, event.xbutton.y};
            message.wheelNotches = event.xbutton.button == Button4 ? 1 : -1;
            message.keys = ((event.xbutton.state & ShiftMask) ? kKeyShift : 0u) |
                           ((event.xbutton.state & ControlMask) ? kKeyControl : 0u) |
                           ((event.xbutton.state & Mod1Mask) ? kKeyAlt : 0u);
            shared::deliver(handle, message);
            break;
        }
        if (event.xbutton.button != Button1 && event.xbutton.button != Button3) return;
        message.kind = event.xbutton.button == Button1 ? MessageKind::leftButtonDown
                                                       : MessageKind::rightButtonDown;
        message.where = Point{event.xbutton.x, event.xbutton.y};
        shared::deliver(handle, message);
        break;
    case DestroyNotify:
        if (event.xdestroywindow.window == window->id) shared::deliverDestroy(handle);
        break;
    default: break;
    }
}

// What the window announces as its size: a host that embeds it (suil's
// wrapper in jalv, Ardour) sizes its own window from these hints, so they
// change with every scale, down as well as up.
void announceSize(Display* display, ::Window id, int width, int height) {
    XSizeHints hints{};
    hints.flags = PMinSize | PMaxSize | PBaseSize;
    hints.min_width = hints.max_width = hints.base_width = width;
    hints.min_height = hints.max_height = hints.base_height = height;
    XSetWMNormalHints(display, id, &hints);
}

}  // namespace

namespace backend {

bool classAdding(const char*, bool first) { return !first || x11::openConnection(); }

void classRemoved(const char*, bool last) {
    if (last) x11::closeConnection();
}

std::unique_ptr<shared::RegisteredWindow> createNativeWindow(const char* /*className*/,
                                                             const char* title, NativeWindow parent,
                                                             int width, int height) {
    x11::Connection& c = connection();
    const auto parentId = static_cast<::Window>(reinterpret_cast<std::uintptr_t>(parent));
    if (!c.display || parentId == 0 || width <= 0 || height <= 0) return nullptr;

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
    announceSize(c.display, window->id, width, height);
    XMapWindow(c.display, window->id);
    if (!x11::trapEndClean(mark)) {
        if (window->id) XDestroyWindow(c.display, window->id);
        XSync(c.display, False);
        return nullptr;
    }
    window->visual = parentAttributes.visual;
    window->width = width;
    window->height = height;
    return window;
}

bool resizeNativeWindow(shared::RegisteredWindow& window, int deviceWidth, int deviceHeight,
                        int scalePercent) {
    auto& w = static_cast<ChildWindow&>(window);
    Display* display = connection().display;
    if (!display || deviceWidth <= 0 || deviceHeight <= 0) return false;
    auto backing = cairo::CairoImage::createScaled(w.designWidth, w.designHeight, 0, scalePercent,
                                                   deviceWidth, deviceHeight, false);
    if (!backing) return false;
    w.backing = std::move(backing);
    w.width = deviceWidth;
    w.height = deviceHeight;
    announceSize(display, w.id, deviceWidth, deviceHeight);
    XResizeWindow(display, w.id, static_cast<unsigned>(deviceWidth),
                  static_cast<unsigned>(deviceHeight));
    XFlush(display);
    return true;
}

void destroyNativeWindow(shared::RegisteredWindow& window, bool nativeAlive) {
    Display* display = connection().display;
    if (!nativeAlive || !display) return;
    XDestroyWindow(display, static_cast<ChildWindow&>(window).id);
    XSync(display, False);
}

}  // namespace backend

void invalidateWindow(WindowHandle handle) {
    ChildWindow* w = shared::findLive<ChildWindow>(handle);
    if (!w || !connection().display) return;
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
    ChildWindow* w = shared::findLive<ChildWindow>(handle);
    if (!w || !connection().display) return nullptr;
    return std::make_unique<WindowSurface>(*w);
}

Point screenToClient(WindowHandle handle, Point screen) {
    x11::Connection& c = connection();
    ChildWindow* w = shared::find<ChildWindow>(handle);
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
    return shared::toDesignPoint(*w, Point{x, y});
}

}  // namespace platform
