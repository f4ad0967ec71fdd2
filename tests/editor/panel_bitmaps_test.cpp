// The committed bitmaps: sizes and frame layouts the panel builds on at each
// scale, the form every resource compiler takes, the handle's key colour, and
// larger sets that are drawn at their size rather than enlarged.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "editor/panel_bitmap_set.h"
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

TEST(PanelBitmaps, EachHasItsSizeAtEveryScaleAndIsAnUncompressed24BitFile) {
    for (int scale : molvex::kPanelScales) {
        for (const molvex::PanelBitmap& bitmap : molvex::kPanelBitmaps) {
            const int id = molvex::panelBitmapId(bitmap.id, scale);
            const int width = molvex::scaledLength(bitmap.width, scale);
            const int height = bitmap.frames * molvex::scaledLength(bitmap.frameHeight, scale);
            const std::vector<unsigned char> bytes = readFile(id);
            ASSERT_GT(bytes.size(), 54u) << id;
            EXPECT_EQ(bytes[28] | (bytes[29] << 8), 24) << id;  // bits per pixel
            EXPECT_EQ(bytes[30] | (bytes[31] << 8), 0) << id;   // no compression
            const auto decoded = decode(id);
            EXPECT_EQ(decoded.width, width) << id;
            EXPECT_EQ(decoded.height, height) << id;
            // The module's resource of the same id is this very picture.
            GuiBitmap* embedded = new GuiBitmap(id);
            EXPECT_EQ(embedded->getWidth(), width) << id;
            EXPECT_EQ(embedded->getHeight(), height) << id;
            embedded->release();
        }
    }
}

TEST(PanelBitmaps, TheSetsAreNumberedAndSizedAsThePanelExpects) {
    const molvex::PanelBitmap& panel = molvex::kPanelBitmaps[0];
    EXPECT_EQ(panel.id, 120);
    EXPECT_EQ(panel.width, 420);
    EXPECT_EQ(panel.frameHeight, 64);
    EXPECT_EQ(molvex::panelBitmapId(123, 100), 123);
    EXPECT_EQ(molvex::panelBitmapId(123, 150), 223);
    EXPECT_EQ(molvex::panelBitmapId(123, 200), 323);
    EXPECT_EQ(molvex::panelBitmapId(123, 125), 0);
    // A 25-row frame is 37.5 rows at 150 %: rounded up, never cut.
    EXPECT_EQ(molvex::scaledLength(25, 150), 38);
    EXPECT_EQ(molvex::scaledLength(11, 150), 17);
    // Shown between two sets, the panel shrinks the larger one.
    EXPECT_EQ(molvex::panelScaleFor(100), 100);
    EXPECT_EQ(molvex::panelScaleFor(101), 150);
    EXPECT_EQ(molvex::panelScaleFor(125), 150);
    EXPECT_EQ(molvex::panelScaleFor(175), 200);
    EXPECT_EQ(molvex::panelScaleFor(300), 200);
    EXPECT_EQ(molvex::panelScaleFor(75), 100);
}

// The 200 % pictures are drawn at their size: exactly twice as large, and
// not the 100 % pixels doubled. Enlarged pixels would repeat each source
// pixel in a 2 x 2 block; drawn ones give the edges of circles and letters
// their own shades.
TEST(PanelBitmaps, TheDoubleSizeSetIsDrawnAtItsSizeNotEnlarged) {
    for (const molvex::PanelBitmap& bitmap : molvex::kPanelBitmaps) {
        const auto small = decode(bitmap.id);
        const auto large = decode(molvex::panelBitmapId(bitmap.id, 200));
        ASSERT_EQ(large.width, 2 * small.width) << bitmap.id;
        ASSERT_EQ(large.height, 2 * small.height) << bitmap.id;
        int differing = 0;
        for (int y = 0; y < large.height; ++y) {
            for (int x = 0; x < large.width; ++x) {
                const std::uint32_t doubled = small.pixels[(y / 2) * small.width + x / 2];
                differing += large.pixels[y * large.width + x] != doubled;
            }
        }
        // Every picture has curves or letters; at least one pixel in twenty
        // differs from the enlarged 100 % picture (the square buttons have
        // the fewest: their rounded corners).
        EXPECT_GT(differing, large.width * large.height / 20) << bitmap.id;
    }
}

// The handle is drawn through a mask of its pure white pixels: those must
// be exactly white, and no pixel of the dot may come close to white, or the
// knob would wear a pale fringe or a hole.
TEST(PanelBitmaps, TheHandleIsADarkDotOnTheExactKeyColourAtEveryScale) {
    for (int scale : molvex::kPanelScales) {
        const auto handle = decode(molvex::panelBitmapId(122, scale));
        const int side = molvex::scaledLength(11, scale);
        ASSERT_EQ(handle.width, side) << scale;
        int key = 0;
        for (std::uint32_t p : handle.pixels) {
            if (p == 0xFFFFFFu) {
                ++key;
                continue;
            }
            const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            EXPECT_LT(r + g + b, 3 * 200) << std::hex << p << " at " << std::dec << scale;
        }
        EXPECT_EQ(handle.pixels.front(), 0xFFFFFFu) << scale;
        EXPECT_EQ(handle.pixels.back(), 0xFFFFFFu) << scale;
        EXPECT_NE(handle.pixels[(side / 2) * side + side / 2], 0xFFFFFFu) << scale;
        // The dot covers the same share of the picture at every scale.
        EXPECT_GT(key, side * side / 2) << scale;
        EXPECT_LT(key, side * side * 9 / 10) << scale;
    }
}

// The 100 % handle, pixel by pixel where it matters.
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
TEST(PanelBitmaps, TheTypeStripLightsOneWordPerFrameAtEveryScale) {
    for (int scale : molvex::kPanelScales) {
        const auto strip = decode(molvex::panelBitmapId(123, scale));
        const int rowsPerFrame = molvex::scaledLength(25, scale);
        const int width = strip.width;
        auto yellowRows = [&](int frame) {
            std::vector<int> rows;
            for (int y = 0; y < rowsPerFrame; ++y) {
                for (int x = 0; x < width; ++x) {
                    const std::uint32_t p = strip.pixels[(frame * rowsPerFrame + y) * width + x];
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
            ASSERT_FALSE(rows.empty()) << frame << " at " << scale;
            EXPECT_GE(rows.front(), (frame * 8 - 1) * scale / 100) << frame << " at " << scale;
            EXPECT_LE(rows.back(), (frame * 8 + 9) * scale / 100) << frame << " at " << scale;
        }
    }
}

// The buttons' two frames: the released sign is blue, the held one yellow.
TEST(PanelBitmaps, ButtonSignsAreBlueWhenReleasedAndYellowWhenHeldAtEveryScale) {
    for (int scale : molvex::kPanelScales) {
        for (int base : {124, 125}) {
            const int id = molvex::panelBitmapId(base, scale);
            const auto strip = decode(id);
            const int w = strip.width, c = molvex::scaledLength(4, scale);
            const std::uint32_t released = strip.pixels[c * w + c];
            const std::uint32_t held = strip.pixels[(molvex::scaledLength(8, scale) + c) * w + c];
            EXPECT_GT(released & 0xFF, (released >> 16) & 0xFF) << id;  // more blue than red
            EXPECT_GT((held >> 16) & 0xFF, held & 0xFF) << id;          // more red than blue
            EXPECT_GT((held >> 8) & 0xFF, 150u) << id;
        }
    }
}

}  // namespace
