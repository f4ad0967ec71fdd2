// The committed bitmaps: sizes and frame layouts the panel builds on, the
// form every resource compiler takes, and the handle's key colour.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gui/core/bitmap.h"
#include "platform/resources/bmp_decoder.h"

namespace {

std::vector<unsigned char> readFile(int id) {
    const std::string path = std::string(MOLVEX_BITMAP_DIR) + "/" + std::to_string(id) + ".bmp";
    std::vector<unsigned char> bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        unsigned char chunk[4096];
        std::size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
            bytes.insert(bytes.end(), chunk, chunk + n);
        std::fclose(file);
    }
    return bytes;
}

platform::resources::DecodedBitmap decode(int id) {
    platform::resources::DecodedBitmap out;
    const std::vector<unsigned char> bytes = readFile(id);
    EXPECT_TRUE(platform::resources::decodeBmp(bytes.data(), bytes.size(), out)) << id;
    return out;
}

struct Expected {
    int id, width, height;
};

TEST(PanelBitmaps, EachHasItsSizeAndIsAnUncompressed24BitFile) {
    const Expected all[] = {{120, 420, 64}, {121, 24, 24}, {122, 11, 11}, {123, 24, 75},
                            {124, 12, 16},  {125, 12, 16}, {126, 11, 11}};
    for (const Expected& e : all) {
        const std::vector<unsigned char> bytes = readFile(e.id);
        ASSERT_GT(bytes.size(), 54u) << e.id;
        EXPECT_EQ(bytes[28] | (bytes[29] << 8), 24) << e.id;  // bits per pixel
        EXPECT_EQ(bytes[30] | (bytes[31] << 8), 0) << e.id;   // no compression
        const auto decoded = decode(e.id);
        EXPECT_EQ(decoded.width, e.width) << e.id;
        EXPECT_EQ(decoded.height, e.height) << e.id;
        // The module's resource of the same id is this very picture.
        GuiBitmap* embedded = new GuiBitmap(e.id);
        EXPECT_EQ(embedded->getWidth(), e.width) << e.id;
        EXPECT_EQ(embedded->getHeight(), e.height) << e.id;
        embedded->release();
    }
}

// The handle is drawn through a mask of its pure white pixels: those must
// be exactly white, and no pixel of the dot may come close to white, or the
// knob would wear a pale fringe or a hole.
TEST(PanelBitmaps, TheHandleIsADarkDotOnTheExactKeyColour) {
    const auto handle = decode(122);
    ASSERT_EQ(handle.pixels.size(), 121u);
    int key = 0;
    for (std::uint32_t p : handle.pixels) {
        if (p == 0xFFFFFFu) {
            ++key;
            continue;
        }
        const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        EXPECT_LT(r + g + b, 3 * 200) << std::hex << p;
    }
    EXPECT_EQ(handle.pixels[0], 0xFFFFFFu);
    EXPECT_EQ(handle.pixels[10], 0xFFFFFFu);
    EXPECT_EQ(handle.pixels[120], 0xFFFFFFu);
    EXPECT_NE(handle.pixels[5 * 11 + 5], 0xFFFFFFu);  // the centre is the dot
    EXPECT_GT(key, 60);
    EXPECT_LT(key, 121 - 12);
}

// Frame n of the type switch lights word n in yellow; the others stay dim.
TEST(PanelBitmaps, TheTypeStripLightsOneWordPerFrame) {
    const auto strip = decode(123);
    auto yellowRows = [&](int frame) {
        std::vector<int> rows;
        for (int y = 0; y < 25; ++y) {
            for (int x = 0; x < 24; ++x) {
                const std::uint32_t p = strip.pixels[(frame * 25 + y) * 24 + x];
                const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
                if (r > 200 && g > 170 && b < 120) {
                    rows.push_back(y);
                    break;
                }
            }
        }
        return rows;
    };
    for (int frame = 0; frame < 3; ++frame) {
        const std::vector<int> rows = yellowRows(frame);
        ASSERT_FALSE(rows.empty()) << frame;
        EXPECT_GE(rows.front(), frame * 8 - 1) << frame;
        EXPECT_LE(rows.back(), frame * 8 + 9) << frame;
    }
}

// The buttons' two frames: the released sign is blue, the held one yellow.
TEST(PanelBitmaps, ButtonSignsAreBlueWhenReleasedAndYellowWhenHeld) {
    for (int id : {124, 125}) {
        const auto strip = decode(id);
        const std::uint32_t released = strip.pixels[4 * 12 + 4];
        const std::uint32_t held = strip.pixels[(8 + 4) * 12 + 4];
        EXPECT_GT(released & 0xFF, (released >> 16) & 0xFF) << id;  // more blue than red
        EXPECT_GT((held >> 16) & 0xFF, held & 0xFF) << id;          // more red than blue
        EXPECT_GT((held >> 8) & 0xFF, 150u) << id;
    }
}

}  // namespace
