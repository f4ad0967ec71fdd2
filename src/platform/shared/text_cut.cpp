#include <cstring>

#include "platform/platform.h"

namespace platform {

int copyTextCut(const char* text, char* out, int capacity) {
    if (!out || capacity < 1) return 0;
    if (!text) text = "";
    std::size_t length = std::strlen(text);
    const auto room = static_cast<std::size_t>(capacity - 1);
    if (length > room) {
        length = room;
        // Back up over continuation bytes so no character is split.
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
    }
    std::memcpy(out, text, length);
    out[length] = '\0';
    return static_cast<int>(length);
}

}  // namespace platform
