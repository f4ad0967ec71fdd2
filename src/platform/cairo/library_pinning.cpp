// The drawing library's pixel backend (pixman) builds its table of
// implementations when it loads and never frees it, so every time a host
// unloads and reloads the plug-in that table would be lost. The plug-in
// pins the drawing library, and with it everything it loaded, for the life
// of the process: later loads find it in place and build nothing again.
// Compiled into every target that draws with cairo (an interface source),
// since a load-time routine alone would never be taken from an archive.
#include <dlfcn.h>

namespace {

[[gnu::constructor]] void pinDrawingLibrary() {
    // Loaded already as a dependency: NOLOAD only marks it as never unloaded.
    dlopen("libcairo.so.2", RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}

}  // namespace
