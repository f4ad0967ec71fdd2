// Buttons and switches: which image shows for a value, and what a press,
// a drag and a release report.
#include <limits>

#include "control_fixture.h"
#include "gui/controls/center_switch.h"
#include "gui/controls/horizontal_switch.h"
#include "gui/controls/latch_button.h"
#include "gui/controls/momentary_button.h"
#include "gui/controls/toggle_button.h"
#include "gui/controls/vertical_switch.h"

namespace {

using guitest::ControlFixture;

// The panel's filter-type switch: 24 x 25, three images of 25 rows; the
// coordinate picture stands in for the strip, so a pixel names its row.
class VerticalSwitchTest : public ControlFixture {
protected:
    void SetUp() override {
        ControlFixture::SetUp();
        sw = add(new GuiVerticalSwitch(GuiRect(60, 20, 84, 45), &listener, 3, 3, 25, 3,
                                       bitmap(guitest::kLitCoordinates), GuiPoint()));
    }
    int shownRow() {
        frame->drawView(sw);
        return pixel(60, 20) == coordinate(0, 0)    ? 0
               : pixel(60, 20) == coordinate(0, 25) ? 25
               : pixel(60, 20) == coordinate(0, 50) ? 50
                                                    : -1;
    }
    GuiVerticalSwitch* sw = nullptr;
};

TEST_F(VerticalSwitchTest, EachValueShowsItsImageAndStraysShowTheEnds) {
    struct Case {
        float value;
        int row;
    };
    for (const Case& c :
         {Case{0.0f, 0}, Case{0.49f, 0}, Case{0.5f, 25}, Case{0.99f, 25}, Case{1.0f, 50},
          Case{7.0f, 50}, Case{-3.0f, 0}, Case{std::numeric_limits<float>::quiet_NaN(), 50}}) {
        sw->setValue(c.value);
        EXPECT_EQ(shownRow(), c.row) << c.value;
    }
    EXPECT_EQ(pixel(83, 44), coordinate(23, 74));
}

TEST_F(VerticalSwitchTest, ThePointersHeightPicksTheZone) {
    struct Case {
        int dy;
        float value;
    };
    for (const Case& c : {Case{0, 0.0f}, Case{7, 0.0f}, Case{8, 0.5f}, Case{15, 0.5f},
                          Case{16, 1.0f}, Case{25, 1.0f}}) {
        listener.values.clear();
        sw->setValue(0.25f);  // drawn as something none of the zones gives
        sw->setOldValue(0.25f);
        press(70, 20 + c.dy, kLeft);
        ASSERT_EQ(listener.values.size(), 1u) << c.dy;
        EXPECT_EQ(listener.values[0], c.value) << c.dy;
    }
}

TEST_F(VerticalSwitchTest, ADragFollowsAndLeavingTheViewGivesTheEnds) {
    press(70, 22, kLeft, {at(70, 30, kLeft), at(200, 100, kLeft), at(70, 0, kLeft)});
    EXPECT_EQ(listener.values, (std::vector<float>{0.0f, 0.5f, 1.0f, 0.0f}));
    EXPECT_EQ(shownRow(), 0);
}

TEST_F(VerticalSwitchTest, AltLeftSetsZeroAndReportsOnlyAChange) {
    sw->setValue(1.0f);
    editor->idle();
    press(70, 40, kLeft | kAlt);
    EXPECT_EQ(listener.values, (std::vector<float>{0.0f}));
    EXPECT_EQ(shownRow(), 0);
    press(70, 40, kLeft | kAlt);
    EXPECT_EQ(listener.values.size(), 1u);
    // With shift as well it is an ordinary press.
    press(70, 40, kLeft | kAlt | kShift);
    EXPECT_EQ(listener.values, (std::vector<float>{0.0f, 1.0f}));
}

TEST_F(VerticalSwitchTest, ASwitchWithoutPositionsHasOne) {
    auto* single = add(new GuiVerticalSwitch(GuiRect(100, 20, 124, 45), &listener, 5, 0, 25, 0,
                                             bitmap(guitest::kLitCoordinates), GuiPoint()));
    EXPECT_EQ(single->getPositionCount(), 1);
    single->setValue(0.3f);
    frame->drawView(single);
    EXPECT_EQ(pixel(100, 20), coordinate(0, 0));
    press(110, 21, kLeft);
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f}));
}

