#include "formats/clap/clap_panel.h"

#include <cmath>
#include <cstring>

#include "editor/filter_delay_editor.h"
#include "formats/clap/clap_plugin.h"
#include "formats/vst2/editor_factory.h"
#include "gui/core/frame.h"
#include "platform/platform.h"

namespace molvex::clap {

namespace {
constexpr VstIntPtr kHostVersion = 2400;
bool isParameter(VstInt32 index) { return index >= 0 && index < kParameterCount; }
}  // namespace

ClapPanel::ClapPanel(ClapPlugin& plugin)
    : plugin(plugin), model(&hostCallback, &createFilterDelayEditor) {
    model.getRecord()->user = this;
    followEffect();
}

ClapPanel::~ClapPanel() { close(); }

FilterDelayEditor* ClapPanel::getEditor() const {
    return dynamic_cast<FilterDelayEditor*>(const_cast<FilterDelayEffect&>(model).getEditor());
}

bool ClapPanel::hasEditor() const { return getEditor() != nullptr; }

bool ClapPanel::isOpen() const {
    FilterDelayEditor* editor = getEditor();
    return editor && editor->isOpen();
}

bool ClapPanel::setScale(double scale) {
    FilterDelayEditor* editor = getEditor();
    if (!editor) return false;
    int percent = 0;
    for (int choice : {100, 150, 200})
        if (scale == choice / 100.0) percent = choice;
    if (percent == 0) return false;
    editor->getScale().setHostScale(percent);
    if (editor->isOpen()) return editor->showAtScale(editor->getScale().current(nullptr));
    return true;
}

bool ClapPanel::getSize(std::uint32_t& width, std::uint32_t& height) {
    FilterDelayEditor* editor = getEditor();
    ERect* rect = nullptr;
    if (!editor || editor->getRect(&rect) == 0 || !rect) return false;
    width = static_cast<std::uint32_t>(rect->right - rect->left);
    height = static_cast<std::uint32_t>(rect->bottom - rect->top);
    return true;
}

bool ClapPanel::setParent(void* parent) {
    FilterDelayEditor* editor = getEditor();
    if (!editor || !parent || editor->open(parent) != 1 || !editor->getFrame()) return false;
    // The window is mapped as it is made; asking the server for its
    // messages flushes the connection, so the host sees it at once.
    platform::dispatchPendingMessages(editor->getFrame()->getWindow());
    if (timer == CLAP_INVALID_ID && !plugin.getHost().registerTimer(kTimerMs, timer))
        timer = CLAP_INVALID_ID;
    return true;
}

void ClapPanel::close() {
    if (timer != CLAP_INVALID_ID) plugin.getHost().unregisterTimer(timer);
    timer = CLAP_INVALID_ID;
    if (FilterDelayEditor* editor = getEditor()) editor->close();
}

void ClapPanel::onTimer(clap_id id) {
    if (id != timer) return;
    followEffect();
    if (FilterDelayEditor* editor = getEditor()) editor->idle();
    endAutomaticGestures();
}

void ClapPanel::followEffect() {
    FilterDelayEffect& effect = plugin.getEffect();
    for (VstInt32 i = 0; i < kParameterCount; ++i) {
        const float value = effect.getParameter(i);
        if (value == seen[i] && value == model.getParameter(i)) continue;
        seen[i] = value;
        if (!gestureOpen[i]) model.setParameter(i, value);
    }
}

void ClapPanel::gesture(VstInt32 index, bool begin) {
    if (!isParameter(index) || gestureOpen[index] == begin) return;
    gestureOpen[index] = begin;
    gestureAutomatic[index] = false;
    plugin.panelEdit({begin ? PanelEdit::Kind::begin : PanelEdit::Kind::end,
                      static_cast<std::uint32_t>(index), 0.0f});
}

void ClapPanel::edit(VstInt32 index, float value) {
    if (!isParameter(index) || std::isnan(value)) return;
    if (!gestureOpen[index]) {
        gesture(index, true);
        gestureAutomatic[index] = true;
    }
    plugin.panelEdit({PanelEdit::Kind::value, static_cast<std::uint32_t>(index), value});
}

void ClapPanel::endAutomaticGestures() {
    for (VstInt32 i = 0; i < kParameterCount; ++i)
        if (gestureOpen[i] && gestureAutomatic[i]) gesture(i, false);
}

VstIntPtr ClapPanel::hostCallback(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                  void* ptr, float opt) {
    if (opcode == audioMasterVersion) return kHostVersion;
    auto* self = record ? static_cast<ClapPanel*>(record->user) : nullptr;
    if (!self) return 0;
    switch (opcode) {
    case audioMasterAutomate: self->edit(index, opt); return 1;
    case audioMasterBeginEdit: self->gesture(index, true); return 1;
    case audioMasterEndEdit: self->gesture(index, false); return 1;
    case audioMasterCanDo:
        return ptr && std::strcmp(static_cast<const char*>(ptr), "sizeWindow") == 0;
    case audioMasterSizeWindow:
        return self->plugin.getHost().requestResize(static_cast<std::uint32_t>(index),
                                                    static_cast<std::uint32_t>(value));
    default: return 0;
    }
}

}  // namespace molvex::clap
