// Decodes Windows bitmap files (.bmp): uncompressed 1-, 4-, 8-bit paletted,
// 24-bit and 32-bit images, bottom-up or top-down. Compressed files and
// anything malformed are refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform::resources {

struct DecodedBitmap {
    int width = 0;
    int height = 0;
    // Top row first, 0x00RRGGBB.
    std::vector<std::uint32_t> pixels;
};

// False, with `out` untouched, when the bytes are not a bitmap it can read.
[[nodiscard]] bool decodeBmp(const unsigned char* data, std::size_t size, DecodedBitmap& out);

}  // namespace platform::resources
