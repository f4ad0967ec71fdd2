#include "platform/resources/bmp_decoder.h"

#include <limits>
#include <utility>

namespace platform::resources {

namespace {

std::uint32_t read32(const unsigned char* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}
std::uint16_t read16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

constexpr std::size_t kFileHeader = 14;
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kBitFields = 3;

}  // namespace

bool decodeBmp(const unsigned char* data, std::size_t size, DecodedBitmap& out) {
    if (!data || size < kFileHeader + 40 || data[0] != 'B' || data[1] != 'M') return false;
    const std::uint32_t pixelOffset = read32(data + 10);
    const unsigned char* info = data + kFileHeader;
    const std::uint32_t infoSize = read32(info);
    if (infoSize < 40 || infoSize > size - kFileHeader) return false;
    const auto width = static_cast<std::int32_t>(read32(info + 4));
    const auto rawHeight = static_cast<std::int32_t>(read32(info + 8));
    const int bits = read16(info + 14);
    const std::uint32_t compression = read32(info + 16);
    std::uint32_t paletteCount = read32(info + 32);
    if (width <= 0 || rawHeight == 0 || rawHeight == std::numeric_limits<std::int32_t>::min())
        return false;
    if (width > 16384 || rawHeight > 16384 || rawHeight < -16384) return false;
    const bool topDown = rawHeight < 0;
    const int height = topDown ? -rawHeight : rawHeight;
    if (compression != kRgb && !(compression == kBitFields && bits == 32)) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;

    const unsigned char* palette = info + infoSize;
    if (bits <= 8) {
        if (paletteCount == 0 || paletteCount > (1u << bits)) paletteCount = 1u << bits;
        const std::size_t paletteOffset = kFileHeader + infoSize;
        if (static_cast<std::size_t>(paletteCount) * 4 > size - paletteOffset) return false;
    }
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    if (pixelOffset > size || stride * height > size - pixelOffset) return false;

    DecodedBitmap result;
    result.width = width;
    result.height = height;
    result.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const int fileRow = topDown ? y : height - 1 - y;
        const unsigned char* row = data + pixelOffset + stride * fileRow;
        std::uint32_t* dest = result.pixels.data() + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            std::uint32_t pixel = 0;
            if (bits <= 8) {
                const int perByte = 8 / bits;
                const int shift = 8 - bits * (x % perByte + 1);
                std::uint32_t index = (row[x / perByte] >> shift) & ((1u << bits) - 1);
                if (index >= paletteCount) index = 0;
                const unsigned char* entry = palette + index * 4;  // blue, green, red, 0
                pixel = (std::uint32_t{entry[2]} << 16) | (std::uint32_t{entry[1]} << 8) | entry[0];
            } else {
                const unsigned char* p = row + static_cast<std::size_t>(x) * (bits / 8);
                pixel = (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
            }
            dest[x] = pixel;
        }
    }
    out = std::move(result);
    return true;
}

}  // namespace platform::resources
