// The drawing context: its starting colours, the exact edges of its
// primitives, ellipse and arc bounds, fonts and text placement.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "canvas.h"
#include "gui/core/draw_context.h"
#include "test_support.h"

using guitest::Canvas;
using guitest::rgb;

namespace {

constexpr platform::Rgb kGrey{127, 127, 127};
constexpr platform::Rgb kWhite{255, 255, 255};
constexpr platform::Rgb kBlack{0, 0, 0};

class DrawContextTest : public guitest::HeadlessTest {};

TEST(Geometry, PointsOnTheFarEdgesAreInside) {
    const GuiRect r(10, 20, 30, 40);
    EXPECT_TRUE(GuiPoint(30, 40).isInside(r));
    EXPECT_TRUE(GuiPoint(10, 20).isInside(r));
    EXPECT_FALSE(GuiPoint(31, 40).isInside(r));
    EXPECT_FALSE(GuiPoint(30, 41).isInside(r));
    EXPECT_FALSE(GuiPoint(9, 25).isInside(r));
    EXPECT_EQ(r.width(), 20);
    EXPECT_EQ(r.height(), 20);
}

TEST(Geometry, ColoursCompareWithoutTheFourthByte) {
    EXPECT_EQ((GuiColor{1, 2, 3, 0}), (GuiColor{1, 2, 3, 99}));
    EXPECT_NE((GuiColor{1, 2, 3, 0}), (GuiColor{1, 2, 4, 0}));
    EXPECT_EQ(kColorTransparentKey, kColorWhite);
}

TEST_F(DrawContextTest, FreshContextOutlinesWhiteFillsBlackWritesWhite) {
    Canvas c(60, 30, kGrey);
    GuiDrawContext ctx(nullptr, c.surface(), c.window());
    EXPECT_EQ(ctx.getLineWidth(), 1);
    EXPECT_EQ(ctx.getLineStyle(), GuiLineStyle::kSolid);
    ctx.drawRect(GuiRect(1, 1, 8, 8));
    ctx.fillRect(GuiRect(10, 1, 18, 8));
    EXPECT_TRUE(c.is(1, 1, kWhite));
    EXPECT_TRUE(c.is(8, 8, kWhite));
    EXPECT_TRUE(c.is(14, 4, kBlack));

    ctx.setFont(GuiFontId::kSystem);
    ctx.drawString("MMMM", GuiRect(20, 0, 60, 30));
    bool white = false;
    for (int y = 0; y < 30; ++y)
        for (int x = 20; x < 60; ++x) white |= c.is(x, y, kWhite);
    EXPECT_TRUE(white);
    // Transparent text leaves the cell's background alone.
    EXPECT_FALSE(c.is(21, 15, kBlack));
}

TEST_F(DrawContextTest, FillRectPaintsOnlyTheInsideOfDrawRect) {
    Canvas c(20, 20, kGrey);
    GuiDrawContext ctx(nullptr, c.surface(), c.window());
    ctx.setFillColor(kColorRed);
    ctx.fillRect(GuiRect(0, 0, 10, 10));
    Canvas::Ink ink{};
    ASSERT_TRUE(c.ink(ink));
    EXPECT_EQ(ink.left, 1);
    EXPECT_EQ(ink.top, 1);
    EXPECT_EQ(ink.right, 9);
    EXPECT_EQ(ink.bottom, 9);
    EXPECT_TRUE(c.is(9, 9, rgb(kColorRed)));
    EXPECT_TRUE(c.is(1, 9, rgb(kColorRed)));

    ctx.setFrameColor(kColorBlue);
    ctx.drawRect(GuiRect(0, 0, 10, 10));
    for (int i = 0; i <= 10; ++i) {
        EXPECT_TRUE(c.is(0, i, rgb(kColorBlue))) << i;
        EXPECT_TRUE(c.is(10, i, rgb(kColorBlue))) << i;
        EXPECT_TRUE(c.is(i, 0, rgb(kColorBlue))) << i;
        EXPECT_TRUE(c.is(i, 10, rgb(kColorBlue))) << i;
    }
    EXPECT_TRUE(c.is(11, 5, kGrey));
    EXPECT_TRUE(c.is(5, 11, kGrey));
    EXPECT_TRUE(c.is(5, 5, rgb(kColorRed)));
}

TEST_F(DrawContextTest, LinesLeaveOutTheirEndPointAndDotsHaveGaps) {
    Canvas c(40, 10, kGrey);
    GuiDrawContext ctx(nullptr, c.surface(), c.window());
    ctx.moveTo(GuiPoint(2, 2));
    ctx.lineTo(GuiPoint(12, 2));
    EXPECT_TRUE(c.is(2, 2, kWhite));
    EXPECT_TRUE(c.is(11, 2, kWhite));
    EXPECT_TRUE(c.is(12, 2, kGrey));
    // The position moved to the end point.
    ctx.lineTo(GuiPoint(12, 8));
    EXPECT_TRUE(c.is(12, 2, kWhite));
    EXPECT_TRUE(c.is(12, 7, kWhite));
    EXPECT_TRUE(c.is(12, 8, kGrey));

    ctx.setLineStyle(GuiLineStyle::kDotted);
    ctx.moveTo(GuiPoint(15, 5));
    ctx.lineTo(GuiPoint(39, 5));
    int lit = 0;
    for (int x = 15; x < 39; ++x) lit += c.is(x, 5, kWhite);
    EXPECT_GT(lit, 6);
    EXPECT_LT(lit, 18);
}

TEST_F(DrawContextTest, ShallowAndSteepOnePixelLinesLightOnePixelPerStep) {
    // For every direction: exactly one pixel per step along the long axis,
    // none at the end point, each within half a pixel of the ideal line, and
    // nothing else on the canvas.
    struct Line {
        GuiPoint from, to;
    };
    const Line lines[] = {{GuiPoint(1, 2), GuiPoint(31, 6)}, {GuiPoint(31, 6), GuiPoint(1, 2)},
                          {GuiPoint(2, 9), GuiPoint(29, 8)}, {GuiPoint(4, 1), GuiPoint(7, 10)},
                          {GuiPoint(7, 10), GuiPoint(4, 1)}, {GuiPoint(3, 3), GuiPoint(9, 9)}};
    for (const Line& line : lines) {
        SCOPED_TRACE(testing::Message() << line.from.h << "," << line.from.v << " to " << line.to.h
                                        << "," << line.to.v);
        Canvas c(34, 12, kGrey);
        GuiDrawContext ctx(nullptr, c.surface(), c.window());
        ctx.moveTo(line.from);
        ctx.lineTo(line.to);
        const int dx = line.to.h - line.from.h;
        const int dy = line.to.v - line.from.v;
        const bool shallow = std::abs(dx) >= std::abs(dy);
        const int steps = shallow ? std::abs(dx) : std::abs(dy);
        int lit = 0;
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                if (c.is(x, y, kGrey)) continue;
                ASSERT_TRUE(c.is(x, y, kWhite)) << x << "," << y;
                ++lit;
                const int along = shallow ? x - line.from.h : y - line.from.v;
                const int across = shallow ? y - line.from.v : x - line.from.h;
                const int longDelta = shallow ? dx : dy;
                const int shortDelta = shallow ? dy : dx;
                ASSERT_TRUE(along * longDelta >= 0 && std::abs(along) < steps) << x << "," << y;
                const double ideal = static_cast<double>(along) * shortDelta / longDelta;
                EXPECT_LE(std::fabs(across - ideal), 0.5) << x << "," << y;
            }
        }
        EXPECT_EQ(lit, steps);
    }
}

