// The texts the panel's display shows for a parameter's normalized value
// (0..1), written into a 256-byte buffer. They round half up, where the
// host's parameter texts truncate.
//
// | callback        | 0.25 | 0.5 | 1.0  | used for                       |
// |-----------------|------|-----|------|--------------------------------|
// | percentText     | 25   | 50  | 100  | every parameter but these:     |
// | millisecondText | 250  | 500 | 1000 | ParameterIndex::Delay          |
// | panText         | L25  | <C> | R50  | ParameterIndex::Pan            |
//
// The product and the half are formed at extended precision and cut toward
// zero. Values far outside 0..1 are held to +-1e6 first and NaN reads as 0,
// so no value from a careless host overflows the integer conversion.
#pragma once

#include "effect/parameter_index.h"
#include "gui/controls/value_display.h"

namespace molvex {

void percentText(float value, char* text);
void millisecondText(float value, char* text);
void panText(float value, char* text);

// The callback of the table above that writes `parameter`'s text.
GuiValueToText valueTextFor(ParameterIndex parameter);

}  // namespace molvex
