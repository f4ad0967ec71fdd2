#include "lv2/lv2_entry.h"
#include "lv2/lv2_plugin.h"

std::unique_ptr<HostedPlugin> openLv2Plugin(const std::string& argument, HostContext& context) {
    return std::make_unique<Lv2Plugin>(std::make_shared<const Lv2World>(argument), context);
}
