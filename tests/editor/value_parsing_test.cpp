// Typed texts back to values: every text the display shows reads back as
// the value it came from, and what is not a value changes nothing.
#include "editor/value_parsing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "editor/value_texts.h"

namespace {

using molvex::ParameterIndex;
using molvex::valueFromText;

float parsed(ParameterIndex parameter, const char* text) {
    float value = -7.0f;
    EXPECT_TRUE(valueFromText(parameter, text, value)) << text;
    return value;
}

TEST(ValueParsingTest, EveryDisplayedTextReadsBackAsItsValue) {
    const ParameterIndex parameters[] = {ParameterIndex::InputLevel, ParameterIndex::Delay,
                                         ParameterIndex::Pan, ParameterIndex::Resonance};
    for (ParameterIndex parameter : parameters) {
        const int steps = parameter == ParameterIndex::Delay ? 1000 : 100;
        for (int i = 0; i <= steps; ++i) {
            const float value = static_cast<float>(i) / steps;
            char text[256] = {};
            molvex::valueTextFor(parameter)(value, text);
            EXPECT_NEAR(parsed(parameter, text), value, 1e-6f)
                << text << " of parameter " << static_cast<int>(parameter);
        }
    }
}

TEST(ValueParsingTest, UnitsSpacesAndCaseAreAccepted) {
    EXPECT_NEAR(parsed(ParameterIndex::Delay, " 250 ms "), 0.25f, 1e-6f);
    EXPECT_NEAR(parsed(ParameterIndex::Delay, "250MS"), 0.25f, 1e-6f);
    EXPECT_NEAR(parsed(ParameterIndex::Delay, "12.5"), 0.0125f, 1e-6f);
    EXPECT_NEAR(parsed(ParameterIndex::Feedback, "40 %"), 0.4f, 1e-6f);
    EXPECT_NEAR(parsed(ParameterIndex::Pan, "l25"), 0.25f, 1e-6f);
    EXPECT_NEAR(parsed(ParameterIndex::Pan, " R 10 "), 0.6f, 1e-6f);
    EXPECT_EQ(parsed(ParameterIndex::Pan, "c"), 0.5f);
    EXPECT_EQ(parsed(ParameterIndex::Pan, "<C>"), 0.5f);
}

TEST(ValueParsingTest, ValuesBeyondTheRangeAreHeldToIt) {
    EXPECT_EQ(parsed(ParameterIndex::Delay, "1500"), 1.0f);
    EXPECT_EQ(parsed(ParameterIndex::Delay, "-3"), 0.0f);
    EXPECT_EQ(parsed(ParameterIndex::WetLevel, "250"), 1.0f);
    EXPECT_EQ(parsed(ParameterIndex::Pan, "L80"), 0.0f);
    EXPECT_EQ(parsed(ParameterIndex::Pan, "R80"), 1.0f);
}

TEST(ValueParsingTest, WhatIsNotAValueChangesNothing) {
    const char* bad[] = {"", "   ", "abc", "12abc", "1 2", "ms", "nan", "inf", "0x10", "25 ms %"};
    for (const char* text : bad) {
        float value = 0.3f;
        EXPECT_FALSE(valueFromText(ParameterIndex::Delay, text, value)) << text;
        EXPECT_FALSE(valueFromText(ParameterIndex::Feedback, text, value)) << text;
        EXPECT_EQ(value, 0.3f);
    }
    const char* badPan[] = {"", "25", "L", "X25", "L-5", "Lx", "R25 ms", "<C", "CC"};
    for (const char* text : badPan) {
        float value = 0.3f;
        EXPECT_FALSE(valueFromText(ParameterIndex::Pan, text, value)) << text;
        EXPECT_EQ(value, 0.3f);
    }
    float value = 0.3f;
    EXPECT_FALSE(valueFromText(ParameterIndex::Delay, nullptr, value));
    EXPECT_FALSE(valueFromText(ParameterIndex::Delay, "25 %", value));  // a unit of another
    EXPECT_FALSE(valueFromText(ParameterIndex::Feedback, "25 ms", value));
}

}  // namespace
