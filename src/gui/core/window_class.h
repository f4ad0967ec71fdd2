// The toolkit's window class, shared by every frame of the module.
//
// guiRegisterWindowClass counts a user; the first one names the class
// "Plugin%08x" after the module handle (8 lower-case hex digits of its low
// 32 bits) and registers it with the frame's window procedure.
// guiUnregisterWindowClass drops a user; the last one unregisters the class.
// With a display server, registering also opens the library's display connection and the
// last unregistration closes it.
//
// Module-wide state: the name and the use count, a plain counter, because
// frames are made and destroyed only on the user-interface thread.
#pragma once

// The system's answer is not needed: a class it refused makes the window
// creation fail, which the frame handles.
void guiRegisterWindowClass();
void guiUnregisterWindowClass();

const char* windowClassName();
int windowClassUseCount();
