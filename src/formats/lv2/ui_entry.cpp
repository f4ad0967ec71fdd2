// The UI library's one export, lv2ui_descriptor: a ui:X11UI that needs the
// host's parent window and idle calls, and takes resize, touch and the
// host's scale factor when offered.
#include <lv2/atom/atom.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <cstring>
#include <new>
#include <optional>

#include "formats/lv2/lv2_uris.h"
#include "formats/lv2/ui_plugin.h"

namespace molvex::lv2 {
namespace {

const void* feature(const LV2_Feature* const* features, const char* uri) {
    for (; features && *features; ++features)
        if (std::strcmp((*features)->URI, uri) == 0) return (*features)->data;
    return nullptr;
}

std::optional<double> scaleFactor(const LV2_Feature* const* features) {
    const auto* map = static_cast<const LV2_URID_Map*>(feature(features, LV2_URID__map));
    const auto* options =
        static_cast<const LV2_Options_Option*>(feature(features, LV2_OPTIONS__options));
    if (!map || !options) return std::nullopt;
    const LV2_URID key = map->map(map->handle, LV2_UI__scaleFactor);
    const LV2_URID floatType = map->map(map->handle, LV2_ATOM__Float);
    for (; options->key != 0; ++options)
        if (options->key == key && options->type == floatType && options->size == sizeof(float))
            return *static_cast<const float*>(options->value);
    return std::nullopt;
}

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char* pluginUri, const char*,
                         LV2UI_Write_Function write, LV2UI_Controller controller,
                         LV2UI_Widget* widget, const LV2_Feature* const* features) {
    if (!pluginUri || std::strcmp(pluginUri, kPluginUri) != 0 || !write || !widget) return nullptr;
    UiHost host;
    host.write = write;
    host.controller = controller;
    host.parent = const_cast<void*>(feature(features, LV2_UI__parent));
    host.resize = static_cast<const LV2UI_Resize*>(feature(features, LV2_UI__resize));
    host.touch = static_cast<const LV2UI_Touch*>(feature(features, LV2_UI__touch));
    host.scaleFactor = scaleFactor(features);
    if (!host.parent) return nullptr;
    auto* ui = new (std::nothrow) UiPlugin(host);
    if (ui && !ui->open()) {
        delete ui;
        return nullptr;
    }
    if (ui) *widget = reinterpret_cast<LV2UI_Widget>(ui->widget());
    return ui;
}

UiPlugin* ui(LV2UI_Handle handle) { return static_cast<UiPlugin*>(handle); }

void cleanup(LV2UI_Handle handle) { delete ui(handle); }

void portEvent(LV2UI_Handle handle, uint32_t port, uint32_t size, uint32_t format,
               const void* buffer) {
    ui(handle)->portEvent(port, size, format, buffer);
}

int idle(LV2UI_Handle handle) { return ui(handle)->idle(); }

const void* extensionData(const char* uri) {
    static const LV2UI_Idle_Interface idleInterface = {idle};
    if (uri && std::strcmp(uri, LV2_UI__idleInterface) == 0) return &idleInterface;
    return nullptr;
}

const LV2UI_Descriptor kDescriptor = {kUiUri, instantiate, cleanup, portEvent, extensionData};

}  // namespace
}  // namespace molvex::lv2

LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
    return index == 0 ? &molvex::lv2::kDescriptor : nullptr;
}
