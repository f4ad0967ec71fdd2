// The controls that mostly show: image strips, the animation, digits, the
// popup picture and the level meter, read back a few pixels at a time.
#include <limits>

#include "control_fixture.h"
#include "gui/controls/animation_view.h"
#include "gui/controls/digit_display.h"
#include "gui/controls/filmstrip_view.h"
#include "gui/controls/level_meter.h"
#include "gui/controls/popup_picture.h"

namespace {

using guitest::ControlFixture;

class DisplayControlsTest : public ControlFixture {};

TEST_F(DisplayControlsTest, AFilmstripViewShowsTheNearestImage) {
    auto* strip = add(new GuiFilmstripView(GuiRect(20, 20, 36, 36), &listener, 1, 5, 16,
                                           bitmap(guitest::kLitCoordinates), GuiPoint(3, 0)));
    struct Case {
        float value;
        int row;
    };
    for (const Case& c : {Case{0.6f, 32}, Case{0.65f, 48}, Case{1.5f, 64}, Case{-1.0f, 0},
                          Case{std::numeric_limits<float>::quiet_NaN(), 0}}) {
        strip->setValue(c.value);
        frame->drawView(strip);
        EXPECT_EQ(pixel(20, 20), coordinate(3, c.row)) << c.value;
    }
    strip->setValue(1.5f);
    frame->drawView(strip);
    EXPECT_EQ(strip->getValue(), 1.0f);
}

TEST_F(DisplayControlsTest, AStripShorterThanItsImagesShowsItsLastRows) {
    auto* strip = add(new GuiFilmstripView(GuiRect(20, 20, 36, 36), &listener, 1, 5, 30,
                                           bitmap(guitest::kLitCoordinates), GuiPoint()));
    strip->setValue(1.0f);
    frame->drawView(strip);
    EXPECT_EQ(pixel(20, 20), coordinate(0, guitest::kCoordinateHeight - 16));
    EXPECT_EQ(pixel(35, 35), coordinate(15, guitest::kCoordinateHeight - 1));
}

TEST_F(DisplayControlsTest, AnAnimationDrawsOnlyWhileRunningAndWrapsBothWays) {
    auto* anim = add(new GuiAnimationView(GuiRect(60, 20, 76, 36), &listener, 2, 5, 16,
                                          bitmap(guitest::kLitCoordinates), GuiPoint()));
    const platform::Rgb before = pixel(60, 20);
    editor->idle();
    EXPECT_EQ(pixel(60, 20), before);

    listener.redraw = false;
    press(65, 25, kLeft);
    EXPECT_TRUE(anim->isRunning());
    EXPECT_EQ(listener.values, (std::vector<float>{0.0f}));
    editor->idle();
    EXPECT_EQ(pixel(60, 20), coordinate(0, 0));

    for (float expected : {16.0f, 32.0f, 48.0f, 64.0f, 0.0f}) {
        anim->nextImage();
        EXPECT_EQ(anim->getValue(), expected);
    }
    anim->previousImage();
    EXPECT_EQ(anim->getValue(), 64.0f);
    editor->idle();
    EXPECT_EQ(pixel(60, 20), coordinate(0, 64));
    anim->setValue(500.0f);  // an offset past the strip shows its end
    editor->idle();
    EXPECT_EQ(pixel(60, 20), coordinate(0, 64));

    press(65, 25, kLeft);  // stops on the first image, untold
    EXPECT_FALSE(anim->isRunning());
    EXPECT_EQ(pixel(60, 20), coordinate(0, 0));
    EXPECT_EQ(listener.values.size(), 1u);
}

TEST_F(DisplayControlsTest, AnAnimationReadsItsStripFromItsOffset) {
    auto* anim = add(new GuiAnimationView(GuiRect(60, 20, 76, 36), &listener, 2, 4, 16,
                                          bitmap(guitest::kLitCoordinates), GuiPoint(3, 8)));
    anim->start();
    editor->idle();
    EXPECT_EQ(pixel(60, 20), coordinate(3, 8));
    anim->nextImage();
    editor->idle();
    EXPECT_EQ(pixel(60, 20), coordinate(3, 24));
}

// Three digits at x 100, 110, 120, each 6 x 8 cut from the coordinate
// picture's rows: digit d starts at row 8 d.
class DigitDisplayTest : public ControlFixture {
protected:
    GuiDigitDisplay* digits(std::int32_t count, std::int32_t initial) {
        const std::int32_t xs[] = {100, 110, 120, 130, 140, 150, 160, 170, 180};
        const std::int32_t ys[] = {60, 60, 60, 60, 60, 60, 60, 60, 60};
        return add(new GuiDigitDisplay(GuiRect(100, 60, 190, 68), &listener, 3, initial, count, xs,
                                       ys, 6, 8, bitmap(guitest::kLitCoordinates)));
    }
    void expectShown(std::initializer_list<int> shown) {
        int x = 100;
        for (int d : shown) {
            EXPECT_EQ(pixel(x, 60), coordinate(0, 8 * d)) << "at " << x;
            x += 10;
        }
    }
};

TEST_F(DigitDisplayTest, ShowsLeadingZerosAndLimitsToItsDigits) {
    GuiDigitDisplay* d = digits(3, 42);
    EXPECT_EQ(d->getMax(), 999.0f);
    d->setValue(42.7f);
    editor->idle();
    expectShown({0, 4, 2});
    d->setValue(5000.0f);
    editor->idle();
    expectShown({9, 9, 9});
    d->setValue(-7.0f);
    editor->idle();
    expectShown({0, 0, 0});
    EXPECT_FLOAT_EQ(d->getValueFraction(), 0.0f);
    d->setValue(499.5f);
    EXPECT_FLOAT_EQ(d->getValueFraction(), 0.5f);
}

TEST_F(DigitDisplayTest, OddCountsAndRangesNeitherCrashNorReadPastTheDigits) {
    GuiDigitDisplay* many = digits(9, 1234567);
    EXPECT_EQ(many->getDigitCount(), 7);
    EXPECT_EQ(many->getMax(), 9999999.0f);
    GuiDigitDisplay* none = digits(0, 5);
    EXPECT_EQ(none->getDigitCount(), 1);
    // A max with fewer digits than the display, and a negative minimum.
    GuiDigitDisplay* d = digits(3, 42);
    d->setMax(99.0f);
    d->setMin(-50.0f);
    d->setValue(-20.0f);
    EXPECT_EQ(d->digits()[0], 0);
    d->setValue(42.0f);
    EXPECT_EQ(d->digits()[0], 4);
    EXPECT_EQ(d->digits()[1], 2);
    EXPECT_EQ(d->digits()[2], 0);
    d->setMax(0.0f);
    EXPECT_EQ(d->getValueFraction(), 0.0f);
    editor->idle();
}

// A 10 x 10 button at (250, 10) that shows the 48 x 80 picture at (200, 30).
class PopupPictureTest : public ControlFixture {
protected:
    GuiPopupPicture* popup(int left, GuiRect display) {
        return add(new GuiPopupPicture(GuiRect(left, 10, left + 10, 20), &listener, 4,
                                       bitmap(guitest::kLitCoordinates), display, GuiPoint()));
    }
};

TEST_F(PopupPictureTest, AClickShowsThePictureModallyAndTheNextHidesIt) {
    GuiPopupPicture* p = popup(250, GuiRect(200, 30, 248, 110));
    press(255, 15, kLeft);
    EXPECT_EQ(p->getValue(), 1.0f);
    EXPECT_EQ(frame->getModalView(), p);
    EXPECT_EQ(p->getSize(), GuiRect(200, 30, 248, 110));
    EXPECT_EQ(pixel(200, 30), coordinate(0, 0));
    EXPECT_EQ(pixel(247, 109), coordinate(47, 79));

    press(255, 15, kLeft);  // outside the picture: nobody hears it
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f}));
    press(220, 60, kLeft);
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
    EXPECT_EQ(frame->getModalView(), nullptr);
    EXPECT_EQ(p->getSize(), GuiRect(250, 10, 260, 20));
}

