// The value display: its text, its field, bevel and shadow, and the look
// setters that force a redraw.
#include <cstring>
#include <string>

#include "control_fixture.h"
#include "gui/controls/value_display.h"

namespace {

using guitest::ControlFixture;

class CountingDisplay : public GuiValueDisplay {
public:
    using GuiValueDisplay::GuiValueDisplay;
    void draw(GuiDrawContext* context) override {
        ++draws;
        GuiValueDisplay::draw(context);
    }
    std::string text() const {
        char buffer[kTextSize];
        makeText(buffer);
        return buffer;
    }
    int draws = 0;
};

const platform::Rgb kBlue{0, 0, 255};
const platform::Rgb kRed{255, 0, 0};
const platform::Rgb kGreen{0, 255, 0};

class ValueDisplayTest : public ControlFixture {
protected:
    // A field without a background bitmap: 60 x 20 at (20, 30).
    CountingDisplay* field(std::int32_t style) {
        auto* d = add(new CountingDisplay(GuiRect(20, 30, 80, 50), nullptr, style));
        d->setBackColor(kColorBlue);
        d->setFrameColor(kColorRed);
        d->setTextColor(kColorGreen);
        return d;
    }
    // Whether some pixel inside the rectangle is mostly `colour`'s channel.
    bool anyInk(const GuiRect& r, int channel) const {
        for (int y = r.top + 1; y < r.bottom; ++y) {
            for (int x = r.left + 1; x < r.right; ++x) {
                const platform::Rgb p = pixel(x, y);
                const int c[3] = {p.red, p.green, p.blue};
                if (c[channel] > 160 && c[(channel + 1) % 3] < 100) return true;
            }
        }
        return false;
    }
};

float lastSeenFirstByte = -1.0f;
void percent(float value, char* text) {
    lastSeenFirstByte = static_cast<float>(text[0]);
    std::snprintf(text, 256, "%d%%", static_cast<int>(value * 100.0f + 0.5f));
}
void writesNothing(float, char*) {}
void fillsEverything(float, char* text) { std::memset(text, 'x', 256); }

TEST_F(ValueDisplayTest, TheTextComesFromTheCallbackOrTwoDecimals) {
    CountingDisplay d(GuiRect(0, 0, 10, 10), nullptr, 0);
    d.setValue(0.5f);
    EXPECT_EQ(d.text(), "0.50");
    d.setValue(1.0f);
    EXPECT_EQ(d.text(), "1.00");
    d.setValueToText(&percent);
    d.setValue(0.8f);
    EXPECT_EQ(d.text(), "80%");
    EXPECT_EQ(lastSeenFirstByte, 0.0f);
    d.setValueToText(&writesNothing);
    EXPECT_EQ(d.text(), "");
    // An unterminated text is cut at the buffer's end, never read past it.
    d.setValueToText(&fillsEverything);
    EXPECT_EQ(d.text(), std::string(255, 'x'));
    EXPECT_EQ(d.getListener(), nullptr);
    EXPECT_EQ(d.getTag(), 0);
}

TEST_F(ValueDisplayTest, AFieldIsFilledAndOutlinedAndShowsItsText) {
    field(0);
    editor->idle();
    EXPECT_EQ(pixel(21, 31), kBlue);
    EXPECT_EQ(pixel(20, 40), kRed);
    EXPECT_EQ(pixel(80, 40), kRed);
    EXPECT_EQ(pixel(50, 50), kRed);
    EXPECT_TRUE(anyInk(GuiRect(20, 30, 80, 50), 1));
    EXPECT_FALSE(anyInk(GuiRect(20, 30, 80, 50), 0));
}

TEST_F(ValueDisplayTest, BevelsSwapTheirColoursAndReplaceTheOutline) {
    auto* frameFirst = field(GuiDisplayStyle::kBevelFrameFirst);
    editor->idle();
    EXPECT_EQ(pixel(20, 40), kRed);   // left
    EXPECT_EQ(pixel(50, 30), kRed);   // top
    EXPECT_EQ(pixel(80, 40), kBlue);  // right
    EXPECT_EQ(pixel(50, 50), kBlue);  // bottom
    EXPECT_EQ(pixel(80, 30), kRed);   // the top line covers the top right corner

    frame->removeView(frameFirst);
    delete frameFirst;
    field(GuiDisplayStyle::kBevelBackFirst);
    editor->idle();
    EXPECT_EQ(pixel(20, 40), kBlue);
    EXPECT_EQ(pixel(80, 40), kRed);
}

TEST_F(ValueDisplayTest, TheShadowIsDrawnBeforeTheText) {
    auto* d = field(GuiDisplayStyle::kShadowText);
    d->setShadowColor(kColorRed);
    d->setValueToText([](float, char* text) { std::strcpy(text, "MMMM"); });
    editor->idle();
    EXPECT_TRUE(anyInk(GuiRect(20, 30, 80, 50), 0));
    EXPECT_TRUE(anyInk(GuiRect(20, 30, 80, 50), 1));
}

TEST_F(ValueDisplayTest, TheShadowTakesItsOwnColour) {
    auto* d = field(GuiDisplayStyle::kShadowText);
    d->setBackColor(kColorBlack);
    d->setTextColor(kColorBlack);
    d->setShadowColor(kColorCyan);
    d->setValueToText([](float, char* text) { std::strcpy(text, "MMMM"); });
    editor->idle();
    int cyan = 0;
    for (int y = 32; y < 48; ++y) {
        for (int x = 22; x < 78; ++x) {
            const platform::Rgb p = pixel(x, y);
            if (p.red < 100 && p.green > 160 && p.blue > 160) ++cyan;
        }
    }
    EXPECT_GT(cyan, 0);
}

TEST_F(ValueDisplayTest, ABackgroundBitmapIsCopiedFromItsOffset) {
    auto* d =
        add(new CountingDisplay(GuiRect(100, 10, 132, 26), bitmap(guitest::kLitCoordinates), 2));
    d->setBackgroundOffset(GuiPoint(5, 7));
    d->setValueToText(&writesNothing);
    editor->idle();
    EXPECT_EQ(pixel(100, 10), coordinate(5, 7));
    EXPECT_EQ(pixel(131, 25), coordinate(36, 22));
}

TEST_F(ValueDisplayTest, LookSettersForceOneRedrawOnlyWhenSomethingChanges) {
    auto* d = field(0);
    editor->idle();
    const int drawn = d->draws;
    d->setTextColor(GuiColor{0, 255, 0, 99});  // only the unused byte differs
    d->setFont(3);
    d->setAlignment(GuiTextAlign::kCenter);
    d->setBackgroundOffset(GuiPoint(1, 1));
    editor->idle();
    EXPECT_EQ(d->draws, drawn);

    d->setFont(1);
    d->setShadowColor(kColorYellow);
    editor->idle();
    editor->idle();
    EXPECT_EQ(d->draws, drawn + 1);
    d->setAlignment(GuiTextAlign::kLeft);
    editor->idle();
    EXPECT_EQ(d->draws, drawn + 2);
    // Large values too: the nudge must not vanish in rounding.
    d->setValue(3.0e7f);
    editor->idle();
    d->setBackColor(kColorGrey);
    editor->idle();
    EXPECT_EQ(d->draws, drawn + 4);
}

// Each setter on its own, so one setter's redraw cannot stand in for another's.
TEST_F(ValueDisplayTest, EachLookSetterAloneForcesTheNextUpdateToRedraw) {
    auto* d = field(0);
    editor->idle();
    int expected = d->draws;
    const auto redrawsOnce = [&](const char* what) {
        editor->idle();
        editor->idle();
        EXPECT_EQ(d->draws, ++expected) << what;
    };
    d->setFont(1);
    redrawsOnce("setFont");
    d->setTextColor(kColorYellow);
    redrawsOnce("setTextColor");
    d->setBackColor(kColorGrey);
    redrawsOnce("setBackColor");
    d->setFrameColor(kColorGreen);
    redrawsOnce("setFrameColor");
    d->setShadowColor(kColorYellow);
    redrawsOnce("setShadowColor");
    d->setAlignment(GuiTextAlign::kRight);
    redrawsOnce("setAlignment");
}

}  // namespace
