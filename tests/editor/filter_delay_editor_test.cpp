// The panel through the host's opcodes and the effect's parameter road:
// layout, the record's flags, both directions of traffic, close and reopen.
#include <gtest/gtest.h>

#include "gui/controls/knob.h"
#include "gui/controls/momentary_button.h"
#include "gui/controls/value_display.h"
#include "gui/controls/vertical_switch.h"
#include "gui/core/bitmap.h"
#include "gui/core/frame.h"
#include "gui/core/window_class.h"
#include "panel_fixture.h"

namespace hl = platform::headless;
using paneltest::AutomationLog;
using paneltest::PanelTest;

namespace {

using FilterDelayEditorTest = PanelTest;

TEST_F(FilterDelayEditorTest, TheEffectCarriesItsPanelAndItsRectangleBeforeOpen) {
    EXPECT_EQ(effect->getRecord()->flags, 0x19);
    ERect* rect = nullptr;
    EXPECT_EQ(dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 64);
    EXPECT_EQ(rect->right, 420);
    EXPECT_EQ(hl::windowCount(), 0);
}

TEST_F(FilterDelayEditorTest, OpenBuildsTwelveControlsInOrderOnTheirRectangles) {
    openPanel();
    GuiFrame* frame = editor->getFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->getSize(), GuiRect(0, 0, 420, 64));
    EXPECT_EQ(frame->getBackground(), editor->getBackgroundBitmap());
    ASSERT_EQ(frame->getViewCount(), 12);
    const struct {
        std::int32_t tag;
        GuiRect rect;
    } expected[] = {{0, {10, 13, 35, 39}},     {1, {50, 13, 75, 39}},     {2, {90, 13, 115, 39}},
                    {4, {159, 13, 184, 39}},   {5, {200, 13, 225, 39}},   {6, {305, 13, 330, 39}},
                    {7, {345, 13, 370, 39}},   {8, {385, 13, 410, 39}},   {3, {126, 14, 150, 39}},
                    {300, {278, 45, 290, 53}}, {301, {248, 45, 260, 53}}, {0, {252, 22, 284, 38}}};
    for (int i = 0; i < 12; ++i) {
        auto* control = dynamic_cast<GuiControl*>(frame->getView(i));
        ASSERT_NE(control, nullptr) << i;
        EXPECT_EQ(control->getTag(), expected[i].tag) << i;
        EXPECT_EQ(control->getSize(), expected[i].rect) << i;
        EXPECT_EQ(control->getListener(), i < 11 ? editor : nullptr) << i;
    }
    for (int i = 0; i < 8; ++i) {
        auto* knob = dynamic_cast<GuiKnob*>(frame->getView(i));
        ASSERT_NE(knob, nullptr);
        EXPECT_EQ(knob->getBackground(), editor->getBackgroundBitmap());
        EXPECT_EQ(knob->getInset(), 5);
        EXPECT_EQ(editor->getControl(knob->getTag()), knob);
    }
    EXPECT_NE(dynamic_cast<GuiVerticalSwitch*>(frame->getView(8)), nullptr);
    EXPECT_EQ(frame->getView(9), editor->getPlusButton());
    EXPECT_EQ(frame->getView(10), editor->getMinusButton());
    GuiValueDisplay* display = editor->getDisplay();
    ASSERT_EQ(frame->getView(11), display);
    EXPECT_EQ(display->getFont(), 3);
    EXPECT_EQ(display->getStyle(), 2);
    EXPECT_EQ(display->getBackgroundOffset(), GuiPoint(252, 22));
}

TEST_F(FilterDelayEditorTest, OpeningShowsTheEffectsValuesAndTheInputInPercent) {
    effect->setParameter(0, 0.8f);
    effect->setParameter(5, 0.3f);
    openPanel();
    EXPECT_FLOAT_EQ(editor->getControl(0)->getValue(), 0.8f);
    EXPECT_FLOAT_EQ(editor->getControl(5)->getValue(), 0.3f);
    EXPECT_FLOAT_EQ(editor->getControl(3)->getValue(), effect->getParameter(3));
    EXPECT_EQ(editor->getDisplayedParameter(), 0);
    EXPECT_EQ(displayText(), "80");
}

