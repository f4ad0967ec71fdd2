// plughost's plug-in formats, each an entry of one registry. The commands
// ask the registry which format an argument names and go on through the
// entry and the format-neutral HostedPlugin it opens; nothing outside a
// format's folder knows a format.
//
// Adding a format: a folder formats/<fmt>/ holding the entry (a
// `const PluginFormat` named k<Fmt>Format), the format's plug-in (with its
// editor and info) and checks, and a sources.cmake that adds them to plughost_core
// (picked up by the folder's presence); then one line in registry.cpp's
// list, with its declaration beside it. The list is asked in order and VST 2
// claims whatever no other format does, so it stays last.
#pragma once

#include <memory>
#include <string>

#include "cli.h"
#include "host/hosted_plugin.h"

class HostContext;

struct PluginFormat {
    const char* name;  // as reports name it: "VST 2", "LV2"
    // True when the command-line argument names a plug-in of this format.
    bool (*claims)(const std::string& argument);
    // The plug-in, with whatever must outlive it. It opens its editor and
    // describes itself for plughost info (HostedPlugin::openEditor,
    // printInfo). Failures throw HostError with one line.
    std::unique_ptr<HostedPlugin> (*open)(const std::string& argument, HostContext& context);
    // plughost validate: the checks every format shares and the format's own.
    int (*validate)(const ValidateOptions& options);
};

// The format that claims the argument.
const PluginFormat& formatOf(const std::string& argument);

// The plug-in an argument names, opened in its format.
std::unique_ptr<HostedPlugin> openPlugin(const std::string& argument, HostContext& context);
