// The plug-in's one CLAP descriptor and the factory's lookup by id.
//
// The id is stable across versions: hosts store it in their sessions.
// Lookup compares whole strings, so an id with anything after it, or a
// prefix of it, finds nothing.
#pragma once

#include <clap/plugin.h>

namespace molvex::clap {

inline constexpr char kPluginId[] = "com.molvex.filter-delay";

const clap_plugin_descriptor_t& pluginDescriptor();
bool isPluginId(const char* id);

}  // namespace molvex::clap
