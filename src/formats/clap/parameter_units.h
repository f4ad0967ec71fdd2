// The nine parameters as CLAP shows them: plain values in the units a
// musician reads (decibels, milliseconds, per cent, hertz at 48 kHz, the
// filter type's index, pan -50 to 50), their texts, and the effect's 0..1
// value of each.
//
// Texts: a number with one decimal and its unit ("-6.0 dB", "250.0 ms",
// "60.0 %", "2000 Hz"), the filter type's name, the pan as "L25", "<C>",
// "R25". Reading accepts what writing gives, a bare number, and a filter
// type's name; text that starts with no number is refused. Writing the
// value read back gives the same text.
#pragma once

#include <cstdint>

#include "effect/parameter_index.h"

namespace molvex::clap {

struct ParameterInfo {
    const char* name;
    double minimum;
    double maximum;
    bool stepped;
};

inline constexpr std::uint32_t kParameterIdCount = kParameterCount;

// False for an id that names no parameter.
bool parameterOfId(std::uint32_t id, ParameterIndex& parameter);
ParameterInfo parameterInfo(ParameterIndex parameter);

// Clamped to the range; NaN gives NaN, which callers ignore.
float toEffectValue(ParameterIndex parameter, double plain);
double toPlain(ParameterIndex parameter, float effectValue);

// False when `size` cannot hold the text.
bool formatPlain(ParameterIndex parameter, double plain, char* text, std::uint32_t size);
bool parsePlain(ParameterIndex parameter, const char* text, double& plain);

}  // namespace molvex::clap
