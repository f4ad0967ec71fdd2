#include "lv2_test_host.h"

#include <lv2/atom/util.h>
#include <lv2/midi/midi.h>

#include <cstring>

namespace lv2test {

UridMap::UridMap()
    : mapEntry{LV2_URID__map, mapFeature()},
      unmapEntry{LV2_URID__unmap, unmapFeature()},
      featureList{&mapEntry, &unmapEntry, nullptr} {}

AtomSequence::AtomSequence(UridMap& urids, std::size_t capacityBytes)
    : words((capacityBytes + 7) / 8),
      sequence(urids.map(LV2_ATOM__Sequence)),
      midiEvent(urids.map(LV2_MIDI__MidiEvent)) {
    clear();
}

void AtomSequence::clear() {
    LV2_Atom_Sequence* s = get();
    s->atom.type = sequence;
    s->atom.size = sizeof(LV2_Atom_Sequence_Body);
    s->body.unit = 0;
    s->body.pad = 0;
}

bool AtomSequence::append(std::int64_t frame, LV2_URID type, const void* body, std::uint32_t size,
                          std::uint32_t claimedSize) {
    LV2_Atom_Sequence* s = get();
    const std::size_t at = sizeof(LV2_Atom) + lv2_atom_pad_size(s->atom.size);
    if (at + sizeof(LV2_Atom_Event) + size > capacity()) return false;
    LV2_Atom_Event event{};
    event.time.frames = frame;
    event.body.type = type;
    event.body.size = claimedSize;
    char* bytes = reinterpret_cast<char*>(words.data()) + at;
    std::memcpy(bytes, &event, sizeof event);
    std::memcpy(bytes + sizeof event, body, size);
    s->atom.size = lv2_atom_pad_size(s->atom.size) + sizeof(LV2_Atom_Event) + size;
    return true;
}

bool AtomSequence::appendMidi(std::int64_t frame, std::uint8_t status, std::uint8_t data1,
                              std::uint8_t data2) {
    const std::uint8_t message[3] = {status, data1, data2};
    return append(frame, midiEvent, message, sizeof message, sizeof message);
}

LV2_State_Status StateStore::store(LV2_State_Handle handle, std::uint32_t key, const void* value,
                                   std::size_t size, std::uint32_t type, std::uint32_t) {
    static_cast<StateStore*>(handle)->set(key, value, size, type);
    return LV2_STATE_SUCCESS;
}

const void* StateStore::retrieve(LV2_State_Handle handle, std::uint32_t key, std::size_t* size,
                                 std::uint32_t* type, std::uint32_t* flags) {
    const auto& values = static_cast<StateStore*>(handle)->values;
    const auto it = values.find(key);
    if (it == values.end()) return nullptr;
    *size = it->second.bytes.size();
    *type = it->second.type;
    *flags = LV2_STATE_IS_POD;
    return it->second.bytes.data();
}

}  // namespace lv2test
