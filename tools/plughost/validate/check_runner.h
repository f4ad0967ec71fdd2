// The loop every validate run shares, whatever the plug-in's format: each
// check named, run on a context of its own (seeded per check, so --check
// NAME with the same --seed repeats a run), and reported PASS, FAIL or SKIP
// with its reason; then the totals. Returns the exit status: 1 when a check
// failed.
#pragma once

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "cli.h"
#include "error.h"
#include "host/host_context.h"
#include "host/system.h"
#include "render/automation.h"

enum class Outcome { Pass, Fail, Skip };

struct CheckResult {
    Outcome outcome = Outcome::Pass;
    std::string reason;
    static CheckResult pass(std::string why) { return {Outcome::Pass, std::move(why)}; }
    static CheckResult fail(std::string why) { return {Outcome::Fail, std::move(why)}; }
    static CheckResult skip(std::string why) { return {Outcome::Skip, std::move(why)}; }
};

template <class Context>
struct CheckOf {
    const char* name;
    std::function<CheckResult(Context&)> run;
};

const char* outcomeLabel(Outcome o);

// What a crash inside a check prints before the signal's name; a check may
// say more for a while (see reportCrashesAs) and then set this back.
inline constexpr const char* kCrashMessage = "FAIL  the plug-in crashed the host: ";

// makeContext(seed) gives each check its context.
template <class Context, class MakeContext>
int runChecks(const ValidateOptions& o, const std::vector<CheckOf<Context>>& checks,
              HostContext& host, MakeContext makeContext) {
    reportCrashesAs(kCrashMessage);
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
        CheckResult result;
        try {
            Context context = makeContext(o.seed * 1000003u + index);
            result = check.run(context);
        } catch (const std::exception& e) {
            result = CheckResult::fail(e.what());
        }
        std::printf("%s  %s\n", outcomeLabel(result.outcome), result.reason.c_str());
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
