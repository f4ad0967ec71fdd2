// MIDI events as a host hands them to a VST 2 plug-in (effProcessEvents):
// short messages at the block's start, in one list the caller owns. Fixed
// storage, so an audio thread may fill and send it without allocating.
//
//   testsupport::MidiEvents midi;
//   midi.add(0xB0, 7, 127);        // CC 7 on channel 1
//   effect->dispatcher(effect, effProcessEvents, 0, 0, midi.list(), 0.0f);
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "host/vst2_interface.h"

namespace testsupport {

class MidiEvents {
public:
    static constexpr int kCapacity = 8;

    MidiEvents() = default;
    // One control change on channel 0..15, at frame 0.
    static MidiEvents controlChange(int controller, int value, int channel = 0) {
        MidiEvents one;
        one.add(static_cast<std::uint8_t>(0xB0 | (channel & 0x0F)),
                static_cast<std::uint8_t>(controller), static_cast<std::uint8_t>(value));
        return one;
    }

    // Appends a message at frame 0; past kCapacity the last one is
    // overwritten.
    MidiEvents& add(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
        if (count == kCapacity) --count;
        missing[static_cast<std::size_t>(count)] = false;
        VstMidiEvent& e = events[static_cast<std::size_t>(count++)];
        e = VstMidiEvent{};
        e.type = kVstMidiType;
        e.byteSize = sizeof(VstMidiEvent);
        e.midiData[0] = static_cast<char>(status);
        e.midiData[1] = static_cast<char>(data1);
        e.midiData[2] = static_cast<char>(data2);
        return *this;
    }
    // A slot with no event behind it (a null pointer), as careless hosts
    // send; were it read, it would set controller 2 to 127.
    MidiEvents& addMissing() {
        add(0xB0, 2, 127);
        missing[static_cast<std::size_t>(count - 1)] = true;
        return *this;
    }
    void clear() { count = 0; }
    int size() const { return count; }
    // The message at i, to change in place before the list is sent again.
    VstMidiEvent& operator[](int i) { return events[static_cast<std::size_t>(i)]; }

    // The list for effProcessEvents; valid while this object lives unmoved.
    VstEvents* list() {
        header.numEvents = count;
        for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i)
            header.events[i] = missing[i] ? nullptr : reinterpret_cast<VstEvent*>(&events[i]);
        return reinterpret_cast<VstEvents*>(&header);
    }

private:
    // VstEvents declares room for two pointers; hosts allocate as many as
    // they send, as this record does.
    struct Header {
        VstInt32 numEvents = 0;
        VstIntPtr reserved = 0;
        VstEvent* events[kCapacity] = {};
    };
    static_assert(offsetof(Header, events) == offsetof(VstEvents, events),
                  "the list must read as a VstEvents record");
    std::array<VstMidiEvent, kCapacity> events{};
    std::array<bool, kCapacity> missing{};
    Header header;
    int count = 0;
};

}  // namespace testsupport
