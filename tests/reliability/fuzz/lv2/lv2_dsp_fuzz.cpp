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

#include "lv2_test_host.h"

extern "C" const LV2_Descriptor* lv2_descriptor(uint32_t index);

namespace {

constexpr std::uint32_t kMaxFrames = 2048;
constexpr std::size_t kAtomCapacity = 1024;

constexpr const char* kProgramsKey = "urn:molvex:filter-delay#programs";
constexpr const char* kCurrentProgramKey = "urn:molvex:filter-delay#current-program";

[[noreturn]] void finding(const char* what) {
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const LV2_Descriptor* d = lv2_descriptor(0);
    lv2test::UridMap urids;
    const LV2_Feature* const* features = urids.features();
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
            std::string programs = in.ConsumeRandomLengthString(4096);
            if (in.ConsumeBool()) programs.push_back('\0');
            const auto current = in.ConsumeIntegral<std::int32_t>();
            const LV2_URID textType =
                urids.map(in.ConsumeBool() ? LV2_ATOM__String : LV2_ATOM__Int);
            lv2test::StateStore given;
            given.set(urids.map(kProgramsKey), programs.data(), programs.size(), textType);
            given.set(urids.map(kCurrentProgramKey), &current, sizeof current,
                      urids.map(LV2_ATOM__Int));
            state->restore(plugin, lv2test::StateStore::retrieve, &given, 0, features);
            break;
        }
        case 5: {
            lv2test::StateStore saved;
            state->save(plugin, lv2test::StateStore::store, &saved, 0, features);
            break;
        }
        case 6: in.ConsumeBool() ? d->activate(plugin) : d->deactivate(plugin); break;
        }
    }
    d->cleanup(plugin);
    return 0;
}
