#include "formats/vst2/event_list.h"

#include <cstddef>

void EventList::clear() { midiEvents.clear(); }

void EventList::addControlChange(int deltaFrames, int channel, int controller, int value) {
    VstMidiEvent e{};
    e.type = kVstMidiType;
    e.byteSize = sizeof(VstMidiEvent);
    e.deltaFrames = deltaFrames;
    e.midiData[0] = static_cast<char>(0xB0 | (channel & 0x0F));
    e.midiData[1] = static_cast<char>(controller & 0x7F);
    e.midiData[2] = static_cast<char>(value & 0x7F);
    midiEvents.push_back(e);
}

VstEvents* EventList::get() {
    // The record declares two pointers; hosts allocate as many as they send.
    const size_t pointers = midiEvents.size() > 2 ? midiEvents.size() : 2;
    storage.assign(offsetof(VstEvents, events) + pointers * sizeof(VstEvent*), 0);
    auto* list = reinterpret_cast<VstEvents*>(storage.data());
    list->numEvents = static_cast<VstInt32>(midiEvents.size());
    auto** slots = reinterpret_cast<VstEvent**>(storage.data() + offsetof(VstEvents, events));
    for (size_t i = 0; i < midiEvents.size(); ++i)
        slots[i] = reinterpret_cast<VstEvent*>(&midiEvents[i]);
    return list;
}
