// The LV2 ports and how a port's value, in the units a musician reads,
// becomes the effect's 0..1 parameter value and back.
//
// Port layout (index: symbol):
// | index | ports                                                        |
// |-------|--------------------------------------------------------------|
// | 0, 1  | in_l, in_r: audio in                                         |
// | 2, 3  | out_l, out_r: audio out                                      |
// | 4     | midi_in: atom sequence of midi:MidiEvent (controllers 0-8)   |
// | 5-13  | the nine parameters as control inputs, ParameterIndex order  |
// | 14-22 | the same nine as control outputs (`<symbol>_out`): the value |
// |       | the effect holds after each run, so a panel sees automation  |
// |       | and MIDI control changes                                     |
//
// Units: the effect's own value texts say what each value means (level in
// decibels of a linear gain, delay as value x 1000 ms, percent as value x
// 100, the filter type by its thresholds, pan as L50..R50). The cutoff is
// the filter's real frequency, 20 Hz + value^2 x rate / 4, read at the
// reference rate of 48 kHz so that a stored port value means the same
// setting at every rate.
#pragma once

#include <cstdint>

#include "effect/parameter_index.h"

namespace molvex::lv2 {

enum class PortUnit { decibels, milliseconds, percent, hertz, filterType, pan };

struct ParameterPort {
    const char* symbol;
    PortUnit unit;
    float minimum;
    float maximum;
};

// One row per ParameterIndex, in its order.
extern const ParameterPort kParameterPorts[kParameterCount];

inline constexpr std::uint32_t kPortInputLeft = 0;
inline constexpr std::uint32_t kPortInputRight = 1;
inline constexpr std::uint32_t kPortOutputLeft = 2;
inline constexpr std::uint32_t kPortOutputRight = 3;
inline constexpr std::uint32_t kPortMidi = 4;
inline constexpr std::uint32_t kPortFirstControl = 5;
inline constexpr std::uint32_t kPortFirstReport = kPortFirstControl + kParameterCount;
inline constexpr std::uint32_t kPortCount = kPortFirstReport + kParameterCount;

// Levels at or below this many decibels are silence (a gain of 0).
inline constexpr float kSilenceDecibels = -70.0f;
// The rate the cutoff's hertz are read at.
inline constexpr double kCutoffReferenceRate = 48000.0;
// The filter type's port values and the parameter values they stand for:
// the panel's three-position switch writes 0, 0.5 and 1.
inline constexpr int kFilterTypeCount = 3;
extern const char* const kFilterTypeNames[kFilterTypeCount];

// The parameter value of a port value: clamped to the port's range first,
// so a host's out-of-range value stays a value the effect was made for.
// NaN gives NaN, which callers ignore.
float toParameter(ParameterIndex parameter, float portValue);
// The port value of a parameter value.
float toPort(ParameterIndex parameter, float parameterValue);

// Which parameter a control input or output port drives; false for others.
bool controlInputParameter(std::uint32_t port, ParameterIndex& parameter);
bool controlOutputParameter(std::uint32_t port, ParameterIndex& parameter);

}  // namespace molvex::lv2
