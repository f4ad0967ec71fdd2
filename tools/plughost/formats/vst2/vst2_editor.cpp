#include "formats/vst2/vst2_editor.h"

#include <cstdio>

#include "error.h"

Vst2Editor::Vst2Editor(const Vst2Plugin& hosted, void* parentWindow, const std::string& name)
    : plugin(hosted) {
    if (plugin.dispatch(effEditOpen, 0, 0, parentWindow) == 0)
        throw HostError(name + ": the plug-in did not open its editor (effEditOpen answered 0)");
}

Vst2Editor::~Vst2Editor() { closeNow(); }

void Vst2Editor::closeNow() {
    if (!open) return;
    open = false;
    plugin.dispatch(effEditClose);
}

std::string Vst2Editor::describe(int index) const {
    char value[32];
    std::snprintf(value, sizeof value, "%.6g", static_cast<double>(plugin.getParameter(index)));
    return std::string(value) + " (" + plugin.parameterDisplay(index) + " " +
           plugin.parameterLabel(index) + ")";
}
