// A stand-in library with the plug-in's entry routine and handle slot, so a
// test can read what the routine stored. Molvex.dll itself exports `main`
// alone and keeps the handle to itself.
#include "platform/module_handle.h"

extern "C" __declspec(dllexport) void* probeModuleHandle() { return moduleHandle(); }
extern "C" __declspec(dllexport) void probeSetModuleHandle(void* handle) {
    setModuleHandle(handle);
}
