// The control base and its tracking loop, driven through the frame's window
// procedure with scripted pointer states.
#include <gtest/gtest.h>

#include "platform/headless/headless_system.h"
#include "test_support.h"

namespace hl = platform::headless;
using guitest::FaderControl;
using guitest::HostLog;
using guitest::RecordingListener;

namespace {

constexpr unsigned kLeft = platform::kMouseLeft;
constexpr unsigned kShift = platform::kKeyShift;
constexpr unsigned kAlt = platform::kKeyAlt;

class ControlTest : public guitest::HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        effect = new guitest::TestEffect();
        editor = guitest::attachNew<guitest::TestEditor>(effect, GuiRect(0, 0, 300, 60));
        ASSERT_EQ(editor->open(hl::makeParentWindow()), 1);
        fader = new FaderControl(GuiRect(100, 10, 200, 30), &listener, 7);
        editor->getFrame()->addView(fader);
        window = editor->getFrame()->getWindow();
        // The window sits at (300, 200) on the screen; scripts give screen points.
        hl::setWindowOrigin(window, {300, 200});
        hl::sendPaint(window);
        fader->draws = 0;
    }
    void TearDown() override {
        editor->close();
        delete effect;
        HeadlessTest::TearDown();
    }
    static hl::InputState at(int x, int y, unsigned buttons) {
        return {{300 + x, 200 + y}, buttons};
    }

    guitest::TestEffect* effect = nullptr;
    guitest::TestEditor* editor = nullptr;
    FaderControl* fader = nullptr;
    RecordingListener listener;
    platform::WindowHandle window = nullptr;
};

TEST_F(ControlTest, TheBaseStoresValuesUnclampedAndIdlesOnlyThroughAFrame) {
    FaderControl c(GuiRect(0, 0, 10, 10), nullptr, 3);
    c.setValue(1.5f);
    EXPECT_EQ(c.getValue(), 1.5f);
    hl::advanceClock(100);
    c.doIdle();  // never added to a frame: nothing happens
    EXPECT_EQ(HostLog::count(audioMasterIdle), 0);
    fader->doIdle();
    EXPECT_EQ(HostLog::count(audioMasterIdle), 1);
}

TEST_F(ControlTest, UpdateRedrawsOnlyWhenTheValueChanged) {
    GuiDrawContext ctx(editor->getFrame(), nullptr, window);
    FaderControl c(GuiRect(0, 0, 10, 10), nullptr, 0);
    c.update(&ctx);  // 0.0 against -1.0: draws
    EXPECT_EQ(c.draws, 1);
    c.setValue(0.25f);
    c.setValue(0.25f);
    c.update(&ctx);
    c.update(&ctx);
    EXPECT_EQ(c.draws, 2);
    EXPECT_EQ(c.getOldValue(), 0.25f);
    // A look-only change forces the next redraw through oldValue.
    c.setOldValue(0.35f);
    c.update(&ctx);
    EXPECT_EQ(c.draws, 3);
}

TEST_F(ControlTest, IdleDrawsAControlOncePerChangeOfItsValue) {
    fader->setValue(0.5f);
    for (int i = 0; i < 40; ++i) editor->idle();
    EXPECT_EQ(fader->draws, 1);
    EXPECT_EQ(hl::pixel(window, 140, 20), (platform::Rgb{255, 255, 0}));
    EXPECT_EQ(hl::pixel(window, 160, 20), (platform::Rgb{0, 0, 0}));
    for (int change = 1; change <= 5; ++change) {
        fader->setValue(0.5f + 0.1f * static_cast<float>(change));
        for (int i = 0; i < 20; ++i) editor->idle();
        EXPECT_EQ(fader->draws, 1 + change);
    }
    // Setting the value it already shows is no change.
    fader->setValue(fader->getValue());
    for (int i = 0; i < 20; ++i) editor->idle();
    EXPECT_EQ(fader->draws, 6);
}

