// Bitmap files of any shape through the decoder: it must refuse what it
// cannot read and, when it accepts, deliver exactly width x height pixels.
#include <cstdint>
#include <cstdlib>

#include "platform/resources/bmp_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::resources::DecodedBitmap bitmap;
    if (!platform::resources::decodeBmp(data, size, bitmap)) return 0;
    const auto expected =
        static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height);
    if (bitmap.width <= 0 || bitmap.height <= 0 || bitmap.pixels.size() != expected) std::abort();
    for (std::uint32_t pixel : bitmap.pixels)
        if (pixel > 0xFFFFFFu) std::abort();
    return 0;
}
