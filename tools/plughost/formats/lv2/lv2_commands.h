// The commands whose LV2 side is the format's own. Without lilv
// (liblilv-dev) at build time they are lv2_unavailable.cpp's, which throw
// HostError saying so: the rest of plughost builds and works as before.
#pragma once

#include "cli.h"

int runLv2Info(const InfoOptions& options);
int runLv2Validate(const ValidateOptions& options);
