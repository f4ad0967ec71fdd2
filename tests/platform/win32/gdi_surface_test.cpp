// The GDI drawing backend read back pixel by pixel: edges of the primitives,
// the monochrome conversions the toolkit's transparent bitmaps rely on, and
// the pens, brushes and fonts a surface creates and gives back. Under wine.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/win32/gdi_surface.h"

namespace {

using platform::Box;
using platform::Point;
using platform::Rgb;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

Rgb pixelOf(const platform::Surface& surface, int x, int y) {
    const auto& gdi = dynamic_cast<const platform::win32::GdiSurface&>(surface);
    const COLORREF c = GetPixel(gdi.dc(), x, y);
    return Rgb{GetRValue(c), GetGValue(c), GetBValue(c)};
}

// A white colour canvas with its memory surface.
struct Canvas {
    explicit Canvas(int w = 40, int h = 30)
        : image(platform::createImage(nullptr, w, h)),
          surface(platform::createImageSurface(nullptr, *image)) {
        EXPECT_TRUE(surface->setBrush(kWhite));
        surface->fillBox(Box{0, 0, w, h});
    }
    Rgb at(int x, int y) const { return pixelOf(*surface, x, y); }
    std::unique_ptr<platform::Image> image;
    std::unique_ptr<platform::Surface> surface;
};

TEST(GdiPrimitives, FillBoxCoversExactlyTheHalfOpenBox) {
    Canvas c;
    ASSERT_TRUE(c.surface->setBrush(kRed));
    c.surface->fillBox(Box{5, 6, 15, 16});
    EXPECT_EQ(c.at(5, 6), kRed);
    EXPECT_EQ(c.at(14, 15), kRed);
    EXPECT_EQ(c.at(15, 10), kWhite);
    EXPECT_EQ(c.at(10, 16), kWhite);
    EXPECT_EQ(c.at(4, 10), kWhite);
}

TEST(GdiPrimitives, LinesLeaveTheirEndPointAndPolylineKeepsThePosition) {
    Canvas c;
    ASSERT_TRUE(c.surface->setPen(kBlue, 1, platform::PenStyle::solid));
    c.surface->moveTo(Point{2, 3});
    c.surface->lineTo(Point{10, 3});
    EXPECT_EQ(c.at(2, 3), kBlue);
    EXPECT_EQ(c.at(9, 3), kBlue);
    EXPECT_EQ(c.at(10, 3), kWhite);

    const Point corner[] = {{2, 10}, {2, 20}, {12, 20}};
    c.surface->polyline(corner, 3);
    EXPECT_EQ(c.at(2, 15), kBlue);
    EXPECT_EQ(c.at(11, 20), kBlue);
    EXPECT_EQ(c.at(12, 20), kWhite);
    // The position is still where the last lineTo left it.
    c.surface->lineTo(Point{10, 8});
    EXPECT_EQ(c.at(10, 5), kBlue);
}

TEST(GdiPrimitives, DottedPenLeavesGaps) {
    Canvas c;
    ASSERT_TRUE(c.surface->setPen(kBlack, 1, platform::PenStyle::dotted));
    c.surface->moveTo(Point{0, 5});
    c.surface->lineTo(Point{40, 5});
    int drawn = 0;
    for (int x = 0; x < 40; ++x) drawn += c.at(x, 5) == kBlack;
    EXPECT_GT(drawn, 8);
    EXPECT_LT(drawn, 32);
}

TEST(GdiPrimitives, FilledShapesReachTheBoxEdgesWithoutOutline) {
    Canvas c;
    ASSERT_TRUE(c.surface->setPen(kBlack, 1, platform::PenStyle::solid));
    ASSERT_TRUE(c.surface->setBrush(kRed));
    c.surface->fillEllipse(Box{10, 10, 21, 21});
    // The box's outer rows and columns are filled (GDI fills one short of a
    // null-pen box; wine's rasterizer may reach one pixel further).
    EXPECT_EQ(c.at(15, 10), kRed);
    EXPECT_EQ(c.at(15, 20), kRed);
    EXPECT_EQ(c.at(10, 15), kRed);
    EXPECT_EQ(c.at(20, 15), kRed);
    EXPECT_EQ(c.at(15, 22), kWhite);
    EXPECT_EQ(c.at(22, 15), kWhite);
    EXPECT_EQ(c.at(15, 9), kWhite);
    EXPECT_EQ(c.at(10, 10), kWhite);  // a corner outside the curve

    const Point triangle[] = {{0, 0}, {8, 0}, {0, 8}};
    c.surface->fillPolygon(triangle, 3);
    EXPECT_EQ(c.at(1, 1), kRed);
    EXPECT_EQ(c.at(7, 7), kWhite);
}

TEST(GdiPrimitives, ArcsRunCounterClockwiseFromTheFirstRay) {
    Canvas c;
    ASSERT_TRUE(c.surface->setBrush(kRed));
    // From the right (3 o'clock) to the top (12 o'clock): the upper right
    // quarter, as seen on screen.
    c.surface->fillPie(Box{10, 5, 31, 26}, Point{40, 15}, Point{20, 0});
    EXPECT_EQ(c.at(25, 10), kRed);
    EXPECT_EQ(c.at(15, 10), kWhite);
    EXPECT_EQ(c.at(25, 20), kWhite);

    Canvas d;
    ASSERT_TRUE(d.surface->setPen(kBlue, 1, platform::PenStyle::solid));
    d.surface->strokeArc(Box{10, 5, 31, 26}, Point{40, 15}, Point{20, 0});
    int upperRight = 0;
    int elsewhere = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            if (d.at(x, y) != kBlue) continue;
            if (x >= 20 && y <= 16) ++upperRight;
            else ++elsewhere;
        }
    }
    EXPECT_GT(upperRight, 10);
    EXPECT_EQ(elsewhere, 0);
}

