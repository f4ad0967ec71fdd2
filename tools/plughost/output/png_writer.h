// Pictures of editor windows and the PNG files they are saved as. The writer
// needs no library (stored deflate blocks: larger files, same pixels), so
// the Windows build writes the same files as the Linux one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0xRRGGBB, rows top to bottom

    RgbImage() = default;
    RgbImage(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, 0) {}
    std::uint32_t& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The complete file contents: 8-bit RGB, no interlace.
std::vector<std::uint8_t> encodePng(const RgbImage& image);

// Writes through a temporary name and renames, so a reader never sees half
// a file; throws HostError naming the path when it cannot.
void writePng(const std::string& path, const RgbImage& image);
