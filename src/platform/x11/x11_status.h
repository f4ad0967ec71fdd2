// What the x11 backend shows of itself to tests and diagnostics, without
// X11 headers.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace platform::x11 {

// Whether the library's own display connection is open (from the first
// window class registration to the last unregistration).
bool displayConnectionOpen();

// The X11 window id of a child window made by createChildWindow; 0 for null.
std::uintptr_t nativeWindowId(WindowHandle window);

}  // namespace platform::x11
