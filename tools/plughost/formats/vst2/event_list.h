// A VstEvents list the host owns: storage for MIDI events and the pointer
// array, reused from block to block.
#pragma once

#include <vector>

#include "vst2_interface.h"

class EventList {
public:
    void clear();
    void addControlChange(int deltaFrames, int channel, int controller, int value);
    int size() const { return static_cast<int>(midiEvents.size()); }
    // The list for effProcessEvents; valid until the next add or clear.
    VstEvents* get();

private:
    std::vector<VstMidiEvent> midiEvents;
    std::vector<unsigned char> storage;
};
