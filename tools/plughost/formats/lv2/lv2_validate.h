// plughost validate for an LV2 plug-in: the shared checks and LV2's own.
// Without lilv (liblilv-dev) at build time it is lv2_unavailable.cpp's,
// which throws HostError saying so.
#pragma once

#include "cli.h"

int runLv2Validate(const ValidateOptions& options);
