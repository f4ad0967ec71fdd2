// The win32 window backend: native child windows and their messages on
// USER32, drawing through gdi_surface.h. Classes, the window table, user data
// and delivery are the shared part's (platform/shared); this backend
// registers the native classes, creates and destroys the HWNDs and turns
// their messages into the seam's.
//
// Implemented: [x] native class per registration: style 0, the arrow cursor,
// the button-face brush, no extra bytes; [x] child windows WS_CHILD |
// WS_VISIBLE at (0, 0) of the host's window; [x] left and right button down
// (unsigned 16-bit halves of lParam), paint (only with an update region,
// between BeginPaint and EndPaint), destroy, then DefWindowProc for every
// message; [x] pointer, asynchronous buttons and modifiers, GetTickCount;
// [x] TrackPopupMenu popups; [x] text entry on a subclassed system "EDIT".
// [ ] dispatchPendingMessages: the host runs the message loop.
//
// The HWND's GWLP_USERDATA slot holds the backend's record of the window;
// the toolkit's frame sits in the record's user data.
#pragma once

#include <windows.h>

#include "platform/shared/window_registry.h"

namespace platform::win32 {

struct NativeChild final : shared::RegisteredWindow {
    HWND hwnd = nullptr;
};

// The live HWND of a seam window; null when unknown or destroyed.
HWND nativeWindow(WindowHandle window);

// Child windows created by the backend whose HWND still exists. UI thread
// only.
int liveWindows();

}  // namespace platform::win32
