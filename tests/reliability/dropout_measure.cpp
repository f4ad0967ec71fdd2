// Counts blocks that lose their wet signal. A block that meets a sample-rate
// change in progress passes only the dry signal, so with the dry level at 0
// and a one-sample delay such a block comes out silent while every other
// block carries the echo. Three runs: no rate change (must lose nothing),
// 256-frame blocks paced at real time against a rate change every
// millisecond, and the same back to back at full load.
//
//   dropout_measure LIBRARY [SECONDS PER RUN]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "plugin_library.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr VstInt32 kFrames = 256;
constexpr double kRate = 48000.0;

struct Result {
    unsigned long blocks = 0;
    unsigned long lost = 0;
    unsigned long changes = 0;
};

void prepare(AEffect* effect) {
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, static_cast<float>(kRate));
    effect->dispatcher(effect, effSetBlockSize, 0, kFrames, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    // Input level, delay, feedback, type, cutoff, resonance, pan, dry, wet.
    const float settings[] = {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.5f, 0.0f, 0.8f};
    for (VstInt32 i = 0; i < 9; ++i) effect->setParameter(effect, i, settings[i]);
}

Result measure(AEffect* effect, double seconds, bool paced, bool changeRates) {
    prepare(effect);
    std::vector<float> in(kFrames, 0.5f), outL(kFrames), outR(kFrames);
    float* inputs[] = {in.data(), in.data()};
    float* outputs[] = {outL.data(), outR.data()};
    Result result;
    std::atomic<bool> playing{true};
    std::thread control;
    if (changeRates)
        control = std::thread([&] {
            auto next = Clock::now();
            while (playing.load(std::memory_order_relaxed)) {
                const float rate = result.changes % 2 ? 44100.0f : 48000.0f;
                effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, rate);
                ++result.changes;
                next += std::chrono::milliseconds(1);
                std::this_thread::sleep_until(next);
            }
        });
    const auto period = std::chrono::duration<double>(kFrames / kRate);
    const auto start = Clock::now();
    const auto end = start + std::chrono::duration<double>(seconds);
    auto deadline = start;
    for (auto now = start; now < end; now = Clock::now()) {
        effect->processReplacing(effect, inputs, outputs, kFrames);
        ++result.blocks;
        const bool silent =
            std::all_of(outL.begin(), outL.end(), [](float s) { return s == 0.0f; });
        if (silent) ++result.lost;
        if (paced) {
            deadline += std::chrono::duration_cast<Clock::duration>(period);
            std::this_thread::sleep_until(deadline);
        }
    }
    playing = false;
    if (control.joinable()) control.join();
    return result;
}

void report(const char* what, const Result& r) {
    const auto share = [](unsigned long part, unsigned long whole) {
        return whole ? static_cast<double>(part) / static_cast<double>(whole) : 0.0;
    };
    std::printf(
        "%-46s %8lu blocks, %8lu lost (%6.2f %%), %5lu rate changes, %.2f lost per change\n", what,
        r.blocks, r.lost, 100.0 * share(r.lost, r.blocks), r.changes, share(r.lost, r.changes));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: dropout_measure LIBRARY [SECONDS PER RUN]\n");
        return 2;
    }
    const double seconds = argc > 2 ? std::atof(argv[2]) : 2.0;
    PluginLibrary library(argv[1]);
    AEffect* effect = library.ok() ? library.open(quietHost) : nullptr;
    if (!effect) {
        std::fprintf(stderr, "dropout_measure: cannot open %s\n", argv[1]);
        return 1;
    }
    const Result quietPaced = measure(effect, seconds, true, false);
    const Result quietFull = measure(effect, seconds, false, false);
    const Result paced = measure(effect, seconds, true, true);
    const Result full = measure(effect, seconds, false, true);
    PluginLibrary::close(effect);
    report("paced 256-frame blocks, no rate change", quietPaced);
    report("back to back, no rate change", quietFull);
    report("paced 256-frame blocks, a rate change each ms", paced);
    report("back to back, a rate change each ms", full);
    if (quietPaced.lost + quietFull.lost != 0) {
        std::fprintf(stderr, "dropout_measure: blocks lost with no rate change in progress\n");
        return 1;
    }
    return 0;
}
