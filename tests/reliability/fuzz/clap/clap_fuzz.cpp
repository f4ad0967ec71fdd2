// libFuzzer target over the CLAP plug-in's entry points: the input picks a
// sample rate (1 kHz to 768 kHz) and then a run of steps: process blocks of
// 1 to 16384 frames with event lists (parameter values in and far beyond
// range, NaN, unknown ids, MIDI, times out of order or past the block),
// flush, reset, reactivation, state loads of any bytes and saves.
#include <clap/entry.h>
#include <clap/ext/params.h>
#include <clap/ext/state.h>
#include <clap/plugin-factory.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "clap_bare_host.h"

namespace {

struct Input {
    const std::uint8_t* data;
    std::size_t size;
    std::uint8_t byte() {
        if (size == 0) return 0;
        --size;
        return *data++;
    }
    std::uint32_t word() {
        return byte() | byte() << 8 | byte() << 16 | static_cast<std::uint32_t>(byte()) << 24;
    }
};

constexpr std::uint32_t kMaxFrames = 16384;

union Event {
    clap_event_header_t header;
    clap_event_param_value_t value;
    clap_event_midi_t midi;
};

using Events = claptest::VectorEvents<Event>;

double plainValue(Input& in) {
    switch (in.byte() % 6) {
    case 0: return std::numeric_limits<double>::quiet_NaN();
    case 1: return std::numeric_limits<double>::infinity();
    case 2: return -1e300;
    case 3: return static_cast<double>(static_cast<std::int32_t>(in.word()));
    default: return (in.word() % 20000) / 10.0 - 1000.0;
    }
}

void fillEvents(Input& in, Events& events, std::uint32_t frames) {
    events.list.clear();
    const unsigned count = in.byte() % 12;
    for (unsigned i = 0; i < count; ++i) {
        Event e{};
        const std::uint32_t time =
            in.byte() % 4 == 0 ? in.word() : (frames ? in.word() % frames : 0);
        if (in.byte() % 2 == 0) {
            e.value.header = {sizeof e.value, time, static_cast<std::uint16_t>(in.byte() % 8 == 0),
                              CLAP_EVENT_PARAM_VALUE, 0};
            e.value.param_id = in.byte() % 12;
            e.value.value = plainValue(in);
        } else {
            e.midi.header = {sizeof e.midi, time, 0, CLAP_EVENT_MIDI, 0};
            for (auto& b : e.midi.data) b = in.byte();
        }
        // Now and then a header that claims less than its type holds.
        if (in.byte() % 16 == 0) e.header.size = sizeof(clap_event_header_t);
        events.list.push_back(e);
    }
}

struct Stream {
    const std::uint8_t* data;
    std::size_t size, at = 0, chunk;
};

const clap_host_t kHost = claptest::bareHost("fuzz");

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in{data, size};
    static const double kRates[] = {1000, 8000, 22050, 44100, 48000, 96000, 192000, 384000, 768000};
    const double rate = kRates[in.byte() % 9];
    const auto* factory =
        static_cast<const clap_plugin_factory_t*>(clap_entry.get_factory(CLAP_PLUGIN_FACTORY_ID));
    const clap_plugin_t* plugin =
        factory->create_plugin(factory, &kHost, "com.molvex.filter-delay");
    if (!plugin || !plugin->init(plugin)) return 0;
    const auto* params =
        static_cast<const clap_plugin_params_t*>(plugin->get_extension(plugin, CLAP_EXT_PARAMS));
    const auto* state =
        static_cast<const clap_plugin_state_t*>(plugin->get_extension(plugin, CLAP_EXT_STATE));
    bool active = plugin->activate(plugin, rate, 1, kMaxFrames);
    static std::vector<float> buffers[4];
    for (auto& b : buffers) b.assign(kMaxFrames, 0.0f);
    Events events;
    clap_output_events_t out{
        nullptr, [](const clap_output_events_t*, const clap_event_header_t*) { return true; }};
    for (int step = 0; step < 32 && in.size > 0; ++step) {
        switch (in.byte() % 8) {
        case 0:
        case 1:
        case 2: {
            std::uint32_t frames =
                in.byte() % 3 == 0 ? 1 + in.word() % kMaxFrames : 1 + in.byte() * 4;
            if (frames > kMaxFrames) frames = kMaxFrames;
            for (std::uint32_t i = 0; i < frames; ++i)
                buffers[0][i] = buffers[1][i] = (in.byte() - 128) / 64.0f;
            fillEvents(in, events, frames);
            const bool inPlace = in.byte() % 2;
            float* inputs[2] = {buffers[0].data(), buffers[1].data()};
            float* outputs[2] = {buffers[2].data(), buffers[3].data()};
            clap_audio_buffer_t input{inputs, nullptr, 2, 0, 0};
            clap_audio_buffer_t output{inPlace ? inputs : outputs, nullptr, 2, 0, 0};
            clap_process_t process{-1, frames, nullptr, &input, &output, 1, 1, &events.in, &out};
            if (active) plugin->process(plugin, &process);
            break;
        }
        case 3:
            fillEvents(in, events, 0);
            params->flush(plugin, &events.in, &out);
            break;
        case 4:
            if (active) plugin->reset(plugin);
            break;
        case 5:
            if (active) plugin->deactivate(plugin);
            active = plugin->activate(plugin, kRates[in.byte() % 9], 1, kMaxFrames);
            break;
        case 6: {
            // The chunk first: the stream's bytes are the rest of the input.
            const std::size_t chunk = 1u + in.byte() % 64;
            const bool whole = in.byte() % 2 == 0;
            const std::size_t part = in.byte() * 8u;
            const std::size_t length = whole ? in.size : std::min<std::size_t>(in.size, part);
            Stream s{in.data, length, 0, chunk};
            clap_istream_t stream{
                &s, [](const clap_istream_t* st, void* buffer, std::uint64_t n) -> std::int64_t {
                    auto* s = static_cast<Stream*>(st->ctx);
                    const std::size_t take = std::min<std::size_t>({n, s->chunk, s->size - s->at});
                    std::memcpy(buffer, s->data + s->at, take);
                    s->at += take;
                    return static_cast<std::int64_t>(take);
                }};
            state->load(plugin, &stream);
            in.data += length;
            in.size -= length;
            break;
        }
        default: {
            std::vector<std::uint8_t> saved;
            clap_ostream_t stream{
                &saved,
                [](const clap_ostream_t* st, const void* buffer, std::uint64_t n) -> std::int64_t {
                    auto* bytes = static_cast<std::vector<std::uint8_t>*>(st->ctx);
                    const auto* p = static_cast<const std::uint8_t*>(buffer);
                    const std::size_t take = std::min<std::uint64_t>(n, 23);
                    bytes->insert(bytes->end(), p, p + take);
                    return static_cast<std::int64_t>(take);
                }};
            state->save(plugin, &stream);
            break;
        }
        }
    }
    if (active) plugin->deactivate(plugin);
    plugin->destroy(plugin);
    return 0;
}
