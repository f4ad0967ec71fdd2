// Which command-line arguments name an LV2 plug-in. Needs no lilv, so a
// plughost built without it still recognises them and says it cannot host
// them.
#pragma once

#include <string>

// True for a folder ending in .lv2 or holding manifest.ttl, or a text with
// ':' that is no file (a URI).
bool isLv2Argument(const std::string& argument);
