// The display's three texts: rounding half up at extended precision, the
// pan's sides and centre, and values no parameter should have.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "editor/value_texts.h"

namespace {

using molvex::millisecondText;
using molvex::panText;
using molvex::percentText;

std::string text(void (*callback)(float, char*), float value) {
    char buffer[256];
    buffer[0] = 0;
    callback(value, buffer);
    return buffer;
}

TEST(ValueTexts, PercentAndMillisecondsRoundHalfUp) {
    EXPECT_EQ(text(percentText, 0.8f), "80");
    EXPECT_EQ(text(percentText, 0.25f), "25");
    EXPECT_EQ(text(percentText, 0.0f), "0");
    EXPECT_EQ(text(percentText, 1.0f), "100");
    EXPECT_EQ(text(percentText, 0.125f), "13");  // exactly half rounds up
    EXPECT_EQ(text(percentText, 0.994f), "99");
    EXPECT_EQ(text(millisecondText, 0.3f), "300");
    EXPECT_EQ(text(millisecondText, 0.25f), "250");
    EXPECT_EQ(text(millisecondText, 0.0005f), "1");
    EXPECT_EQ(text(millisecondText, 1.0f), "1000");
}

TEST(ValueTexts, PanNamesItsSideAndTheCentre) {
    EXPECT_EQ(text(panText, 0.49f), "L1");
    EXPECT_EQ(text(panText, 0.5f), "<C>");
    EXPECT_EQ(text(panText, 0.51f), "R1");
    EXPECT_EQ(text(panText, 0.25f), "L25");
    EXPECT_EQ(text(panText, 0.0f), "L50");
    EXPECT_EQ(text(panText, 1.0f), "R50");
    EXPECT_EQ(text(panText, 0.495f), "<C>");
}

TEST(ValueTexts, ValuesFromACarelessHostStayShortAndDefined) {
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(text(percentText, std::nanf("")), "0");
    EXPECT_EQ(text(percentText, 1e30f), "100000000");
    EXPECT_EQ(text(millisecondText, inf), "1000000000");
    EXPECT_EQ(text(panText, -inf), "L100000049");
}

}  // namespace
