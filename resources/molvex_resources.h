// Values shared by the resource script and, later, the code that loads the
// panel's bitmaps by id.
#pragma once

// The version block's numbers come from the build's one version.
#include "molvex_version.h"
