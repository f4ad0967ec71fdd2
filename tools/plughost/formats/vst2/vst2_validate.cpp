// plughost validate for a VST 2 plug-in: its own checks in groups, with the
// checks every format shares after the audio group.
#include "formats/vst2/vst2_validate.h"
#include "formats/vst2/vst2_checks.h"
#include "validate/common_checks.h"

int runVst2Validate(const ValidateOptions& o) {
    const auto library = std::make_shared<const PluginLibrary>(o.library);
    HostContext host(44100.0, 512);
    std::vector<Check> checks;
    for (auto group : {lifecycleChecks, parameterChecks, audioChecks}) {
        for (auto& c : group()) checks.push_back(std::move(c));
    }
    appendCommonChecks(checks);
    for (auto group : {threadChecks, slowChecks, editorChecks}) {
        for (auto& c : group()) checks.push_back(std::move(c));
    }
    return runChecks(o, checks, host, [&](unsigned seed) {
        return Vst2CheckContext(library, host, o.strictness, seed);
    });
}