TEST_F(DrawContextTest, EllipsesStayInsideTheirBounds) {
    Canvas c(80, 40, kGrey);
    GuiDrawContext ctx(nullptr, c.surface(), c.window());
    ctx.drawEllipse(GuiRect(4, 4, 30, 20));
    Canvas::Ink ink{};
    ASSERT_TRUE(c.ink(ink, 0, 0, 39, 39));
    EXPECT_EQ(ink.left, 4);
    EXPECT_EQ(ink.right, 30);
    EXPECT_EQ(ink.top, 4);
    EXPECT_EQ(ink.bottom, 20);
    EXPECT_TRUE(c.is(17, 12, kGrey));  // an outline, not a disc

    ctx.setFillColor(kColorGreen);
    ctx.fillEllipse(GuiRect(44, 4, 70, 20));
    ASSERT_TRUE(c.ink(ink, 40, 0, 79, 39));
    EXPECT_EQ(ink.left, 45);
    EXPECT_EQ(ink.right, 69);
    EXPECT_EQ(ink.top, 5);
    EXPECT_EQ(ink.bottom, 19);
    EXPECT_TRUE(c.is(57, 12, rgb(kColorGreen)));
}

TEST_F(DrawContextTest, ArcsRunCounterClockwiseFromStartToEnd) {
    Canvas c(80, 30, kGrey);
    GuiDrawContext ctx(nullptr, c.surface(), c.window());
    // From the right (3 o'clock) to the top (12 o'clock): the upper right.
    ctx.drawArc(GuiRect(0, 0, 20, 20), GuiPoint(20, 10), GuiPoint(10, 0));
    Canvas::Ink ink{};
    ASSERT_TRUE(c.ink(ink, 0, 0, 25, 25));
    EXPECT_GE(ink.left, 9);
    EXPECT_LE(ink.bottom, 11);
    EXPECT_EQ(ink.right, 20);
    EXPECT_EQ(ink.top, 0);

    // The other way round covers the three remaining quarters.
    ctx.setFillColor(kColorRed);
    ctx.fillArc(GuiRect(40, 0, 60, 20), GuiPoint(50, 0), GuiPoint(60, 10));
    EXPECT_TRUE(c.is(45, 15, rgb(kColorRed)));
    EXPECT_TRUE(c.is(45, 5, rgb(kColorRed)));
    EXPECT_TRUE(c.is(55, 15, rgb(kColorRed)));
    EXPECT_TRUE(c.is(55, 5, kGrey));
    ASSERT_TRUE(c.ink(ink, 40, 0, 79, 29));
    EXPECT_GE(ink.left, 41);
    EXPECT_LE(ink.right, 59);
    EXPECT_LE(ink.bottom, 19);
}

