// What the commands reach of LV2 hosting. Without lilv (liblilv-dev) at
// build time these are the versions in lv2_unavailable.cpp, which throw
// HostError saying so: the rest of plughost builds and works as before.
#pragma once

#include <memory>
#include <string>

#include "cli.h"
#include "host/hosted_plugin.h"

class HostContext;
class EditorHostEvents;
class PluginEditor;

std::unique_ptr<HostedPlugin> openLv2Plugin(const std::string& argument, HostContext& context);
// The plug-in's X11 UI, open inside parentWindow; plugin is an LV2 one.
std::unique_ptr<PluginEditor> openLv2Editor(const HostedPlugin& plugin, void* parentWindow,
                                            EditorHostEvents& events);
int runLv2Info(const InfoOptions& options);
int runLv2Validate(const ValidateOptions& options);
