// A host that closes the editor (effEditClose) or destroys the plug-in
// (effClose) from inside the automation report (audioMasterAutomate) or the
// idle request (audioMasterIdle) while a control is being dragged. The
// tracking loop must end at once without touching the deleted control, no
// automation may follow the close, and a closed editor opens and drags again.
// Under the address sanitizer (asan preset) any touch of freed memory fails.
#include <gtest/gtest.h>

#include "editor/editor_factory.h"
#include "gui/controls/control.h"
#include "panel_fixture.h"

namespace hl = platform::headless;
using paneltest::FilterDelayEditor;
using paneltest::FilterDelayEffect;
using paneltest::PanelTest;

namespace {

constexpr unsigned kLeft = platform::kMouseLeft;

enum class Inside { automate, idle };
enum class Closes { editor, plugin };

// The host of one test: closes once, at the chosen request, after the first
// automation of the gesture has arrived.
struct ClosingHost {
    Inside inside = Inside::automate;
    Closes closes = Closes::editor;
    bool armed = false;
    bool closed = false;
    int automations = 0;
    int afterClose = 0;
    int closesSent = 0;
};

ClosingHost* host = nullptr;

VstIntPtr hostCallback(AEffect* record, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    if (opcode == audioMasterVersion) return 2400;
    if (!host) return 0;
    if (opcode == audioMasterAutomate) {
        ++host->automations;
        if (host->closed) ++host->afterClose;
    }
    const bool asked = (opcode == audioMasterAutomate && host->inside == Inside::automate) ||
                       (opcode == audioMasterIdle && host->inside == Inside::idle);
    if (asked && host->armed && !host->closed && host->automations > 0) {
        host->closed = true;
        ++host->closesSent;
        record->dispatcher(record, host->closes == Closes::editor ? effEditClose : effClose, 0, 0,
                           nullptr, 0.0f);
    }
    return 0;
}

class CloseDuringDragTest : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        delete effect;
        effect = new FilterDelayEffect(&hostCallback, &molvex::createFilterDelayEditor);
        editor = static_cast<FilterDelayEditor*>(effect->getEditor());
        host = &state;
    }
    void TearDown() override {
        host = nullptr;
        if (state.closed && state.closes == Closes::plugin)
            effect = nullptr;  // deleted by effClose
        PanelTest::TearDown();
    }
    void arm(Inside inside, Closes closes) {
        state.inside = inside;
        state.closes = closes;
        state.armed = true;
    }
    // Turns the FREQ knob (corner 159, 13) clockwise over six samples, each
    // poll 60 ms apart so that every sample runs the editor's idle.
    void dragFreq() {
        hl::setTickStepPerPoll(60);
        gesture({at(160, 26, kLeft), at(160, 26, kLeft), at(166, 13, kLeft), at(170, 14, kLeft),
                 at(174, 20, kLeft), at(174, 22, kLeft), at(174, 22, 0)});
    }
    void expectEndedAtTheClose() {
        EXPECT_TRUE(state.closed);
        EXPECT_EQ(state.closesSent, 1);
        EXPECT_EQ(state.afterClose, 0);    // nothing reported by a control that is gone
        EXPECT_GT(hl::pendingInput(), 0);  // the loop stopped sampling at once
    }

    ClosingHost state;
};

TEST_F(CloseDuringDragTest, ClosingTheEditorInsideAutomationEndsTheDragAndOpensAgain) {
    openPanel();
    arm(Inside::automate, Closes::editor);
    dragFreq();
    expectEndedAtTheClose();
    EXPECT_EQ(state.automations, 1);
    EXPECT_FALSE(editor->isOpen());
    EXPECT_EQ(editor->getControl(4), nullptr);

    // The same editor opens again and drags as before.
    state.armed = false;
    const int before = state.automations;
    while (hl::pendingInput() > 0) platform::mouseState();  // the unread samples
    openPanel();
    dragFreq();
    EXPECT_GT(state.automations, before + 1);
    EXPECT_FLOAT_EQ(editor->getControl(4)->getValue(), effect->getParameter(4));
    EXPECT_EQ(hl::pendingInput(), 0);
}

TEST_F(CloseDuringDragTest, ClosingTheEditorInsideTheIdleRequestEndsTheDrag) {
    openPanel();
    arm(Inside::idle, Closes::editor);
    dragFreq();
    expectEndedAtTheClose();
    EXPECT_FALSE(editor->isOpen());
}

TEST_F(CloseDuringDragTest, DestroyingThePluginInsideAutomationEndsTheDrag) {
    openPanel();
    arm(Inside::automate, Closes::plugin);
    dragFreq();
    expectEndedAtTheClose();
    EXPECT_EQ(state.automations, 1);
}

TEST_F(CloseDuringDragTest, DestroyingThePluginInsideTheIdleRequestEndsTheDrag) {
    openPanel();
    arm(Inside::idle, Closes::plugin);
    dragFreq();
    expectEndedAtTheClose();
}

// The other ways a click reports: an Alt+left click's default, and "+",
// which steps the displayed parameter from the button's own report.
TEST_F(CloseDuringDragTest, AnAltClickClosingTheEditorEndsCleanly) {
    openPanel();
    effect->setParameter(8, 0.9f);
    arm(Inside::automate, Closes::editor);
    gesture({at(397, 26, kLeft | platform::kKeyAlt), at(397, 26, 0)});
    EXPECT_TRUE(state.closed);
    EXPECT_FALSE(editor->isOpen());
    EXPECT_FLOAT_EQ(effect->getParameter(8), 0.5f);
}

TEST_F(CloseDuringDragTest, AStepOfPlusDestroyingThePluginEndsCleanly) {
    openPanel();
    arm(Inside::automate, Closes::plugin);
    gesture({at(284, 49, kLeft), at(284, 49, kLeft), at(284, 49, kLeft), at(284, 49, 0)});
    expectEndedAtTheClose();
}

}  // namespace
