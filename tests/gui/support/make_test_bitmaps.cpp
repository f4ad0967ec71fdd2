// Writes the small bitmaps the GUI tests embed as resources, into the folder
// given as the first argument. Each picture is chosen so that a test can name
// the exact colour of a pixel.
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "coordinate_picture.h"

namespace {

struct Pixel {
    std::uint8_t r, g, b;
};

void put16(std::vector<unsigned char>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void put32(std::vector<unsigned char>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// bits 24 or 32 (bottom-up unless topDown), or 8 with the palette.
bool writeBmp(const std::string& path, int w, int h, int bits, bool topDown,
              const std::vector<Pixel>& pixels, const std::vector<Pixel>& palette = {},
              const std::vector<unsigned char>& indices = {}) {
    const int stride = ((w * bits + 31) / 32) * 4;
    const int paletteBytes = bits == 8 ? static_cast<int>(palette.size()) * 4 : 0;
    const std::uint32_t offset = 14 + 40 + paletteBytes;
    std::vector<unsigned char> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + stride * h);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(w));
    put32(out, static_cast<std::uint32_t>(topDown ? -h : h));
    put16(out, 1);
    put16(out, static_cast<unsigned>(bits));
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>(stride * h));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, bits == 8 ? static_cast<std::uint32_t>(palette.size()) : 0);
    put32(out, 0);
    for (const Pixel& p : palette) {
        out.push_back(p.b);
        out.push_back(p.g);
        out.push_back(p.r);
        out.push_back(0);
    }
    for (int row = 0; row < h; ++row) {
        const int y = topDown ? row : h - 1 - row;
        std::vector<unsigned char> line(stride, 0);
        for (int x = 0; x < w; ++x) {
            if (bits == 8) {
                line[x] = indices[y * w + x];
                continue;
            }
            const Pixel& p = pixels[y * w + x];
            unsigned char* d = line.data() + x * (bits / 8);
            d[0] = p.b;
            d[1] = p.g;
            d[2] = p.r;
        }
        out.insert(out.end(), line.begin(), line.end());
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string dir = argv[1];
    bool ok = true;

    // 900: 4 x 3, 24-bit. Row 0: key white, (254,255,255), red, green.
    // Row 1: blue, key white, black, (10,20,30). Row 2: four key whites.
    const Pixel W{255, 255, 255};
    std::vector<Pixel> p900 = {
        W,         {254, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, W,
        {0, 0, 0}, {10, 20, 30},    W,           W,           W,           W};
    ok &= writeBmp(dir + "/900.bmp", 4, 3, 24, false, p900);

    // 901: 5 x 2, 8-bit paletted.
    std::vector<Pixel> palette = {{0, 0, 0}, {200, 100, 50}, {1, 2, 3}};
    std::vector<unsigned char> idx = {0, 1, 2, 1, 0, 2, 2, 1, 0, 1};
    ok &= writeBmp(dir + "/901.bmp", 5, 2, 8, false, {}, palette, idx);

    // 902: 3 x 2, 32-bit, stored top-down.
    std::vector<Pixel> p902 = {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}, {5, 5, 5}, {6, 6, 6}};
    ok &= writeBmp(dir + "/902.bmp", 3, 2, 32, true, p902);

    // 903: a 240 x 90 panel, dark blue to teal, with a lighter band.
    std::vector<Pixel> panel;
    for (int y = 0; y < 90; ++y) {
        for (int x = 0; x < 240; ++x) {
            const auto g = static_cast<std::uint8_t>(40 + x * 60 / 240);
            const auto b = static_cast<std::uint8_t>(90 + y * 60 / 90);
            panel.push_back(y >= 70 ? Pixel{30, 50, 70} : Pixel{20, g, b});
        }
    }
    ok &= writeBmp(dir + "/903.bmp", 240, 90, 24, false, panel);

    // 904: an 11 x 11 knob handle: a dark dot on the key colour.
    std::vector<Pixel> handle;
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 11; ++x) {
            const int dx = x - 5, dy = y - 5;
            handle.push_back(dx * dx + dy * dy <= 12 ? Pixel{40, 40, 40} : W);
        }
    }
    ok &= writeBmp(dir + "/904.bmp", 11, 11, 24, false, handle);

    // 905 and 906: coordinate pictures, lit and unlit blue.
    for (const auto& [id, blue] :
         {std::pair{905, guitest::kLitBlue}, std::pair{906, guitest::kUnlitBlue}}) {
        std::vector<Pixel> coordinates;
        for (int y = 0; y < guitest::kCoordinateHeight; ++y) {
            for (int x = 0; x < guitest::kCoordinateWidth; ++x) {
                const auto c = guitest::coordinateColor(x, y, blue);
                coordinates.push_back(Pixel{c.r, c.g, c.b});
            }
        }
        ok &= writeBmp(dir + "/" + std::to_string(id) + ".bmp", guitest::kCoordinateWidth,
                       guitest::kCoordinateHeight, 24, false, coordinates);
    }
    return ok ? 0 : 1;
}
