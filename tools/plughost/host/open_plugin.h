// A command's plug-in argument opened in whichever format it names: a VST 2
// library, or an LV2 bundle or URI (see isLv2Argument).
#pragma once

#include <memory>
#include <string>

#include "host/hosted_plugin.h"

class PluginLibrary;
class HostContext;

// True when the argument names an LV2 plug-in: a folder ending in .lv2 or
// holding manifest.ttl, or a text with ':' that is no file (a URI).
bool isLv2Argument(const std::string& argument);

// The instance and whatever must outlive it (the library it came from).
class OpenedPlugin {
public:
    OpenedPlugin(const std::string& argument, HostContext& context);
    ~OpenedPlugin();
    OpenedPlugin(const OpenedPlugin&) = delete;
    OpenedPlugin& operator=(const OpenedPlugin&) = delete;

    HostedPlugin& operator*() { return *instance; }
    const HostedPlugin& operator*() const { return *instance; }
    const HostedPlugin* operator->() const { return instance.get(); }

private:
    std::unique_ptr<PluginLibrary> library;
    std::unique_ptr<HostedPlugin> instance;  // after library, so it goes first
};