TEST(GdiPrimitives, SetPixelLeavesThePenAlone) {
    Canvas c;
    ASSERT_TRUE(c.surface->setPen(kBlue, 1, platform::PenStyle::solid));
    c.surface->setPixel(Point{3, 4}, kRed);
    EXPECT_EQ(c.at(3, 4), kRed);
    c.surface->moveTo(Point{0, 0});
    c.surface->lineTo(Point{2, 0});
    EXPECT_EQ(c.at(0, 0), kBlue);
}

TEST(GdiText, OpaqueTextPaintsItsCellAndStaysInsideItsBox) {
    Canvas c(80, 30);
    platform::FontRequest font;
    font.height = 14;
    ASSERT_TRUE(c.surface->setFont(font));
    c.surface->setTextColor(kBlue);
    c.surface->setBackgroundColor(kRed);
    c.surface->setBackgroundOpaque(true);
    c.surface->drawString("MMM", Box{10, 5, 70, 25}, platform::TextPlacement::center);
    int text = 0;
    int cell = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 80; ++x) {
            const Rgb p = c.at(x, y);
            const bool inside = x >= 10 && x < 70 && y >= 5 && y < 25;
            if (!inside) {
                EXPECT_EQ(p, kWhite) << x << "," << y;
                continue;
            }
            text += p == kBlue;
            cell += p == kRed;
        }
    }
    EXPECT_GT(text, 20);
    EXPECT_GT(cell, 20);
    // Centred: nothing at the far left and right of the box.
    EXPECT_EQ(c.at(11, 15), kWhite);
    EXPECT_EQ(c.at(68, 15), kWhite);
}

TEST(GdiText, TransparentTextLeavesTheBackground) {
    Canvas c(80, 30);
    c.surface->setTextColor(kBlue);
    c.surface->setBackgroundColor(kRed);
    c.surface->setBackgroundOpaque(false);
    c.surface->drawString("MMM", Box{0, 0, 80, 30}, platform::TextPlacement::left);
    bool anyText = false;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 80; ++x) {
            EXPECT_NE(c.at(x, y), kRed);
            anyText = anyText || c.at(x, y) == kBlue;
        }
    }
    EXPECT_TRUE(anyText);
}

TEST(GdiCopies, ColourToMaskToColourFollowsTheBackgroundAndTextColours) {
    Canvas c(4, 1);
    c.surface->setPixel(Point{1, 0}, kRed);
    c.surface->setPixel(Point{2, 0}, kBlue);
    auto mask = platform::createMask(4, 1);
    auto maskSurface = platform::createImageSurface(c.surface.get(), *mask);
    c.surface->setBackgroundColor(kRed);
    ASSERT_TRUE(maskSurface->copyFrom(*c.surface, 0, 0, 4, 1, 0, 0, platform::RasterOp::copy));
    EXPECT_EQ(pixelOf(*maskSurface, 0, 0), kBlack);
    EXPECT_EQ(pixelOf(*maskSurface, 1, 0), kWhite);  // the background colour became 1

    Canvas back(4, 1);
    back.surface->setBackgroundColor(kBlue);
    back.surface->setTextColor(kRed);
    ASSERT_TRUE(back.surface->copyFrom(*maskSurface, 0, 0, 4, 1, 0, 0, platform::RasterOp::copy));
    EXPECT_EQ(back.at(1, 0), kBlue);  // 1 -> background colour
    EXPECT_EQ(back.at(0, 0), kRed);   // 0 -> text colour
}

