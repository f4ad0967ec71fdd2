// Readable forms of the record's codes, for plughost info.
#pragma once

#include <string>

#include "vst2_interface.h"

// "mx67" for a four-character code; unprintable bytes become '.'.
std::string fourCharText(VstInt32 code);
// The names of the set bits of AEffect::flags, space separated.
std::string flagNames(VstInt32 flags);
