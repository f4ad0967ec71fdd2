// plughost validate for a VST 2 plug-in.
#pragma once

#include "cli.h"

// The shared checks and VST 2's own: opcodes, programs, both audio calls,
// threads, the editor.
int runVst2Validate(const ValidateOptions& options);
