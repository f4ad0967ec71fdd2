#include "platform/resources/embedded_bitmaps.h"

namespace platform::resources {

const EmbeddedBitmap* findEmbeddedBitmap(int id) {
    int count = 0;
    const EmbeddedBitmap* table = embeddedBitmaps(&count);
    for (int i = 0; i < count; ++i) {
        if (table[i].id == id) return &table[i];
    }
    return nullptr;
}

}  // namespace platform::resources
