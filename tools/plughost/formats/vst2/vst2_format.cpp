// The VST 2 entry of the format registry: any library that is no other
// format's, opened through its `main` or `VSTPluginMain`.
#include <memory>

#include "formats/registry.h"
#include "formats/vst2/vst2_plugin.h"
#include "formats/vst2/vst2_validate.h"

namespace {

bool claimsAnything(const std::string&) { return true; }

std::unique_ptr<HostedPlugin> openVst2(const std::string& argument, HostContext& context) {
    return std::make_unique<Vst2Plugin>(std::make_shared<const PluginLibrary>(argument), context);
}

}  // namespace

extern const PluginFormat kVst2Format = {"VST 2", claimsAnything, openVst2, runVst2Validate};
