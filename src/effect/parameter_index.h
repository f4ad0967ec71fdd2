// The nine parameters. The same index is the host's parameter index, the
// editor's control tag and the MIDI controller number.
#pragma once

#include "host/vst2_interface.h"

enum ParameterIndex : VstInt32 {
    InputLevel = 0,
    Delay,
    Feedback,
    Type,
    Cutoff,
    Resonance,
    Pan,
    DryLevel,
    WetLevel,
};

inline constexpr VstInt32 kParameterCount = 9;
inline constexpr VstInt32 kProgramCount = 16;

enum FilterType : VstInt32 {
    LowPass = 0,
    HighPass = 1,
    BandPass = 2,
};

// Type values below the first threshold are low-pass, below the second
// high-pass, the rest band-pass; a value on a threshold counts upward.
inline constexpr float kHighPassThreshold = 0.33f;
inline constexpr float kBandPassThreshold = 0.66f;

inline FilterType filterTypeFor(float value) {
    if (value < kHighPassThreshold) return LowPass;
    if (value < kBandPassThreshold) return HighPass;
    return BandPass;
}
