#include "formats/lv2/ui_plugin.h"

#include <cmath>
#include <cstring>

#include "editor/filter_delay_editor.h"
#include "formats/lv2/port_map.h"
#include "formats/vst2/editor_factory.h"
#include "gui/core/editor_base.h"
#include "gui/core/frame.h"
#include "platform/platform.h"

namespace molvex::lv2 {

namespace {
constexpr VstIntPtr kHostVersion = 2400;
bool isParameter(VstInt32 index) { return index >= 0 && index < kParameterCount; }
}  // namespace

UiPlugin::UiPlugin(const UiHost& host)
    : host(host), model(&hostCallback, &createFilterDelayEditor) {
    model.getRecord()->user = this;
}

UiPlugin::~UiPlugin() {
    if (PluginEditor* editor = model.getEditor()) editor->close();
}

bool UiPlugin::open() {
    auto* editor = static_cast<GuiEditorBase*>(model.getEditor());
    // ui:scaleFactor is the host's word on the scale; 1 is also what a host
    // that offers nothing leaves, so only another factor outranks the
    // variable and the desktop.
    if (auto* panel = dynamic_cast<FilterDelayEditor*>(editor); panel && host.scaleFactor != 1.0f)
        panel->getScale().setHostScale(static_cast<int>(host.scaleFactor * 100.0f + 0.5f));
    if (!editor || editor->open(host.parent) != 1 || !editor->getFrame()) return false;
    widgetId =
        reinterpret_cast<std::uintptr_t>(platform::nativeWindowOf(editor->getFrame()->getWindow()));
    const ERect& rect = editor->getEditorRect();
    if (host.resize)
        host.resize->ui_resize(host.resize->handle, rect.right - rect.left, rect.bottom - rect.top);
    return true;
}

void UiPlugin::portEvent(std::uint32_t port, std::uint32_t size, std::uint32_t format,
                         const void* data) {
    if (format != 0 || size != sizeof(float) || !data) return;
    ParameterIndex parameter;
    if (!controlInputParameter(port, parameter) && !controlOutputParameter(port, parameter)) return;
    const float value = toParameter(parameter, *static_cast<const float*>(data));
    if (std::isnan(value) || value == model.getParameter(parameter)) return;
    model.setParameter(parameter, value);
}

int UiPlugin::idle() {
    if (PluginEditor* editor = model.getEditor()) editor->idle();
    endAutomaticGestures();
    return 0;
}

void UiPlugin::writeParameter(VstInt32 index, float value) {
    if (!isParameter(index) || !host.write) return;
    if (!gestureOpen[index]) {
        touch(index, true);
        gestureAutomatic[index] = true;
    }
    const float portValue = toPort(static_cast<ParameterIndex>(index), value);
    host.write(host.controller, kPortFirstControl + static_cast<std::uint32_t>(index),
               sizeof portValue, 0, &portValue);
}

void UiPlugin::touch(VstInt32 index, bool grabbed) {
    if (!isParameter(index)) return;
    gestureOpen[index] = grabbed;
    gestureAutomatic[index] = false;
    if (host.touch)
        host.touch->touch(host.touch->handle, kPortFirstControl + static_cast<std::uint32_t>(index),
                          grabbed);
}

void UiPlugin::endAutomaticGestures() {
    for (VstInt32 i = 0; i < kParameterCount; ++i)
        if (gestureOpen[i] && gestureAutomatic[i]) touch(i, false);
}

VstIntPtr UiPlugin::hostCallback(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                 void* ptr, float opt) {
    if (opcode == audioMasterVersion) return kHostVersion;
    auto* self = record ? static_cast<UiPlugin*>(record->user) : nullptr;
    if (!self) return 0;
    switch (opcode) {
    case audioMasterAutomate: self->writeParameter(index, opt); return 1;
    case audioMasterBeginEdit: self->touch(index, true); return 1;
    case audioMasterEndEdit: self->touch(index, false); return 1;
    // The panel's zoom menu resizes through ui:resize.
    case audioMasterCanDo:
        return ptr && self->host.resize &&
               std::strcmp(static_cast<const char*>(ptr), "sizeWindow") == 0;
    case audioMasterSizeWindow:
        if (!self->host.resize) return 0;
        return self->host.resize->ui_resize(self->host.resize->handle, index,
                                            static_cast<int>(value)) == 0;
    default: return 0;
    }
}

}  // namespace molvex::lv2
