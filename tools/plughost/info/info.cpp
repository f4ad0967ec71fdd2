#include "info/info.h"

#include "formats/registry.h"

int runInfo(const InfoOptions& o) { return formatOf(o.library).info(o); }
