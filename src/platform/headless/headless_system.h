// The headless backend's control panel, for tests and offscreen pictures.
//
// Implemented services of the seam:
//  [x] surfaces, images, masks and bitmap resources (the cairo drawing backend)
//  [x] child windows drawn into client-memory images; classes, user data and
//      message delivery come from the shared part (platform/shared)
//  [x] screenToClient
//  [x] the wheel: sendWheel, notches as given
//  [x] scale: images at the window's scale, resizes recorded as calls
//  [x] desktop DPI: what setDesktopDpi set
//  [ ] invalidateWindow: nothing is queued, as below; the toolkit never asks
//      (it draws only in paints, clicks and idles) and tests send paints
//  [x] pointer, buttons, modifiers and ticks, all scripted
//  [ ] dispatchPendingMessages: nothing is queued, tests send messages
//  [x] popup menu and text entry, scripted by tests (headless_services.h)
//
// The backend keeps a virtual desktop in process memory: window classes,
// child windows drawn into client-memory images, a scripted pointer and
// keyboard, and a clock that only moves when told. Nothing reaches a display.
//
// Messages are delivered only when a test asks (sendButtonDown, sendPaint,
// sendParentDestroyed); dispatchPendingMessages does nothing, as with a host
// that runs the message loop itself.
//
// Scripted input: `scriptInput` appends states to a queue. Every call of
// platform::mouseState() takes the next state from the queue, if any, and
// answers its buttons; platform::pointerPosition() answers the position of
// the state taken last. When the queue is empty the last state holds, so a
// script that drives a tracking loop ends with a released state.
//
// The desktop is one per process and only for the user-interface thread;
// `reset` returns it to its starting state between tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform::headless {

struct InputState {
    Point screen;
    unsigned buttons = 0;  // platform::MouseStateBits
};

// Forgets every window, class, recorded call and scripted state; the clock
// goes back to 0.
void reset();

// A window id the backend accepts as a host's parent window. Any other
// value, null included, makes createChildWindow fail.
NativeWindow makeParentWindow();

// Calls the backend recorded, one line each, e.g. "registerClass Plugin00001234",
// "createWindow Window 420x64", "destroyWindow", "unregisterClass ...".
const std::vector<std::string>& calls();
void clearCalls();

int windowCount();
WindowHandle lastWindow();
// Where the window's client origin sits on the virtual screen ((0, 0) at
// creation); screenToClient subtracts it, then divides by the window's
// scale. Screen positions, sendButtonDown's `where` and pixel() are device
// pixels, as a real system's are.
void setWindowOrigin(WindowHandle window, Point origin);

// Delivered synchronously through the class's window procedure. False when
// the window does not exist (or is already destroyed).
bool sendButtonDown(WindowHandle window, Point where, bool rightButton = false);
bool sendPaint(WindowHandle window);
// The wheel turned `notches` (positive up) over `where`, with `keys` held.
bool sendWheel(WindowHandle window, Point where, int notches, unsigned keys = 0);
// The host destroyed the parent: the window procedure sees destroy, and the
// window is gone for the system (destroyWindow on it is still safe).
bool sendParentDestroyed(WindowHandle window);

void setPointer(Point screen, unsigned buttons);
void scriptInput(const std::vector<InputState>& states);
int pendingInput();

void setTickCount(std::uint32_t milliseconds);
void advanceClock(std::uint32_t milliseconds);
// The clock moves by this much on every mouseState poll (0 = still).
void setTickStepPerPoll(std::uint32_t milliseconds);
// What desktopDpi answers (0, nothing known, after reset).
void setDesktopDpi(int dpi);
// How often a tracking loop paused between pointer samples since reset.
int trackingPauses();

// The window's client pixels as they were last drawn.
Rgb pixel(WindowHandle window, int x, int y);
// A picture of the window's client area; false when it cannot be written.
[[nodiscard]] bool writePng(WindowHandle window, const char* path);

}  // namespace platform::headless
