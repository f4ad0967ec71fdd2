// Sliders: the handle drawn along its travel, grabbed only on itself,
// dragged without a jump, ten times finer with shift.
#include "control_fixture.h"
#include "gui/controls/horizontal_slider.h"
#include "gui/controls/vertical_slider.h"

namespace {

using guitest::ControlFixture;

const platform::Rgb kHandleDot{40, 40, 40};

// An 11 x 80 track whose handle (11 x 11) travels from y 10 to y 70.
class VerticalSliderTest : public ControlFixture {
protected:
    GuiVerticalSlider* slider(std::int32_t style, float start = 0.5f) {
        auto* s = add(new GuiVerticalSlider(GuiRect(200, 10, 211, 90), &listener, 8, 10, 70,
                                            bitmap(guitest::kHandlePicture),
                                            bitmap(guitest::kLitCoordinates), GuiPoint(), style));
        s->setValue(start);
        editor->idle();
        listener.values.clear();
        return s;
    }
};

TEST_F(VerticalSliderTest, TheHandleSitsAlongTheTravelOverTheTrack) {
    GuiVerticalSlider* s = slider(GuiSliderStyle::kVerticalZeroAtMin);
    EXPECT_EQ(s->getHandlePos(), 40);
    EXPECT_EQ(pixel(205, 45), kHandleDot);
    EXPECT_EQ(pixel(200, 40), coordinate(0, 30));  // the handle's key corner shows the track
    EXPECT_EQ(pixel(205, 80), coordinate(5, 70));
    s->setValue(1.0f);
    editor->idle();
    EXPECT_EQ(s->getHandlePos(), 70);
    EXPECT_EQ(pixel(205, 75), kHandleDot);
    EXPECT_EQ(pixel(205, 45), coordinate(5, 35));
    // Without the drawing bit value 0 sits at the far end.
    GuiVerticalSlider* reversed = slider(GuiSliderStyle::kVerticalMouseZeroAtMax, 0.0f);
    EXPECT_EQ(reversed->getHandlePos(), 70);
}

TEST_F(VerticalSliderTest, APressOffTheHandleDoesNothing) {
    GuiVerticalSlider* s = slider(GuiSliderStyle::kVerticalZeroAtMin);
    press(205, 80, kLeft, {at(205, 20, kLeft)});
    EXPECT_TRUE(listener.values.empty());
    EXPECT_EQ(s->getValue(), 0.5f);
}

TEST_F(VerticalSliderTest, TheDragKeepsTheGrabAndClampsAtTheEnds) {
    GuiVerticalSlider* s = slider(GuiSliderStyle::kVerticalZeroAtMin);
    press(205, 45, kLeft, {at(205, 51, kLeft), at(205, 200, kLeft), at(205, -50, kLeft)});
    ASSERT_EQ(listener.values.size(), 3u);  // the press itself moves nothing
    EXPECT_FLOAT_EQ(listener.values[0], 0.6f);
    EXPECT_EQ(listener.values[1], 1.0f);
    EXPECT_EQ(listener.values[2], 0.0f);
    EXPECT_EQ(s->getHandlePos(), 10);
}

TEST_F(VerticalSliderTest, ShiftMovesATenthFromTheValueAtThePress) {
    slider(GuiSliderStyle::kVerticalZeroAtMin);
    press(205, 45, kLeft | kShift, {at(205, 51, kLeft | kShift), at(205, 105, kLeft | kShift)});
    ASSERT_EQ(listener.values.size(), 2u);
    EXPECT_FLOAT_EQ(listener.values[0], 0.51f);
    EXPECT_FLOAT_EQ(listener.values[1], 0.6f);
}

TEST_F(VerticalSliderTest, ShiftPressedMidDragTakesTheCurrentValueWithoutAJump) {
    slider(GuiSliderStyle::kVerticalZeroAtMin);
    press(205, 45, kLeft,
          {at(205, 51, kLeft), at(205, 51, kLeft), at(205, 51, kLeft | kShift),
           at(205, 57, kLeft | kShift)});
    ASSERT_EQ(listener.values.size(), 2u);
    EXPECT_FLOAT_EQ(listener.values[0], 0.6f);
    EXPECT_FLOAT_EQ(listener.values[1], 0.61f);
}

TEST_F(VerticalSliderTest, OnlyAPlainOrShiftedLeftPressDrags) {
    GuiVerticalSlider* s = slider(GuiSliderStyle::kVerticalZeroAtMin);
    press(205, 45, kRight, {at(205, 60, kRight)});
    press(205, 45, kLeft | kControl, {at(205, 60, kLeft | kControl)});
    EXPECT_TRUE(listener.values.empty());
    // Another key during a drag ends it.
    press(205, 45, kLeft,
          {at(205, 51, kLeft), at(205, 51, kLeft), at(205, 51, kLeft | kControl),
           at(205, 63, kLeft)});
    EXPECT_EQ(listener.values.size(), 1u);
    EXPECT_FLOAT_EQ(s->getValue(), 0.6f);
}

TEST_F(VerticalSliderTest, AltLeftSetsTheDefault) {
    GuiVerticalSlider* s = slider(GuiSliderStyle::kVerticalZeroAtMin, 0.9f);
    s->setDefaultValue(0.2f);
    press(205, 20, kLeft | kAlt);
    EXPECT_EQ(listener.values, (std::vector<float>{0.2f}));
}

TEST_F(VerticalSliderTest, TheHandleFollowsThePointerWhateverTheDirectionBits) {
    for (std::int32_t style :
         {std::int32_t{GuiSliderStyle::kVerticalMouseZeroAtMax}, 0,
          GuiSliderStyle::kVerticalZeroAtMin | GuiSliderStyle::kVerticalMouseZeroAtMax}) {
        listener.values.clear();
        GuiVerticalSlider* s = slider(style);
        const std::int32_t before = s->getHandlePos();
        const float expected = (style & GuiSliderStyle::kVerticalZeroAtMin) ? 0.6f : 0.4f;
        press(205, before + 5, kLeft, {at(205, before + 11, kLeft)});
        ASSERT_EQ(listener.values.size(), 1u) << style;
        EXPECT_FLOAT_EQ(listener.values[0], expected) << style;
        EXPECT_EQ(s->getHandlePos(), before + 6) << style;
        frame->removeView(s);
        delete s;
    }
}

TEST_F(VerticalSliderTest, ATravelOfNoLengthKeepsTheValue) {
    auto* s = add(new GuiVerticalSlider(GuiRect(200, 10, 211, 90), &listener, 8, 30, 30,
                                        bitmap(guitest::kHandlePicture), nullptr, GuiPoint(),
                                        GuiSliderStyle::kVerticalZeroAtMin));
    s->setValue(0.3f);
    editor->idle();
    press(205, 35, kLeft, {at(205, 60, kLeft)});
    EXPECT_TRUE(listener.values.empty());
    EXPECT_EQ(s->getValue(), 0.3f);
}

// The mirror image: a 80 x 11 track whose handle travels from x 20 to x 80.
class HorizontalSliderTest : public ControlFixture {};

TEST_F(HorizontalSliderTest, DrawsAndDragsAlongX) {
    auto* s = add(new GuiHorizontalSlider(
        GuiRect(20, 100, 100, 111), &listener, 9, 20, 80, bitmap(guitest::kHandlePicture),
        bitmap(guitest::kLitCoordinates), GuiPoint(0, 40), GuiSliderStyle::kHorizontalZeroAtMin));
    s->setValue(0.25f);
    editor->idle();
    EXPECT_EQ(s->getHandlePos(), 35);
    EXPECT_EQ(pixel(40, 105), kHandleDot);
    EXPECT_EQ(pixel(35, 100), coordinate(15, 40));
    listener.values.clear();
    press(40, 105, kLeft, {at(52, 105, kLeft), at(52, 20, kLeft)});
    EXPECT_EQ(listener.values.size(), 1u);
    EXPECT_FLOAT_EQ(s->getValue(), 0.45f);
    EXPECT_EQ(s->getHandlePos(), 47);
    press(30, 105, kLeft, {at(90, 105, kLeft)});  // beside the handle
    EXPECT_FLOAT_EQ(s->getValue(), 0.45f);
}

}  // namespace
