// The desktop's DPI from the X resource database the session set
// (Xft.dpi, as desktop environments and xrdb write it).
#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <cstdlib>

#include "platform/platform.h"

namespace platform {

// A connection of its own: the panel asks before its window class has
// opened the shared one, and the answer is read once per open.
int desktopDpi(NativeWindow) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 0;
    int dpi = 0;
    if (const char* resources = XResourceManagerString(display)) {
        XrmInitialize();
        XrmDatabase database = XrmGetStringDatabase(resources);
        char* type = nullptr;
        XrmValue value{};
        if (database && XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) &&
            value.addr) {
            dpi = static_cast<int>(std::strtod(value.addr, nullptr) + 0.5);
        }
        if (database) XrmDestroyDatabase(database);
    }
    XCloseDisplay(display);
    return dpi > 0 ? dpi : 0;
}

}  // namespace platform
