// Drives the LV2 DSP the way a careless or hostile host might: any sample
// rate, ports connected and disconnected at any time (null included), any
// frame count up to the maximum, any control values, atom sequences made
// of the input's raw bytes (within the buffer the host owns), state
// restored from arbitrary text, activation in any order. A finding is a
// crash, a sanitizer report, or a non-finite output from finite input.
#include <fuzzer/FuzzedDataProvider.h>
#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/midi/midi.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern "C" const LV2_Descriptor* lv2_descriptor(uint32_t index);

namespace {

constexpr std::uint32_t kMaxFrames = 2048;
constexpr std::size_t kAtomCapacity = 1024;

const char* const kUris[] = {LV2_MIDI__MidiEvent,
                             LV2_ATOM__String,
                             LV2_ATOM__Int,
                             "urn:molvex:filter-delay#programs",
                             "urn:molvex:filter-delay#current-program",
                             LV2_ATOM__Sequence};

LV2_URID mapUri(LV2_URID_Map_Handle, const char* uri) {
    for (std::size_t i = 0; i < sizeof kUris / sizeof *kUris; ++i)
        if (std::strcmp(uri, kUris[i]) == 0) return static_cast<LV2_URID>(i + 1);
    return 100;
}

struct Retrieved {
    std::string programs;
    std::int32_t current = 0;
    std::uint32_t programsType = 2;
};

const void* retrieve(LV2_State_Handle h, std::uint32_t key, std::size_t* size, std::uint32_t* type,
                     std::uint32_t* flags) {
    auto* r = static_cast<Retrieved*>(h);
    *flags = 0;
    if (key == 4) {
        *size = r->programs.size();
        *type = r->programsType;
        return r->programs.data();
    }
    if (key == 5) {
        *size = sizeof r->current;
        *type = 3;
        return &r->current;
    }
    return nullptr;
}

LV2_State_Status store(LV2_State_Handle, std::uint32_t, const void*, std::size_t, std::uint32_t,
                       std::uint32_t) {
    return LV2_STATE_SUCCESS;
}

[[noreturn]] void finding(const char* what) {
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const LV2_Descriptor* d = lv2_descriptor(0);
    LV2_URID_Map map{nullptr, mapUri};
    const LV2_Feature mapFeature{LV2_URID__map, &map};
    const LV2_Feature* features[] = {&mapFeature, nullptr};
    const double rates[] = {44100.0, 48000.0, 96000.0, 1.0, 0.0, -1.0, NAN, 1e12, 22050.5};
    LV2_Handle plugin = d->instantiate(d, in.PickValueInArray(rates), "", features);
    if (!plugin) return 0;
    const auto* state =
        static_cast<const LV2_State_Interface*>(d->extension_data(LV2_STATE__interface));

    std::vector<float> audio[4];
    for (auto& channel : audio) channel.assign(kMaxFrames, 0.0f);
    float controls[9] = {}, reports[9] = {};
    alignas(8) std::uint8_t atoms[kAtomCapacity] = {};
    bool connected[23] = {};
    while (in.remaining_bytes() > 0) {
        switch (in.ConsumeIntegralInRange(0, 6)) {
        case 0: {
            const auto port = in.ConsumeIntegralInRange<std::uint32_t>(0, 30);
            const bool null = in.ConsumeBool();
            void* where = nullptr;
            if (!null && port < 4) where = audio[port].data();
            else if (!null && port == 4) where = atoms;
            else if (!null && port < 14) where = &controls[port - 5];
            else if (!null && port < 23) where = &reports[port - 14];
            d->connect_port(plugin, port, where);
            if (port < 23) connected[port] = where != nullptr;
            break;
        }
        case 1: controls[in.ConsumeIntegralInRange(0, 8)] = in.ConsumeFloatingPoint<float>(); break;
        case 2: {
            // The host's buffer: the claimed size never passes its capacity.
            const std::string bytes = in.ConsumeRandomLengthString(kAtomCapacity);
            std::memset(atoms, 0, sizeof atoms);
            std::memcpy(atoms, bytes.data(), bytes.size());
            auto* atom = reinterpret_cast<LV2_Atom*>(atoms);
            if (atom->size > kAtomCapacity - sizeof(LV2_Atom))
                atom->size = kAtomCapacity - sizeof(LV2_Atom);
            break;
        }
        case 3: {
            const auto frames = in.ConsumeIntegralInRange<std::uint32_t>(0, kMaxFrames);
            for (int c = 0; c < 2; ++c)
                for (std::uint32_t i = 0; i < frames; ++i)
                    audio[c][i] = std::sin(static_cast<float>(i + c) * 0.01f);
            for (int c = 2; c < 4; ++c)
                for (std::uint32_t i = 0; i < frames; ++i) audio[c][i] = NAN;
            d->run(plugin, frames);
            const bool wired = connected[0] && connected[1] && connected[2] && connected[3];
            for (int c = 2; c < 4 && wired; ++c)
                for (std::uint32_t i = 0; i < frames; ++i)
                    if (!std::isfinite(audio[c][i])) finding("non-finite output from finite input");
            break;
        }
        case 4: {
            Retrieved r;
            r.programs = in.ConsumeRandomLengthString(4096);
            if (in.ConsumeBool()) r.programs.push_back('\0');
            r.current = in.ConsumeIntegral<std::int32_t>();
            r.programsType = in.ConsumeBool() ? 2 : 3;
            state->restore(plugin, retrieve, &r, 0, features);
            break;
        }
        case 5: state->save(plugin, store, nullptr, 0, features); break;
        case 6: in.ConsumeBool() ? d->activate(plugin) : d->deactivate(plugin); break;
        }
    }
    d->cleanup(plugin);
    return 0;
}
