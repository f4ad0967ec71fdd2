#include "gui/core/window_class.h"

#include <cstdint>
#include <cstdio>

#include "gui/core/frame.h"
#include "platform/module_handle.h"

namespace {

char className[32] = "";
int useCount = 0;

}  // namespace

void guiRegisterWindowClass() {
    if (useCount++ == 0) {
        const auto handle =
            static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(moduleHandle()));
        std::snprintf(className, sizeof className, "Plugin%08x", static_cast<unsigned>(handle));
        (void)platform::registerWindowClass(className, GuiFrame::windowProcedure);
    }
}

void guiUnregisterWindowClass() {
    if (useCount <= 0) return;
    if (--useCount == 0) platform::unregisterWindowClass(className);
}

const char* windowClassName() { return className; }
int windowClassUseCount() { return useCount; }
