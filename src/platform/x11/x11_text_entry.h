// The x11 text entry's part in message delivery: the backend offers it
// every event it reads before looking for a panel window.
#pragma once

#include <X11/Xlib.h>

namespace platform::x11 {

// True when the event belonged to an open text entry and was handled.
bool handleTextEntryEvent(const XEvent& event);

}  // namespace platform::x11