TEST_F(PopupPictureTest, ASecondPopupIsRefusedWithoutDisturbingTheFirst) {
    GuiPopupPicture* first = popup(250, GuiRect(200, 30, 248, 110));
    GuiPopupPicture* second = popup(270, GuiRect(0, 0, 300, 120));
    press(255, 15, kLeft);
    // The frame sends clicks to the modal view only; call the second directly.
    GuiDrawContext context(frame, nullptr, window);
    platform::headless::setPointer({kOriginX + 275, kOriginY + 15}, kLeft);
    second->mouseDown(&context, GuiPoint(275, 15));
    EXPECT_EQ(second->getValue(), 0.0f);
    EXPECT_EQ(second->getSize(), GuiRect(270, 10, 280, 20));
    second->mouseDown(&context, GuiPoint(275, 15));
    EXPECT_EQ(frame->getModalView(), first);
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f}));
}

// The meters split the lit and unlit coordinate pictures, so every pixel
// names its bitmap (by blue) and its source position.
class LevelMeterTest : public ControlFixture {};

TEST_F(LevelMeterTest, AHorizontalBarIsLitFromTheLeftInWholeSegments) {
    auto* m = add(new GuiLevelMeter(GuiRect(20, 60, 68, 70), bitmap(guitest::kLitCoordinates),
                                    bitmap(guitest::kUnlitCoordinates), 4,
                                    GuiLevelMeterStyle::kHorizontal));
    m->setValue(0.5f);
    editor->idle();
    EXPECT_EQ(pixel(43, 65), coordinate(23, 5));
    EXPECT_EQ(pixel(44, 65), coordinate(24, 5, guitest::kUnlitBlue));
    m->setValue(0.3f);  // rounds to one segment of four
    editor->idle();
    EXPECT_EQ(pixel(31, 65), coordinate(11, 5));
    EXPECT_EQ(pixel(32, 65), coordinate(12, 5, guitest::kUnlitBlue));
}

