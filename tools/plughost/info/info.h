// plughost info: everything a host can ask a plug-in without playing it,
// as the plug-in's format lets it ask.
#pragma once

#include "cli.h"

int runInfo(const InfoOptions& options);
