// Parameter calls from a second thread while the first one processes, as a
// host's user interface and automation do.
#include <atomic>
#include <chrono>
#include <thread>

#include "audio/test_signal.h"
#include "formats/vst2/vst2_checks.h"
#include "validate/validate_harness.h"

namespace {

CheckResult parameterThread(Vst2CheckContext& v) {
    auto p = v.instance();
    restart(*p, 44100.0, 256);
    if (p->numParams() == 0) return CheckResult::skip("the plug-in has no parameters");
    std::atomic<bool> done{false}, started{false};
    std::atomic<long> calls{0};
    const unsigned seed = v.rng();
    std::thread other([&] {
        std::mt19937 rng(seed);
        std::uniform_int_distribution<int> index(0, p->numParams() - 1);
        std::uniform_real_distribution<float> value(0.0f, 1.0f);
        started = true;
        while (!done.load()) {
            const int i = index(rng);
            p->setParameter(i, value(rng));
            p->getParameter(i);
            p->parameterDisplay(i);
            calls.fetch_add(1);
        }
    });
    while (!started.load()) std::this_thread::yield();
    // Audio for as long as it takes the other thread to make its calls, so
    // the two really overlap however fast the plug-in is.
    OutputScan scan;
    const AudioBuffer signal = noiseAndPulses(1.0, 44100.0);
    const long wanted = 500L * v.strictness;
    int seconds = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (seconds < v.strictness ||
           (calls.load() < wanted && std::chrono::steady_clock::now() < deadline)) {
        renderSignal(
            *p, signal, 256, [](size_t) { return 256; }, scan);
        ++seconds;
    }
    done = true;
    other.join();
    if (!scan.clean()) return CheckResult::fail(scan.describe());
    return CheckResult::pass(std::to_string(calls.load()) +
                             " parameter calls from a second thread during " +
                             std::to_string(seconds) + " s of audio: clean");
}

}  // namespace

std::vector<Check> threadChecks() { return {{"parameters-from-2nd-thread", parameterThread}}; }
