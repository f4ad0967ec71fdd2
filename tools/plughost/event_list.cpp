#include "event_list.h"

#include <cstddef>

void EventList::clear() { events_.clear(); }

void EventList::addControlChange(int deltaFrames, int channel, int controller, int value) {
    VstMidiEvent e{};
    e.type = kVstMidiType;
    e.byteSize = sizeof(VstMidiEvent);
    e.deltaFrames = deltaFrames;
    e.midiData[0] = static_cast<char>(0xB0 | (channel & 0x0F));
    e.midiData[1] = static_cast<char>(controller & 0x7F);
    e.midiData[2] = static_cast<char>(value & 0x7F);
    events_.push_back(e);
}

VstEvents* EventList::get() {
    // The record declares two pointers; hosts allocate as many as they send.
    const size_t pointers = events_.size() > 2 ? events_.size() : 2;
    storage_.assign(offsetof(VstEvents, events) + pointers * sizeof(VstEvent*), 0);
    auto* list = reinterpret_cast<VstEvents*>(storage_.data());
    list->numEvents = static_cast<VstInt32>(events_.size());
    auto** slots = reinterpret_cast<VstEvent**>(storage_.data() + offsetof(VstEvents, events));
    for (size_t i = 0; i < events_.size(); ++i) slots[i] = reinterpret_cast<VstEvent*>(&events_[i]);
    return list;
}