TEST_F(LevelMeterTest, AVerticalBarGrowsUpwards) {
    auto* m = add(new GuiLevelMeter(GuiRect(100, 20, 110, 100), bitmap(guitest::kLitCoordinates),
                                    bitmap(guitest::kUnlitCoordinates), 8, 0));
    m->setValue(0.25f);
    editor->idle();
    EXPECT_EQ(pixel(100, 79), coordinate(0, 59, guitest::kUnlitBlue));
    EXPECT_EQ(pixel(100, 80), coordinate(0, 60));
    EXPECT_EQ(pixel(109, 99), coordinate(9, 79));
}

TEST_F(LevelMeterTest, TheBarFallsByAtMostOneStepPerDrawing) {
    auto* m = add(new GuiLevelMeter(GuiRect(20, 60, 68, 70), bitmap(guitest::kLitCoordinates),
                                    nullptr, 10, GuiLevelMeterStyle::kHorizontal));
    m->setValue(1.0f);
    editor->idle();
    m->setFallStep(0.1f);
    for (float expected : {0.9f, 0.8f, 0.7f}) {
        m->setValue(0.0f);
        editor->idle();
        EXPECT_NEAR(m->getValue(), expected, 1e-5);
    }
    m->setFallStep(1.0f);
    m->setValue(0.0f);
    editor->idle();
    EXPECT_EQ(m->getValue(), 0.0f);
    m->setValue(3.0f);  // limited to the range, rising at once
    editor->idle();
    EXPECT_EQ(m->getValue(), 1.0f);
}

TEST_F(LevelMeterTest, WithoutALitBitmapOrSegmentsNothingBreaks) {
    auto* dark = add(new GuiLevelMeter(GuiRect(20, 60, 68, 70), nullptr,
                                       bitmap(guitest::kUnlitCoordinates), 4, 0));
    const platform::Rgb before = pixel(30, 65);
    dark->setValue(0.5f);
    editor->idle();
    EXPECT_EQ(pixel(30, 65), before);
    auto* none = add(new GuiLevelMeter(GuiRect(100, 20, 110, 100), bitmap(guitest::kLitCoordinates),
                                       nullptr, 0, 0));
    none->setValue(0.6f);  // one segment: lit when above the half
    editor->idle();
    EXPECT_EQ(pixel(100, 99), coordinate(0, 79));
}

}  // namespace
