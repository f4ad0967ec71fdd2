// The commands whose CLAP side is the format's own. Without the CLAP
// headers at build time they are clap_unavailable.cpp's, which throw
// HostError saying so.
#pragma once

#include <memory>
#include <string>

#include "cli.h"

class HostContext;
class HostedPlugin;

int runClapValidate(const ValidateOptions& options);
std::unique_ptr<HostedPlugin> openClap(const std::string& argument, HostContext& context);
