// Bitmaps: decoding the module's resources, opaque and key-colour drawing,
// the cached mask, reference counts, and offscreen drawing.
#include <gtest/gtest.h>

#include "canvas.h"
#include "coordinate_picture.h"
#include "gui/core/bitmap.h"
#include "gui/core/offscreen_context.h"
#include "platform/cairo/cairo_surface.h"
#include "platform/resources/bmp_decoder.h"
#include "platform/resources/embedded_bitmaps.h"
#include "test_support.h"

using guitest::Canvas;

namespace {

constexpr platform::Rgb kGreenish{0, 128, 0};
constexpr platform::Rgb kWhite{255, 255, 255};
constexpr platform::Rgb kAlmostWhite{254, 255, 255};

class BitmapTest : public guitest::HeadlessTest {};

TEST_F(BitmapTest, ResourcesDecodeInEveryStoredFormat) {
    Canvas c(30, 20, kGreenish);
    GuiDrawContext ctx(nullptr, c.surface(), c.window());

    GuiBitmap* small = new GuiBitmap(guitest::kSmallPicture);
    ASSERT_EQ(small->getWidth(), 4);
    ASSERT_EQ(small->getHeight(), 3);
    small->draw(&ctx, GuiRect(2, 2, 6, 5));
    EXPECT_TRUE(c.is(2, 2, kWhite));
    EXPECT_TRUE(c.is(3, 2, kAlmostWhite));
    EXPECT_TRUE(c.is(4, 2, (platform::Rgb{255, 0, 0})));
    EXPECT_TRUE(c.is(5, 3, (platform::Rgb{10, 20, 30})));
    EXPECT_TRUE(c.is(6, 2, kGreenish));  // width pixels, no more
    small->release();

    GuiBitmap* paletted = new GuiBitmap(guitest::kPalettePicture);
    ASSERT_EQ(paletted->getWidth(), 5);
    paletted->draw(&ctx, GuiRect(10, 2, 15, 4));
    EXPECT_TRUE(c.is(11, 2, (platform::Rgb{200, 100, 50})));
    EXPECT_TRUE(c.is(10, 3, (platform::Rgb{1, 2, 3})));
    paletted->release();

    GuiBitmap* topDown = new GuiBitmap(guitest::kTopDownPicture);
    ASSERT_EQ(topDown->getHeight(), 2);
    // A source offset picks the second row, last column.
    topDown->draw(&ctx, GuiRect(20, 2, 21, 3), GuiPoint(2, 1));
    EXPECT_TRUE(c.is(20, 2, (platform::Rgb{6, 6, 6})));
    topDown->release();
}

TEST_F(BitmapTest, AMissingResourceIsEmptyAndDrawsNothing) {
    Canvas c(10, 10, kGreenish);
    GuiDrawContext ctx(nullptr, c.surface(), c.window());
    GuiBitmap* missing = new GuiBitmap(777);
    EXPECT_EQ(missing->getWidth(), 0);
    EXPECT_EQ(missing->getHeight(), 0);
    missing->draw(&ctx, GuiRect(0, 0, 10, 10));
    missing->drawTransparent(&ctx, GuiRect(0, 0, 10, 10));
    Canvas::Ink ink{};
    EXPECT_FALSE(c.ink(ink));
    missing->release();
}

TEST(BmpDecoder, RefusesTruncatedAndCompressedFiles) {
    unsigned char header[60] = {'B', 'M'};
    platform::resources::DecodedBitmap out;
    EXPECT_FALSE(platform::resources::decodeBmp(header, 10, out));
    EXPECT_FALSE(platform::resources::decodeBmp(header, sizeof header, out));
    EXPECT_FALSE(platform::resources::decodeBmp(nullptr, 0, out));
    EXPECT_EQ(out.width, 0);

    // Every cut-short copy of a real file is refused, never read past.
    for (int id : {guitest::kSmallPicture, guitest::kPalettePicture, guitest::kTopDownPicture}) {
        const auto* bitmap = platform::resources::findEmbeddedBitmap(id);
        ASSERT_NE(bitmap, nullptr);
        for (std::size_t n = 0; n < bitmap->size; ++n) {
            std::vector<unsigned char> cut(bitmap->data, bitmap->data + n);
            EXPECT_FALSE(platform::resources::decodeBmp(cut.data(), cut.size(), out))
                << id << " " << n;
        }
        EXPECT_TRUE(platform::resources::decodeBmp(bitmap->data, bitmap->size, out));
    }
}

TEST_F(BitmapTest, TransparentDrawingKeepsTheBackgroundUnderTheKeyColourOnly) {
    Canvas c(20, 20, kGreenish);
    GuiDrawContext ctx(nullptr, c.surface(), c.window());
    GuiBitmap* bitmap = new GuiBitmap(guitest::kSmallPicture);
    EXPECT_FALSE(bitmap->hasMask());

    bitmap->drawTransparent(&ctx, GuiRect(5, 5, 9, 8));
    EXPECT_TRUE(c.is(5, 5, kGreenish));     // key colour: background shows
    EXPECT_TRUE(c.is(6, 5, kAlmostWhite));  // one step off the key: drawn
    EXPECT_TRUE(c.is(7, 5, (platform::Rgb{255, 0, 0})));
    EXPECT_TRUE(c.is(7, 6, (platform::Rgb{0, 0, 0})));  // black is not transparent
    EXPECT_TRUE(c.is(6, 6, kGreenish));
    for (int x = 5; x < 9; ++x) EXPECT_TRUE(c.is(x, 7, kGreenish)) << x;

    ASSERT_TRUE(bitmap->hasMask());
    const platform::Image* mask = bitmap->getMask();
    bitmap->drawTransparent(&ctx, GuiRect(12, 5, 16, 8));
    EXPECT_EQ(bitmap->getMask(), mask);  // built once, then reused
    EXPECT_TRUE(c.is(12, 5, kGreenish));
    EXPECT_TRUE(c.is(13, 5, kAlmostWhite));

    // The image itself came through unchanged: a plain copy shows white.
    bitmap->draw(&ctx, GuiRect(5, 12, 9, 15));
    EXPECT_TRUE(c.is(5, 12, kWhite));
    EXPECT_TRUE(c.is(6, 13, kWhite));
    EXPECT_TRUE(c.is(7, 12, (platform::Rgb{255, 0, 0})));
    bitmap->release();
}

// Counts its own destruction through a view that holds the bitmap.
class BitmapHolder : public GuiView {
public:
    BitmapHolder(GuiBitmap* bitmap) : GuiView(GuiRect(0, 0, 1, 1)), bitmap(bitmap) {
        bitmap->addRef();
    }
    ~BitmapHolder() override { bitmap->release(); }
    GuiBitmap* bitmap;
};

TEST_F(BitmapTest, ABitmapLivesUntilItsLastHolderReleasesIt) {
    GuiBitmap* bitmap = new GuiBitmap(guitest::kSmallPicture);  // the editor's
    auto* a = new BitmapHolder(bitmap);
    auto* b = new BitmapHolder(bitmap);
    auto* c = new BitmapHolder(bitmap);
    EXPECT_EQ(bitmap->getRefCount(), 4);
    delete a;
    delete b;
    delete c;
    EXPECT_EQ(bitmap->getRefCount(), 1);
    EXPECT_EQ(bitmap->getWidth(), 4);  // still alive after three releases
    bitmap->release();                 // the fourth one ends it (ASan checks)
}

// The mask goes with its bitmap, so the end of the mask's pixels shows the
// bitmap was freed: cairo calls a surface's user-data destructor when the
// surface itself is destroyed.
TEST_F(BitmapTest, TheLastReleaseFreesTheBitmapAndItsImages) {
    Canvas c(20, 20, kGreenish);
    GuiDrawContext ctx(nullptr, c.surface(), c.window());
    GuiBitmap* bitmap = new GuiBitmap(guitest::kSmallPicture);
    bitmap->drawTransparent(&ctx, GuiRect(5, 5, 9, 8));
    const auto* mask = dynamic_cast<const platform::cairo::CairoImage*>(bitmap->getMask());
    ASSERT_NE(mask, nullptr);
    static cairo_user_data_key_t key;
    bool freed = false;
    ASSERT_EQ(cairo_surface_set_user_data(mask->surface(), &key, &freed,
                                          [](void* flag) { *static_cast<bool*>(flag) = true; }),
              CAIRO_STATUS_SUCCESS);

    auto* holder = new BitmapHolder(bitmap);
    bitmap->release();  // the creator's reference: the holder keeps it
    EXPECT_FALSE(freed);
    EXPECT_EQ(bitmap->getRefCount(), 1);
    delete holder;
    EXPECT_TRUE(freed);
}

TEST_F(BitmapTest, OffscreenSurfacesStartInTheirColourAndCopyInOneStep) {
    Canvas c(60, 30, kGreenish);
    GuiDrawContext window(nullptr, c.surface(), c.window());
    GuiOffscreenContext off(nullptr, 20, 10, kColorRed);
    EXPECT_EQ(off.getWidth(), 20);
    EXPECT_EQ(off.getHeight(), 10);
    EXPECT_EQ(off.getWindow(), nullptr);
    off.setFillColor(kColorBlue);
    off.fillRect(GuiRect(9, -1, 20, 10));

    off.copyFrom(&window, GuiRect(30, 5, 50, 15));
    EXPECT_TRUE(c.is(30, 5, (platform::Rgb{255, 0, 0})));
    EXPECT_TRUE(c.is(49, 14, (platform::Rgb{0, 0, 255})));
    EXPECT_TRUE(c.is(29, 5, kGreenish));
    EXPECT_TRUE(c.is(50, 5, kGreenish));
    EXPECT_TRUE(c.is(30, 15, kGreenish));

    // A source offset moves the window into the surface.
    off.copyFrom(&window, GuiRect(0, 20, 5, 25), GuiPoint(15, 0));
    EXPECT_TRUE(c.is(0, 20, (platform::Rgb{0, 0, 255})));
}

TEST_F(BitmapTest, OffscreenTextKeepsTheSurfacesOwnColourUntilSetFontColor) {
    Canvas c(40, 40, kGreenish);
    GuiDrawContext window(nullptr, c.surface(), c.window());
    GuiOffscreenContext off(nullptr, 40, 20, kColorRed);
    off.setFont(GuiFontId::kSystem);
    off.drawString("WW", GuiRect(0, 0, 40, 20));
    off.setFontColor(kColorWhite);
    off.copyFrom(&window, GuiRect(0, 0, 40, 20));
    off.drawString("WW", GuiRect(0, 0, 40, 20));
    off.copyFrom(&window, GuiRect(0, 20, 40, 40));
    bool black = false, white = false;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            black |= c.is(x, y, (platform::Rgb{0, 0, 0}));
            white |= c.is(x, y + 20, (platform::Rgb{255, 255, 255}));
        }
    }
    EXPECT_TRUE(black);
    EXPECT_TRUE(white);
}

