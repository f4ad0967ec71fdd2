// Values shared by the resource script and, later, the code that loads the
// panel's bitmaps by id.
#pragma once

#define MOLVEX_VERSION_BINARY 1,0,2,0
#define MOLVEX_VERSION_TEXT "1.0.2.0"
