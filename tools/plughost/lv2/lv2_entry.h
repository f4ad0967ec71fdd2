// What the commands reach of LV2 hosting. Without lilv (liblilv-dev) at
// build time these are the versions in lv2_unavailable.cpp, which throw
// HostError saying so: the rest of plughost builds and works as before.
#pragma once

#include <memory>
#include <string>

#include "cli.h"
#include "host/hosted_plugin.h"

class HostContext;

std::unique_ptr<HostedPlugin> openLv2Plugin(const std::string& argument, HostContext& context);
int runLv2Info(const InfoOptions& options);
int runLv2Validate(const ValidateOptions& options);
