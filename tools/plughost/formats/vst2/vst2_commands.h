// The commands whose VST 2 side is the format's own.
#pragma once

#include "cli.h"

// Everything the record and the dispatcher tell a host.
int runVst2Info(const InfoOptions& options);
// The shared checks and VST 2's own: opcodes, programs, both audio calls,
// threads, the editor.
int runVst2Validate(const ValidateOptions& options);
