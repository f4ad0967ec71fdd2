// The bookkeeping every window backend needs, written once: the table of
// window classes, the table of windows with their user data, and delivery of
// decoded messages to a window's procedure.
//
// A backend derives its native window from `RegisteredWindow` (the X11 id
// and backing pixels, the headless image, the Win32 HWND) and makes it in
// `backend::createNativeWindow`; the shared part owns it from then on. A
// `WindowHandle` is the address of the `RegisteredWindow` part, so converting
// a handle back goes through `find` and a `static_cast` to the backend's type.
//
// States of a window:
// | state          | `alive` | in the table | messages delivered           |
// |----------------|---------|--------------|------------------------------|
// | created        | true    | yes          | all                          |
// | system-killed  | false   | yes          | none (destroy was the last)  |
// | destroyed      | -       | no           | none; destroyWindow is a no-op |
//
// Threads: the host's user-interface thread only, like the whole seam.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform::shared {

struct RegisteredWindow {
    virtual ~RegisteredWindow() = default;
    // The system's own window; null where the backend has none.
    virtual NativeWindow native() const { return nullptr; }

    WindowProcedure procedure = nullptr;
    void* userData = nullptr;
    // False once the system destroyed the window with its parent: the
    // native object is gone, the table entry stays until destroyWindow.
    bool alive = true;
    // The size the toolkit asked for, in its own pixels, and the scale the
    // window is shown at (per cent): the native window is that much larger.
    int designWidth = 0;
    int designHeight = 0;
    int scalePercent = 100;
};

class WindowRegistry {
public:
    // False when a class of this name is registered already.
    [[nodiscard]] bool addClass(const char* name, WindowProcedure procedure);
    void removeClass(const char* name);
    // Null when no class of this name is registered.
    WindowProcedure classProcedure(const char* name) const;
    bool hasClasses() const { return !classes.empty(); }

    WindowHandle add(std::unique_ptr<RegisteredWindow> window);
    void remove(WindowHandle handle);
    // Null for a handle the table does not hold.
    RegisteredWindow* find(WindowHandle handle) const;
    // Null as well for a window the system has destroyed.
    RegisteredWindow* findLive(WindowHandle handle) const;

    template <typename Predicate>
    RegisteredWindow* findIf(Predicate predicate) const {
        for (const auto& w : windows) {
            if (predicate(*w)) return w.get();
        }
        return nullptr;
    }

    int windowCount() const { return static_cast<int>(windows.size()); }
    // The newest window; null when there is none.
    WindowHandle lastWindow() const;
    // Forgets windows without any message (their native side is gone).
    void forgetWindows() { windows.clear(); }
    // Forgets classes and windows alike.
    void clear();

private:
    struct ClassEntry {
        std::string name;
        WindowProcedure procedure;
    };

    std::vector<ClassEntry> classes;
    std::vector<std::unique_ptr<RegisteredWindow>> windows;
};

// The module's one table: window classes are module-wide, as on Windows.
WindowRegistry& registry();

inline WindowHandle handleOf(RegisteredWindow& window) { return &window; }

// A backend's own record of a window; null as in WindowRegistry::find and
// findLive. `Native` is the backend's type derived from RegisteredWindow.
template <typename Native>
Native* find(WindowHandle handle) {
    return static_cast<Native*>(registry().find(handle));
}
template <typename Native>
Native* findLive(WindowHandle handle) {
    return static_cast<Native*>(registry().findLive(handle));
}

// Calls a live window's procedure with the message; false when the window
// is unknown or destroyed. A button's `where` arrives in device pixels and
// is handed on in the toolkit's (divided by the window's scale).
bool deliver(WindowHandle window, const WindowMessage& message);
// The window is going, destroyed by the system with its parent or by
// destroyWindow: the procedure sees destroy once, and the window receives
// nothing after. False when the window was unknown or already gone.
bool deliverDestroy(WindowHandle window);

// A client point in device pixels of `window`, in the toolkit's pixels.
Point toDesignPoint(const RegisteredWindow& window, Point device);
// A point or box of the toolkit, in device pixels of `window`.
Point toDevicePoint(const RegisteredWindow& window, Point design);
Box toDeviceBox(const RegisteredWindow& window, const Box& design);

}  // namespace platform::shared
