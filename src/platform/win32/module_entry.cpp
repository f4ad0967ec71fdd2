// The library's entry routine. The instance handle is stored for every
// notification, not only process attach: it is the same value each time, and
// storing it unconditionally means no notification order can leave it unset.
#include <windows.h>

#include "platform/module_handle.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/) {
    setModuleHandle(instance);
    return TRUE;
}
