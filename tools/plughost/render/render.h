// plughost render: an audio file through a plug-in into another file, with
// program, parameters, automation and an optional plot.
#pragma once

#include "cli.h"

int runRender(const RenderOptions& options);
