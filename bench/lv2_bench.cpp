// The LV2 wrapper's cost beside the VST 2 record's: the same effect, the
// same settings and input, 512-frame blocks through processReplacing on the
// record and through the bundle's run as lilv loads it (which checks the
// control ports and walks an empty MIDI sequence first). The cost depends on
// the exact settings (the limiter's work follows the resonance), so the
// record gets the very values the bundle's ports give the effect: those its
// saved state holds. Goal: LV2 at most 2 % more.
#include <benchmark/benchmark.h>

#include <lv2/state/state.h>

#include <sstream>
#include <string>
#include <vector>

#include "effect/filter_delay_effect.h"
#include "lv2_test_world.h"
#include "white_noise.h"

namespace {

using namespace molvex;

constexpr std::uint32_t kFrames = 512;
constexpr double kRate = 48000.0;
// A dub echo in the ports' units: long delay, high feedback, resonant
// low-pass, both levels on.
const float kPortValues[kParameterCount] = {0.0f,  375.0f, 70.0f, 0.0f, 1500.0f,
                                            40.0f, -10.0f, 0.0f,  -3.0f};
// Where the bundle's state keeps the programs, the current one first.
constexpr const char* kProgramsKey = "urn:molvex:filter-delay#programs";

struct Signal {
    std::vector<float> inL = testsupport::whiteNoise(kFrames, 0.5f, 1);
    std::vector<float> inR = testsupport::whiteNoise(kFrames, 0.5f, 2);
    std::vector<float> outL = std::vector<float>(kFrames);
    std::vector<float> outR = std::vector<float>(kFrames);
};

void report(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * kFrames);
    state.counters["ns_per_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kFrames,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// An instance of the bundle with kPortValues on its ports, run once.
struct Lv2Dub {
    lv2test::World world;
    lv2test::Instance instance{world, kRate, kFrames};
    Lv2Dub() {
        std::copy(std::begin(kPortValues), std::end(kPortValues), instance.controls);
        instance.inL = testsupport::whiteNoise(kFrames, 0.5f, 1);
        instance.inR = testsupport::whiteNoise(kFrames, 0.5f, 2);
        if (instance.ok()) instance.run(kFrames);
    }
};

// The effect's 0..1 values of kPortValues, read from the programs text the
// bundle saves: "v0 v1 ... v8 name" a line, the current program first.
std::vector<float> dubParameters() {
    Lv2Dub dub;
    std::vector<float> values;
    if (!dub.instance.ok()) return values;
    const auto* state = static_cast<const LV2_State_Interface*>(
        lilv_instance_get_extension_data(dub.instance.instance, LV2_STATE__interface));
    lv2test::StateStore saved;
    state->save(dub.instance.instance->lv2_handle, lv2test::StateStore::store, &saved, 0,
                dub.world.urids.features());
    std::istringstream line(saved.values[dub.world.urids.map(kProgramsKey)].bytes);
    float value = 0.0f;
    while (values.size() < kParameterCount && line >> value) values.push_back(value);
    return values;
}

void BM_Vst2ProcessReplacing(benchmark::State& state) {
    const std::vector<float> values = dubParameters();
    if (values.size() != kParameterCount) {
        state.SkipWithError("the bundle saved no programs");
        return;
    }
    FilterDelayEffect effect(nullptr);
    effect.setSampleRate(static_cast<float>(kRate));
    for (VstInt32 i = 0; i < kParameterCount; ++i)
        effect.setParameter(i, values[static_cast<std::size_t>(i)]);
    AEffect* record = effect.getRecord();
    Signal s;
    float* in[] = {s.inL.data(), s.inR.data()};
    float* out[] = {s.outL.data(), s.outR.data()};
    for (auto _ : state) {
        record->processReplacing(record, in, out, kFrames);
        benchmark::DoNotOptimize(s.outL.data());
    }
    report(state);
}

void BM_Lv2Run(benchmark::State& state) {
    Lv2Dub dub;
    if (!dub.instance.ok()) {
        state.SkipWithError("the bundle did not instantiate");
        return;
    }
    for (auto _ : state) {
        lilv_instance_run(dub.instance.instance, kFrames);
        benchmark::DoNotOptimize(dub.instance.outL.data());
    }
    report(state);
}

}  // namespace

BENCHMARK(BM_Vst2ProcessReplacing)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Lv2Run)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK_MAIN();
