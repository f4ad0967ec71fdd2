// The x11 backend for Linux hosts.
//
// Implemented services of the seam:
//  [x] surfaces, images, masks and bitmap resources (the cairo drawing backend)
//  [x] child windows on the library's own display connection, presented from
//      client-side backing pixels; classes, user data and message delivery
//      come from the shared part (platform/shared)
//  [x] Expose, buttons 1 and 3, DestroyNotify -> WindowMessage, on idle
//  [x] the wheel: buttons 4 and 5, one notch each (x11_windows.cpp)
//  [x] scale: windows and backing pixels at the panel's 100, 150 or 200 %
//  [x] desktop DPI: the session's Xft.dpi resource (x11_desktop_dpi.cpp)
//  [x] invalidation, screenToClient, pointer, buttons, modifiers, ticks
//  [x] size hints (min = max = base = the window's size at its scale), so
//      a host embedding the panel follows every zoom, in and out
//  [x] popup menu: an override-redirect window with pointer and keyboard
//      grabs and its own modal loop, drawn at the scale of the window it
//      opens over (x11_popup_menu.cpp)
//  [x] text entry: a child window that takes the keyboard focus, opens with
//      its text selected and edits from its key events, delivered on idle
//      (x11_text_entry.cpp)
//
// The backend's state is one `Connection`: the display connection, opened
// with the first window class and closed with the last, and its error trap.
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

#include <cstdint>
#include <memory>

#include "platform/cairo/cairo_surface.h"
#include "platform/platform.h"
#include "platform/shared/window_registry.h"

namespace platform::x11 {

struct ChildWindow final : shared::RegisteredWindow {
    NativeWindow native() const override {
        return reinterpret_cast<NativeWindow>(static_cast<std::uintptr_t>(id));
    }

    ::Window id = 0;
    Visual* visual = nullptr;
    int width = 0;
    int height = 0;
    // Client-side copy of the window's pixels; every surface draws here and
    // is copied to the window when it is released.
    std::unique_ptr<cairo::CairoImage> backing;
};

struct Connection {
    Display* display = nullptr;
    XErrorHandler previousHandler = nullptr;
    unsigned long errorCount = 0;
    // Set while an error is passed on, so a chain that leads back here (a
    // handler installed after ours that calls ours) cannot loop.
    bool chaining = false;
    // Set while messages are being delivered: a tracking loop inside a
    // button press must not receive the next press.
    bool dispatching = false;
};

Connection& connection();

[[nodiscard]] bool openConnection();
void closeConnection();

// Errors raised on the connection between begin and end (end syncs first).
unsigned long trapBegin();
[[nodiscard]] bool trapEndClean(unsigned long mark);

// Copies the backing pixels to the window.
void present(ChildWindow& window);

}  // namespace platform::x11
