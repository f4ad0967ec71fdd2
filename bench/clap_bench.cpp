// The CLAP wrapper's cost beside the VST 2 record's: the same effect, the
// same settings and input, 512-frame blocks through processReplacing on the
// record and through the CLAP plug-in's process (which takes an empty
// event list and the panel's empty edit queue first). Goal: CLAP at most
// 2 % more.
#include <benchmark/benchmark.h>
#include <clap/entry.h>
#include <clap/plugin-factory.h>

#include <vector>

#include "clap_bare_host.h"
#include "effect/filter_delay_effect.h"
#include "effect/parameter_table.h"
#include "white_noise.h"

namespace {

using namespace molvex;

constexpr std::uint32_t kFrames = 512;
constexpr double kRate = 48000.0;
// A dub echo: long delay, high feedback, resonant low-pass, both levels on.
const float kPlainValues[kParameterCount] = {0.0f,  375.0f, 70.0f, 0.0f, 1500.0f,
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
        effect.setParameter(i,
                            normalizedFromPlain(static_cast<ParameterIndex>(i), kPlainValues[i]));
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

void BM_ClapProcess(benchmark::State& state) {
    clap_host_t host = claptest::bareHost("bench");
    const auto* factory =
        static_cast<const clap_plugin_factory_t*>(clap_entry.get_factory(CLAP_PLUGIN_FACTORY_ID));
    const clap_plugin_t* plugin =
        factory->create_plugin(factory, &host, factory->get_plugin_descriptor(factory, 0)->id);
    plugin->init(plugin);
    plugin->activate(plugin, kRate, 1, kFrames);
    plugin->start_processing(plugin);
    Signal s;
    float* in[] = {s.inL.data(), s.inR.data()};
    float* out[] = {s.outL.data(), s.outR.data()};
    clap_audio_buffer_t input{in, nullptr, 2, 0, 0};
    clap_audio_buffer_t output{out, nullptr, 2, 0, 0};
    claptest::VectorEvents<clap_event_param_value_t> events;
    for (std::uint32_t i = 0; i < kParameterCount; ++i) {
        clap_event_param_value_t e{};
        e.header = {sizeof e, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
        e.param_id = i;
        e.value = kPlainValues[i];
        events.list.push_back(e);
    }
    clap_output_events_t sink{
        nullptr, [](const clap_output_events_t*, const clap_event_header_t*) { return true; }};
    clap_process_t process{-1, kFrames, nullptr, &input, &output, 1, 1, &events.in, &sink};
    plugin->process(plugin, &process);
    events.list.clear();
    for (auto _ : state) {
        plugin->process(plugin, &process);
        benchmark::DoNotOptimize(s.outL.data());
    }
    plugin->stop_processing(plugin);
    plugin->deactivate(plugin);
    plugin->destroy(plugin);
    report(state);
}

}  // namespace

BENCHMARK(BM_Vst2ProcessReplacing)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_ClapProcess)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK_MAIN();
