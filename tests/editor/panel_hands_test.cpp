// The panel under the wheel: a notch moves a knob by 1 % (0.1 % with
// Shift), the type switch by one position, each turn reported to the host
// as one gesture, at any scale.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/editor_factory.h"
#include "editor/filter_delay_editor.h"
#include "editor/panel_bitmap_set.h"
#include "effect/filter_delay_effect.h"
#include "gui/controls/control.h"
#include "gui/controls/value_display.h"
#include "platform/headless/headless_services.h"
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

constexpr int kDelay = 1;
constexpr int kType = 3;

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
    // A press released where it began, `ticks` after the previous one.
    void click(int x, int y, std::uint32_t ticks = 100, int scale = 100) {
        hl::advanceClock(ticks);
        const platform::Point p{molvex::scaledLength(x, scale), molvex::scaledLength(y, scale)};
        hl::setPointer(p, 0);  // the pointer is where the press is
        hl::scriptInput({{p, platform::kMouseLeft}, {p, 0}});
        hl::sendButtonDown(window, p);
        hl::setPointer(p, 0);  // what a view that does not track left unread
    }
    void idle() { effect->dispatcher(effEditIdle, 0, 0, nullptr, 0.0f); }
    std::string displayText() {
        char text[GuiValueDisplay::kTextSize] = {};
        editor->getDisplay()->makeText(text);
        return text;
    }
    // The display showing the delay time, at 500 ms.
    void showDelay() {
        open();
        effect->setParameter(kDelay, 0.5f);
        idle();
        ASSERT_EQ(displayText(), "500");
        GestureHost::calls().clear();
    }
    void wheel(int x, int y, int notches, unsigned keys = 0, int scale = 100) {
        hl::sendWheel(window, {molvex::scaledLength(x, scale), molvex::scaledLength(y, scale)},
                      notches, keys);
    }

    std::unique_ptr<molvex::FilterDelayEffect> effect;
    molvex::FilterDelayEditor* editor = nullptr;
    platform::WindowHandle window = nullptr;
};

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

class PanelDoubleClickTest : public PanelWheelTest {};

TEST_F(PanelDoubleClickTest, ADoubleClickOnAKnobSetsItsDefaultAsOneGesture) {
    effect->setParameter(2, 0.9f);
    open();
    const float fallback = editor->getControl(2)->getDefaultValue();
    click(92, 34);  // the knob follows the pointer: low left
    EXPECT_LT(effect->getParameter(2), fallback - 0.1f);
    GestureHost::calls().clear();
    click(93, 36);
    EXPECT_EQ(effect->getParameter(2), fallback);
    char expected[64];
    std::snprintf(expected, sizeof expected, "automate 2 %.4f", fallback);
    EXPECT_EQ(GestureHost::calls(), (std::vector<std::string>{"begin 2", expected, "end 2"}));
}

TEST_F(PanelDoubleClickTest, SlowOrFarOrCrossedPressesAreNoDoubleClick) {
    effect->setParameter(2, 0.9f);
    effect->setParameter(1, 0.9f);
    open();
    const float fallback = editor->getControl(2)->getDefaultValue();
    click(92, 34);
    click(92, 34, 600);  // too late
    click(92, 34, 600);
    click(92, 26);  // too far from the press before
    click(52, 34);
    click(92, 34);  // another knob than the press before
    EXPECT_NE(effect->getParameter(2), fallback);
    EXPECT_NE(effect->getParameter(1), editor->getControl(1)->getDefaultValue());
    click(92, 34);  // a pair at last
    EXPECT_EQ(effect->getParameter(2), fallback);
}

// Each pair alone, the knob's value read right after its second press: a
// double-click needs the second press soon and near the first.
TEST_F(PanelDoubleClickTest, OnlyASecondPressSoonAndNearTheFirstIsADoubleClick) {
    struct Pair {
        GuiPoint first, second;
        std::uint32_t ticks;
        bool isDouble;
    };
    const Pair pairs[] = {
        {{92, 34}, {92, 34}, 100, true},  {{92, 34}, {96, 30}, 100, true},
        {{92, 34}, {92, 29}, 100, false}, {{92, 29}, {92, 34}, 100, false},
        {{92, 34}, {97, 34}, 100, false}, {{92, 34}, {92, 34}, 500, true},
        {{92, 34}, {92, 34}, 501, false},
    };
    open();
    const float fallback = editor->getControl(2)->getDefaultValue();
    for (const Pair& pair : pairs) {
        click(pair.first.h, pair.first.v, 1000);
        ASSERT_NE(effect->getParameter(2), fallback);
        click(pair.second.h, pair.second.v, pair.ticks);
        EXPECT_EQ(effect->getParameter(2) == fallback, pair.isDouble)
            << pair.second.h << "," << pair.second.v << " after " << pair.ticks << " ms";
    }
}

