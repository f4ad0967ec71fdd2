// The editor base: the host's editor opcodes, the update flag, the 50 ms
// idle throttle and the host's idle request.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "gui/core/window_class.h"
#include "platform/headless/headless_system.h"
#include "test_support.h"

namespace hl = platform::headless;
using guitest::HostLog;
using guitest::TestEditor;
using guitest::TestEffect;

namespace {

class EditorBaseTest : public guitest::HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        effect = new TestEffect();
        editor = guitest::attachNew<TestEditor>(effect, GuiRect(0, 0, 420, 64));
    }
    void TearDown() override {
        delete effect;  // deletes the editor too
        HeadlessTest::TearDown();
    }
    VstIntPtr dispatch(VstInt32 opcode, void* ptr = nullptr) {
        return effect->dispatcher(opcode, 0, 0, ptr, 0.0f);
    }
    TestEffect* effect = nullptr;
    TestEditor* editor = nullptr;
};

TEST_F(EditorBaseTest, TheAttachedEditorReportsItsRectangleBeforeOpen) {
    EXPECT_EQ(effect->getEditor(), editor);
    EXPECT_NE(effect->getRecord()->flags & effFlagsHasEditor, 0);
    ERect* rect = nullptr;
    EXPECT_EQ(dispatch(effEditGetRect, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 64);
    EXPECT_EQ(rect->right, 420);
}

TEST_F(EditorBaseTest, OpenIdleAndCloseThroughTheOpcodes) {
    EXPECT_EQ(dispatch(effEditOpen, hl::makeParentWindow()), 1);
    ASSERT_NE(editor->getFrame(), nullptr);
    EXPECT_EQ(editor->getParentWindow(), hl::makeParentWindow());
    EXPECT_TRUE(editor->isUpdatePending());  // open posts an update
    dispatch(effEditIdle);
    EXPECT_EQ(editor->updates, 1);
    EXPECT_FALSE(editor->isUpdatePending());
    dispatch(effEditClose);
    EXPECT_EQ(editor->getFrame(), nullptr);
    EXPECT_EQ(hl::windowCount(), 0);
    dispatch(effEditClose);  // some hosts close twice
    dispatch(effEditIdle);
    EXPECT_EQ(windowClassUseCount(), 0);
}

TEST_F(EditorBaseTest, APluginDestroyedWhileItsEditorIsOpenTakesTheWindowAlong) {
    EXPECT_EQ(dispatch(effEditOpen, hl::makeParentWindow()), 1);
    delete effect;
    effect = nullptr;
    EXPECT_EQ(hl::windowCount(), 0);
    EXPECT_EQ(windowClassUseCount(), 0);
}

TEST_F(EditorBaseTest, IdleWhileClosedRunsOnlyTheUpdateStep) {
    editor->postUpdate();
    editor->postUpdate();
    editor->idle();
    editor->idle();
    EXPECT_EQ(editor->updates, 1);
    EXPECT_TRUE(hl::calls().empty());
}

TEST_F(EditorBaseTest, ThrottledIdleRunsAtMostOncePer50Milliseconds) {
    // The clock started at 1000 when the editor was made.
    editor->postUpdate();
    editor->doIdle();
    EXPECT_EQ(editor->updates, 0);
    hl::advanceClock(50);
    editor->doIdle();  // 1050
    EXPECT_EQ(editor->updates, 1);
    EXPECT_EQ(HostLog::count(audioMasterIdle), 1);

    editor->postUpdate();
    hl::advanceClock(30);
    editor->doIdle();  // 1080: 30 ms after the last run
    EXPECT_EQ(editor->updates, 1);
    EXPECT_EQ(HostLog::count(audioMasterIdle), 1);
    hl::advanceClock(20);
    editor->doIdle();  // 1100: 50 ms after it
    EXPECT_EQ(editor->updates, 2);
    EXPECT_EQ(HostLog::count(audioMasterIdle), 2);
    EXPECT_EQ(editor->getLastIdleTick(), 1100u);
}

TEST_F(EditorBaseTest, ThrottledIdleKeepsRunningWhenTheTickCountWraps) {
    // Move the clock to 100 ms before the 32-bit tick count wraps.
    hl::advanceClock(0xFFFFFFFFu - 1000u - 99u);
    editor->postUpdate();
    editor->doIdle();
    EXPECT_EQ(editor->updates, 1);
    hl::advanceClock(110);  // 10 ms past the wrap, 110 ms after the last run
    editor->postUpdate();
    editor->doIdle();
    EXPECT_EQ(editor->updates, 2);
    hl::advanceClock(20);
    editor->postUpdate();
    editor->doIdle();
    EXPECT_EQ(editor->updates, 2);
}

TEST_F(EditorBaseTest, SetParameterOnlyRaisesTheFlagFromAnyThread) {
    ASSERT_EQ(dispatch(effEditOpen, hl::makeParentWindow()), 1);
    dispatch(effEditIdle);
    const int before = editor->updates;
    std::atomic<bool> done{false};
    std::thread audio([&] {
        for (int i = 0; i < 2000; ++i) editor->setParameter(i % 9, 0.5f);
        done = true;
    });
    while (!done) dispatch(effEditIdle);
    audio.join();
    dispatch(effEditIdle);
    EXPECT_GT(editor->updates, before);
    EXPECT_FALSE(editor->isUpdatePending());
}

TEST_F(EditorBaseTest, RedrawPaintsTheWholeFrameAtOnce) {
    editor->redraw();  // closed: nothing to do
    ASSERT_EQ(dispatch(effEditOpen, hl::makeParentWindow()), 1);
    auto* view = new guitest::ColorView(GuiRect(0, 0, 10, 10), kColorRed);
    editor->getFrame()->addView(view);
    editor->redraw();
    EXPECT_EQ(view->draws, 1);
    EXPECT_FALSE(editor->getFrame()->isFirstDrawPending());
}

}  // namespace
