// Screenshots: the PNG files read back by an independent decoder (cairo's,
// through libpng) give the pixels that were written.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdio>
#include <filesystem>

#include "error.h"
#include "output/png_writer.h"

namespace {

std::uint32_t pixelOf(cairo_surface_t* surface, int x, int y) {
    const unsigned char* row =
        cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
}

TEST(PngWriter, DecodesToTheSamePixels) {
    // 200 x 120 RGB is more than one stored deflate block (65535 bytes).
    RgbImage image(200, 120);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.at(x, y) = static_cast<std::uint32_t>(x << 16 | y << 8 | (x ^ y));
    image.at(0, 0) = 0xFFFFFF;
    image.at(199, 119) = 0x123456;
    const auto path = std::filesystem::temp_directory_path() / "plughost_png_writer_test.png";
    writePng(path.string(), image);

    cairo_surface_t* read = cairo_image_surface_create_from_png(path.string().c_str());
    ASSERT_EQ(cairo_surface_status(read), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(read), 200);
    EXPECT_EQ(cairo_image_surface_get_height(read), 120);
    cairo_surface_flush(read);
    for (auto [x, y] : {std::pair{0, 0}, {199, 119}, {1, 0}, {0, 1}, {150, 100}, {37, 110}})
        EXPECT_EQ(pixelOf(read, x, y), image.at(x, y)) << x << "," << y;
    cairo_surface_destroy(read);
    std::filesystem::remove(path);
}

TEST(PngWriter, UnwritablePathLeavesNothing) {
    const auto dir = std::filesystem::temp_directory_path() / "plughost_png_no_such_dir";
    const std::string path = (dir / "shot.png").string();
    try {
        writePng(path, RgbImage(4, 4));
        FAIL() << "wrote into a missing folder";
    } catch (const HostError& e) {
        EXPECT_EQ(std::string(e.what()), path + ": cannot write");
    }
    EXPECT_FALSE(std::filesystem::exists(dir));
    EXPECT_THROW(writePng("empty.png", RgbImage()), HostError);
    EXPECT_FALSE(std::filesystem::exists("empty.png"));
}

}  // namespace
