// The user at the screen, for scripted editor sessions: a real pointer and
// keyboard (XTest under X11, SendInput on Windows) and pictures of a window
// read back from the window system. desktop_driver_x11.cpp and
// desktop_driver_win32.cpp implement it.
//
// A driver belongs to the thread that created it; it uses its own
// connection to the window system, so it can act while the host's
// user-interface thread is busy inside the plug-in (a knob drag holds that
// thread in the plug-in's tracking loop until the button comes up).
#pragma once

#include <memory>
#include <string>

#include "output/png_writer.h"

class DesktopDriver {
public:
    virtual ~DesktopDriver() = default;
    // Positions are pixels from the top-left corner of the window's client
    // area. Each call returns once the window system has the event.
    virtual void press(int x, int y) = 0;
    virtual void move(int x, int y) = 0;
    virtual void release() = 0;
    // Moves there and turns the wheel; `notches` positive is up.
    virtual void wheel(int x, int y, int notches) = 0;
    // Throws HostError for a key name or character it cannot produce.
    virtual void key(const std::string& name) = 0;
    virtual void type(const std::string& text) = 0;
    // The window's client area with its children as the screen shows them.
    // Throws HostError when the window is not (wholly) on screen.
    virtual RgbImage capture() = 0;
};

// window is EditorParent::handle(). Throws HostError when the window system
// cannot inject input (an X server without the XTEST extension).
std::unique_ptr<DesktopDriver> createDesktopDriver(void* window);
