// A host built with RealtimeSanitizer that loads Molvex.clap as it ships
// and marks what CLAP puts on the audio thread as real-time: process, and
// flush while active. Each block runs a random frame count up to the
// maximum, in place or not, with parameter events (NaN, infinities, far out
// of range, unknown ids), MIDI control changes and times out of order.
// Between blocks, outside the real-time scope, it saves and loads the
// state, flushes panel-less edits, resets and reactivates, as hosts do from
// the main thread.
//
//   clap_rtsan_host PLUGIN.clap [SECONDS]
#include <clap/entry.h>
#include <clap/ext/params.h>
#include <clap/ext/state.h>
#include <clap/plugin-factory.h>
#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "clap_bare_host.h"

extern "C" void __rtsan_realtime_enter();
extern "C" void __rtsan_realtime_exit();

namespace {

constexpr std::uint32_t kMaxFrames = 4096;

class RealtimeScope {
public:
    RealtimeScope() { __rtsan_realtime_enter(); }
    ~RealtimeScope() { __rtsan_realtime_exit(); }
};

unsigned seed = 1;
unsigned next() { return seed = seed * 1664525u + 1013904223u; }

double plain() {
    switch (next() % 8) {
    case 0: return std::numeric_limits<double>::quiet_NaN();
    case 1: return std::numeric_limits<double>::infinity();
    case 2: return -1e30;
    case 3: return 1e30;
    default: return static_cast<double>(next() % 20000) / 10.0 - 1000.0;
    }
}

union Event {
    clap_event_header_t header;
    clap_event_param_value_t value;
    clap_event_midi_t midi;
};

struct Events {
    Event list[16];
    std::uint32_t count = 0;
    clap_input_events_t in{
        this, [](const clap_input_events_t* l) { return static_cast<Events*>(l->ctx)->count; },
        [](const clap_input_events_t* l, std::uint32_t i) -> const clap_event_header_t* {
            return &static_cast<Events*>(l->ctx)->list[i].header;
        }};
    void fill(std::uint32_t frames) {
        count = next() % 16;
        for (std::uint32_t i = 0; i < count; ++i) {
            Event& e = list[i];
            e = Event{};
            const std::uint32_t time = frames ? next() % (frames + 32) : 0;
            if (next() % 2) {
                e.value.header = {sizeof e.value, time, 0, CLAP_EVENT_PARAM_VALUE, 0};
                e.value.param_id = next() % 11;
                e.value.value = plain();
            } else {
                e.midi.header = {sizeof e.midi, time, 0, CLAP_EVENT_MIDI, 0};
                e.midi.data[0] = static_cast<std::uint8_t>(0xB0 | (next() % 16));
                e.midi.data[1] = static_cast<std::uint8_t>(next() % 12);
                e.midi.data[2] = static_cast<std::uint8_t>(next() % 128);
            }
        }
    }
};

struct Bytes {
    std::vector<std::uint8_t> data;
    std::size_t at = 0;
};

const clap_host_t kHost = claptest::bareHost("rtsan");

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: clap_rtsan_host PLUGIN.clap [SECONDS]\n");
        return 2;
    }
    const double seconds = argc > 2 ? std::atof(argv[2]) : 4.0;
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        std::fprintf(stderr, "%s\n", dlerror());
        return 1;
    }
    const auto* entry = static_cast<const clap_plugin_entry_t*>(dlsym(library, "clap_entry"));
    if (!entry || !entry->init(argv[1])) return 1;
    const auto* factory =
        static_cast<const clap_plugin_factory_t*>(entry->get_factory(CLAP_PLUGIN_FACTORY_ID));
    const clap_plugin_t* plugin =
        factory->create_plugin(factory, &kHost, factory->get_plugin_descriptor(factory, 0)->id);
    if (!plugin || !plugin->init(plugin) || !plugin->activate(plugin, 48000.0, 1, kMaxFrames))
        return 1;
    const auto* params =
        static_cast<const clap_plugin_params_t*>(plugin->get_extension(plugin, CLAP_EXT_PARAMS));
    const auto* state =
        static_cast<const clap_plugin_state_t*>(plugin->get_extension(plugin, CLAP_EXT_STATE));
    std::vector<float> audio[4];
    for (auto& channel : audio) channel.assign(kMaxFrames, 0.0f);
    Events events;
    clap_output_events_t out{
        nullptr, [](const clap_output_events_t*, const clap_event_header_t*) { return true; }};
    unsigned long blocks = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        const std::uint32_t frames = next() % (kMaxFrames + 1);
        for (std::uint32_t i = 0; i < frames; ++i)
            audio[0][i] = audio[1][i] = static_cast<float>(next() >> 8) / 16777216.0f - 0.5f;
        events.fill(frames);
        const bool inPlace = next() % 2;
        float* inputs[2] = {audio[0].data(), audio[1].data()};
        float* outputs[2] = {audio[2].data(), audio[3].data()};
        clap_audio_buffer_t input{inputs, nullptr, 2, 0, 0};
        clap_audio_buffer_t output{inPlace ? inputs : outputs, nullptr, 2, 0, 0};
        clap_process_t process{static_cast<std::int64_t>(blocks),
                               frames,
                               nullptr,
                               &input,
                               &output,
                               1,
                               1,
                               &events.in,
                               &out};
        plugin->start_processing(plugin);
        {
            RealtimeScope realtime;
            plugin->process(plugin, &process);
            if (blocks % 5 == 0) {
                events.fill(0);
                params->flush(plugin, &events.in, &out);
            }
        }
        plugin->stop_processing(plugin);
        float* written[2] = {output.data32[0], output.data32[1]};
        for (std::uint32_t i = 0; i < frames; ++i)
            if (!std::isfinite(written[0][i]) || !std::isfinite(written[1][i])) {
                std::fprintf(stderr, "non-finite output at block %lu\n", blocks);
                return 1;
            }
        if (blocks % 97 == 0) {
            Bytes bytes;
            clap_ostream_t os{
                &bytes,
                [](const clap_ostream_t* s, const void* b, std::uint64_t n) -> std::int64_t {
                    auto* into = static_cast<Bytes*>(s->ctx);
                    const auto* p = static_cast<const std::uint8_t*>(b);
                    into->data.insert(into->data.end(), p, p + n);
                    return static_cast<std::int64_t>(n);
                }};
            clap_istream_t is{
                &bytes, [](const clap_istream_t* s, void* b, std::uint64_t n) -> std::int64_t {
                    auto* from = static_cast<Bytes*>(s->ctx);
                    const std::size_t take = std::min<std::size_t>(n, from->data.size() - from->at);
                    std::memcpy(b, from->data.data() + from->at, take);
                    from->at += take;
                    return static_cast<std::int64_t>(take);
                }};
            if (!state->save(plugin, &os) || !state->load(plugin, &is)) {
                std::fprintf(stderr, "state did not survive its own round trip\n");
                return 1;
            }
        }
        if (blocks % 211 == 0) {
            plugin->deactivate(plugin);
            if (!plugin->activate(plugin, 48000.0, 1, kMaxFrames)) return 1;
        }
        if (blocks % 53 == 0) {
            RealtimeScope realtime;
            plugin->reset(plugin);
        }
        ++blocks;
    }
    plugin->deactivate(plugin);
    plugin->destroy(plugin);
    entry->deinit();
    std::printf("clap_rtsan_host: %lu blocks in real time, no unsafe call\n", blocks);
    return 0;
}
