// plughost bench: CPU cost of plug-ins on a fixed signal, side by side.
#pragma once

#include "cli.h"

int runBench(const BenchOptions& options);
