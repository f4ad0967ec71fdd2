#include "formats/clap/descriptor.h"

#include <cstring>

#include "molvex_version.h"

namespace molvex::clap {

namespace {
const char* const kFeatures[] = {CLAP_PLUGIN_FEATURE_AUDIO_EFFECT, CLAP_PLUGIN_FEATURE_STEREO,
                                 CLAP_PLUGIN_FEATURE_DELAY, nullptr};

const clap_plugin_descriptor_t kDescriptor = {
    CLAP_VERSION_INIT,
    kPluginId,
    "Molvex",
    "Molvex",
    "",
    "",
    "",
    MOLVEX_VERSION,
    "Stereo filtered-feedback delay",
    const_cast<const char**>(kFeatures),
};
}  // namespace

const clap_plugin_descriptor_t& pluginDescriptor() { return kDescriptor; }

bool isPluginId(const char* id) { return id && std::strcmp(id, kPluginId) == 0; }

}  // namespace molvex::clap
