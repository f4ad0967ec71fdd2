// The knob family: value-to-position geometry, the handle drawn over the
// panel behind it, and turning by the pointer's angle.
#include <cmath>
#include <limits>

#include "control_fixture.h"
#include "gui/controls/filmstrip_knob.h"
#include "gui/controls/knob.h"

namespace {

using guitest::ControlFixture;

class CountingKnob : public GuiKnob {
public:
    using GuiKnob::GuiKnob;
    void draw(GuiDrawContext* context) override {
        ++draws;
        GuiKnob::draw(context);
    }
    int draws = 0;
};

class KnobTest : public ControlFixture {};

TEST_F(KnobTest, PositionsMapToValuesWithTheGapAtTheBottom) {
    GuiKnob knob(GuiRect(0, 0, 24, 24), nullptr, 0, nullptr, nullptr, GuiPoint());
    ASSERT_EQ(knob.getInset(), 5);
    struct Case {
        GuiPoint p;
        float value;
    };
    for (const Case& c : {Case{{12, 12}, 0.5f}, Case{{12, 5}, 0.5f}, Case{{19, 12}, 0.8333333f},
                          Case{{5, 12}, 0.1666666f}, Case{{7, 19}, 0.0f}, Case{{17, 19}, 1.0f},
                          Case{{12, 19}, 1.0f}, Case{{12, 40}, 1.0f}}) {
        EXPECT_NEAR(knob.handlePosToValue(c.p), c.value, 1e-6) << c.p.h << "," << c.p.v;
    }
    // Ranges other than 0..1 scale the same way and never leave the range.
    knob.setMin(-2.0f);
    knob.setMax(2.0f);
    EXPECT_NEAR(knob.handlePosToValue(GuiPoint(19, 12)), 1.3333333f, 1e-5);
    EXPECT_EQ(knob.handlePosToValue(GuiPoint(17, 19)), 2.0f);
    EXPECT_EQ(knob.handlePosToValue(GuiPoint(7, 19)), -2.0f);
}

TEST_F(KnobTest, ValuesMapToHandlePositionsAndBeyondTheSweepOutsideTheRange) {
    GuiKnob knob(GuiRect(0, 0, 24, 24), nullptr, 0, nullptr, nullptr, GuiPoint());
    GuiPoint p;
    knob.valueToHandlePos(p);
    EXPECT_EQ(p, GuiPoint(7, 16));
    knob.setValue(1.0f);
    knob.valueToHandlePos(p);
    EXPECT_EQ(p, GuiPoint(16, 16));
    // The float angle for the middle falls just short of a whole turn.
    knob.setValue(0.5f);
    knob.valueToHandlePos(p);
    EXPECT_EQ(p, GuiPoint(11, 5));
    // 4/3 of the range is a whole turn past the start: lower left again.
    knob.setValue(1.0f + 1.0f / 3.0f);
    knob.valueToHandlePos(p);
    EXPECT_EQ(p, GuiPoint(7, 16));
}

TEST_F(KnobTest, AnEmptyRangeOrANonNumberKeepsTheHandleAtTheStart) {
    GuiKnob knob(GuiRect(0, 0, 24, 24), nullptr, 0, nullptr, nullptr, GuiPoint());
    knob.setMin(0.3f);
    knob.setMax(0.3f);
    knob.setValue(0.9f);
    GuiPoint p;
    knob.valueToHandlePos(p);
    EXPECT_EQ(p, GuiPoint(7, 16));
    EXPECT_EQ(knob.handlePosToValue(GuiPoint(19, 12)), 0.3f);
    knob.setMax(1.0f);
    knob.setValue(std::numeric_limits<float>::quiet_NaN());
    knob.valueToHandlePos(p);
    EXPECT_EQ(p, GuiPoint(7, 16));
}

TEST_F(KnobTest, DrawsThePanelBehindAndTheHandleThroughItsMask) {
    // A panel knob: 25 wide, 11 x 11 handle, so inset 5 and radius 7.5.
    // The panel behind the knob starts at (10, 20) of the background.
    auto* knob =
        add(new GuiKnob(GuiRect(40, 30, 65, 55), &listener, 4, bitmap(guitest::kLitCoordinates),
                        bitmap(guitest::kHandlePicture), GuiPoint(10, 20)));
    const platform::Rgb dark{40, 40, 40};
    frame->drawView(knob);
    // Value 0: the handle's corner at (+2, +12), its centre 5.5 further on.
    EXPECT_EQ(pixel(40 + 7, 30 + 17), dark);
    EXPECT_EQ(pixel(40 + 2, 30 + 12), coordinate(12, 32));  // key corner shows the panel
    EXPECT_EQ(pixel(40 + 24, 30 + 24), coordinate(34, 44));

    knob->setValue(1.0f);
    editor->idle();
    EXPECT_EQ(pixel(40 + 17, 30 + 17), dark);
    EXPECT_EQ(pixel(40 + 7, 30 + 17), coordinate(17, 37));  // the old place is panel again
    knob->setValue(0.5f);
    editor->idle();
    EXPECT_EQ(pixel(40 + 12, 30 + 5), dark);
}

TEST_F(KnobTest, HoldsItsBitmapsWhileItLives) {
    GuiBitmap* handle = bitmap(guitest::kHandlePicture);
    GuiBitmap* body = bitmap(guitest::kLitCoordinates);
    GuiBitmap* panel = bitmap(guitest::kUnlitCoordinates);
    {
        GuiKnob knob(GuiRect(0, 0, 25, 25), nullptr, 0, body, handle, GuiPoint());
        EXPECT_EQ(handle->getRefCount(), 2);
        knob.setBackground(panel);
        EXPECT_EQ(body->getRefCount(), 1);
        EXPECT_EQ(panel->getRefCount(), 2);
        EXPECT_EQ(knob.getBackground(), panel);
    }
    EXPECT_EQ(handle->getRefCount(), 1);
    EXPECT_EQ(panel->getRefCount(), 1);
}

TEST_F(KnobTest, UpdateDrawsAChangedKnobExactlyOnce) {
    auto* knob = add(new CountingKnob(GuiRect(40, 30, 65, 55), &listener, 4, nullptr,
                                      bitmap(guitest::kHandlePicture), GuiPoint()));
    editor->idle();
    EXPECT_EQ(knob->draws, 1);
    knob->setValue(0.7f);
    knob->setValue(0.7f);
    editor->idle();
    editor->idle();
    EXPECT_EQ(knob->draws, 2);
}

// A 24-pixel knob with the 11-pixel handle: the mouse turns it around the
// centre of the drawn handle's circle, 5 + 7 pixels right of and below its corner.
class KnobMouseTest : public ControlFixture {
protected:
    void SetUp() override {
        ControlFixture::SetUp();
        knob = add(new GuiKnob(GuiRect(100, 50, 124, 74), &listener, 2, nullptr,
                               bitmap(guitest::kHandlePicture), GuiPoint()));
        listener.values.clear();
    }
    GuiKnob* knob = nullptr;
};

TEST_F(KnobMouseTest, ThePressJumpsToThePointersAngleAndTheDragFollowsIt) {
    ASSERT_TRUE(
        press(112, 55, kLeft, {at(119, 62, kLeft), at(107, 69, kLeft), at(200, 200, kLeft)}));
    ASSERT_EQ(listener.values.size(), 4u);
    EXPECT_NEAR(listener.values[0], 0.5f, 1e-6);        // straight up
    EXPECT_NEAR(listener.values[1], 0.8333333f, 1e-6);  // right of the centre
    EXPECT_EQ(listener.values[2], 0.0f);                // gap, left of the bottom
    EXPECT_EQ(listener.values[3], 1.0f);                // far away, lower right
    EXPECT_EQ(listener.tags[0], 2);
    EXPECT_EQ(knob->getValue(), 1.0f);
}

TEST_F(KnobMouseTest, APressAtTheCentreSetsTheMiddle) {
    knob->setMin(10.0f);
    knob->setMax(20.0f);
    press(112, 62, kLeft);
    ASSERT_EQ(listener.values.size(), 1u);
    EXPECT_EQ(listener.values[0], 15.0f);
}

TEST_F(KnobMouseTest, AltLeftSetsTheDefaultButShiftAltLeftTurns) {
    knob->setDefaultValue(0.25f);
    press(119, 62, kLeft | kAlt, {at(119, 62, kLeft | kAlt)});
    ASSERT_EQ(listener.values.size(), 1u);
    EXPECT_EQ(listener.values[0], 0.25f);
    // Showing the default already: set again, nobody told.
    press(119, 62, kLeft | kAlt);
    EXPECT_EQ(listener.values.size(), 1u);

    press(119, 62, kLeft | kAlt | kShift);
    ASSERT_EQ(listener.values.size(), 2u);
    EXPECT_NEAR(listener.values[1], 0.8333333f, 1e-6);
}

TEST_F(KnobMouseTest, HasNoFineModeAndKeepsTurningWhileShiftIsHeld) {
    press(112, 55, kLeft | kShift,
          {at(119, 62, kLeft | kShift), at(107, 69, kShift), at(112, 55, kShift)});
    ASSERT_EQ(listener.values.size(), 4u);
    EXPECT_NEAR(listener.values[1], 0.8333333f, 1e-6);  // full step, not a tenth
    EXPECT_EQ(listener.values[2], 0.0f);                // button up, shift still down
    EXPECT_NEAR(listener.values[3], 0.5f, 1e-6);
}

TEST_F(KnobMouseTest, DuringADragTheThrottledIdleRedrawsEachNewValueOnce) {
    frame->removeView(knob);
    delete knob;
    auto* counted = add(new CountingKnob(GuiRect(100, 50, 124, 74), &listener, 2, nullptr,
                                         bitmap(guitest::kHandlePicture), GuiPoint()));
    editor->idle();
    ASSERT_EQ(counted->draws, 1);
    listener.redraw = false;  // only the idle inside the loop draws
    platform::headless::setTickStepPerPoll(60);
    press(112, 55, kLeft, {at(119, 62, kLeft), at(107, 69, kLeft)});
    EXPECT_EQ(counted->draws, 4);
    ASSERT_EQ(listener.values.size(), 3u);
    EXPECT_EQ(listener.values[2], 0.0f);
    EXPECT_EQ(guitest::HostLog::count(audioMasterIdle), 4);

    // With the clock still, the idle stays throttled: nothing is drawn and
    // each pass reports the undrawn value again.
    listener.values.clear();
    platform::headless::setTickStepPerPoll(0);
    editor->doIdle();  // the throttle's window starts now
    press(112, 55, kLeft, {at(119, 62, kLeft)});
    EXPECT_EQ(counted->draws, 4);
    ASSERT_EQ(listener.values.size(), 3u);
    EXPECT_EQ(listener.values[0], listener.values[1]);
}

TEST_F(KnobMouseTest, ADisabledKnobIgnoresThePress) {
    knob->setMouseEnabled(false);
    press(119, 62, kLeft | kAlt);
    press(119, 62, kLeft);
    EXPECT_TRUE(listener.values.empty());
    EXPECT_EQ(knob->getValue(), 0.0f);
}

// A 16 x 16 filmstrip knob over five 16-row images of the coordinate
// picture: the pixel at its corner names the image's first row.
class FilmstripKnobTest : public ControlFixture {
protected:
    GuiFilmstripKnob* knob(std::int32_t imageHeight = 16) {
        return add(new GuiFilmstripKnob(GuiRect(150, 60, 166, 76), &listener, 6, 5, imageHeight,
                                        bitmap(guitest::kLitCoordinates), GuiPoint(30, 30)));
    }
};

TEST_F(FilmstripKnobTest, ShowsTheImageAtOrBelowTheValueAndStaysInsideTheStrip) {
    GuiFilmstripKnob* k = knob();
    struct Case {
        float value;
        int row;
    };
    for (const Case& c :
         {Case{0.0f, 0}, Case{-1.0f, 0}, Case{0.24f, 0}, Case{0.25f, 16}, Case{0.6f, 32},
          Case{1.0f, 64}, Case{5.0f, 64}, Case{std::numeric_limits<float>::quiet_NaN(), 0}}) {
        k->setValue(c.value);
        EXPECT_EQ(k->imageRow(), c.row) << c.value;
        frame->drawView(k);
        EXPECT_EQ(pixel(150, 60), coordinate(0, c.row)) << c.value;
    }
    EXPECT_EQ(k->getInset(), 0);
}

TEST_F(FilmstripKnobTest, AStripOfZeroHeightShowsItsTopWithoutHanging) {
    GuiFilmstripKnob* k = knob(0);
    k->setValue(0.7f);
    EXPECT_EQ(k->imageRow(), 0);
    frame->drawView(k);
    EXPECT_EQ(pixel(151, 61), coordinate(1, 1));
}

TEST_F(FilmstripKnobTest, TurnsAboutTheViewsCentre) {
    knob();
    press(166, 68, kLeft, {at(150, 68, kLeft), at(158, 60, kLeft)});
    ASSERT_EQ(listener.values.size(), 3u);
    EXPECT_NEAR(listener.values[0], 0.8333333f, 1e-6);
    EXPECT_NEAR(listener.values[1], 0.1666666f, 1e-6);
    EXPECT_NEAR(listener.values[2], 0.5f, 1e-6);
}

}  // namespace
