// The x11 backend's state: the library's own display connection, opened
// with the first window class and closed with the last, and the child
// windows made on it.
//
// Errors: Xlib's default error handler ends the process, which would take
// the host with it. While the connection is open the backend's handler is
// installed; it swallows errors raised on this connection (counting them for
// the trap below) and passes every other display's errors to the handler
// that was installed before, so the host's own Xlib use is unaffected.
//
// Module-wide state, like the Windows class use count: one connection per
// loaded library, used on the host's user-interface thread only.
#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/cairo/cairo_surface.h"
#include "platform/platform.h"

namespace platform::x11 {

struct ChildWindow {
    ::Window id = 0;
    Visual* visual = nullptr;
    int width = 0;
    int height = 0;
    WindowProcedure procedure = nullptr;
    void* userData = nullptr;
    // Client-side copy of the window's pixels; every surface draws here and
    // is copied to the window when it is released.
    std::unique_ptr<cairo::CairoImage> backing;
    // False once the server destroyed the window with its parent.
    bool alive = true;
};

struct WindowClassEntry {
    std::string name;
    WindowProcedure procedure;
};

struct Connection {
    Display* display = nullptr;
    XErrorHandler previousHandler = nullptr;
    unsigned long errorCount = 0;
    // Set while an error is passed on, so a chain that leads back here (a
    // handler installed after ours that calls ours) cannot loop.
    bool chaining = false;
    std::vector<WindowClassEntry> classes;
    std::vector<std::unique_ptr<ChildWindow>> windows;
    // Set while messages are being delivered: a tracking loop inside a
    // button press must not receive the next press.
    bool dispatching = false;
};

Connection& connection();
ChildWindow* findWindow(WindowHandle handle);

[[nodiscard]] bool openConnection();
void closeConnection();

// Errors raised on the connection between begin and end (end syncs first).
unsigned long trapBegin();
[[nodiscard]] bool trapEndClean(unsigned long mark);

// Copies the backing pixels to the window.
void present(ChildWindow& window);

}  // namespace platform::x11
