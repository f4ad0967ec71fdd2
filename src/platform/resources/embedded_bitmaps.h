// The module's bitmap resources on systems without resource sections: the
// .bmp files of a folder, turned into byte arrays at build time by
// embed_bitmaps.cmake and linked into the library. Numbered by file name
// (120.bmp is resource 120).
//
// The table is constant data; lookups need no locks.
#pragma once

#include <cstddef>

namespace platform::resources {

struct EmbeddedBitmap {
    int id;
    const unsigned char* data;
    std::size_t size;
};

// Defined by the generated source of the table that the target links.
const EmbeddedBitmap* embeddedBitmaps(int* count);

// Null when no bitmap has this id.
const EmbeddedBitmap* findEmbeddedBitmap(int id);

}  // namespace platform::resources
