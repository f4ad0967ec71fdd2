// The win32 window backend: window classes, child windows and their
// messages on USER32, drawing through gdi_surface.h.
//
// Implemented: [x] one class per registration with the arrow cursor and the
// button-face brush; [x] child windows titled by the caller, the frame in
// GWLP_USERDATA; [x] left and right button down, paint (only with an update
// region) and destroy decoded, then DefWindowProc for every message;
// [x] pointer, asynchronous buttons and modifiers, GetTickCount;
// [x] popup menus (TrackPopupMenu) and in-place text entry on a subclassed
// system "EDIT" window.
// [ ] nothing is dispatched by the backend: the host runs the message loop.
//
// A WindowHandle is the child window's HWND itself.
#pragma once

namespace platform::win32 {

// Child windows created by the backend and not yet destroyed (by the
// backend or with their parent), and classes registered and not
// unregistered. UI thread only.
int liveWindows();
int registeredClasses();

}  // namespace platform::win32