TEST_F(DrawContextTest, SetFontFallsBackToRowZeroAndTakesTheTableHeight) {
    Canvas c(10, 10, kGrey);
    GuiDrawContext ctx(nullptr, c.surface(), c.window());
    ctx.setFont(9);
    EXPECT_EQ(ctx.getFontSize(), 12);
    ctx.setFont(GuiFontId::kTiny, 0);
    EXPECT_EQ(ctx.getFontSize(), 9);
    ctx.setFont(GuiFontId::kMedium, 20);
    EXPECT_EQ(ctx.getFontSize(), 20);
    EXPECT_STREQ(fontTableEntry(5).face, "Small Fonts");
    EXPECT_EQ(fontTableEntry(9).weight, 700);
    EXPECT_STREQ(fontTableEntry(-1).face, "Arial");

    // Out-of-range ids draw exactly what row 0 draws.
    Canvas a(80, 20, kGrey), b(80, 20, kGrey);
    GuiDrawContext ca(nullptr, a.surface(), a.window()), cb(nullptr, b.surface(), b.window());
    ca.setFont(9);
    cb.setFont(GuiFontId::kSystem);
    ca.drawString("Wet 42", GuiRect(0, 0, 80, 20));
    cb.drawString("Wet 42", GuiRect(0, 0, 80, 20));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 80; ++x) ASSERT_EQ(a.at(x, y), b.at(x, y)) << x << "," << y;
}

