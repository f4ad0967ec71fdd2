// Parameters: ranges and texts, fuzzing with values no host should send,
// and automation in 32-frame steps.
#include <algorithm>
#include <cmath>
#include <limits>

#include "audio/test_signal.h"
#include "formats/vst2/event_list.h"
#include "formats/vst2/vst2_checks.h"
#include "validate/validate_harness.h"

namespace {

constexpr double kRate = 44100.0;

size_t textLength(const Vst2Plugin& p, VstInt32 op, VstInt32 index) {
    std::vector<char> buffer(1024, '\x7f');
    p.dispatch(op, index, 0, buffer.data());
    return static_cast<size_t>(std::find(buffer.begin(), buffer.end(), '\0') - buffer.begin());
}

CheckResult parameterRanges(Vst2CheckContext& v) {
    auto p = v.instance();
    p->configure(kRate, 512);
    if (p->numParams() == 0) return CheckResult::skip("the plug-in has no parameters");
    size_t longest = 0;
    for (int i = 0; i < p->numParams(); ++i) {
        for (float value : {0.0f, 0.25f, 0.5f, 0.75f, 1.0f}) {
            p->setParameter(i, value);
            const float got = p->getParameter(i);
            if (!std::isfinite(got) || got < -1e-6f || got > 1.0f + 1e-6f)
                return CheckResult::fail("parameter " + std::to_string(i) + " set to " +
                                         std::to_string(value) + " reads back " +
                                         std::to_string(got));
            for (VstInt32 op : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
                const size_t length = textLength(*p, op, i);
                // The nominal limit is 8; real hosts give far more, but a
                // text that fills a whole 64-byte field is a fault.
                if (length >= 64)
                    return CheckResult::fail("parameter " + std::to_string(i) +
                                             " writes a text of " + std::to_string(length) +
                                             " characters (opcode " + std::to_string(op) + ")");
                longest = std::max(longest, length);
            }
        }
    }
    // Indices outside the range must be ignored, not crash.
    p->setParameter(p->numParams(), 0.5f);
    p->getParameter(p->numParams());
    textLength(*p, effGetParamDisplay, p->numParams());
    return CheckResult::pass(std::to_string(p->numParams()) +
                             " parameters read back inside 0..1; longest text " +
                             std::to_string(longest) + " characters");
}

float hostileValue(Vst2CheckContext& v) {
    static const float kValues[] = {std::numeric_limits<float>::quiet_NaN(),
                                    std::numeric_limits<float>::infinity(),
                                    -std::numeric_limits<float>::infinity(),
                                    -1.0f,
                                    2.0f,
                                    1e30f,
                                    -1e30f,
                                    1e-40f,
                                    -0.0f,
                                    std::numeric_limits<float>::max(),
                                    std::numeric_limits<float>::lowest()};
    if (v.uniformInt(0, 3) == 0) return v.uniform();
    return kValues[v.uniformInt(0, static_cast<int>(std::size(kValues)) - 1)];
}

// After hostile values and then sane ones, a plug-in must play cleanly once
// its memory of the bad values (a delay line, a filter) has had time to go.
CheckResult parameterFuzz(Vst2CheckContext& v) {
    auto p = v.instance();
    restart(*p, kRate, 256);
    if (p->numParams() == 0) return CheckResult::skip("the plug-in has no parameters");
    const AudioBuffer burst = noiseAndPulses(0.02, kRate);
    const AudioBuffer settle = noiseAndPulses(2.0, kRate);
    const AudioBuffer checked = noiseAndPulses(0.5, kRate);
    const int rounds = v.scaled(4);
    for (int r = 0; r < rounds; ++r) {
        for (int k = 0; k < p->numParams() * 2; ++k) {
            const int index = v.uniformInt(0, p->numParams() - 1);
            p->setParameter(index, hostileValue(v));
            p->getParameter(index);
            p->parameterDisplay(index);
        }
        OutputScan ignored;  // anything may come out while values are absurd
        renderSignal(
            *p, burst, 256, [](size_t) { return 256; }, ignored);
        randomiseParameters(*p, v.rng);
        renderSignal(
            *p, settle, 256, [](size_t) { return 256; }, ignored);
        OutputScan scan;
        renderSignal(
            *p, checked, 256, [](size_t) { return 256; }, scan);
        if (!scan.clean())
            return CheckResult::fail("round " + std::to_string(r + 1) +
                                     ", 2 s after sane values returned: " + scan.describe());
    }
    return CheckResult::pass(std::to_string(rounds) +
                             " rounds of NaN, infinite and out-of-range values, "
                             "clean output after sane values returned");
}

// Parameter changes and MIDI control changes before every 32 frames.
CheckResult automationSubBlocks(Vst2CheckContext& v) {
    auto p = v.instance();
    restart(*p, kRate, 512);
    if (p->numParams() == 0) return CheckResult::skip("the plug-in has no parameters");
    const AudioBuffer signal = noiseAndPulses(0.5 * v.strictness, kRate);
    EventList midi;
    OutputScan scan;
    int changes = 0;
    renderSignal(
        *p, signal, 512, [](size_t) { return 32; }, scan,
        [&](size_t) {
            const int index = v.uniformInt(0, p->numParams() - 1);
            p->setParameter(index, v.uniform());
            ++changes;
            if (v.uniformInt(0, 7) == 0) {
                midi.clear();
                midi.addControlChange(0, v.uniformInt(0, 15), v.uniformInt(0, 127),
                                      v.uniformInt(0, 127));
                p->dispatch(effProcessEvents, 0, 0, midi.get());
            }
        });
    if (!scan.clean()) return CheckResult::fail(scan.describe());
    return CheckResult::pass(std::to_string(changes) +
                             " changes, one per 32-frame call, some as MIDI CC: clean");
}

}  // namespace

std::vector<Check> parameterChecks() {
    return {
        {"parameter-ranges", parameterRanges},
        {"parameter-fuzz", parameterFuzz},
        {"automation-32-frames", automationSubBlocks},
    };
}
