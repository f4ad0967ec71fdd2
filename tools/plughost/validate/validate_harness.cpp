#include "validate/validate_harness.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>

void OutputScan::add(const float* samples, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const float v = samples[i];
        if (std::isnan(v)) {
            ++nans;
        } else if (std::isinf(v)) {
            ++infinities;
        } else {
            const float a = std::fabs(v);
            if (a != 0.0f && a < FLT_MIN) ++denormals;
            peak = std::max(peak, a);
        }
    }
}

void OutputScan::merge(const OutputScan& o) {
    nans += o.nans;
    infinities += o.infinities;
    denormals += o.denormals;
    peak = std::max(peak, o.peak);
}

std::string OutputScan::describe() const {
    if (clean()) return "clean";
    std::string out;
    auto part = [&](size_t n, const char* what) {
        if (n == 0) return;
        if (!out.empty()) out += ", ";
        out += std::to_string(n) + " " + what;
    };
    part(nans, "NaN");
    part(infinities, "infinite");
    part(denormals, "denormal");
    return out + " output samples";
}

AudioHarness::AudioHarness(const HostedPlugin& instance, int maxFrames)
    : plugin(instance), inputChannels(instance.numInputs()), outputChannels(instance.numOutputs()) {
    const auto frames = static_cast<size_t>(std::max(maxFrames, 1));
    // At least two of each, so plug-ins that touch channels they did not
    // announce find memory there rather than a crash we would blame on them.
    inBuffers.assign(static_cast<size_t>(std::max(inputChannels, 2)), std::vector<float>(frames));
    outBuffers.assign(static_cast<size_t>(std::max(outputChannels, 2)), std::vector<float>(frames));
    for (auto& b : inBuffers) inPointers.push_back(b.data());
    for (auto& b : outBuffers) outPointers.push_back(b.data());
}

void AudioHarness::fillInputs(const AudioBuffer& signal, size_t start, int frames) {
    for (int c = 0; c < static_cast<int>(inBuffers.size()); ++c) {
        float* dst = inBuffers[static_cast<size_t>(c)].data();
        if (signal.channelCount() == 0) {
            std::fill_n(dst, frames, 0.0f);
            continue;
        }
        const auto& src = signal.channels[static_cast<size_t>(c % signal.channelCount())];
        for (int i = 0; i < frames; ++i) {
            const size_t f = start + static_cast<size_t>(i);
            dst[i] = f < src.size() ? src[f] : 0.0f;
        }
    }
}

void AudioHarness::fillOutputs(float value) {
    for (auto& b : outBuffers) std::fill(b.begin(), b.end(), value);
}

void AudioHarness::process(int frames, bool replacing) {
    if (!replacing) fillOutputs(0.0f);
    plugin.processBlock(inPointers.data(), outPointers.data(), frames,
                        replacing && plugin.canReplace());
}

void AudioHarness::scanOutputs(int frames, OutputScan& scan) const {
    for (int c = 0; c < outputChannels; ++c)
        scan.add(outBuffers[static_cast<size_t>(c)].data(), static_cast<size_t>(frames));
}

void AudioHarness::appendOutputs(int frames, AudioBuffer& to) const {
    if (to.channelCount() != outputChannels)
        to.channels.resize(static_cast<size_t>(outputChannels));
    for (int c = 0; c < outputChannels; ++c) {
        const auto& src = outBuffers[static_cast<size_t>(c)];
        auto& dst = to.channels[static_cast<size_t>(c)];
        dst.insert(dst.end(), src.begin(), src.begin() + frames);
    }
}

AudioBuffer renderSignal(const HostedPlugin& plugin, const AudioBuffer& signal, int maxBlock,
                         const std::function<int(size_t)>& nextBlock, OutputScan& scan,
                         const std::function<void(size_t)>& beforeBlock) {
    AudioHarness harness(plugin, maxBlock);
    AudioBuffer out;
    out.sampleRate = signal.sampleRate;
    const size_t total = signal.frames();
    for (size_t pos = 0; pos < total;) {
        const int frames = std::clamp(
            nextBlock(total - pos), 1,
            static_cast<int>(std::min<size_t>(static_cast<size_t>(maxBlock), total - pos)));
        if (beforeBlock) beforeBlock(pos);
        harness.fillInputs(signal, pos, frames);
        plugin.context().samplePosition = static_cast<double>(pos);
        harness.process(frames, true);
        harness.scanOutputs(frames, scan);
        harness.appendOutputs(frames, out);
        pos += static_cast<size_t>(frames);
    }
    return out;
}

double maxDifference(const AudioBuffer& a, const AudioBuffer& b) {
    double worst = 0.0;
    const size_t channels = std::min(a.channels.size(), b.channels.size());
    for (size_t c = 0; c < channels; ++c) {
        const size_t n = std::min(a.channels[c].size(), b.channels[c].size());
        for (size_t i = 0; i < n; ++i) {
            const double d = std::fabs(static_cast<double>(a.channels[c][i]) - b.channels[c][i]);
            if (!(d <= worst)) worst = std::isnan(d) ? INFINITY : d;
        }
    }
    return worst;
}

void randomiseParameters(const HostedPlugin& plugin, std::mt19937& rng) {
    std::uniform_real_distribution<float> dist(0.0f, 1.0f);
    for (int i = 0; i < plugin.numParams(); ++i) plugin.setParameter(i, dist(rng));
}

void setAllParameters(const HostedPlugin& plugin, float value) {
    for (int i = 0; i < plugin.numParams(); ++i) plugin.setParameter(i, value);
}

void restart(const HostedPlugin& plugin, double sampleRate, int blockSize) {
    plugin.suspend();
    plugin.configure(sampleRate, blockSize);
    plugin.resume();
}

Twins twins(CheckContext& v, int block) {
    Twins t{v.plugin(), v.plugin()};
    std::mt19937 one(v.rng()), two = one;
    restart(*t.a, 44100.0, block);
    restart(*t.b, 44100.0, block);
    randomiseParameters(*t.a, one);
    randomiseParameters(*t.b, two);
    return t;
}

CheckResult sameOutput(const std::string& what, double worst) {
    return CheckResult::pass(what + " give the same output (largest difference " +
                             fmt("%.2g", worst) + ")");
}

std::string fmt(const char* f, double x) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, f, x);
    return buffer;
}
