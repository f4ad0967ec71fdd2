// The capability words of the interface, in their published order: those a
// plug-in may ask its host about (askHostCapability) and those a host may ask
// a plug-in about (canDo). The one list for the product and its tools.
#pragma once

#include <array>

inline constexpr std::array<const char*, 13> kHostCapabilityWords = {
    "sendVstEvents",
    "sendVstMidiEvent",
    "sendVstTimeInfo",
    "receiveVstEvents",
    "receiveVstMidiEvent",
    "receiveVstTimeInfo",
    "reportConnectionChanges",
    "acceptIOChanges",
    "sizeWindow",
    "asyncProcessing",
    "offline",
    "supplyIdle",
    "supportShell",
};

inline constexpr std::array<const char*, 23> kPluginCapabilityWords = {
    "sendVstEvents",
    "sendVstMidiEvent",
    "sendVstTimeInfo",
    "receiveVstEvents",
    "receiveVstMidiEvent",
    "receiveVstTimeInfo",
    "offline",
    "plugAsChannelInsert",
    "plugAsSend",
    "mixDryWet",
    "noRealTime",
    "multipass",
    "metapass",
    "1in1out",
    "1in2out",
    "2in1out",
    "2in2out",
    "2in4out",
    "4in2out",
    "4in4out",
    "4in8out",
    "8in4out",
    "8in8out",
};
