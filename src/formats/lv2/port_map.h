// The LV2 ports. A control port's value is the parameter's plain value
// (parameter_table.h): the units a musician reads.
//
// Port layout (index: symbol):
// | index | ports                                                        |
// |-------|--------------------------------------------------------------|
// | 0, 1  | in_l, in_r: audio in                                         |
// | 2, 3  | out_l, out_r: audio out                                      |
// | 4     | midi_in: atom sequence of midi:MidiEvent (controllers 0-8)   |
// | 5-13  | the nine parameters as control inputs, ParameterIndex order, |
// |       | named by the table's symbols                                 |
// | 14-22 | the same nine as control outputs (`<symbol>_out`): the value |
// |       | the effect holds after each run, so a panel sees automation  |
// |       | and MIDI control changes                                     |
#pragma once

#include <cstdint>

#include "effect/parameter_index.h"

namespace molvex::lv2 {

inline constexpr std::uint32_t kPortInputLeft = 0;
inline constexpr std::uint32_t kPortInputRight = 1;
inline constexpr std::uint32_t kPortOutputLeft = 2;
inline constexpr std::uint32_t kPortOutputRight = 3;
inline constexpr std::uint32_t kPortMidi = 4;
inline constexpr std::uint32_t kPortFirstControl = 5;
inline constexpr std::uint32_t kPortFirstReport = kPortFirstControl + kParameterCount;
inline constexpr std::uint32_t kPortCount = kPortFirstReport + kParameterCount;

// Which parameter a control input or output port drives; false for others.
bool controlInputParameter(std::uint32_t port, ParameterIndex& parameter);
bool controlOutputParameter(std::uint32_t port, ParameterIndex& parameter);

}  // namespace molvex::lv2