// The panel's "+" button: 12 x 8, two images of 8 rows.
class MomentaryButtonTest : public ControlFixture {
protected:
    void SetUp() override {
        ControlFixture::SetUp();
        button = add(new GuiMomentaryButton(GuiRect(150, 40, 162, 48), &listener, 301, 8,
                                            bitmap(guitest::kLitCoordinates), GuiPoint()));
        editor->idle();
    }
    GuiMomentaryButton* button = nullptr;
};

TEST_F(MomentaryButtonTest, AClickReportsThePressAndTheRelease) {
    press(155, 44, kLeft);
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
    EXPECT_EQ(listener.tags, (std::vector<std::int32_t>{301, 301}));
    EXPECT_EQ(button->getValue(), 0.0f);
}

// Redraws like the editor and notes the button's top-left pixel at each report.
struct PixelWatcher : guitest::RecordingListener {
    void valueChanged(GuiDrawContext* context, GuiControl* control) override {
        RecordingListener::valueChanged(context, control);
        const GuiRect& r = control->getSize();
        seen.push_back(platform::headless::pixel(context->getWindow(), r.left, r.top));
    }
    std::vector<platform::Rgb> seen;
};

TEST_F(MomentaryButtonTest, ShowsTheSecondImageWhileHeldInside) {
    PixelWatcher watcher;
    watcher.redraw = true;
    auto* plus = add(new GuiMomentaryButton(GuiRect(200, 40, 212, 48), &watcher, 301, 8,
                                            bitmap(guitest::kLitCoordinates), GuiPoint(4, 0)));
    press(205, 44, kLeft);
    ASSERT_EQ(watcher.seen.size(), 2u);
    EXPECT_EQ(watcher.seen[0], coordinate(4, 8));
    EXPECT_EQ(watcher.seen[1], coordinate(4, 0));
    EXPECT_EQ(plus->getValue(), 0.0f);
}

TEST_F(MomentaryButtonTest, DraggedOutAndReleasedItReportsZeroTwice) {
    press(155, 44, kLeft, {at(155, 44, kLeft), at(190, 44, kLeft)});
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f, 0.0f}));
}

TEST_F(MomentaryButtonTest, APressAlreadyReleasedFlipsOnceAndResets) {
    platform::headless::setPointer({kOriginX + 155, kOriginY + 44}, 0);
    platform::headless::sendButtonDown(window, {155, 44});
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
}

TEST_F(MomentaryButtonTest, DrawingClampsTheValueAndShowsItsImage) {
    button->setValue(2.0f);
    editor->idle();
    EXPECT_EQ(button->getValue(), 1.0f);
    EXPECT_EQ(pixel(150, 40), coordinate(0, 8));
    button->setValue(-1.0f);
    editor->idle();
    EXPECT_EQ(button->getValue(), 0.0f);
    EXPECT_EQ(pixel(161, 47), coordinate(11, 7));
}

TEST_F(MomentaryButtonTest, AnImageBeyondTheStripShowsItsLastRows) {
    auto* tall = add(new GuiMomentaryButton(GuiRect(200, 40, 212, 48), &listener, 9, 500,
                                            bitmap(guitest::kLitCoordinates), GuiPoint()));
    tall->setValue(1.0f);
    frame->drawView(tall);
    EXPECT_EQ(pixel(200, 40), coordinate(0, guitest::kCoordinateHeight - 8));
}

TEST_F(MomentaryButtonTest, ADisabledButtonReportsNothing) {
    button->setMouseEnabled(false);
    press(155, 44, kLeft);
    EXPECT_TRUE(listener.values.empty());
}

// The other buttons and switches over the coordinate picture.
class ButtonFamilyTest : public ControlFixture {};

TEST_F(ButtonFamilyTest, AToggleFlipsOnEveryPressByTheIntegerPart) {
    auto* toggle = add(new GuiToggleButton(GuiRect(20, 20, 30, 60), &listener, 11,
                                           bitmap(guitest::kLitCoordinates)));
    toggle->setValue(0.7f);
    press(25, 30, kLeft);
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f}));
    EXPECT_EQ(pixel(20, 20), coordinate(0, 40));  // the lower half, drawn at once
    press(25, 30, kLeft);
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
    EXPECT_EQ(pixel(20, 20), coordinate(0, 0));
    // No tracking: the press alone acts, the scripted states stay unread.
    EXPECT_EQ(platform::headless::pendingInput(), 3);
}

TEST_F(ButtonFamilyTest, AToggleWithoutABitmapDrawsNothing) {
    auto* toggle = add(new GuiToggleButton(GuiRect(20, 20, 30, 60), &listener, 11, nullptr));
    const platform::Rgb before = pixel(25, 25);
    press(25, 30, kLeft);
    EXPECT_EQ(toggle->getValue(), 1.0f);
    EXPECT_EQ(pixel(25, 25), before);
}