TEST_F(PanelDoubleClickTest, ADoubleClickOnTheDisplayOpensATextEditWithItsText) {
    showDelay();
    click(268, 30);
    EXPECT_FALSE(hl::textEntryOpen());
    click(268, 30);
    ASSERT_TRUE(hl::textEntryOpen());
    ASSERT_NE(editor->getValueEntry(), nullptr);
    EXPECT_EQ(hl::textEntryBox().left, 252);
    // Return on the text as shown sets nothing: it is no change.
    ASSERT_TRUE(hl::pressReturnInEntry());
    EXPECT_TRUE(GestureHost::calls().empty());
    EXPECT_EQ(effect->getParameter(kDelay), 0.5f);
}

TEST_F(PanelDoubleClickTest, ReturnSetsTheTypedValueAsAutomation) {
    showDelay();
    click(268, 30);
    click(268, 30);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(hl::backspaceInEntry());
    ASSERT_TRUE(hl::typeIntoEntry("250 ms"));
    ASSERT_TRUE(hl::pressReturnInEntry());
    EXPECT_NEAR(effect->getParameter(kDelay), 0.25f, 1e-6f);
    EXPECT_NEAR(editor->getControl(kDelay)->getValue(), 0.25f, 1e-6f);
    EXPECT_EQ(GestureHost::calls(),
              (std::vector<std::string>{"begin 1", "automate 1 0.2500", "end 1"}));
    EXPECT_FALSE(hl::textEntryOpen());
    idle();
    EXPECT_EQ(editor->getValueEntry(), nullptr);
    EXPECT_EQ(displayText(), "250");
}

TEST_F(PanelDoubleClickTest, TypingReplacesTheShownTextUnlessTheCaretWasPlaced) {
    open();
    effect->setParameter(0, 0.6f);
    idle();
    ASSERT_EQ(displayText(), "60");
    click(268, 30);
    click(268, 30);
    ASSERT_TRUE(hl::entryTextSelected());
    ASSERT_TRUE(hl::typeIntoEntry("30"));
    ASSERT_TRUE(hl::pressReturnInEntry());
    EXPECT_NEAR(effect->getParameter(0), 0.3f, 1e-6f);
    idle();
    click(268, 30, 1000);
    click(268, 30);
    ASSERT_TRUE(hl::caretToEndOfEntry());
    ASSERT_TRUE(hl::backspaceInEntry());
    ASSERT_TRUE(hl::typeIntoEntry("5"));
    ASSERT_TRUE(hl::pressReturnInEntry());
    EXPECT_NEAR(effect->getParameter(0), 0.35f, 1e-6f);
}

TEST_F(PanelDoubleClickTest, TypedValuesBeyondTheRangeAreHeldToIt) {
    showDelay();
    click(268, 30);
    click(268, 30);
    ASSERT_TRUE(hl::typeIntoEntry("5000"));
    ASSERT_TRUE(hl::pressReturnInEntry());
    EXPECT_EQ(effect->getParameter(kDelay), 1.0f);
}

TEST_F(PanelDoubleClickTest, EscapeAClickElsewhereOrNoNumberChangeNothing) {
    showDelay();
    for (int way = 0; way < 3; ++way) {
        click(268, 30, 1000);
        click(268, 30);
        ASSERT_TRUE(hl::textEntryOpen()) << way;
        ASSERT_TRUE(hl::typeIntoEntry(way == 2 ? "x" : "1"));
        if (way == 0) {
            ASSERT_TRUE(hl::pressEscapeInEntry());
        } else if (way == 1) {
            click(3, 3);
        } else {
            ASSERT_TRUE(hl::pressReturnInEntry());
        }
        EXPECT_FALSE(hl::textEntryOpen()) << way;
        EXPECT_EQ(effect->getParameter(kDelay), 0.5f) << way;
        EXPECT_TRUE(GestureHost::calls().empty()) << way;
        idle();
        EXPECT_EQ(editor->getValueEntry(), nullptr) << way;
        EXPECT_EQ(displayText(), "500") << way;
    }
}

TEST_F(PanelDoubleClickTest, PanIsTypedAsTheDisplayShowsIt) {
    open();
    effect->setParameter(6, 0.5f);
    idle();
    click(268, 30);
    click(268, 30);
    ASSERT_TRUE(hl::backspaceInEntry());
    ASSERT_TRUE(hl::backspaceInEntry());
    ASSERT_TRUE(hl::backspaceInEntry());
    ASSERT_TRUE(hl::typeIntoEntry("R25"));
    ASSERT_TRUE(hl::pressReturnInEntry());
    EXPECT_NEAR(effect->getParameter(6), 0.75f, 1e-6f);
}

}  // namespace
