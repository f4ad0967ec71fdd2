// A host built with RealtimeSanitizer that loads the LV2 DSP library as it
// ships and marks what LV2 puts in the audio threading class as real-time:
// connect_port and run. Each block reconnects the ports to other buffers,
// runs a random frame count up to the maximum, with control values that
// include NaN, infinities and values far out of range, and an atom sequence
// of MIDI control changes (sometimes malformed: sizes that overrun it,
// frames outside the block, other atom types). Between blocks, outside the
// real-time scope, it saves and restores the state and deactivates and
// activates, as hosts do from other threading classes.
//
//   lv2_rtsan_host DSP-LIBRARY [SECONDS]
#include <dlfcn.h>
#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/state/state.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "lv2_test_world.h"

extern "C" void __rtsan_realtime_enter();
extern "C" void __rtsan_realtime_exit();

namespace {

constexpr std::uint32_t kMaxFrames = 4096;

class RealtimeScope {
public:
    RealtimeScope() { __rtsan_realtime_enter(); }
    ~RealtimeScope() { __rtsan_realtime_exit(); }
};

struct Buffers {
    explicit Buffers(lv2test::World& world) : midi(world.urids, 4096) {
        for (auto& set : audio)
            for (auto& channel : set) channel.assign(kMaxFrames, 0.0f);
        controls.resize(world.ports.controlInputs.size());
        reports.resize(world.ports.controlOutputs.size());
    }

    std::vector<float> audio[2][4];  // two sets of in L, in R, out L, out R
    std::vector<float> controls, reports;
    lv2test::AtomSequence midi;
    unsigned seed = 1;

    unsigned next() { return seed = seed * 1664525u + 1013904223u; }
    float unit() { return static_cast<float>(next() >> 8) / 16777216.0f; }
    float control() {
        switch (next() % 8) {
        case 0: return std::numeric_limits<float>::quiet_NaN();
        case 1: return std::numeric_limits<float>::infinity();
        case 2: return -1e30f;
        case 3: return 1e30f;
        default: return unit() * 2000.0f - 500.0f;
        }
    }
};

// Builds a sequence of MIDI control changes; now and then a broken one.
void fillSequence(Buffers& b, std::uint32_t frames) {
    b.midi.clear();
    const unsigned count = b.next() % 6;
    for (unsigned i = 0; i < count; ++i) {
        const auto frame = static_cast<std::int64_t>(b.next() % (frames + 64)) - 16;
        const LV2_URID type = b.next() % 7 == 0 ? b.midi.midiType() + 1 : b.midi.midiType();
        const std::uint32_t claimed = b.next() % 11 == 0 ? 100000 : 3;
        const std::uint8_t message[3] = {static_cast<std::uint8_t>(0xB0 | (b.next() % 16)),
                                         static_cast<std::uint8_t>(b.next() % 12),
                                         static_cast<std::uint8_t>(b.next() % 128)};
        b.midi.append(frame, type, message, sizeof message, claimed);
    }
    if (b.next() % 13 == 0) b.midi.get()->atom.size = 3;  // smaller than a sequence body
}

// Connects one set of audio buffers and every other port.
void connect(const LV2_Descriptor* d, LV2_Handle plugin, const lv2test::PortLayout& ports,
             std::vector<float>* set, Buffers& b) {
    for (std::size_t i = 0; i < ports.audioInputs.size() && i < 2; ++i)
        d->connect_port(plugin, ports.audioInputs[i], set[i].data());
    for (std::size_t i = 0; i < ports.audioOutputs.size() && i < 2; ++i)
        d->connect_port(plugin, ports.audioOutputs[i], set[2 + i].data());
    if (ports.midiInput >= 0)
        d->connect_port(plugin, static_cast<std::uint32_t>(ports.midiInput), b.midi.data());
    for (std::size_t i = 0; i < ports.controlInputs.size(); ++i)
        d->connect_port(plugin, ports.controlInputs[i], &b.controls[i]);
    for (std::size_t i = 0; i < ports.controlOutputs.size(); ++i)
        d->connect_port(plugin, ports.controlOutputs[i], &b.reports[i]);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: lv2_rtsan_host DSP-LIBRARY [SECONDS]\n");
        return 2;
    }
    const double seconds = argc > 2 ? std::atof(argv[2]) : 4.0;
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        std::fprintf(stderr, "%s\n", dlerror());
        return 1;
    }
    auto entry =
        reinterpret_cast<const LV2_Descriptor* (*)(uint32_t)>(dlsym(library, "lv2_descriptor"));
    const LV2_Descriptor* d = entry ? entry(0) : nullptr;
    if (!d) return 1;
    // The ports as the bundle beside the library describes them.
    const std::string path = argv[1];
    lv2test::World world(path.substr(0, path.find_last_of('/')));
    if (!world.plugin) {
        std::fprintf(stderr, "%s: no plug-in described beside it\n", argv[1]);
        return 1;
    }
    const LV2_Feature* const* features = world.urids.features();
    LV2_Handle plugin = d->instantiate(d, 48000.0, "", features);
    if (!plugin) return 1;
    const auto* state =
        static_cast<const LV2_State_Interface*>(d->extension_data(LV2_STATE__interface));
    Buffers b(world);
    lv2test::StateStore saved;
    d->activate(plugin);
    unsigned long blocks = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        const std::uint32_t frames = b.next() % (kMaxFrames + 1);
        auto& set = b.audio[blocks % 2];
        for (std::uint32_t i = 0; i < frames; ++i) set[0][i] = set[1][i] = b.unit() - 0.5f;
        fillSequence(b, frames);
        for (float& c : b.controls) c = b.next() % 3 == 0 ? b.control() : c;
        {
            RealtimeScope realtime;
            connect(d, plugin, world.ports, set, b);
            d->run(plugin, frames);
        }
        for (std::uint32_t i = 0; i < frames; ++i)
            if (!std::isfinite(set[2][i]) || !std::isfinite(set[3][i])) {
                std::fprintf(stderr, "non-finite output at block %lu\n", blocks);
                return 1;
            }
        if (blocks % 97 == 0 && state) {
            state->save(plugin, lv2test::StateStore::store, &saved, 0, features);
            state->restore(plugin, lv2test::StateStore::retrieve, &saved, 0, features);
        }
        if (blocks % 211 == 0) {
            d->deactivate(plugin);
            d->activate(plugin);
        }
        ++blocks;
    }
    d->deactivate(plugin);
    d->cleanup(plugin);
    std::printf("lv2_rtsan_host: %lu blocks in real time, no unsafe call\n", blocks);
    return 0;
}
