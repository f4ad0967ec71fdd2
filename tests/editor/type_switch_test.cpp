// The type switch names the filter that sounds. The effect picks its filter
// at 0.33 and 0.66, while the switch's three positions sit at 0, 0.5 and 1:
// a value from the host or a MIDI controller between them must light the
// word of the effect's choice, and a click still sends a position's value.
#include <gtest/gtest.h>

#include "gui/controls/control.h"
#include "midi_events.h"
#include "panel_fixture.h"

namespace hl = platform::headless;
using paneltest::AutomationLog;
using paneltest::PanelTest;

namespace {

constexpr int kType = 3;
enum Word { kLP, kHP, kBP, kNone };

bool yellow(platform::Rgb c) { return c.red > 200 && c.green > 170 && c.blue < 120; }

class TypeSwitchTest : public PanelTest {
protected:
    bool yellowBetween(int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            for (int x = 126; x < 150; ++x) {
                if (yellow(pixel(x, y))) return true;
            }
        }
        return false;
    }
    // The word drawn lit in the switch's well (LP, HP, BP from the top).
    Word litWord() {
        const bool lp = yellowBetween(14, 22), hp = yellowBetween(23, 30),
                   bp = yellowBetween(31, 39);
        if (lp + hp + bp != 1) return kNone;
        return lp ? kLP : hp ? kHP : kBP;
    }
    void sendControlChange(int controller, int value) {
        auto midi = testsupport::MidiEvents::controlChange(controller, value);
        dispatch(effProcessEvents, 0, 0, midi.list());
    }
    float switchValue() { return editor->getControl(kType)->getValue(); }
};

struct Case {
    float value;
    Word sounding;
};

// Either side of both thresholds, from the record's parameter setter.
TEST_F(TypeSwitchTest, AHostValueLightsTheFilterTheEffectPlays) {
    openPanel();
    AEffect* record = effect->getRecord();
    const Case cases[] = {{0.32f, kLP}, {0.34f, kHP}, {0.65f, kHP},
                          {0.67f, kBP}, {0.4f, kHP},  {0.0f, kLP}};
    for (const Case& c : cases) {
        record->setParameter(record, kType, c.value);
        idle();
        // The switch keeps the value as sent; only its picture follows the effect.
        EXPECT_FLOAT_EQ(switchValue(), c.value);
        EXPECT_EQ(litWord(), c.sounding) << c.value;
    }
    EXPECT_TRUE(AutomationLog::instance().entries().empty());  // nothing sent back
}

// A panel opened after the host set the value shows it from the first paint.
TEST_F(TypeSwitchTest, APanelOpenedLaterLightsTheFilterTheEffectPlays) {
    effect->getRecord()->setParameter(effect->getRecord(), kType, 0.65f);
    openPanel();
    EXPECT_FLOAT_EQ(switchValue(), 0.65f);
    EXPECT_EQ(litWord(), kHP);
}

// Controller 3 sets the type to value / 127: 41 and 43 lie either side of
// 0.33, 82 and 85 either side of 0.66.
TEST_F(TypeSwitchTest, AMidiControlChangeLightsTheFilterTheEffectPlays) {
    openPanel();
    const struct {
        int data;
        Word sounding;
    } cases[] = {{41, kLP}, {43, kHP}, {82, kHP}, {85, kBP}, {0, kLP}, {127, kBP}};
    for (const auto& c : cases) {
        sendControlChange(kType, c.data);
        idle();
        EXPECT_FLOAT_EQ(effect->getParameter(kType), c.data / 127.0f);
        EXPECT_EQ(litWord(), c.sounding) << c.data;
    }
    EXPECT_EQ(AutomationLog::instance().entries().size(), 6u);  // each reported to the host
}

// Clicks send what they always sent, 0, 0.5 and 1, whatever stood before,
// also on the word already lit (0.4 plays high-pass; a click on HP sends 0.5).
TEST_F(TypeSwitchTest, AClickStillSendsThePositionsValue) {
    openPanel();
    AEffect* record = effect->getRecord();
    const struct {
        float before;
        int y;
        float sent;
        Word lit;
    } cases[] = {{0.4f, 14 + 2, 0.0f, kLP},
                 {0.32f, 14 + 9, 0.5f, kHP},
                 {0.65f, 14 + 20, 1.0f, kBP},
                 {0.67f, 14 + 9, 0.5f, kHP},
                 {0.4f, 14 + 9, 0.5f, kHP}};
    for (const auto& c : cases) {
        record->setParameter(record, kType, c.before);
        idle();
        AutomationLog::instance().clear();
        click(138, c.y);
        idle();
        const auto log = AutomationLog::instance().entries();
        ASSERT_EQ(log.size(), 1u) << c.y;
        EXPECT_EQ(log[0].index, kType);
        EXPECT_FLOAT_EQ(log[0].value, c.sent);
        EXPECT_FLOAT_EQ(effect->getParameter(kType), c.sent);
        EXPECT_EQ(litWord(), c.lit) << c.y;
    }
}

}  // namespace
