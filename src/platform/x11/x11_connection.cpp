#include "platform/x11/x11_connection.h"

#include <cairo-xlib.h>

#include "platform/x11/x11_status.h"

namespace platform::x11 {

namespace {

int handleError(Display* display, XErrorEvent* event) {
    Connection& c = connection();
    if (c.display && display == c.display) {
        ++c.errorCount;
        return 0;
    }
    if (c.chaining || !c.previousHandler) return 0;
    c.chaining = true;
    const int result = c.previousHandler(display, event);
    c.chaining = false;
    return result;
}

}  // namespace

Connection& connection() {
    static Connection instance;
    return instance;
}

bool openConnection() {
    Connection& c = connection();
    if (c.display) return true;
    c.display = XOpenDisplay(nullptr);
    if (!c.display) return false;
    c.errorCount = 0;
    XErrorHandler before = XSetErrorHandler(&handleError);
    // Never chain to ourselves when a previous connection left us installed.
    if (before != &handleError) c.previousHandler = before;
    return true;
}

void closeConnection() {
    Connection& c = connection();
    if (!c.display) return;
    // Windows left over can receive nothing once the connection is gone.
    shared::registry().forgetWindows();
    XCloseDisplay(c.display);
    c.display = nullptr;
    // Put the earlier handler back, unless someone installed theirs after
    // ours; then ours stays in their chain and passes everything on.
    XErrorHandler current = XSetErrorHandler(c.previousHandler);
    if (current != &handleError) XSetErrorHandler(current);
}

unsigned long trapBegin() { return connection().errorCount; }

bool trapEndClean(unsigned long mark) {
    Connection& c = connection();
    if (!c.display) return false;
    XSync(c.display, False);
    return c.errorCount == mark;
}

void present(ChildWindow& window) {
    Connection& c = connection();
    if (!c.display || !window.alive || !window.backing) return;
    cairo_surface_t* target =
        cairo_xlib_surface_create(c.display, window.id, window.visual, window.width, window.height);
    cairo_t* cr = cairo_create(target);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, window.backing->surface(), 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(target);
    cairo_surface_destroy(target);
    XFlush(c.display);
}

bool displayConnectionOpen() { return connection().display != nullptr; }

}  // namespace platform::x11
