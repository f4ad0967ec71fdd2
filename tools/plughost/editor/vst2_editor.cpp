#include "editor/vst2_editor.h"

#include <cstdio>

#include "error.h"

Vst2Editor::Vst2Editor(const Plugin& hosted, void* parentWindow, const std::string& name)
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

bool vst2EditorSize(const Plugin& plugin, int& width, int& height) {
    ERect* rect = nullptr;
    plugin.dispatch(effEditGetRect, 0, 0, &rect);
    if (!rect || rect->right <= rect->left || rect->bottom <= rect->top) return false;
    width = rect->right - rect->left;
    height = rect->bottom - rect->top;
    return true;
}

std::string Vst2Editor::describe(int index) const {
    char value[32];
    std::snprintf(value, sizeof value, "%.6g", static_cast<double>(plugin.getParameter(index)));
    return std::string(value) + " (" + plugin.parameterDisplay(index) + " " +
           plugin.parameterLabel(index) + ")";
}
