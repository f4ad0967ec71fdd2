// A listener that closes the editor, deleting the frame and the control,
// from inside the control's first report: each control's mouseDown ends
// there without reporting again or reading the pointer further, and the
// editor opens again afterwards. (The panel's knob, switch and buttons are
// covered with a real host in tests/editor/close_during_drag_test.cpp.)
#include <gtest/gtest.h>

#include "control_fixture.h"
#include "gui/controls/center_switch.h"
#include "gui/controls/knob.h"
#include "gui/controls/momentary_button.h"
#include "gui/controls/vertical_slider.h"

namespace {

using guitest::ControlFixture;

struct ClosingListener : ControlListener {
    GuiEditorBase* editor = nullptr;
    int reports = 0;
    void valueChanged(GuiDrawContext*, GuiControl*) override {
        ++reports;
        editor->close();
    }
};

class CloseInsideReportTest : public ControlFixture {
protected:
    void SetUp() override {
        ControlFixture::SetUp();
        closer.editor = editor;
    }
    void expectEndedAtTheFirstReport(bool dragged) {
        EXPECT_EQ(closer.reports, 1);  // reported once, then nothing from a deleted control
        EXPECT_EQ(editor->getFrame(), nullptr);
        if (dragged) {
            EXPECT_GT(platform::headless::pendingInput(), 0);
        }
        // Open again: a new frame and window, fit for another click.
        ASSERT_EQ(editor->open(platform::headless::makeParentWindow()), 1);
        frame = editor->getFrame();
        window = frame->getWindow();
        ASSERT_NE(window, nullptr);
        platform::headless::setWindowOrigin(window, {kOriginX, kOriginY});
        platform::headless::sendPaint(window);
        closer.reports = 0;
    }
    ClosingListener closer;
};

TEST_F(CloseInsideReportTest, AKnobDrag) {
    add(new GuiKnob(GuiRect(40, 30, 65, 55), &closer, 4, nullptr, nullptr, GuiPoint()));
    press(42, 50, kLeft, {at(50, 30, kLeft), at(60, 40, kLeft)});
    expectEndedAtTheFirstReport(true);
}

TEST_F(CloseInsideReportTest, ASliderDrag) {
    auto* s = add(new GuiVerticalSlider(
        GuiRect(200, 10, 211, 90), &closer, 8, 10, 70, bitmap(guitest::kHandlePicture),
        bitmap(guitest::kLitCoordinates), GuiPoint(), GuiSliderStyle::kVerticalZeroAtMin));
    s->setValue(0.5f);
    editor->idle();
    press(205, 45, kLeft, {at(205, 60, kLeft), at(205, 70, kLeft)});
    expectEndedAtTheFirstReport(true);
}

TEST_F(CloseInsideReportTest, ACentreSwitchHeldAndClickedAfterTheRelease) {
    add(new GuiCenterSwitch(GuiRect(100, 20, 121, 30), &closer, 13, 10, nullptr, GuiPoint()));
    press(102, 25, kLeft, {at(104, 25, kLeft), at(115, 25, kLeft), at(118, 25, kLeft)});
    expectEndedAtTheFirstReport(true);

    add(new GuiCenterSwitch(GuiRect(100, 20, 121, 30), &closer, 13, 10, nullptr, GuiPoint()));
    press(102, 25, 0);  // released before mouseDown ran: one report, then the rest
    expectEndedAtTheFirstReport(false);
}

TEST_F(CloseInsideReportTest, AMomentaryButtonHeldAndClickedAfterTheRelease) {
    add(new GuiMomentaryButton(GuiRect(150, 40, 162, 48), &closer, 301, 8, nullptr, GuiPoint()));
    press(155, 44, kLeft, {at(156, 44, kLeft)});
    expectEndedAtTheFirstReport(true);

    add(new GuiMomentaryButton(GuiRect(150, 40, 162, 48), &closer, 301, 8, nullptr, GuiPoint()));
    press(155, 44, 0);
    expectEndedAtTheFirstReport(false);
}

}  // namespace
