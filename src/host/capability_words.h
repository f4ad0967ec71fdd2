// The capability words of the interface, in their published order: those a
// plug-in may ask its host about (askHostCapability) and those a host may ask
// a plug-in about (canDo). The one list for the product and its tools.
#pragma once

#include <array>
#include <cstddef>

// The six event words both lists begin with.
inline constexpr std::array<const char*, 6> kEventCapabilityWords = {
    "sendVstEvents",    "sendVstMidiEvent",    "sendVstTimeInfo",
    "receiveVstEvents", "receiveVstMidiEvent", "receiveVstTimeInfo",
};

template <std::size_t N>
constexpr std::array<const char*, kEventCapabilityWords.size() + N> withEventWords(
    const std::array<const char*, N>& rest) {
    std::array<const char*, kEventCapabilityWords.size() + N> words{};
    for (std::size_t i = 0; i < kEventCapabilityWords.size(); ++i)
        words[i] = kEventCapabilityWords[i];
    for (std::size_t i = 0; i < N; ++i) words[kEventCapabilityWords.size() + i] = rest[i];
    return words;
}

inline constexpr std::array<const char*, 13> kHostCapabilityWords = withEventWords<7>({
    "reportConnectionChanges",
    "acceptIOChanges",
    "sizeWindow",
    "asyncProcessing",
    "offline",
    "supplyIdle",
    "supportShell",
});

inline constexpr std::array<const char*, 23> kPluginCapabilityWords = withEventWords<17>({
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
});
