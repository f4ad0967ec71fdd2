// What VST 2's own validate checks see: the shared context, and instances
// of the one library opened for the run.
#pragma once

#include <memory>
#include <vector>

#include "formats/vst2/vst2_plugin.h"
#include "validate/check_context.h"
#include "validate/check_runner.h"

class Vst2CheckContext : public CheckContext {
public:
    Vst2CheckContext(std::shared_ptr<const PluginLibrary> library, HostContext& host,
                     int strictness, unsigned seed)
        : CheckContext(host, strictness, seed), library(std::move(library)) {}

    std::unique_ptr<Vst2Plugin> instance() const {
        return std::make_unique<Vst2Plugin>(library, host);
    }
    std::unique_ptr<HostedPlugin> plugin() const override { return instance(); }

private:
    std::shared_ptr<const PluginLibrary> library;
};

using Check = CheckOf<Vst2CheckContext>;

// VST 2's own check groups, each in a file of its own.
std::vector<Check> lifecycleChecks();
std::vector<Check> parameterChecks();
std::vector<Check> audioChecks();
std::vector<Check> threadChecks();
std::vector<Check> editorChecks();
std::vector<Check> slowChecks();
