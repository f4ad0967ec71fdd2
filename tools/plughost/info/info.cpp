#include "info/info.h"

#include <cstdio>

#include "formats/registry.h"
#include "host/host_context.h"

int runInfo(const InfoOptions& o) {
    HostContext context(44100.0, 512);
    const std::unique_ptr<HostedPlugin> plugin = openPlugin(o.library, context);
    plugin->configure(44100.0, 512);
    plugin->printInfo(o.json);
    return 0;
}
