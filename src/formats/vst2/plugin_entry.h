// The library's entry: `main` as the host calls it. The exported name is
// given by the build (an assembler label on ELF, the module definition file
// on Windows), so this code stays the same everywhere.
#pragma once

#include "host/vst2_interface.h"

class EffectBase;

extern "C" AEffect* pluginMain(HostCallback callback);

// The product supplies its effect; none when it could not be made.
EffectBase* createEffectInstance(HostCallback callback);
