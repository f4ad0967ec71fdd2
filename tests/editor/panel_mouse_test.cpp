// The panel under a scripted pointer, pixels read back from the headless
// window: knob drags and Alt+left defaults reaching the effect and the host,
// the type switch, and "-"/"+" stepping once per click.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "gui/controls/knob.h"
#include "gui/controls/value_display.h"
#include "panel_fixture.h"
#include "platform/resources/bmp_decoder.h"

namespace hl = platform::headless;
using paneltest::Automation;
using paneltest::AutomationLog;
using paneltest::PanelTest;

namespace {

constexpr unsigned kLeft = platform::kMouseLeft;
constexpr unsigned kAlt = platform::kKeyAlt;

int brightness(platform::Rgb c) { return c.red + c.green + c.blue; }

bool yellow(platform::Rgb c) { return c.red > 200 && c.green > 170 && c.blue < 120; }

class PanelMouseTest : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        std::string path = std::string(MOLVEX_BITMAP_DIR) + "/120.bmp";
        std::vector<unsigned char> bytes;
        if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
            int c;
            while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<unsigned char>(c));
            std::fclose(file);
        }
        ASSERT_TRUE(platform::resources::decodeBmp(bytes.data(), bytes.size(), picture));
    }
    platform::Rgb panelPicture(int x, int y) const {
        const std::uint32_t p = picture.pixels[y * picture.width + x];
        return {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                static_cast<std::uint8_t>(p)};
    }
    // Where the centre of the knob's handle is drawn for its value.
    GuiPoint handleCentre(std::int32_t tag) {
        auto* knob = static_cast<GuiKnob*>(editor->getControl(tag));
        GuiPoint p;
        knob->valueToHandlePos(p);
        return GuiPoint(knob->getSize().left + p.h, knob->getSize().top + p.v);
    }
    int yellowRowsIn(int top, int bottom) {
        int rows = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = 126; x < 150; ++x) {
                if (yellow(pixel(x, y))) {
                    ++rows;
                    break;
                }
            }
        }
        return rows;
    }
    int whitePixelsInDisplay() {
        int n = 0;
        for (int y = 22; y < 38; ++y)
            for (int x = 252; x < 284; ++x) n += brightness(pixel(x, y)) > 600;
        return n;
    }
    platform::resources::DecodedBitmap picture;
};

TEST_F(PanelMouseTest, ThePaintedPanelShowsItsPictureHandlesAndDisplay) {
    effect->setParameter(0, 0.8f);
    openPanel();
    EXPECT_EQ(pixel(2, 2), panelPicture(2, 2));
    EXPECT_EQ(pixel(140, 50), panelPicture(140, 50));  // the TYPE label
    const GuiPoint handle = handleCentre(0);
    EXPECT_LT(brightness(pixel(handle.h, handle.v)), 150);
    // The handle's square is transparent outside its dot.
    const GuiPoint corner(handle.h - 5, handle.v - 5);
    EXPECT_EQ(pixel(corner.h, corner.v), panelPicture(corner.h, corner.v));
    EXPECT_GT(whitePixelsInDisplay(), 5);  // "80"
}

TEST_F(PanelMouseTest, DraggingTheFreqKnobMovesTheParameterTheHandleAndTheDisplay) {
    effect->setParameter(4, 0.5f);
    openPanel();
    const GuiPoint before = handleCentre(4);
    // The knob turns about the centre of its drawn handle's circle, 12.5
    // pixels right of and below its corner (159, 13): from lower left
    // through the top to the right.
    hl::setTickStepPerPoll(20);
    // The loop reads the pointer, then the buttons: a position counts when
    // the button is still down at the next sample.
    gesture({at(165, 31, kLeft), at(165, 31, kLeft), at(171, 18, kLeft), at(179, 25, kLeft),
             at(179, 25, kLeft), at(179, 25, 0)});
    const float value = effect->getParameter(4);
    EXPECT_GT(value, 0.75f);
    EXPECT_FLOAT_EQ(editor->getControl(4)->getValue(), value);
    const auto log = AutomationLog::instance().entries();
    ASSERT_GE(log.size(), 2u);
    for (std::size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].index, 4);
        if (i > 0) {
            EXPECT_GT(log[i].value, log[i - 1].value);
        }
    }
    EXPECT_FLOAT_EQ(log.back().value, value);
    EXPECT_GT(AutomationLog::instance().idleRequests(), 0);  // idles during the drag

    idle();
    EXPECT_EQ(editor->getDisplayedParameter(), 4);
    char expected[8];
    std::snprintf(expected, sizeof expected, "%d", static_cast<int>(value * 100.0 + 0.5));
    EXPECT_EQ(displayText(), expected);
    const GuiPoint after = handleCentre(4);
    EXPECT_LT(brightness(pixel(after.h, after.v)), 150);
    EXPECT_EQ(pixel(before.h, before.v), panelPicture(before.h, before.v));
}

