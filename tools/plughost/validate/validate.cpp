#include "validate/validate.h"

#include <chrono>
#include <cstdio>
#include <fstream>

#include "error.h"
#include "host/system.h"
#include "render/automation.h"
#include "validate/validate_check.h"

namespace {

const char* label(Outcome o) {
    switch (o) {
    case Outcome::Pass: return "PASS";
    case Outcome::Fail: return "FAIL";
    case Outcome::Skip: return "SKIP";
    }
    return "?";
}

}  // namespace

int runValidate(const ValidateOptions& o) {
    const PluginLibrary library(o.library);
    HostContext host(44100.0, 512);
    std::vector<Check> checks;
    for (auto group :
         {lifecycleChecks, parameterChecks, audioChecks, threadChecks, slowChecks, editorChecks}) {
        for (auto& c : group()) checks.push_back(std::move(c));
    }

    reportCrashesAs("FAIL  the plug-in crashed the host: ");
    std::printf("validate %s  strictness %d  seed %u\n", o.library.c_str(), o.strictness, o.seed);
    int passed = 0, failed = 0, skipped = 0;
    unsigned index = 0;
    const auto start = std::chrono::steady_clock::now();
    for (const auto& check : checks) {
        ++index;
        if (!o.onlyCheck.empty() && std::string(check.name).find(o.onlyCheck) == std::string::npos)
            continue;
        // Name first and flushed: if the plug-in crashes, the last line
        // printed says where.
        std::printf("  %-26s ", check.name);
        std::fflush(stdout);
        ValidateContext context(library, host, o.strictness, o.seed * 1000003u + index);
        CheckResult result;
        try {
            result = check.run(context);
        } catch (const std::exception& e) {
            result = CheckResult::fail(e.what());
        }
        std::printf("%s  %s\n", label(result.outcome), result.reason.c_str());
        std::fflush(stdout);
        (result.outcome == Outcome::Pass   ? passed
         : result.outcome == Outcome::Fail ? failed
                                           : skipped)++;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%d passed, %d failed, %d skipped in %.1f s\n", passed, failed, skipped, seconds);
    if (!o.automationLog.empty()) {
        std::ofstream log(o.automationLog);
        log << formatAutomationLog(host.reportedAutomation());
        if (!log) throw HostError(o.automationLog + ": cannot write automation log");
    }
    if (passed + failed + skipped == 0) throw UsageError("no check matches '" + o.onlyCheck + "'");
    return failed > 0 ? 1 : 0;
}
