// The factory presets, in plain units (parameter_table.h), so that they read
// as a musician would set them. The LV2 bundle's preset files are written
// from this table at build time.
#pragma once

#include "effect/parameter_index.h"

namespace molvex {

struct FactoryPreset {
    const char* symbol;  // file name and URI suffix
    const char* label;
    float plainValues[kParameterCount];  // ParameterIndex order
};

inline constexpr int kFactoryPresetCount = 6;
extern const FactoryPreset kFactoryPresets[kFactoryPresetCount];

}  // namespace molvex
