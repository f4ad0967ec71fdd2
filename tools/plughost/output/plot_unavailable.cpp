#include "error.h"
#include "output/plot.h"

bool plotAvailable() { return false; }

void writePlot(const std::string&, const AudioBuffer&, const AudioBuffer*, const std::string&) {
    throw HostError("plot is not available in this build (it has no cairo)");
}
