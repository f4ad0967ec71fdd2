// ELF libraries export the entry under the name hosts look up, `main`; C++
// cannot declare a function of this signature with that name, so the
// assembler label gives it.
#include "formats/vst2/plugin_entry.h"

extern "C" __attribute__((visibility("default"))) AEffect* exportedMain(
    HostCallback callback) __asm__("main");

extern "C" AEffect* exportedMain(HostCallback callback) { return pluginMain(callback); }
