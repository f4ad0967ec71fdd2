// What the LV2 tests, the fuzzer, the real-time host and the benchmarks
// share of a host, needing the LV2 headers alone: the URID map with its
// features, atom sequences in buffers the host owns, and a state store.
// lv2_test_world.h adds the plug-in found through lilv.
#pragma once

#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "urid_map.h"

namespace lv2test {

// plughost's URID map (URIs numbered from 1 as first asked for), with the
// null-terminated feature list an instance is given: urid:map, urid:unmap.
class UridMap : public ::UridMap {
public:
    UridMap();
    const LV2_Feature* const* features() const { return featureList; }

private:
    LV2_Feature mapEntry;
    LV2_Feature unmapEntry;
    const LV2_Feature* featureList[3];
};

// An atom sequence in a buffer the host owns, 8-byte aligned as atoms must
// be. Appending never allocates, so the audio thread may fill it.
class AtomSequence {
public:
    AtomSequence(UridMap& urids, std::size_t capacityBytes);

    // Empty: the plug-in finds no events.
    void clear();
    // Appends an event whose header claims `claimedSize` bytes of body, its
    // real size unless a test means to lie; false when the body does not fit.
    bool append(std::int64_t frame, LV2_URID type, const void* body, std::uint32_t size,
                std::uint32_t claimedSize);
    bool appendMidi(std::int64_t frame, std::uint8_t status, std::uint8_t data1,
                    std::uint8_t data2);

    LV2_Atom_Sequence* get() { return reinterpret_cast<LV2_Atom_Sequence*>(words.data()); }
    // What connect_port takes, and the room there is behind it.
    void* data() { return words.data(); }
    std::size_t capacity() const { return words.size() * sizeof(std::uint64_t); }
    LV2_URID midiType() const { return midiEvent; }

private:
    std::vector<std::uint64_t> words;
    LV2_URID sequence;
    LV2_URID midiEvent;
};

// Properties as LV2_State_Interface::save stores them, by key, handed back
// to restore: the handle is the store.
struct StateStore {
    struct Value {
        std::string bytes;
        std::uint32_t type;
    };
    std::map<std::uint32_t, Value> values;

    void set(std::uint32_t key, const void* value, std::size_t size, std::uint32_t type) {
        values[key] = {std::string(static_cast<const char*>(value), size), type};
    }
    static LV2_State_Status store(LV2_State_Handle handle, std::uint32_t key, const void* value,
                                  std::size_t size, std::uint32_t type, std::uint32_t flags);
    // Every value comes back as plain old data (LV2_STATE_IS_POD).
    static const void* retrieve(LV2_State_Handle handle, std::uint32_t key, std::size_t* size,
                                std::uint32_t* type, std::uint32_t* flags);
};

}  // namespace lv2test
