// The LV2 entry of a plughost built without lilv: it still knows LV2
// arguments, and says in one line that it cannot host them.
#include "error.h"
#include "formats/lv2/lv2_argument.h"
#include "formats/registry.h"

namespace {

[[noreturn]] void unavailable(const std::string& argument) {
    throw HostError(argument +
                    ": this plughost was built without lilv, so it cannot host LV2 plug-ins "
                    "(install liblilv-dev and rebuild)");
}

std::unique_ptr<HostedPlugin> openLv2(const std::string& argument, HostContext&) {
    unavailable(argument);
}

int runLv2Validate(const ValidateOptions& o) { unavailable(o.library); }

}  // namespace

extern const PluginFormat kLv2Format = {"LV2", isLv2Argument, openLv2, runLv2Validate};
