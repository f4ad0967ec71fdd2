#include "bmp_file.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

void put16(std::vector<unsigned char>& out, std::uint32_t v) {
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void put32(std::vector<unsigned char>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

bool writeBmp24(cairo_surface_t* surface, const std::string& path) {
    if (cairo_image_surface_get_format(surface) != CAIRO_FORMAT_RGB24) return false;
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const auto rowBytes = static_cast<std::uint32_t>((width * 3 + 3) & ~3);
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height);

    std::vector<unsigned char> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 14 + 40 + imageBytes);
    put32(out, 0);
    put32(out, 14 + 40);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, imageBytes);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        std::uint32_t written = 0;
        for (int x = 0; x < width; ++x, written += 3) {
            out.push_back(static_cast<unsigned char>(row[x] & 0xFF));
            out.push_back(static_cast<unsigned char>((row[x] >> 8) & 0xFF));
            out.push_back(static_cast<unsigned char>((row[x] >> 16) & 0xFF));
        }
        for (; written < rowBytes; ++written) out.push_back(0);
    }

    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && ok;
}
