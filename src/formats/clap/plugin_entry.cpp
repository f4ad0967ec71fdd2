// The library's one export, clap_entry, and its plug-in factory. init and
// deinit hold nothing, so repeating them in any order is harmless; creating
// an instance makes no call to the host (its extensions are asked for in
// the instance's init).
#include <clap/entry.h>
#include <clap/plugin-factory.h>

#include <cstring>
#include <new>

#include "formats/clap/clap_plugin.h"
#include "formats/clap/descriptor.h"

namespace molvex::clap {
namespace {

const clap_plugin_factory_t kFactory = {
    [](const clap_plugin_factory_t*) -> std::uint32_t { return 1; },
    [](const clap_plugin_factory_t*, std::uint32_t index) {
        return index == 0 ? &pluginDescriptor() : nullptr;
    },
    [](const clap_plugin_factory_t*, const clap_host_t* host,
       const char* id) -> const clap_plugin_t* {
        if (!host || !isPluginId(id) || !clap_version_is_compatible(host->clap_version))
            return nullptr;
        auto* plugin = new (std::nothrow) ClapPlugin(host);
        return plugin ? plugin->getRecord() : nullptr;
    },
};

}  // namespace
}  // namespace molvex::clap

extern "C" CLAP_EXPORT const clap_plugin_entry_t clap_entry = {
    CLAP_VERSION_INIT,
    [](const char*) { return true; },
    []() {},
    [](const char* id) -> const void* {
        return id && std::strcmp(id, CLAP_PLUGIN_FACTORY_ID) == 0 ? &molvex::clap::kFactory
                                                                  : nullptr;
    },
};
