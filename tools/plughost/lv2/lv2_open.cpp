#include "lv2/lv2_entry.h"
#include "lv2/lv2_plugin.h"
#include "lv2/lv2_ui.h"

std::unique_ptr<HostedPlugin> openLv2Plugin(const std::string& argument, HostContext& context) {
    return std::make_unique<Lv2Plugin>(std::make_shared<const Lv2World>(argument), context);
}

std::unique_ptr<PluginEditor> openLv2Editor(const HostedPlugin& plugin, void* parentWindow,
                                            EditorHostEvents& events) {
    return std::make_unique<Lv2Ui>(dynamic_cast<const Lv2Plugin&>(plugin), parentWindow, events);
}