// The colour the coordinate picture has at (x, y).
platform::Rgb coordinatePixel(int x, int y) {
    const guitest::CoordinateColor c = guitest::coordinateColor(x, y, guitest::kLitBlue);
    return platform::Rgb{c.r, c.g, c.b};
}

// Checks every pixel of the canvas: inside `drawn` it must show the picture
// pixel `pictureOrigin` away, wherever that lies inside the picture, and the
// background everywhere else.
void expectCopy(const Canvas& c, GuiRect drawn, GuiPoint pictureOrigin) {
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const int px = x - drawn.left + pictureOrigin.h;
            const int py = y - drawn.top + pictureOrigin.v;
            const bool inRect =
                x >= drawn.left && x < drawn.right && y >= drawn.top && y < drawn.bottom;
            const bool inPicture = px >= 0 && py >= 0 && px < guitest::kCoordinateWidth &&
                                   py < guitest::kCoordinateHeight;
            const platform::Rgb expected =
                inRect && inPicture ? coordinatePixel(px, py) : c.background;
            ASSERT_EQ(c.at(x, y), expected) << "at " << x << "," << y;
        }
    }
}

TEST_F(BitmapTest, CopiesClipAtEveryEdgePixelByPixel) {
    GuiBitmap* bitmap = new GuiBitmap(guitest::kLitCoordinates);
    ASSERT_EQ(bitmap->getWidth(), guitest::kCoordinateWidth);
    struct Case {
        GuiRect rect;
        GuiPoint offset;
    };
    const Case cases[] = {
        {GuiRect(10, 10, 22, 19), GuiPoint(-3, -2)},  // source offset before the picture
        {GuiRect(-5, -4, 10, 9), GuiPoint(0, 0)},     // destination off the left and top
        {GuiRect(-6, 3, 8, 12), GuiPoint(-2, 5)},     // both at once
        {GuiRect(20, 14, 40, 30), GuiPoint(40, 75)},  // past the picture's far corner
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.rect.left << "," << k.rect.top << " offset "
                                        << k.offset.h << "," << k.offset.v);
        Canvas c(30, 24, kGreenish);
        GuiDrawContext ctx(nullptr, c.surface(), c.window());
        bitmap->draw(&ctx, k.rect, k.offset);
        expectCopy(c, k.rect, k.offset);
    }
    bitmap->release();
}

}  // namespace
