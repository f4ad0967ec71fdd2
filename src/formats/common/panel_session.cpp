#include "formats/common/panel_session.h"

#include <cmath>

#include "editor/editor_factory.h"
#include "gui/core/editor_base.h"
#include "gui/core/frame.h"
#include "platform/platform.h"

namespace molvex {

namespace {

bool isParameter(int index) { return index >= 0 && index < kParameterCount; }

std::optional<int> scalePercent(std::optional<double> hostScale) {
    if (!hostScale) return std::nullopt;
    return static_cast<int>(*hostScale * 100.0 + 0.5);
}

}  // namespace

PanelSession::PanelSession(PanelHost& host, std::optional<double> hostScale)
    : host(host), model(hostCallRouter()) {
    std::unique_ptr<GuiEditorBase> panel = createFilterDelayPanel(model, scalePercent(hostScale));
    editor = panel.get();
    model.attachEditor(std::move(panel));
    linkHostCalls(model, this);
}

PanelSession::~PanelSession() {
    if (editor) editor->close();
}

bool PanelSession::open(void* parent) {
    if (!editor || editor->open(parent) != 1 || !editor->getFrame()) return false;
    window =
        reinterpret_cast<std::uintptr_t>(platform::nativeWindowOf(editor->getFrame()->getWindow()));
    return true;
}

// The editor's rectangle as getRect answers it: before the panel opens, the
// size it will open at.
int PanelSession::width() const {
    ERect* rect = nullptr;
    return editor && editor->getRect(&rect) != 0 && rect ? rect->right - rect->left : 0;
}

int PanelSession::height() const {
    ERect* rect = nullptr;
    return editor && editor->getRect(&rect) != 0 && rect ? rect->bottom - rect->top : 0;
}

void PanelSession::setNormalized(ParameterIndex parameter, float value) {
    if (std::isnan(value) || value == model.getParameter(parameter)) return;
    model.setParameter(parameter, value);
}

void PanelSession::idle() {
    if (editor) editor->idle();
    for (int i = 0; i < kParameterCount; ++i)
        if (gestureOpen[i] && gestureAutomatic[i]) setGesture(i, false);
}

void PanelSession::automate(int index, float value) {
    if (!isParameter(index)) return;
    if (!gestureOpen[index]) {
        setGesture(index, true);
        gestureAutomatic[index] = true;
    }
    host.edited(static_cast<ParameterIndex>(index), value);
}

void PanelSession::beginEdit(int index) { setGesture(index, true); }
void PanelSession::endEdit(int index) { setGesture(index, false); }

void PanelSession::setGesture(int index, bool open) {
    if (!isParameter(index)) return;
    gestureOpen[index] = open;
    gestureAutomatic[index] = false;
    if (open) host.gestureBegins(static_cast<ParameterIndex>(index));
    else host.gestureEnds(static_cast<ParameterIndex>(index));
}

}  // namespace molvex
