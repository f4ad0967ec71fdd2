#include "validate/validate.h"

#include "host/open_plugin.h"
#include "lv2/lv2_entry.h"
#include "validate/validate_check.h"

const char* outcomeLabel(Outcome o) {
    switch (o) {
    case Outcome::Pass: return "PASS";
    case Outcome::Fail: return "FAIL";
    case Outcome::Skip: return "SKIP";
    }
    return "?";
}

int runValidate(const ValidateOptions& o) {
    if (isLv2Argument(o.library)) return runLv2Validate(o);
    const PluginLibrary library(o.library);
    HostContext host(44100.0, 512);
    std::vector<Check> checks;
    for (auto group :
         {lifecycleChecks, parameterChecks, audioChecks, threadChecks, slowChecks, editorChecks}) {
        for (auto& c : group()) checks.push_back(std::move(c));
    }
    return runChecks(o, checks, host, [&](unsigned seed) {
        return ValidateContext(library, host, o.strictness, seed);
    });
}
