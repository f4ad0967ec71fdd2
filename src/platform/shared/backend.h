// What a window backend implements for the shared part (window_registry.h),
// besides the native services of platform.h (surfaces, images, invalidation,
// message dispatch, pointer, keys and ticks).
//
// The shared part defines registerWindowClass, unregisterWindowClass,
// createChildWindow, destroyWindow and the user data; it calls these hooks
// for the native work, in this order:
// | seam call             | shared part                  | hook                          |
// |-----------------------|------------------------------|-------------------------------|
// | registerWindowClass   | -                            | classAdding(name, first)      |
// |                       | refuses a duplicate name     |                               |
// | unregisterWindowClass | drops the class              | classRemoved(name, last)      |
// | createChildWindow     | looks up the class (else null) | createNativeWindow(...)     |
// |                       | takes ownership, procedure   |                               |
// | destroyWindow         | destroy to a live window     | destroyNativeWindow(w, alive) |
// |                       | then forgets it              |                               |
#pragma once

#include <memory>

#include "platform/shared/window_registry.h"

namespace platform::backend {

// Before a class is recorded; `first` when no class is registered yet (the
// x11 backend opens its display connection then). False refuses the class.
[[nodiscard]] bool classAdding(const char* className, bool first);
// After a class is dropped; `last` when none is left.
void classRemoved(const char* className, bool last);
// The native child window of a registered class (Win32 names the class at
// creation); null when the parent is not a window or the system refuses.
std::unique_ptr<shared::RegisteredWindow> createNativeWindow(const char* className,
                                                             const char* title, NativeWindow parent,
                                                             int width, int height);
// setWindowScale: the native window and its drawing pixels become
// deviceWidth x deviceHeight, drawn at `scalePercent`. False leaves the
// window as it was.
[[nodiscard]] bool resizeNativeWindow(shared::RegisteredWindow& window, int deviceWidth,
                                      int deviceHeight, int scalePercent);
// Called for every known window being destroyed, after its procedure saw
// destroy; `nativeAlive` is false when the system has already destroyed it.
void destroyNativeWindow(shared::RegisteredWindow& window, bool nativeAlive);

}  // namespace platform::backend
