#include "error.h"
#include "formats/clap/clap_commands.h"
#include "host/hosted_plugin.h"

namespace {
[[noreturn]] void unavailable() {
    throw HostError("this plughost was built without the CLAP headers (install dpf-source)");
}
}  // namespace

int runClapValidate(const ValidateOptions&) { unavailable(); }
std::unique_ptr<HostedPlugin> openClap(const std::string&, HostContext&) { unavailable(); }
