#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "host/effect_base_ext.h"

namespace {

class TextEffect : public EffectBaseExt {
public:
    TextEffect() : EffectBaseExt(nullptr, 1, 1) {}
    void process(float**, float**, VstInt32) override {}
};

template <typename Format>
std::string text(Format format) {
    char buffer[32];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    format(buffer);
    EXPECT_EQ(buffer[9], '#') << "wrote past the ninth byte";
    return buffer;
}

struct FloatCase {
    float value;
    const char* expected;
};

}  // namespace

TEST(ValueText, FloatsFillEightCharactersAndCutDigits) {
    TextEffect e;
    const FloatCase cases[] = {
        {0.0f, "0.000000"},         {0.5f, "0.500000"},         {1.0f, "1.000000"},
        {3.14159f, "3.141590"},     {12.34f, "12.34000"},       {99.99f, "99.98999"},
        {1234.5f, "1234.500"},      {1000.0f, "1000.000"},      {-0.5f, "-0.50000"},
        {-123.0f, "-123.000"},      {9999999.0f, "9999999."},   {-999999.0f, "-999999."},
        {100000000.0f, " Huge!  "}, {-10000000.0f, " Huge!  "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(text([&](char* t) { e.formatFloat(c.value, t); }), c.expected) << c.value;
}

// Eight integer digits and the point need nine characters: such values show
// the overflow text instead of losing their leading digits.
TEST(ValueText, FloatsWithTooManyIntegerDigitsOverflow) {
    TextEffect e;
    for (float value :
         {10000000.0f, 12345678.0f, 99999999.0f, -1000000.0f, -9999999.0f,
          std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()})
        EXPECT_EQ(text([&](char* t) { e.formatFloat(value, t); }), " Huge!  ") << value;
}

TEST(ValueText, Decibels) {
    TextEffect e;
    EXPECT_EQ(text([&](char* t) { e.formatDecibels(1.0f, t); }), "0.000000");
    EXPECT_EQ(text([&](char* t) { e.formatDecibels(0.5f, t); }), "-6.02059");
    EXPECT_EQ(text([&](char* t) { e.formatDecibels(2.0f, t); }), "6.020599");
    EXPECT_EQ(text([&](char* t) { e.formatDecibels(0.0f, t); }), "  -oo   ");
    EXPECT_EQ(text([&](char* t) { e.formatDecibels(-1.0f, t); }), "  -oo   ");
    EXPECT_EQ(text([&](char* t) { e.formatDecibels(std::nanf(""), t); }), "  -oo   ");
}

TEST(ValueText, HertzAndMillisecondsFollowTheSampleRate) {
    TextEffect e;
    EXPECT_EQ(text([&](char* t) { e.formatHertz(0.0f, t); }), "0.000000");
    EXPECT_EQ(text([&](char* t) { e.formatHertz(441.0f, t); }), "100.0000");
    EXPECT_EQ(text([&](char* t) { e.formatMilliseconds(44100.0f, t); }), "1000.000");
    e.setSampleRate(22050.0f);
    EXPECT_EQ(text([&](char* t) { e.formatMilliseconds(44100.0f, t); }), "2000.000");
}

TEST(ValueText, Integers) {
    TextEffect e;
    EXPECT_EQ(text([&](char* t) { e.formatInteger(5, t); }), "      5");
    EXPECT_EQ(text([&](char* t) { e.formatInteger(12345678, t); }), "12345678");
    EXPECT_EQ(text([&](char* t) { e.formatInteger(99999999, t); }), "99999999");
    EXPECT_EQ(text([&](char* t) { e.formatInteger(100000000, t); }), " Huge!  ");
    EXPECT_EQ(text([&](char* t) { e.formatInteger(-5, t); }), "     -5");
    EXPECT_EQ(text([&](char* t) { e.formatInteger(-123456789, t); }), "-1234567");
}

// A product that overrides formatFloat changes the unit conversions too.
TEST(ValueText, UnitConversionsGoThroughFormatFloat) {
    class Marked : public TextEffect {
    public:
        void formatFloat(float, char* t) override { std::snprintf(t, 9, "marked"); }
    } e;
    EXPECT_EQ(text([&](char* t) { e.formatDecibels(1.0f, t); }), "marked");
    EXPECT_EQ(text([&](char* t) { e.formatHertz(10.0f, t); }), "marked");
    EXPECT_EQ(text([&](char* t) { e.formatMilliseconds(10.0f, t); }), "marked");
}
