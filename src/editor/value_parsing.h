// The inverse of value_texts.h: what the user types into the display, in
// the display's units, back to a normalized value (0..1).
//
// | parameter | typed           | value | also accepted                    |
// |-----------|-----------------|-------|----------------------------------|
// | Delay     | 250             | 0.25  | "250 ms", "250.5"                |
// | Pan       | L25 / <C> / R25 | 0.25 / 0.5 / 0.75 | "C", "l25", "L 25"   |
// | the rest  | 25              | 0.25  | "25 %", "25.5"                   |
//
// Spaces around the number are ignored; a value beyond the range is held
// to it (1500 ms is 1.0). Anything else (empty text, letters, a second
// number, NaN or infinity) is not a value: false, and `value` is untouched.
#pragma once

#include "effect/parameter_index.h"

namespace molvex {

[[nodiscard]] bool valueFromText(ParameterIndex parameter, const char* text, float& value);

}  // namespace molvex