// The toolkit's transparent draw: AND with the mask keeps the destination
// under key pixels, OR with the masked image puts the image elsewhere.
TEST(GdiCopies, MaskAndOrCopiesShowTheDestinationThroughKeyPixels) {
    Canvas image(2, 1);
    image.surface->setPixel(Point{0, 0}, kBlue);  // pixel 1 stays white: the key
    auto mask = platform::createMask(2, 1);
    auto maskSurface = platform::createImageSurface(nullptr, *mask);
    ASSERT_TRUE(maskSurface->copyFrom(*image.surface, 0, 0, 2, 1, 0, 0, platform::RasterOp::copy));
    auto inverse = platform::createMask(2, 1);
    auto inverseSurface = platform::createImageSurface(nullptr, *inverse);
    ASSERT_TRUE(
        inverseSurface->copyFrom(*maskSurface, 0, 0, 2, 1, 0, 0, platform::RasterOp::notSource));
    ASSERT_TRUE(
        image.surface->copyFrom(*inverseSurface, 0, 0, 2, 1, 0, 0, platform::RasterOp::andSource));

    Canvas target(2, 1);
    ASSERT_TRUE(target.surface->setBrush(kRed));
    target.surface->fillBox(Box{0, 0, 2, 1});
    ASSERT_TRUE(
        target.surface->copyFrom(*maskSurface, 0, 0, 2, 1, 0, 0, platform::RasterOp::andSource));
    ASSERT_TRUE(
        target.surface->copyFrom(*image.surface, 0, 0, 2, 1, 0, 0, platform::RasterOp::orSource));
    EXPECT_EQ(target.at(0, 0), kBlue);
    EXPECT_EQ(target.at(1, 0), kRed);
}

TEST(GdiImages, FreshImagesAndMasksStartBlackAndOneImageTakesOneSurface) {
    auto image = platform::createImage(nullptr, 3, 3);
    ASSERT_NE(image, nullptr);
    EXPECT_FALSE(image->isMask());
    auto surface = platform::createImageSurface(nullptr, *image);
    EXPECT_EQ(pixelOf(*surface, 2, 2), kBlack);
    // GDI selects a bitmap into one DC at a time.
    EXPECT_EQ(platform::createImageSurface(nullptr, *image), nullptr);
    surface.reset();
    EXPECT_NE(platform::createImageSurface(nullptr, *image), nullptr);

    auto mask = platform::createMask(3, 3);
    ASSERT_TRUE(mask->isMask());
    EXPECT_EQ(pixelOf(*platform::createImageSurface(nullptr, *mask), 1, 1), kBlack);
    EXPECT_EQ(platform::createImage(nullptr, 0, 3), nullptr);
    EXPECT_EQ(platform::createMask(3, -1), nullptr);
}

TEST(GdiState, PopSelectsBackWhatWasSelectedAndEveryObjectIsGivenBack) {
    const int before = platform::win32::liveGdiObjects();
    {
        Canvas c;
        const auto& gdi = dynamic_cast<const platform::win32::GdiSurface&>(*c.surface);
        platform::FontRequest font;
        ASSERT_TRUE(c.surface->setPen(kRed, 2, platform::PenStyle::solid));
        ASSERT_TRUE(c.surface->setFont(font));
        HGDIOBJ pen = GetCurrentObject(gdi.dc(), OBJ_PEN);
        HGDIOBJ brush = GetCurrentObject(gdi.dc(), OBJ_BRUSH);
        HGDIOBJ selectedFont = GetCurrentObject(gdi.dc(), OBJ_FONT);
        c.surface->pushState();
        for (int i = 0; i < 20; ++i) {
            ASSERT_TRUE(c.surface->setPen(kBlue, 1, platform::PenStyle::dotted));
            ASSERT_TRUE(c.surface->setBrush(kBlue));
            ASSERT_TRUE(c.surface->setFont(font));
        }
        // Each replaced object was deleted: three live ones since the push.
        const int pushed = platform::win32::liveGdiObjects();
        c.surface->popState();
        EXPECT_EQ(platform::win32::liveGdiObjects(), pushed - 3);
        EXPECT_EQ(GetCurrentObject(gdi.dc(), OBJ_PEN), pen);
        EXPECT_EQ(GetCurrentObject(gdi.dc(), OBJ_BRUSH), brush);
        EXPECT_EQ(GetCurrentObject(gdi.dc(), OBJ_FONT), selectedFont);
        // The pen from before the push still draws.
        c.surface->moveTo(Point{0, 5});
        c.surface->lineTo(Point{10, 5});
        EXPECT_EQ(c.at(5, 5), kRed);
        c.surface->pushState();  // left open: the surface pops it itself
        ASSERT_TRUE(c.surface->setBrush(kRed));
    }
    EXPECT_EQ(platform::win32::liveGdiObjects(), before);
}

}  // namespace
