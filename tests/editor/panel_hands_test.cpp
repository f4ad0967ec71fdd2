// The panel under the wheel: a notch moves a knob by 1 % (0.1 % with
// Shift), the type switch by one position, each turn reported to the host
// as one gesture, at any scale.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/filter_delay_editor.h"
#include "editor/panel_bitmap_set.h"
#include "effect/filter_delay_effect.h"
#include "formats/vst2/editor_factory.h"
#include "gui/controls/control.h"
#include "platform/headless/headless_system.h"

namespace hl = platform::headless;

namespace {

// A host that writes down the gesture calls and automation in order.
struct GestureHost {
    static std::vector<std::string>& calls() {
        static std::vector<std::string> recorded;
        return recorded;
    }
    static VstIntPtr callback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*,
                              float opt) {
        if (opcode == audioMasterVersion) return 2400;
        if (opcode == audioMasterBeginEdit) calls().push_back("begin " + std::to_string(index));
        if (opcode == audioMasterEndEdit) calls().push_back("end " + std::to_string(index));
        if (opcode == audioMasterAutomate) {
            char text[64];
            std::snprintf(text, sizeof text, "automate %d %.4f", index, opt);
            calls().push_back(text);
        }
        return 0;
    }
};

class PanelWheelTest : public ::testing::Test {
protected:
    void SetUp() override {
        hl::reset();
        GestureHost::calls().clear();
        effect = std::make_unique<molvex::FilterDelayEffect>(&GestureHost::callback,
                                                             &molvex::createFilterDelayEditor);
        editor = static_cast<molvex::FilterDelayEditor*>(effect->getEditor());
    }
    void TearDown() override {
        effect.reset();
        hl::reset();
    }
    void open(int scale = 100) {
        editor->getScale().chooseUser(scale);
        ASSERT_EQ(effect->dispatcher(effEditOpen, 0, 0, hl::makeParentWindow(), 0.0f), 1);
        window = hl::lastWindow();
        hl::sendPaint(window);
    }
    void wheel(int x, int y, int notches, unsigned keys = 0, int scale = 100) {
        hl::sendWheel(window, {molvex::scaledLength(x, scale), molvex::scaledLength(y, scale)},
                      notches, keys);
    }

    std::unique_ptr<molvex::FilterDelayEffect> effect;
    molvex::FilterDelayEditor* editor = nullptr;
    platform::WindowHandle window = nullptr;
};

constexpr int kDelay = 1;
constexpr int kType = 3;

TEST_F(PanelWheelTest, ANotchMovesAKnobByOnePerCentAsOneGesture) {
    effect->setParameter(kDelay, 0.5f);
    open();
    wheel(62, 26, 1);
    EXPECT_NEAR(effect->getParameter(kDelay), 0.51f, 1e-6f);
    EXPECT_EQ(GestureHost::calls(),
              (std::vector<std::string>{"begin 1", "automate 1 0.5100", "end 1"}));
    wheel(62, 26, -3);
    EXPECT_NEAR(effect->getParameter(kDelay), 0.48f, 1e-6f);
    EXPECT_NEAR(editor->getControl(kDelay)->getValue(), 0.48f, 1e-6f);
    EXPECT_EQ(editor->getDisplayedParameter(), kDelay);
}

TEST_F(PanelWheelTest, ShiftMakesTheNotchTenTimesFiner) {
    effect->setParameter(kDelay, 0.5f);
    open();
    wheel(62, 26, 2, platform::kKeyShift);
    EXPECT_NEAR(effect->getParameter(kDelay), 0.502f, 1e-6f);
}

TEST_F(PanelWheelTest, TheEndsOfTheRangeHoldAndReportNothingMore) {
    effect->setParameter(kDelay, 0.995f);
    open();
    wheel(62, 26, 5);
    EXPECT_EQ(effect->getParameter(kDelay), 1.0f);
    GestureHost::calls().clear();
    wheel(62, 26, 1);
    EXPECT_TRUE(GestureHost::calls().empty());
}

TEST_F(PanelWheelTest, TheTypeSwitchMovesOnePositionANotch) {
    effect->setParameter(kType, 0.0f);
    open();
    wheel(138, 26, 1);
    EXPECT_EQ(effect->getParameter(kType), 0.5f);
    wheel(138, 26, 1);
    EXPECT_EQ(effect->getParameter(kType), 1.0f);
    wheel(138, 26, 1);  // the last position holds
    EXPECT_EQ(effect->getParameter(kType), 1.0f);
    wheel(138, 26, -2);
    EXPECT_EQ(effect->getParameter(kType), 0.0f);
}

TEST_F(PanelWheelTest, TheWheelOverNoControlOrAButtonChangesNothing) {
    effect->setParameter(kDelay, 0.5f);
    open();
    wheel(3, 3, 1);
    wheel(284, 49, 1);  // the "+" button
    wheel(268, 30, 1);  // the value display
    EXPECT_TRUE(GestureHost::calls().empty());
}

TEST_F(PanelWheelTest, AtAnyScaleTheWheelReachesTheKnobUnderThePointer) {
    for (int scale : {150, 200}) {
        SetUp();
        effect->setParameter(2, 0.5f);
        open(scale);
        wheel(114, 38, 1, 0, scale);  // the Feedback knob's far corner
        EXPECT_NEAR(effect->getParameter(2), 0.51f, 1e-6f) << scale;
        TearDown();
    }
}

}  // namespace
