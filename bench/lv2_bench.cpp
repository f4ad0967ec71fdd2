// The LV2 wrapper's cost beside the VST 2 record's: the same effect, the
// same settings and input, 512-frame blocks through processReplacing on the
// record and through the LV2 descriptor's run (which checks the control
// ports and walks an empty MIDI sequence first). Goal: LV2 at most 2 % more.
#include <benchmark/benchmark.h>
#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/urid/urid.h>

#include <string>
#include <vector>

#include "effect/filter_delay_effect.h"
#include "effect/parameter_table.h"
#include "formats/lv2/port_map.h"
#include "white_noise.h"

extern "C" const LV2_Descriptor* lv2_descriptor(uint32_t index);

namespace {

using namespace molvex;

constexpr std::uint32_t kFrames = 512;
constexpr double kRate = 48000.0;
// A dub echo: long delay, high feedback, resonant low-pass, both levels on.
const float kPortValues[kParameterCount] = {0.0f,  375.0f, 70.0f, 0.0f, 1500.0f,
                                            40.0f, -10.0f, 0.0f,  -3.0f};

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

void BM_Vst2ProcessReplacing(benchmark::State& state) {
    FilterDelayEffect effect(nullptr);
    effect.setSampleRate(static_cast<float>(kRate));
    for (VstInt32 i = 0; i < kParameterCount; ++i)
        effect.setParameter(i, normalizedFromPlain(static_cast<ParameterIndex>(i), kPortValues[i]));
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

LV2_URID mapUri(LV2_URID_Map_Handle handle, const char* uri) {
    auto& uris = *static_cast<std::vector<std::string>*>(handle);
    for (std::size_t i = 0; i < uris.size(); ++i)
        if (uris[i] == uri) return static_cast<LV2_URID>(i + 1);
    uris.emplace_back(uri);
    return static_cast<LV2_URID>(uris.size());
}

void BM_Lv2Run(benchmark::State& state) {
    std::vector<std::string> uris;
    LV2_URID_Map map{&uris, mapUri};
    const LV2_Feature mapFeature{LV2_URID__map, &map};
    const LV2_Feature* features[] = {&mapFeature, nullptr};
    const LV2_Descriptor* d = lv2_descriptor(0);
    LV2_Handle plugin = d->instantiate(d, kRate, "", features);
    Signal s;
    float controls[kParameterCount], reports[kParameterCount];
    std::copy(std::begin(kPortValues), std::end(kPortValues), controls);
    LV2_Atom_Sequence midi{};
    midi.atom.type = mapUri(&uris, LV2_ATOM__Sequence);
    midi.atom.size = sizeof(LV2_Atom_Sequence_Body);
    d->connect_port(plugin, lv2::kPortInputLeft, s.inL.data());
    d->connect_port(plugin, lv2::kPortInputRight, s.inR.data());
    d->connect_port(plugin, lv2::kPortOutputLeft, s.outL.data());
    d->connect_port(plugin, lv2::kPortOutputRight, s.outR.data());
    d->connect_port(plugin, lv2::kPortMidi, &midi);
    for (std::uint32_t i = 0; i < kParameterCount; ++i) {
        d->connect_port(plugin, lv2::kPortFirstControl + i, &controls[i]);
        d->connect_port(plugin, lv2::kPortFirstReport + i, &reports[i]);
    }
    d->activate(plugin);
    for (auto _ : state) {
        d->run(plugin, kFrames);
        benchmark::DoNotOptimize(s.outL.data());
    }
    d->deactivate(plugin);
    d->cleanup(plugin);
    report(state);
}

}  // namespace

BENCHMARK(BM_Vst2ProcessReplacing)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Lv2Run)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK_MAIN();
