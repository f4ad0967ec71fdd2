// What the x11 backend shows of itself to tests and diagnostics, without
// X11 headers.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace platform::x11 {

// Whether the library's own display connection is open (from the first
// window class registration to the last unregistration).
bool displayConnectionOpen();

}  // namespace platform::x11
