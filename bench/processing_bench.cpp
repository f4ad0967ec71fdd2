// What the audio routine costs per stereo frame, read as a ratio to the
// floor: the filter's own dependency chain, which no implementation of this
// arithmetic can beat. Every case reports ns per frame, the multiple of real
// time at 44.1 kHz, and x_floor.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <random>
#include <vector>

#include "effect/feedback_filter.h"
#include "effect/filter_delay_effect.h"
#include "white_noise.h"

using namespace molvex;
using enum ParameterIndex;

namespace {

constexpr int kFrames = 512;
constexpr double kRate = 44100.0;

using testsupport::whiteNoise;

// One filter ticking through a block: each output waits for the one before.
void tickBlock(FeedbackFilter& filter, const std::vector<float>& in, std::vector<float>& out) {
    for (int i = 0; i < kFrames; ++i) filter.tick(&in[i], &out[i]);
}

FeedbackFilter chainFilter() {
    FeedbackFilter filter;
    filter.setCutoff(1.0f);
    filter.updateCoefficients();
    return filter;
}

// The floor, measured once per run so that every case can be read against it.
double floorNanoseconds() {
    static const double floor = [] {
        FeedbackFilter filter = chainFilter();
        const auto in = whiteNoise(kFrames, 1.0f, 1);
        std::vector<float> out(kFrames);
        double best = 1e9;
        for (int round = 0; round < 20; ++round) {
            const auto start = std::chrono::steady_clock::now();
            for (int block = 0; block < 200; ++block) {
                tickBlock(filter, in, out);
                benchmark::DoNotOptimize(out.data());
            }
            const std::chrono::duration<double, std::nano> spent =
                std::chrono::steady_clock::now() - start;
            best = std::min(best, spent.count() / (200.0 * kFrames));
        }
        return best;
    }();
    return floor;
}

void report(benchmark::State& state) {
    const double frames = static_cast<double>(state.iterations()) * kFrames;
    state.SetItemsProcessed(static_cast<std::int64_t>(frames));
    state.counters["s_per_frame"] =
        benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["x_realtime"] = benchmark::Counter(frames / kRate, benchmark::Counter::kIsRate);
    state.counters["floor_ns"] = floorNanoseconds();
}

void BM_FilterChainFloor(benchmark::State& state) {
    FeedbackFilter filter = chainFilter();
    const auto in = whiteNoise(kFrames, 1.0f, 1);
    std::vector<float> out(kFrames);
    for (auto _ : state) {
        tickBlock(filter, in, out);
        benchmark::DoNotOptimize(out.data());
    }
    report(state);
}
BENCHMARK(BM_FilterChainFloor);

struct Stereo {
    std::vector<float> left, right;
    float* pointers[2] = {};
    explicit Stereo(std::vector<float> l, std::vector<float> r)
        : left(std::move(l)), right(std::move(r)) {}
    float** channels() {
        pointers[0] = left.data();
        pointers[1] = right.data();
        return pointers;
    }
};

Stereo silence() { return Stereo(std::vector<float>(kFrames), std::vector<float>(kFrames)); }

void runEffect(benchmark::State& state, FilterDelayEffect& effect,
               const std::vector<Stereo>& blocks) {
    Stereo out = silence();
    std::size_t which = 0;
    for (auto _ : state) {
        Stereo& in = const_cast<Stereo&>(blocks[which]);
        effect.processReplacing(in.channels(), out.channels(), kFrames);
        benchmark::DoNotOptimize(out.left.data());
        if (++which == blocks.size()) which = 0;
    }
    report(state);
}

std::vector<Stereo> noiseBlocks(int count, float amplitude) {
    std::vector<Stereo> blocks;
    for (int b = 0; b < count; ++b)
        blocks.emplace_back(whiteNoise(kFrames, amplitude, 10 + 2 * b),
                            whiteNoise(kFrames, amplitude, 11 + 2 * b));
    return blocks;
}

void BM_DefaultProgram(benchmark::State& state) {
    FilterDelayEffect effect(nullptr);
    runEffect(state, effect, noiseBlocks(16, 0.5f));
}
BENCHMARK(BM_DefaultProgram);

// Loud bursts once a second push the resonance limiter down; between them
// it climbs back for four seconds, so Q moves on every sample.
void BM_ResonantLimiterMoving(benchmark::State& state) {
    FilterDelayEffect effect(nullptr);
    effect.setParameter(Resonance, 1.0f);
    effect.setParameter(Feedback, 0.7f);
    effect.setParameter(Type, 0.9f);
    effect.setParameter(Cutoff, 0.4f);
    effect.setParameter(WetLevel, 1.0f);
    effect.setParameter(Delay, 0.05f);
    const int perSecond = static_cast<int>(kRate) / kFrames;
    std::vector<Stereo> blocks = noiseBlocks(perSecond, 0.05f);
    for (int b = 0; b < 2; ++b)
        blocks[b] = Stereo(whiteNoise(kFrames, 2.0f, 99 + b), whiteNoise(kFrames, 2.0f, 199 + b));
    runEffect(state, effect, blocks);
}
BENCHMARK(BM_ResonantLimiterMoving);

// A block of noise, then a feedback tail decaying on silent input all the way
// through the range where unflushed arithmetic would crawl, over and over.
void BM_DecayingTail(benchmark::State& state) {
    FilterDelayEffect effect(nullptr);
    effect.setParameter(Feedback, 0.9f);
    effect.setParameter(Delay, 0.003f);
    std::vector<Stereo> blocks = noiseBlocks(1, 0.3f);
    for (int b = 0; b < 400; ++b) blocks.push_back(silence());
    runEffect(state, effect, blocks);
}
BENCHMARK(BM_DecayingTail);

void BM_AccumulatingProcess(benchmark::State& state) {
    FilterDelayEffect effect(nullptr);
    Stereo in(whiteNoise(kFrames, 0.5f, 3), whiteNoise(kFrames, 0.5f, 4));
    Stereo out = silence();
    for (auto _ : state) {
        effect.process(in.channels(), out.channels(), kFrames);
        benchmark::DoNotOptimize(out.left.data());
    }
    report(state);
}
BENCHMARK(BM_AccumulatingProcess);

}  // namespace

BENCHMARK_MAIN();
