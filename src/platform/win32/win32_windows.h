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
// message; [x] the wheel (WM_MOUSEWHEEL, at least one notch however fine);
// [x] scale: windows sized in device pixels, GDI's world transform draws
// the design at 150 or 200 %; [x] desktop DPI: the host window's
// (GetDpiForWindow where the system has it, win32_desktop_dpi.cpp);
// [x] pointer, asynchronous buttons and modifiers, GetTickCount;
// [x] TrackPopupMenu popups (win32_popup.cpp); [x] text entry on a
// subclassed system "EDIT" (win32_text_entry.cpp).
// [ ] dispatchPendingMessages: the host runs the message loop.
//
// The backend's state is one `State`: what it counts and the open text
// entries (win32_text_entry.cpp). The HWND's GWLP_USERDATA slot holds the
// backend's record of the window; the toolkit's frame sits in the record's
// user data.
//
// Module-wide state, like the window-class use count: one per loaded
// library, used on the host's user-interface thread only.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/shared/window_registry.h"

namespace platform::win32 {

struct TextEntry;

struct State {
    // Child windows created by the backend whose HWND still exists; the
    // HWNDs themselves are the system's.
    int liveWindows = 0;
    // GDI objects and DCs created and not yet deleted (gdi_surface.h).
    int liveGdiObjects = 0;
    // The open text entries; a handle is valid while its entry is here.
    std::vector<std::unique_ptr<TextEntry>> textEntries;

    State();
    ~State();
    State(const State&) = delete;
    State& operator=(const State&) = delete;
};

State& state();

struct NativeChild final : shared::RegisteredWindow {
    NativeWindow native() const override { return hwnd; }

    HWND hwnd = nullptr;
};

// The scale (per cent) the window of `hwnd` is shown at; 100 for others.
int windowScaleOf(HWND hwnd);

// The live HWND of a seam window; null when unknown or destroyed.
HWND nativeWindow(WindowHandle window);

// Child windows created by the backend whose HWND still exists. UI thread
// only.
int liveWindows();

}  // namespace platform::win32
