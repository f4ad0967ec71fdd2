// One stored program: a value for every parameter and a name.
//
// Values are atomic because the host may change parameters (which edit the
// current program in place) from several threads at once; names are touched
// only by the program-name opcodes, which hosts send from one thread.
#pragma once

#include <atomic>

#include "effect/parameter_index.h"

namespace molvex {

struct EffectProgram {
    std::atomic<float> values[kParameterCount];
    // At most 23 characters and the terminator.
    char name[24];
};

inline constexpr int kProgramNameLength = 23;

}  // namespace molvex
