// The plug-in's CLAP state: a versioned byte stream, the same bytes for the
// same state on every machine (little-endian, no padding, names zero-filled).
//
// | bytes | what                                                         |
// |-------|--------------------------------------------------------------|
// | 4     | "MVXC"                                                       |
// | 4     | version, 1                                                   |
// | 4     | current program, 0 to 15                                     |
// | 36    | the nine current values, 32-bit floats 0..1                  |
// | 16x60 | per program: nine values, then its name in 24 bytes (at most |
// |       | 23 characters, the rest zeros)                               |
//
// Streams may move any number of bytes per call; reads end at the stream's
// end. A stream of another length, magic or version, a value outside 0..1
// (NaN included) or a name without its terminator is refused and changes
// nothing.
#pragma once

#include <clap/stream.h>

#include <array>
#include <cstddef>
#include <cstdint>

#include "effect/effect_program.h"

namespace molvex {
class FilterDelayEffect;
}

namespace molvex::clap {

inline constexpr std::uint32_t kStateVersion = 1;
inline constexpr std::size_t kProgramBytes = kParameterCount * 4 + kProgramNameLength + 1;
inline constexpr std::size_t kStateBytes = 12 + kParameterCount * 4 + kProgramCount * kProgramBytes;

using StateBytes = std::array<std::uint8_t, kStateBytes>;

// Reading and writing the effect's state; the effect's own calls are made
// on the caller's thread (the host's main thread).
StateBytes encodeState(FilterDelayEffect& effect);
bool decodeState(const StateBytes& bytes, FilterDelayEffect& effect);

// The stream loops: false when the stream fails, ends early (read) or
// refuses bytes (write).
bool writeAll(const clap_ostream_t* stream, const std::uint8_t* bytes, std::size_t size);
// Reads everything up to the stream's end into `bytes`; false when the
// stream fails or holds any other number of bytes than `bytes` has.
bool readExactly(const clap_istream_t* stream, StateBytes& bytes);

}  // namespace molvex::clap
