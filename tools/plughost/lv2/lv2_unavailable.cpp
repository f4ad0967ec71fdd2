// LV2 hosting in a plughost built without lilv.
#include "editor/plugin_editor.h"
#include "error.h"
#include "lv2/lv2_entry.h"

namespace {

[[noreturn]] void unavailable(const std::string& argument) {
    throw HostError(argument +
                    ": this plughost was built without lilv, so it cannot host LV2 plug-ins "
                    "(install liblilv-dev and rebuild)");
}

}  // namespace

std::unique_ptr<HostedPlugin> openLv2Plugin(const std::string& argument, HostContext&) {
    unavailable(argument);
}

std::unique_ptr<PluginEditor> openLv2Editor(const HostedPlugin&, void*, EditorHostEvents&) {
    unavailable("LV2 UI");
}

int runLv2Info(const InfoOptions& o) { unavailable(o.library); }

int runLv2Validate(const ValidateOptions& o) { unavailable(o.library); }