TEST_F(ControlTest, ADragIsTrackedUntilTheModifierHeldAfterReleaseGoesUp) {
    listener.redraw = true;  // as the product editor does
    hl::setTickStepPerPoll(20);
    hl::scriptInput({at(110, 20, kLeft), at(150, 20, kLeft), at(190, 25, kLeft | kShift),
                     at(190, 25, kShift), at(120, 40, kShift), at(120, 40, kShift),
                     at(120, 40, 0)});
    ASSERT_TRUE(hl::sendButtonDown(window, {105, 20}));
    EXPECT_EQ(fader->lastResult, GuiTrackingResult::tracked);
    EXPECT_EQ(hl::pendingInput(), 0);
    // where, then one position per state; the release with shift held kept
    // the loop going, so the move to 120 still counted.
    ASSERT_EQ(listener.values.size(), 5u);
    EXPECT_FLOAT_EQ(listener.values[0], 0.05f);
    EXPECT_FLOAT_EQ(listener.values[1], 0.10f);
    EXPECT_FLOAT_EQ(listener.values[2], 0.50f);
    EXPECT_FLOAT_EQ(listener.values[3], 0.90f);
    EXPECT_FLOAT_EQ(listener.values[4], 0.20f);
    EXPECT_EQ(listener.tags[0], 7);
    EXPECT_FLOAT_EQ(fader->getValue(), 0.2f);
    // The throttled idle ran between samples and asked the host for idle.
    EXPECT_GT(HostLog::count(audioMasterIdle), 0);
    EXPECT_EQ(hl::pixel(window, 110, 20), (platform::Rgb{255, 255, 0}));
    EXPECT_EQ(hl::pixel(window, 130, 20), (platform::Rgb{0, 0, 0}));
}

TEST_F(ControlTest, WithoutARedrawTheSameValueIsReportedUntilTheNextDraw) {
    hl::scriptInput({at(150, 20, kLeft), at(150, 20, kLeft), at(150, 20, kLeft), at(150, 20, 0)});
    hl::sendButtonDown(window, {150, 20});
    ASSERT_EQ(listener.values.size(), 3u);
    for (float v : listener.values) EXPECT_FLOAT_EQ(v, 0.5f);
}

TEST_F(ControlTest, TheLoopPausesBetweenPointerSamplesInsteadOfSpinning) {
    hl::scriptInput({at(150, 20, kLeft), at(160, 20, kLeft), at(170, 20, kLeft), at(170, 20, 0)});
    const int before = hl::trackingPauses();
    hl::sendButtonDown(window, {150, 20});
    EXPECT_EQ(hl::trackingPauses() - before, 3);  // one per pass: the press state, then two moves
}

TEST_F(ControlTest, AltLeftClickSetsTheDefaultAndDoesNotTrack) {
    fader->setDefaultValue(0.75f);
    hl::scriptInput({at(150, 20, kLeft | kAlt), at(150, 20, kLeft), at(150, 20, 0)});
    hl::sendButtonDown(window, {150, 20});
    EXPECT_EQ(fader->lastResult, GuiTrackingResult::defaultSet);
    ASSERT_EQ(listener.values.size(), 1u);
    EXPECT_FLOAT_EQ(listener.values[0], 0.75f);
    EXPECT_EQ(hl::pendingInput(), 2);  // one state read, then back out

    // Already showing the default: set again, nobody is told.
    fader->setOldValue(0.75f);
    hl::setPointer({450, 220}, kLeft | kAlt);
    hl::sendButtonDown(window, {150, 20});
    EXPECT_EQ(listener.values.size(), 1u);
}

TEST_F(ControlTest, AltLeftWithShiftTracksNormally) {
    fader->setDefaultValue(0.75f);
    hl::scriptInput({at(130, 20, kLeft | kAlt | kShift), at(130, 20, 0)});
    hl::sendButtonDown(window, {120, 20});
    EXPECT_EQ(fader->lastResult, GuiTrackingResult::tracked);
    ASSERT_FALSE(listener.values.empty());
    EXPECT_FLOAT_EQ(listener.values[0], 0.2f);
    EXPECT_FLOAT_EQ(fader->getValue(), 0.2f);
    EXPECT_EQ(hl::pendingInput(), 0);
}

TEST_F(ControlTest, ADisabledControlIgnoresPressesCompletely) {
    fader->setMouseEnabled(false);
    hl::scriptInput({at(150, 20, kLeft | kAlt), at(150, 20, 0)});
    hl::sendButtonDown(window, {150, 20});
    EXPECT_EQ(fader->lastResult, GuiTrackingResult::ignored);
    EXPECT_TRUE(listener.values.empty());
    EXPECT_EQ(fader->getValue(), 0.0f);
    EXPECT_EQ(hl::pendingInput(), 2);
}

}  // namespace
