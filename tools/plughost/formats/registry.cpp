#include "formats/registry.h"

extern const PluginFormat kClapFormat;
extern const PluginFormat kLv2Format;
extern const PluginFormat kVst2Format;

namespace {

// Most particular first: VST 2 takes whatever no other format claims.
const PluginFormat* const kFormats[] = {&kClapFormat, &kLv2Format, &kVst2Format};

}  // namespace

const PluginFormat& formatOf(const std::string& argument) {
    for (const PluginFormat* format : kFormats) {
        if (format->claims(argument)) return *format;
    }
    return kVst2Format;
}

std::unique_ptr<HostedPlugin> openPlugin(const std::string& argument, HostContext& context) {
    return formatOf(argument).open(argument, context);
}
