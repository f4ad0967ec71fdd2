// A stand-in for the plug-in library: the toolkit and this system's window
// backend linked into a shared object that exports one function, the way
// Molvex.so will carry them. The display tests load it into their process
// like a host would.
#include "gui/core/frame.h"

extern "C" __attribute__((visibility("default"))) int molvexGuiLinkCheck(void* parent) {
    GuiFrame frame(GuiRect(0, 0, 40, 20), parent, nullptr);
    return frame.getWindow() != nullptr ? 1 : 0;
}
