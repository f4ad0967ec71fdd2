// Audio: rates, block sizes, process against processReplacing, in-place
// buffers, denormal tails.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "audio/test_signal.h"
#include "formats/vst2/vst2_checks.h"
#include "host/system.h"
#include "validate/validate_harness.h"

namespace {

CheckResult sampleRates(Vst2CheckContext& v) {
    static const double kRates[] = {8000,  11025, 16000,  22050,  32000,  44100, 48000,
                                    88200, 96000, 176400, 192000, 352800, 384000};
    auto p = v.instance();
    for (int round = 0; round < std::max(1, v.strictness / 3); ++round) {
        for (double rate : kRates) {
            restart(*p, rate, 512);  // the rate changes while suspended
            for (int i = 0; i < p->numParams(); ++i) p->parameterDisplay(i);
            OutputScan scan;
            renderSignal(*p, noiseAndPulses(0.3, rate), 512, fixed(512), scan);
            if (!scan.clean())
                return CheckResult::fail(fmt("at %.0f Hz: ", rate) + scan.describe());
        }
    }
    return CheckResult::pass("13 rates from 8000 to 384000 Hz, changed while suspended: clean");
}

CheckResult rateBlockPairs(Vst2CheckContext& v) {
    auto p = v.instance();
    int pairs = 0;
    for (double rate : {44100.0, 48000.0, 96000.0}) {
        for (int block : {64, 128, 256, 512, 1024}) {
            restart(*p, rate, block);
            OutputScan scan;
            renderSignal(*p, noiseAndPulses(0.1 * v.strictness, rate), block, fixed(block), scan,
                         [&](size_t) {
                             if (p->numParams() > 0 && v.uniformInt(0, 3) == 0)
                                 p->setParameter(v.uniformInt(0, p->numParams() - 1), v.uniform());
                         });
            if (!scan.clean())
                return CheckResult::fail(fmt("%.0f Hz", rate) + ", blocks of " +
                                         std::to_string(block) + ": " + scan.describe());
            ++pairs;
        }
    }
    return CheckResult::pass(std::to_string(pairs) +
                             " pairs of 44100/48000/96000 Hz and 64..1024 frames "
                             "with random parameter changes: clean");
}

CheckResult blockSizes(Vst2CheckContext& v) {
    static const int kSizes[] = {1,   2,   3,   5,   16,   31,   64,   100,
                                 128, 256, 500, 512, 1024, 2048, 4096, 8192};
    auto p = v.instance();
    for (int size : kSizes) {
        restart(*p, 44100.0, size);
        const double seconds = std::max(0.05 * v.strictness, 4.0 * size / 44100.0);
        OutputScan scan;
        renderSignal(*p, noiseAndPulses(seconds, 44100.0), size, fixed(size), scan);
        if (!scan.clean())
            return CheckResult::fail("blocks of " + std::to_string(size) + ": " + scan.describe());
    }
    return CheckResult::pass("16 announced block sizes from 1 to 8192: clean");
}

CheckResult oversizedBlocks(Vst2CheckContext& v) {
    auto p = v.instance();
    restart(*p, 44100.0, 64);
    OutputScan scan;
    renderSignal(*p, noiseAndPulses(0.5, 44100.0), 4096, fixed(4096), scan);
    renderSignal(
        *p, noiseAndPulses(0.2 * v.strictness, 44100.0), 8192,
        [&](size_t) { return v.uniformInt(1, 8192); }, scan);
    if (!scan.clean()) return CheckResult::fail(scan.describe());
    return CheckResult::pass(
        "announced 64 frames, sent blocks of 4096 and random sizes up to 8192: clean");
}

// Hosts exist that resume and play without ever sending a rate or a block
// size: the plug-in must fall back on its own defaults.
CheckResult withoutSetup(Vst2CheckContext& v) {
    auto p = v.instance();
    p->resume();
    OutputScan scan;
    renderSignal(*p, noiseAndPulses(0.5 * v.strictness, 44100.0), 1024, fixed(1024), scan);
    if (!scan.clean()) return CheckResult::fail(scan.describe());
    return CheckResult::pass("resumed and played with no rate or block size sent: clean");
}

CheckResult accumulateVersusReplace(Vst2CheckContext& v) {
    auto probe = v.instance();
    if (!probe->canReplace())
        return CheckResult::skip("no processReplacing (flag effFlagsCanReplacing clear)");
    probe.reset();
    double worst = 0;
    const AudioBuffer signal = noiseAndPulses(1.0, 44100.0);
    for (int round = 0; round < std::max(1, v.strictness / 2); ++round) {
        Twins t = twins(v, 512);
        AudioHarness ha(*t.a, 512), hb(*t.b, 512);
        for (size_t pos = 0; pos < signal.frames(); pos += 512) {
            const int n = static_cast<int>(std::min<size_t>(512, signal.frames() - pos));
            ha.fillInputs(signal, pos, n);
            hb.fillInputs(signal, pos, n);
            hb.fillOutputs(0.25f);
            t.a->processBlock(ha.inputs(), ha.outputs(), n, true);
            t.b->processBlock(hb.inputs(), hb.outputs(), n, false);
            for (int c = 0; c < ha.outputCount(); ++c) {
                for (int i = 0; i < n; ++i) {
                    const double d = std::fabs((hb.outputs()[c][i] - 0.25) - ha.outputs()[c][i]);
                    if (!(d <= 1e-5 * std::max(1.0, std::fabs(ha.outputs()[c][i]) + 0.25)))
                        return CheckResult::fail(
                            "process minus what the buffer held differs from processReplacing by " +
                            fmt("%.3g", d) + " at frame " +
                            std::to_string(pos + static_cast<size_t>(i)));
                    worst = std::max(worst, d);
                }
            }
        }
    }
    return CheckResult::pass("process adds what processReplacing writes (largest difference " +
                             fmt("%.2g", worst) + ")");
}

CheckResult inPlace(Vst2CheckContext& v) {
    const AudioBuffer signal = noiseAndPulses(1.0, 44100.0);
    Twins t = twins(v, 512);
    if (t.a->numInputs() != t.a->numOutputs())
        return CheckResult::skip("inputs and outputs differ in number; no buffer pairs to share");
    AudioHarness ha(*t.a, 512), hb(*t.b, 512);
    double worst = 0;
    for (size_t pos = 0; pos < signal.frames(); pos += 512) {
        const int n = static_cast<int>(std::min<size_t>(512, signal.frames() - pos));
        ha.fillInputs(signal, pos, n);
        hb.fillInputs(signal, pos, n);
        t.a->processBlock(ha.inputs(), ha.outputs(), n, true);
        // The same pointers for inputs and outputs, as hosts do in place.
        t.b->processBlock(hb.inputs(), hb.inputs(), n, true);
        for (int c = 0; c < ha.outputCount(); ++c) {
            for (int i = 0; i < n; ++i) {
                const double d =
                    std::fabs(static_cast<double>(ha.outputs()[c][i]) - hb.inputs()[c][i]);
                if (!(d <= 1e-6))
                    return CheckResult::fail("in-place output differs by " + fmt("%.3g", d) +
                                             " at frame " +
                                             std::to_string(pos + static_cast<size_t>(i)));
                worst = std::max(worst, d);
            }
        }
    }
    return sameOutput("same buffers for input and output", worst);
}

// Loud input, then silence: the tails decay through the denormal range,
// where a plug-in that does not flush them slows down badly and may emit
// them. Uniform settings from low to high (with parameters meaning what
// they usually do, low ones decay fast and high ones carry much feedback),
// then the programs, then random ones.
CheckResult denormalTail(Vst2CheckContext& v) {
    auto p = v.instance();
    restart(*p, 44100.0, 512);
    AudioBuffer loud = noiseAndPulses(1.0, 44100.0);
    for (auto& ch : loud.channels) {
        for (float& x : ch) x = std::clamp(x * 9.0f, -1.0f, 1.0f);
    }
    const AudioBuffer silence(2, static_cast<size_t>(44100 * (3 + v.strictness / 2)), 44100.0);
    static const float kUniform[] = {0.05f, 0.1f, 0.2f, 0.95f};
    const int uniform = static_cast<int>(std::size(kUniform));
    const int programs = std::min(p->numPrograms(), v.strictness);
    const int sets = uniform + programs + v.strictness;
    double loudCpu = 0, quietCpu = 0;
    int decayed = 0;
    for (int k = 0; k < sets; ++k) {
        if (k < uniform) {
            setAllParameters(*p, kUniform[k]);
        } else if (k < uniform + programs) {
            p->dispatch(effSetProgram, 0, k - uniform);
        } else {
            randomiseParameters(*p, v.rng);
        }
        OutputScan scan;
        const double c0 = threadCpuSeconds();
        renderSignal(*p, loud, 512, fixed(512), scan);
        const double c1 = threadCpuSeconds();
        const AudioBuffer tail = renderSignal(*p, silence, 512, fixed(512), scan);
        const double c2 = threadCpuSeconds();
        loudCpu += (c1 - c0) / loud.seconds();
        quietCpu += (c2 - c1) / silence.seconds();
        if (!scan.clean())
            return CheckResult::fail("setting " + std::to_string(k) + ": " + scan.describe());
        // Below -600 dBFS at the end: the tail went through the denormal range.
        float last = 0.0f;
        for (const auto& ch : tail.channels) {
            for (size_t f = ch.size() - 512; f < ch.size(); ++f)
                last = std::max(last, std::fabs(ch[f]));
        }
        if (last < 1e-30f) ++decayed;
    }
    return CheckResult::pass(
        std::to_string(sets) + " loud settings then " + fmt("%.0f s", silence.seconds()) +
        " of silence, " + std::to_string(decayed) +
        " decayed through the denormal range: "
        "no denormal output; silence cost " +
        fmt("%.2fx", loudCpu > 0 ? quietCpu / loudCpu : 0.0) + " the loud part");
}

}  // namespace

std::vector<Check> audioChecks() {
    return {
        {"sample-rates", sampleRates},
        {"rate-block-pairs", rateBlockPairs},
        {"block-sizes", blockSizes},
        {"oversized-blocks", oversizedBlocks},
        {"no-rate-or-block-size", withoutSetup},
        {"process-vs-replacing", accumulateVersusReplace},
        {"in-place-buffers", inPlace},
        {"denormal-tail", denormalTail},
    };
}
