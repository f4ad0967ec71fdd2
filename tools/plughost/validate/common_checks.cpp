#include "validate/common_checks.h"

#include <algorithm>
#include <string>

#include "audio/test_signal.h"
#include "validate/validate_harness.h"

namespace {

constexpr double kRate = 44100.0;

CheckResult finiteOutput(CheckContext& v) {
    auto p = v.plugin();
    restart(*p, kRate, 512);
    const AudioBuffer signal = mixedSignal(2.5, kRate);
    const int sets = v.scaled(3);
    for (int k = 0; k < sets + 3; ++k) {
        std::string what;
        if (k == 0) {
            setAllParameters(*p, 0.0f), what = "all parameters 0";
        } else if (k == 1) {
            setAllParameters(*p, 1.0f), what = "all parameters 1";
        } else if (k == 2) {
            setAllParameters(*p, 0.95f), what = "all parameters 0.95";
        } else {
            randomiseParameters(*p, v.rng), what = "random set " + std::to_string(k - 2);
        }
        OutputScan scan;
        renderSignal(*p, signal, 512, fixed(512), scan);
        if (!scan.clean()) return CheckResult::fail(what + ": " + scan.describe());
    }
    return CheckResult::pass(std::to_string(sets + 3) +
                             " settings on noise, square, sweep, DC and impulses: "
                             "no NaN, infinity or denormal");
}

CheckResult blockSizeIndependence(CheckContext& v) {
    if (const int latency = v.plugin()->latency(); latency != 0)
        return CheckResult::skip("the plug-in reports a latency of " + std::to_string(latency) +
                                 " frames");
    const AudioBuffer signal = noiseAndPulses(2.0, kRate);
    double worst = 0;
    for (int round = 0; round < std::max(2, v.strictness / 2); ++round) {
        Twins t = twins(v, 1024);
        OutputScan scan;
        const AudioBuffer a = renderSignal(*t.a, signal, 1024, fixed(512), scan);
        std::mt19937 sizes(v.rng());
        const AudioBuffer b = renderSignal(
            *t.b, signal, 1024,
            [&](size_t) { return std::uniform_int_distribution<int>(1, 1024)(sizes); }, scan);
        const double d = maxDifference(a, b);
        if (!(d <= 1e-4))
            return CheckResult::fail("blocks of 512 and random blocks of 1..1024 differ by " +
                                     fmt("%.3g", d));
        worst = std::max(worst, d);
    }
    return sameOutput("blocks of 512 and random 1..1024", worst);
}

CheckResult silenceAfterTail(CheckContext& v) {
    auto p = v.plugin();
    restart(*p, kRate, 512);
    const long tail = p->tail();
    // A tail of 1 means "none"; 0 means "not said", so give it some time.
    const double limit =
        tail > 1 ? std::min(60.0, static_cast<double>(tail) / kRate + 1.0) : 10.0 + v.strictness;
    OutputScan scan;
    renderSignal(*p, noiseAndPulses(1.0, kRate), 512, fixed(512), scan);
    AudioHarness h(*p, 512);
    const AudioBuffer silence(2, 512, kRate);
    double quietSince = -1;
    for (double t = 0; t < limit; t += 512 / kRate) {
        h.fillInputs(silence, 0, 512);
        h.process(512, true);
        OutputScan block;
        h.scanOutputs(512, block);
        scan.merge(block);
        if (block.peak > 1e-5f) {
            quietSince = -1;
        } else if (quietSince < 0) {
            quietSince = t;
        } else if (t - quietSince >= 0.5) {
            if (!scan.clean()) return CheckResult::fail(scan.describe());
            return CheckResult::pass("silent (below -100 dBFS) " + fmt("%.2f s", quietSince) +
                                     " after the input stopped");
        }
    }
    return CheckResult::fail("still not silent " + fmt("%.0f s", limit) +
                             " after the input stopped (default settings)");
}

// The output channel a call of 0 frames wrote to, or -1.
int zeroFrameCallWrites(const HostedPlugin& plugin, AudioHarness& h, bool replacing) {
    h.fillOutputs(0.25f);
    plugin.processBlock(h.inputs(), h.outputs(), 0, replacing);
    for (int c = 0; c < h.outputCount(); ++c) {
        if (std::any_of(h.outputs()[c], h.outputs()[c] + 512, [](float x) { return x != 0.25f; }))
            return c;
    }
    return -1;
}

CheckResult zeroLengthBlocks(CheckContext& v) {
    const AudioBuffer signal = noiseAndPulses(1.0, kRate);
    Twins t = twins(v, 512);
    AudioHarness h(*t.b, 512);
    h.fillInputs(signal, 0, 512);
    std::vector<bool> calls;
    if (t.b->canReplace()) calls.push_back(true);
    if (t.b->canAccumulate()) calls.push_back(false);
    std::string wrote;
    OutputScan scan;
    const AudioBuffer plain = renderSignal(*t.a, signal, 512, fixed(512), scan);
    const AudioBuffer interrupted = renderSignal(*t.b, signal, 512, fixed(512), scan, [&](size_t) {
        for (bool replacing : calls) {
            const int channel = zeroFrameCallWrites(*t.b, h, replacing);
            if (channel >= 0 && wrote.empty())
                wrote = std::string(t.b->audioCallName(replacing)) +
                        " with 0 frames wrote to output " + std::to_string(channel);
        }
    });
    if (!wrote.empty()) return CheckResult::fail(wrote);
    if (!scan.clean()) return CheckResult::fail("with 0-frame calls between: " + scan.describe());
    const double d = maxDifference(plain, interrupted);
    if (!(d <= 1e-6))
        return CheckResult::fail("calls of 0 frames between blocks change the output by " +
                                 fmt("%.3g", d));
    std::string routines;
    for (bool replacing : calls)
        routines += (routines.empty() ? "" : " and ") + std::string(t.b->audioCallName(replacing));
    return CheckResult::pass("0-frame calls of " + routines +
                             " before every block wrote nothing and changed nothing");
}

}  // namespace

const std::vector<CommonCheck>& commonChecks() {
    static const std::vector<CommonCheck> checks = {
        {"finite-output", finiteOutput},
        {"block-size-independence", blockSizeIndependence},
        {"silence-after-tail", silenceAfterTail},
        {"zero-length-blocks", zeroLengthBlocks},
    };
    return checks;
}
