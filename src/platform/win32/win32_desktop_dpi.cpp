// The parent window's DPI. GetDpiForWindow exists from Windows 10 1607 on;
// looked up at run time so the library still loads where it does not.
#include <windows.h>

#include "platform/platform.h"

namespace platform {

int desktopDpi(NativeWindow parent) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (!user32 || !parent) return 0;
    auto getDpi = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")));
    if (!getDpi) return 0;
    return static_cast<int>(getDpi(static_cast<HWND>(parent)));
}

}  // namespace platform
