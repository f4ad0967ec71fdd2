#include "host/open_plugin.h"

#include <filesystem>

#include "host/plugin.h"
#include "lv2/lv2_entry.h"

bool isLv2Argument(const std::string& argument) {
    std::error_code ec;
    std::filesystem::path path(argument);
    if (path.filename().empty()) path = path.parent_path();
    if (path.extension() == ".lv2") return true;
    if (std::filesystem::is_directory(path, ec))
        return std::filesystem::exists(path / "manifest.ttl", ec);
    return argument.find(':') != std::string::npos && !std::filesystem::exists(path, ec);
}

OpenedPlugin::OpenedPlugin(const std::string& argument, HostContext& context) {
    if (isLv2Argument(argument)) {
        instance = openLv2Plugin(argument, context);
    } else {
        library = std::make_unique<PluginLibrary>(argument);
        instance = std::make_unique<Plugin>(*library, context);
    }
}

OpenedPlugin::~OpenedPlugin() = default;
