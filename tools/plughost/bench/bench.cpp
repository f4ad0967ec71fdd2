#include "bench/bench.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "audio/test_signal.h"
#include "error.h"
#include "formats/registry.h"
#include "host/host_context.h"
#include "host/system.h"

namespace {

constexpr double kSampleRate = 44100.0;

struct BenchResult {
    std::string name;
    double cpuPerAudioSecond = 0;  // median over the runs
    double wallPerAudioSecond = 0;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

BenchResult benchOne(const std::string& path, const BenchOptions& o, const AudioBuffer& signal,
                     std::vector<bool>& assignmentUsed) {
    HostContext context(kSampleRate, o.blockSize);
    const std::unique_ptr<HostedPlugin> opened = openPlugin(path, context);
    const HostedPlugin& plugin = *opened;
    plugin.configure(kSampleRate, o.blockSize);
    // Plug-ins side by side rarely share parameter names: each --set goes to
    // the plug-ins that have it.
    for (size_t i = 0; i < o.assignments.size(); ++i) {
        try {
            plugin.setParameter(plugin.findParameter(o.assignments[i].target),
                                o.assignments[i].value);
            assignmentUsed[i] = true;
        } catch (const HostError&) {
            if (o.libraries.size() == 1) throw;
        }
    }
    plugin.resume();

    const int inputs = plugin.numInputs();
    const int outputs = plugin.numOutputs();
    const auto block = static_cast<size_t>(o.blockSize);
    std::vector<std::vector<float>> in(static_cast<size_t>(std::max(inputs, 1)),
                                       std::vector<float>(block));
    std::vector<std::vector<float>> out(static_cast<size_t>(std::max(outputs, 1)),
                                        std::vector<float>(block));
    std::vector<float*> inPtr, outPtr;
    for (auto& b : in) inPtr.push_back(b.data());
    for (auto& b : out) outPtr.push_back(b.data());
    const bool replacing = plugin.canReplace();

    auto pass = [&] {
        for (size_t start = 0; start < signal.frames(); start += block) {
            const size_t n = std::min(block, signal.frames() - start);
            for (int c = 0; c < inputs; ++c) {
                const auto& src = signal.channels[static_cast<size_t>(c % 2)];
                std::copy_n(src.begin() + static_cast<std::ptrdiff_t>(start), n,
                            in[static_cast<size_t>(c)].begin());
            }
            if (!replacing) {
                for (auto& b : out) std::fill(b.begin(), b.end(), 0.0f);
            }
            context.samplePosition = static_cast<double>(start);
            plugin.processBlock(inPtr.data(), outPtr.data(), static_cast<int>(n), replacing);
        }
    };

    pass();  // warm caches, let lazily built tables settle
    std::vector<double> cpu, wall;
    for (int r = 0; r < o.runs; ++r) {
        const double c0 = threadCpuSeconds();
        const auto w0 = std::chrono::steady_clock::now();
        pass();
        wall.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - w0).count());
        cpu.push_back(threadCpuSeconds() - c0);
    }
    plugin.suspend();
    BenchResult result;
    // A library's or a bundle's file name, or the last part of a URI.
    std::filesystem::path named(path);
    if (named.filename().empty()) named = named.parent_path();
    result.name = named.filename().string();
    if (!std::filesystem::exists(named)) result.name = path.substr(path.find_last_of(":/#") + 1);
    result.cpuPerAudioSecond = median(cpu) / signal.seconds();
    result.wallPerAudioSecond = median(wall) / signal.seconds();
    return result;
}

}  // namespace

int runBench(const BenchOptions& o) {
    const AudioBuffer signal = noiseAndPulses(o.seconds, kSampleRate);
    std::vector<BenchResult> results;
    std::vector<bool> used(o.assignments.size(), false);
    for (const auto& path : o.libraries) results.push_back(benchOne(path, o, signal, used));
    for (size_t i = 0; i < used.size(); ++i) {
        if (!used[i])
            throw HostError("no plug-in has a parameter named '" + o.assignments[i].target + "'");
    }

    std::printf(
        "bench: %.2f s of noise and pulses, stereo %.0f Hz, blocks of %d, median of %d runs\n",
        o.seconds, kSampleRate, o.blockSize, o.runs);
    std::printf("%-28s %14s %12s %14s %10s\n", "plug-in", "CPU ms/s audio", "ns/frame",
                "x real time", "vs first");
    const double reference = results.front().cpuPerAudioSecond;
    for (const auto& r : results) {
        const double nsPerFrame = r.cpuPerAudioSecond * 1e9 / kSampleRate;
        const double realTime = r.cpuPerAudioSecond > 0 ? 1.0 / r.cpuPerAudioSecond : 0.0;
        const double ratio = reference > 0 ? r.cpuPerAudioSecond / reference : 0.0;
        std::printf("%-28s %14.3f %12.2f %14.0f %9.2fx\n", r.name.c_str(),
                    r.cpuPerAudioSecond * 1e3, nsPerFrame, realTime, ratio);
    }
    return 0;
}
