// plughost info: everything a host can ask a plug-in without playing it.
#pragma once

#include <string>

#include "cli.h"
#include "vst2_interface.h"

int runInfo(const InfoOptions& options);

// "mx67" for a four-character code; unprintable bytes become '.'.
std::string fourCharText(VstInt32 code);
// The names of the set bits of AEffect::flags, space separated.
std::string flagNames(VstInt32 flags);
