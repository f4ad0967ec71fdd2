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
#include <lv2/atom/util.h>
#include <lv2/core/lv2.h>
#include <lv2/midi/midi.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <vector>

extern "C" void __rtsan_realtime_enter();
extern "C" void __rtsan_realtime_exit();

namespace {

constexpr std::uint32_t kMaxFrames = 4096;
constexpr std::uint32_t kFirstControl = 5;
constexpr std::uint32_t kFirstReport = 14;

class RealtimeScope {
public:
    RealtimeScope() { __rtsan_realtime_enter(); }
    ~RealtimeScope() { __rtsan_realtime_exit(); }
};

std::vector<std::string> uris;
LV2_URID mapUri(LV2_URID_Map_Handle, const char* uri) {
    for (std::size_t i = 0; i < uris.size(); ++i)
        if (uris[i] == uri) return static_cast<LV2_URID>(i + 1);
    uris.emplace_back(uri);
    return static_cast<LV2_URID>(uris.size());
}

std::map<std::uint32_t, std::pair<std::string, std::uint32_t>> saved;
LV2_State_Status store(LV2_State_Handle, std::uint32_t key, const void* value, std::size_t size,
                       std::uint32_t type, std::uint32_t) {
    saved[key] = {std::string(static_cast<const char*>(value), size), type};
    return LV2_STATE_SUCCESS;
}
const void* retrieve(LV2_State_Handle, std::uint32_t key, std::size_t* size, std::uint32_t* type,
                     std::uint32_t* flags) {
    auto it = saved.find(key);
    if (it == saved.end()) return nullptr;
    *size = it->second.first.size();
    *type = it->second.second;
    *flags = 0;
    return it->second.first.data();
}

struct Buffers {
    std::vector<float> audio[2][4];  // two sets of in L, in R, out L, out R
    float controls[9] = {};
    float reports[9] = {};
    std::vector<std::uint64_t> atoms = std::vector<std::uint64_t>(512);
    unsigned seed = 1;

    Buffers() {
        for (auto& set : audio)
            for (auto& channel : set) channel.assign(kMaxFrames, 0.0f);
    }
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
void fillSequence(Buffers& b, LV2_URID sequenceType, LV2_URID midiType, std::uint32_t frames) {
    auto* s = reinterpret_cast<LV2_Atom_Sequence*>(b.atoms.data());
    s->atom.type = sequenceType;
    s->atom.size = sizeof(LV2_Atom_Sequence_Body);
    s->body.unit = 0;
    s->body.pad = 0;
    const unsigned count = b.next() % 6;
    char* base = reinterpret_cast<char*>(b.atoms.data()) + sizeof(LV2_Atom);
    for (unsigned i = 0; i < count; ++i) {
        LV2_Atom_Event event{};
        event.time.frames = static_cast<std::int64_t>(b.next() % (frames + 64)) - 16;
        event.body.type = b.next() % 7 == 0 ? midiType + 1 : midiType;
        event.body.size = b.next() % 11 == 0 ? 100000 : 3;
        const std::uint8_t midi[3] = {static_cast<std::uint8_t>(0xB0 | (b.next() % 16)),
                                      static_cast<std::uint8_t>(b.next() % 12),
                                      static_cast<std::uint8_t>(b.next() % 128)};
        char* at = base + lv2_atom_pad_size(s->atom.size);
        std::memcpy(at, &event, sizeof event);
        std::memcpy(at + sizeof event, midi, sizeof midi);
        s->atom.size = lv2_atom_pad_size(s->atom.size) + sizeof event + 3;
    }
    if (b.next() % 13 == 0) s->atom.size = 3;  // smaller than a sequence body
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
    LV2_URID_Map map{nullptr, mapUri};
    const LV2_Feature mapFeature{LV2_URID__map, &map};
    const LV2_Feature* features[] = {&mapFeature, nullptr};
    const LV2_URID sequenceType = mapUri(nullptr, LV2_ATOM__Sequence);
    const LV2_URID midiType = mapUri(nullptr, LV2_MIDI__MidiEvent);
    LV2_Handle plugin = d->instantiate(d, 48000.0, "", features);
    if (!plugin) return 1;
    const auto* state =
        static_cast<const LV2_State_Interface*>(d->extension_data(LV2_STATE__interface));
    Buffers b;
    d->activate(plugin);
    unsigned long blocks = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        const std::uint32_t frames = b.next() % (kMaxFrames + 1);
        auto& set = b.audio[blocks % 2];
        for (std::uint32_t i = 0; i < frames; ++i) set[0][i] = set[1][i] = b.unit() - 0.5f;
        fillSequence(b, sequenceType, midiType, frames);
        for (float& c : b.controls) c = b.next() % 3 == 0 ? b.control() : c;
        {
            RealtimeScope realtime;
            for (std::uint32_t p = 0; p < 4; ++p) d->connect_port(plugin, p, set[p].data());
            d->connect_port(plugin, 4, b.atoms.data());
            for (std::uint32_t i = 0; i < 9; ++i) {
                d->connect_port(plugin, kFirstControl + i, &b.controls[i]);
                d->connect_port(plugin, kFirstReport + i, &b.reports[i]);
            }
            d->run(plugin, frames);
        }
        for (std::uint32_t i = 0; i < frames; ++i)
            if (!std::isfinite(set[2][i]) || !std::isfinite(set[3][i])) {
                std::fprintf(stderr, "non-finite output at block %lu\n", blocks);
                return 1;
            }
        if (blocks % 97 == 0 && state) {
            state->save(plugin, store, nullptr, 0, features);
            state->restore(plugin, retrieve, nullptr, 0, features);
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
