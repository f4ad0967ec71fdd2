// The LV2 entry of the format registry: bundles and plug-in URIs, hosted
// through lilv.
#include <memory>

#include "formats/lv2/lv2_argument.h"
#include "formats/lv2/lv2_plugin.h"
#include "formats/lv2/lv2_validate.h"
#include "formats/registry.h"

namespace {

std::unique_ptr<HostedPlugin> openLv2(const std::string& argument, HostContext& context) {
    return std::make_unique<Lv2Plugin>(std::make_shared<const Lv2World>(argument), context);
}

}  // namespace

extern const PluginFormat kLv2Format = {"LV2", isLv2Argument, openLv2, runLv2Validate};
