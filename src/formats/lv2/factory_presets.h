// The factory presets the bundle ships, in port units (see port_map.h), so
// that they read as a musician would set them. The bundle's preset files are
// written from this table at build time.
#pragma once

#include "effect/parameter_index.h"

namespace molvex::lv2 {

struct FactoryPreset {
    const char* symbol;  // file name and URI suffix
    const char* label;
    float portValues[kParameterCount];  // ParameterIndex order
};

inline constexpr int kFactoryPresetCount = 6;
extern const FactoryPreset kFactoryPresets[kFactoryPresetCount];

}  // namespace molvex::lv2