TEST_F(PanelMouseTest, AHostThatIdlesTheEditorFromInsideTheDragDoesNoHarm) {
    effect->setParameter(6, 0.5f);
    openPanel();
    AutomationLog::instance().setIdleReentry(true);
    hl::setTickStepPerPoll(60);  // every sample of the drag runs the idle
    gesture({at(311, 31, kLeft), at(311, 31, kLeft), at(317, 18, kLeft), at(325, 25, kLeft),
             at(325, 25, kLeft), at(325, 25, 0)});
    EXPECT_GE(AutomationLog::instance().idleRequests(), 3);
    EXPECT_GT(effect->getParameter(6), 0.75f);
    EXPECT_FLOAT_EQ(editor->getControl(6)->getValue(), effect->getParameter(6));
    EXPECT_EQ(editor->getDisplayedParameter(), 6);
    const GuiPoint handle = handleCentre(6);
    EXPECT_LT(brightness(pixel(handle.h, handle.v)), 150);
    EXPECT_EQ(hl::pendingInput(), 0);
}

TEST_F(PanelMouseTest, AltClickSetsTheKnobsDefaultThroughTheEffect) {
    effect->setParameter(8, 0.9f);
    openPanel();
    click(397, 26, kAlt);
    EXPECT_FLOAT_EQ(effect->getParameter(8), 0.5f);
    const auto log = AutomationLog::instance().entries();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].index, 8);
    EXPECT_FLOAT_EQ(log[0].value, 0.5f);
}

TEST_F(PanelMouseTest, TheTypeSwitchLightsItsWordAndLeavesTheDisplayAlone) {
    effect->setParameter(3, 0.0f);
    openPanel();
    effect->setParameter(6, 0.25f);
    idle();
    EXPECT_EQ(displayText(), "L25");
    EXPECT_GT(yellowRowsIn(14, 22), 0);
    EXPECT_EQ(yellowRowsIn(23, 30), 0);

    click(138, 14 + 9);  // the middle zone: HP
    EXPECT_FLOAT_EQ(effect->getParameter(3), 0.5f);
    idle();
    EXPECT_EQ(editor->getDisplayedParameter(), 6);
    EXPECT_EQ(displayText(), "L25");
    EXPECT_EQ(yellowRowsIn(14, 21), 0);
    EXPECT_GT(yellowRowsIn(22, 30), 0);
}

TEST_F(PanelMouseTest, OneClickOnPlusStepsTheDisplayedParameterOnce) {
    openPanel();
    effect->setParameter(1, 0.3f);
    idle();
    ASSERT_EQ(displayText(), "300");
    click(284, 49);
    EXPECT_FLOAT_EQ(effect->getParameter(1), 0.3f + 0.001f);
    const auto log = AutomationLog::instance().entries();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].index, 1);
    idle();
    EXPECT_EQ(displayText(), "301");

    click(254, 49);
    click(254, 49);
    EXPECT_FLOAT_EQ(effect->getParameter(1), (0.3f + 0.001f) - 0.001f - 0.001f);
    EXPECT_EQ(AutomationLog::instance().entries().size(), 3u);
}

TEST_F(PanelMouseTest, AClickReleasedBeforeItArrivesStillStepsOnce) {
    openPanel();
    effect->setParameter(5, 0.4f);
    idle();
    hl::setPointer(at(284, 49, 0).screen, 0);
    hl::sendButtonDown(window, {284, 49});
    EXPECT_FLOAT_EQ(effect->getParameter(5), 0.4f + 0.01f);
    click(284, 49);
    EXPECT_FLOAT_EQ(effect->getParameter(5), 0.4f + 0.01f + 0.01f);
}

TEST_F(PanelMouseTest, StepsStopAtTheEndsOfTheRange) {
    openPanel();
    effect->setParameter(0, 1.0f);
    idle();
    click(284, 49);
    EXPECT_FLOAT_EQ(effect->getParameter(0), 1.0f);
    effect->setParameter(0, 0.005f);
    idle();
    click(254, 49);
    EXPECT_FLOAT_EQ(effect->getParameter(0), 0.0f);
    click(254, 49);
    EXPECT_FLOAT_EQ(effect->getParameter(0), 0.0f);
}

TEST_F(PanelMouseTest, LeavingAndReenteringTheButtonCountsAsASecondPress) {
    openPanel();
    effect->setParameter(2, 0.5f);
    idle();
    gesture({at(284, 49, kLeft), at(284, 49, kLeft), at(300, 49, kLeft), at(300, 49, kLeft),
             at(284, 49, kLeft), at(284, 49, kLeft), at(284, 49, 0)});
    EXPECT_FLOAT_EQ(effect->getParameter(2), 0.5f + 0.01f + 0.01f);
    // The latch is back at rest: the next click steps once more.
    click(284, 49);
    EXPECT_FLOAT_EQ(effect->getParameter(2), 0.5f + 0.01f + 0.01f + 0.01f);
}

}  // namespace
