// The nine parameters. The same index is the host's parameter index, the
// editor's control tag and the MIDI controller number.
#pragma once

#include "host/vst2_interface.h"

namespace molvex {

enum class ParameterIndex : VstInt32 {
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

// The host's number for a parameter.
constexpr VstInt32 toIndex(ParameterIndex parameter) { return static_cast<VstInt32>(parameter); }

inline constexpr VstInt32 kParameterCount = 9;
inline constexpr VstInt32 kProgramCount = 16;

enum class FilterType : VstInt32 {
    LowPass = 0,
    HighPass = 1,
    BandPass = 2,
};

// Type values below the first threshold are low-pass, below the second
// high-pass, the rest band-pass; a value on a threshold counts upward.
inline constexpr float kHighPassThreshold = 0.33f;
inline constexpr float kBandPassThreshold = 0.66f;

inline FilterType filterTypeFor(float value) {
    if (value < kHighPassThreshold) return FilterType::LowPass;
    if (value < kBandPassThreshold) return FilterType::HighPass;
    return FilterType::BandPass;
}

}  // namespace molvex