TEST_F(DrawContextTest, TextPlacementAndTheLeftInset) {
    const GuiRect box(20, 0, 100, 20);
    Canvas left(120, 20, kGrey), seam(120, 20, kGrey);
    {
        GuiDrawContext ctx(nullptr, left.surface(), left.window());
        ctx.setFont(GuiFontId::kNormal);
        ctx.drawString("Il", box, false, GuiTextAlign::kLeft);
    }
    {
        // The same text placed by the seam itself one pixel further right.
        GuiDrawContext ctx(nullptr, seam.surface(), seam.window());
        ctx.setFont(GuiFontId::kNormal);
        seam.surface()->drawString("Il", {21, 0, 100, 20}, platform::TextPlacement::left);
    }
    Canvas::Ink ink{};
    ASSERT_TRUE(left.ink(ink));
    EXPECT_GE(ink.left, 21);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 120; ++x) ASSERT_EQ(left.at(x, y), seam.at(x, y)) << x << "," << y;

    Canvas centred(120, 20, kGrey), right(120, 20, kGrey);
    GuiDrawContext cc(nullptr, centred.surface(), centred.window());
    GuiDrawContext cr(nullptr, right.surface(), right.window());
    cc.setFont(GuiFontId::kNormal);
    cr.setFont(GuiFontId::kNormal);
    cc.drawString("HH", box, false, GuiTextAlign::kCenter);
    cr.drawString("HH", box, false, GuiTextAlign::kRight);
    ASSERT_TRUE(centred.ink(ink));
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 60.0, 2.0);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 10.0, 2.0);
    ASSERT_TRUE(right.ink(ink));
    EXPECT_LE(ink.right, 99);
    EXPECT_GE(ink.right, 96);
}

TEST_F(DrawContextTest, OpaqueTextPaintsItsCellInTheFillColour) {
    Canvas c(100, 20, kGrey);
    GuiDrawContext ctx(nullptr, c.surface(), c.window());
    ctx.setFont(GuiFontId::kNormal);
    ctx.setFillColor(kColorBlue);
    ctx.drawString("x", GuiRect(0, 0, 100, 20), true, GuiTextAlign::kLeft);
    EXPECT_TRUE(c.is(1, 10, rgb(kColorBlue)));
    EXPECT_TRUE(c.is(0, 10, kGrey));
    // The mode went back to transparent afterwards.
    ctx.drawString("x", GuiRect(50, 0, 100, 20), false, GuiTextAlign::kLeft);
    EXPECT_TRUE(c.is(51, 10, kGrey));
}

TEST_F(DrawContextTest, PointsAndPolygons) {
    Canvas c(30, 30, kGrey);
    GuiDrawContext ctx(nullptr, c.surface(), c.window());
    ctx.drawPoint(GuiPoint(3, 4), kColorMagenta);
    EXPECT_TRUE(c.is(3, 4, rgb(kColorMagenta)));
    EXPECT_TRUE(c.is(4, 4, kGrey));

    const GuiPoint square[4] = {{10, 10}, {20, 10}, {20, 20}, {10, 20}};
    ctx.setFillColor(kColorCyan);
    ctx.fillPolygon(square, 4);
    EXPECT_TRUE(c.is(10, 10, rgb(kColorCyan)));
    EXPECT_TRUE(c.is(19, 19, rgb(kColorCyan)));
    EXPECT_TRUE(c.is(20, 15, kGrey));  // filled, never outlined

    const GuiPoint zigzag[3] = {{0, 25}, {5, 29}, {10, 25}};
    ctx.polyLine(zigzag, 3);
    EXPECT_TRUE(c.is(0, 25, kWhite));
    EXPECT_TRUE(c.is(10, 25, kGrey));
}

TEST_F(DrawContextTest, AContextWithoutSurfaceDrawsNothingAndSurvives) {
    GuiDrawContext ctx(nullptr, nullptr, nullptr);
    ctx.setFrameColor(kColorRed);
    ctx.setFont(3);
    ctx.fillRect(GuiRect(0, 0, 10, 10));
    ctx.drawString("x", GuiRect(0, 0, 10, 10));
    EXPECT_EQ(ctx.getFrameColor(), kColorRed);
    EXPECT_EQ(ctx.getFontSize(), 12);
}

TEST_F(DrawContextTest, AContextPutsBackWhatItSelected) {
    Canvas c(20, 10, kGrey);
    {
        GuiDrawContext ctx(nullptr, c.surface(), c.window());
        ctx.setFillColor(kColorRed);
    }
    // The surface's own brush (white) is back once the context is gone.
    c.surface()->fillBox({0, 0, 5, 5});
    EXPECT_TRUE(c.is(2, 2, kWhite));
}

}  // namespace