TEST_F(ButtonFamilyTest, ALatchKeepsWhatShowedAtRelease) {
    auto* latch = add(new GuiLatchButton(GuiRect(40, 20, 52, 28), &listener, 12, 8,
                                         bitmap(guitest::kLitCoordinates), GuiPoint(9, 9)));
    press(45, 24, kLeft);
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f}));
    EXPECT_EQ(latch->getValue(), 1.0f);
    EXPECT_EQ(latch->getLastValue(), 1.0f);
    EXPECT_EQ(pixel(40, 20), coordinate(0, 8));  // the offset is not used for drawing
    // Pressed and dragged off before release: back to what it was.
    press(45, 24, kLeft, {at(45, 24, kLeft), at(90, 24, kLeft)});
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f, 1.0f}));
    EXPECT_EQ(latch->getValue(), 1.0f);
    press(45, 24, kLeft);
    EXPECT_EQ(latch->getValue(), 0.0f);
    EXPECT_EQ(latch->getLastValue(), 0.0f);
}

TEST_F(ButtonFamilyTest, ACenterSwitchFollowsTheHalvesAndSpringsBack) {
    // 21 wide: the middle column 110 belongs to the left half.
    auto* centre = add(new GuiCenterSwitch(GuiRect(100, 20, 121, 30), &listener, 13, 10,
                                           bitmap(guitest::kLitCoordinates), GuiPoint(0, 5)));
    editor->idle();  // drawn at rest, as a panel is before anyone clicks
    press(110, 25, kLeft);
    EXPECT_EQ(listener.values, (std::vector<float>{-1.0f, 0.0f}));
    listener.values.clear();
    press(111, 25, kLeft, {at(104, 25, kLeft), at(104, 80, kLeft)});
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, -1.0f, 0.0f, 0.0f}));
    EXPECT_EQ(centre->getValue(), 0.0f);

    for (auto [v, row] : {std::pair{-1.0f, 5}, std::pair{0.0f, 15}, std::pair{1.0f, 25}}) {
        centre->setValue(v);
        frame->drawView(centre);
        EXPECT_EQ(pixel(100, 20), coordinate(0, row)) << v;
    }
}

TEST_F(ButtonFamilyTest, AHorizontalSwitchsZonesIncludeTheirLimit) {
    // Three positions over the 48-pixel-wide strip: zones of 16.
    auto* sw = add(new GuiHorizontalSwitch(GuiRect(150, 20, 198, 36), &listener, 14, 3, 16, 3,
                                           bitmap(guitest::kLitCoordinates), GuiPoint()));
    struct Case {
        int dx;
        float value;
    };
    for (const Case& c :
         {Case{0, 0.0f}, Case{16, 0.0f}, Case{17, 0.5f}, Case{32, 0.5f}, Case{33, 1.0f}}) {
        listener.values.clear();
        sw->setValue(0.25f);
        sw->setOldValue(0.25f);
        press(150 + c.dx, 25, kLeft);
        ASSERT_EQ(listener.values.size(), 1u) << c.dx;
        EXPECT_EQ(listener.values[0], c.value) << c.dx;
    }
    EXPECT_EQ(pixel(150, 20), coordinate(0, 32));  // showing 1.0: the third image
    press(160, 25, kLeft | kAlt);
    EXPECT_EQ(sw->getValue(), 0.0f);
}

TEST_F(ButtonFamilyTest, DisabledButtonsAndSwitchesIgnorePresses) {
    GuiControl* controls[] = {
        add(new GuiToggleButton(GuiRect(20, 20, 30, 60), &listener, 1, nullptr)),
        add(new GuiLatchButton(GuiRect(40, 20, 52, 28), &listener, 2, 8, nullptr, GuiPoint())),
        add(new GuiCenterSwitch(GuiRect(100, 20, 121, 30), &listener, 3, 10, nullptr, GuiPoint())),
        add(new GuiHorizontalSwitch(GuiRect(150, 20, 198, 36), &listener, 4, 3, 16, 3, nullptr,
                                    GuiPoint()))};
    for (GuiControl* c : controls) {
        c->setMouseEnabled(false);
        const GuiRect& r = c->getSize();
        press(r.left + 1, r.top + 1, kLeft);
        press(r.left + 1, r.top + 1, kLeft | kAlt);
    }
    EXPECT_TRUE(listener.values.empty());
}

}  // namespace