TEST_F(FilterDelayEditorTest, HostChangesMoveTheControlsAtTheNextIdleAndPickTheDisplay) {
    openPanel();
    const float before = editor->getControl(1)->getValue();
    effect->setParameter(1, 0.3f);
    EXPECT_EQ(editor->getDisplayedParameter(), 1);
    EXPECT_TRUE(editor->isUpdatePending());
    // Whatever thread it came from, the change waits for the idle.
    EXPECT_EQ(editor->getControl(1)->getValue(), before);
    idle();
    EXPECT_FLOAT_EQ(editor->getControl(1)->getValue(), 0.3f);
    EXPECT_EQ(displayText(), "300");

    effect->setParameter(6, 0.51f);
    idle();
    EXPECT_EQ(displayText(), "R1");
    effect->setParameter(6, 0.49f);
    idle();
    EXPECT_EQ(displayText(), "L1");
    effect->setParameter(6, 0.5f);
    idle();
    EXPECT_EQ(displayText(), "<C>");

    // The filter type moves its switch and leaves the display where it was.
    effect->setParameter(3, 1.0f);
    idle();
    EXPECT_FLOAT_EQ(editor->getControl(3)->getValue(), 1.0f);
    EXPECT_EQ(editor->getDisplayedParameter(), 6);
    EXPECT_EQ(displayText(), "<C>");
}

// Changes to several parameters between two idles add up: each moves its
// own control at the next idle, not only the one changed last.
TEST_F(FilterDelayEditorTest, EveryParameterChangedBetweenTwoIdlesMovesItsControl) {
    openPanel();
    const int changed[] = {0, 2, 3, 4, 8};
    for (int index : changed) effect->setParameter(index, index == 3 ? 0.5f : 0.11f * index);
    effect->setParameter(4, 0.7f);  // the same one twice keeps the others too
    idle();
    for (int index : changed) {
        EXPECT_FLOAT_EQ(editor->getControl(index)->getValue(), effect->getParameter(index))
            << index;
    }
    EXPECT_FLOAT_EQ(editor->getControl(4)->getValue(), 0.7f);
}

TEST_F(FilterDelayEditorTest, ASwitchToAnotherParameterWithTheSameValueRedrawsItsText) {
    openPanel();
    effect->setParameter(0, 0.3f);
    idle();
    EXPECT_EQ(displayText(), "30");
    effect->setParameter(1, 0.3f);
    idle();
    EXPECT_EQ(displayText(), "300");
    // The display drew the new text: its value and its last drawn value agree
    // again only after a redraw.
    EXPECT_EQ(editor->getDisplay()->getOldValue(), editor->getDisplay()->getValue());
}

TEST_F(FilterDelayEditorTest, HostChangesWhileClosedChangeNothingAndReopeningShowsThem) {
    openPanel();
    effect->setParameter(7, 0.2f);
    idle();
    closePanel();
    EXPECT_EQ(editor->getFrame(), nullptr);
    EXPECT_EQ(editor->getControl(7), nullptr);
    effect->setParameter(2, 0.9f);
    effect->setParameter(7, 0.6f);
    dispatch(effSetProgram, 0, 3);
    EXPECT_EQ(editor->getDisplayedParameter(), 7);
    EXPECT_FALSE(editor->isUpdatePending());
    idle();

    openPanel();
    EXPECT_FLOAT_EQ(editor->getControl(2)->getValue(), effect->getParameter(2));
    EXPECT_FLOAT_EQ(editor->getControl(7)->getValue(), effect->getParameter(7));
    EXPECT_EQ(editor->getDisplayedParameter(), 7);
}

TEST_F(FilterDelayEditorTest, ClosingKeepsThePanelPictureAndReleasesTheRest) {
    GuiBitmap* background = editor->getBackgroundBitmap();
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->getRefCount(), 1);
    openPanel();
    // The editor, the frame, eight knobs and the display hold it.
    EXPECT_EQ(background->getRefCount(), 11);
    closePanel();
    EXPECT_EQ(editor->getBackgroundBitmap(), background);
    EXPECT_EQ(background->getRefCount(), 1);
    EXPECT_EQ(hl::windowCount(), 0);
    EXPECT_EQ(windowClassUseCount(), 0);
    openPanel();
    EXPECT_EQ(background->getRefCount(), 11);
}

TEST_F(FilterDelayEditorTest, DoubleOpenAndDoubleCloseLeaveOneWindowAndThenNone) {
    openPanel();
    ASSERT_EQ(dispatch(effEditOpen, 0, 0, hl::makeParentWindow()), 1);
    EXPECT_EQ(hl::windowCount(), 1);
    EXPECT_EQ(editor->getFrame()->getViewCount(), 12);
    closePanel();
    closePanel();
    idle();
    EXPECT_EQ(hl::windowCount(), 0);
    EXPECT_EQ(windowClassUseCount(), 0);
}

TEST_F(FilterDelayEditorTest, DestroyingTheEffectWithItsPanelOpenClosesThePanelFirst) {
    openPanel();
    delete effect;
    effect = nullptr;
    EXPECT_EQ(hl::windowCount(), 0);
    EXPECT_EQ(windowClassUseCount(), 0);
}

TEST_F(FilterDelayEditorTest, OpenWithoutAWindowAnswersZeroAndClosesCleanly) {
    EXPECT_EQ(dispatch(effEditOpen, 0, 0, nullptr), 0);
    idle();
    closePanel();
    EXPECT_EQ(hl::windowCount(), 0);
}

}  // namespace
