// The slower checks, which higher strictness adds: several instances
// processing on threads of their own at once (shared state between
// instances shows up here), and a long render under constant automation.
#include <atomic>
#include <thread>

#include "audio/test_signal.h"
#include "formats/vst2/vst2_checks.h"
#include "validate/validate_harness.h"

namespace {

constexpr int kConcurrentFrom = 6;
constexpr int kLongRenderFrom = 8;

CheckResult concurrentInstances(Vst2CheckContext& v) {
    if (v.strictness < kConcurrentFrom)
        return CheckResult::skip("slower check, runs from strictness " +
                                 std::to_string(kConcurrentFrom));
    const int count = 4;
    std::vector<std::unique_ptr<Vst2Plugin>> plugins;
    for (int i = 0; i < count; ++i) {
        plugins.push_back(v.instance());
        restart(*plugins.back(), 44100.0, 256);
    }
    const AudioBuffer signal = noiseAndPulses(2.0 * v.strictness, 44100.0);
    std::vector<OutputScan> scans(count);
    std::vector<unsigned> seeds;
    for (int i = 0; i < count; ++i) seeds.push_back(v.rng());
    std::vector<std::thread> threads;
    for (int i = 0; i < count; ++i) {
        threads.emplace_back([&, i] {
            std::mt19937 rng(seeds[static_cast<size_t>(i)]);
            const Vst2Plugin& p = *plugins[static_cast<size_t>(i)];
            renderSignal(
                p, signal, 256, [](size_t) { return 256; }, scans[static_cast<size_t>(i)],
                [&](size_t) {
                    if (p.numParams() > 0)
                        p.setParameter(
                            static_cast<int>(rng() % static_cast<unsigned>(p.numParams())),
                            static_cast<float>(rng() % 1000) / 999.0f);
                });
        });
    }
    for (auto& t : threads) t.join();
    for (int i = 0; i < count; ++i) {
        if (!scans[static_cast<size_t>(i)].clean())
            return CheckResult::fail("instance " + std::to_string(i) + ": " +
                                     scans[static_cast<size_t>(i)].describe());
    }
    return CheckResult::pass(std::to_string(count) + " instances processing " +
                             std::to_string(2 * v.strictness) +
                             " s each on their own threads at once: clean");
}

CheckResult longRender(Vst2CheckContext& v) {
    if (v.strictness < kLongRenderFrom)
        return CheckResult::skip("slower check, runs from strictness " +
                                 std::to_string(kLongRenderFrom));
    auto p = v.instance();
    restart(*p, 48000.0, 480);
    const AudioBuffer minute = noiseAndPulses(60.0, 48000.0);
    OutputScan scan;
    const int minutes = v.strictness - kLongRenderFrom + 2;
    for (int m = 0; m < minutes; ++m) {
        renderSignal(
            *p, minute, 480, [](size_t) { return 480; }, scan,
            [&](size_t) {
                if (p->numParams() > 0)
                    p->setParameter(v.uniformInt(0, p->numParams() - 1), v.uniform());
            });
        if (!scan.clean())
            return CheckResult::fail("in minute " + std::to_string(m + 1) + ": " + scan.describe());
    }
    return CheckResult::pass(std::to_string(minutes) +
                             " minutes at 48000 Hz with a parameter change every block: clean");
}

}  // namespace

std::vector<Check> slowChecks() {
    return {
        {"concurrent-instances", concurrentInstances},
        {"long-render", longRender},
    };
}
