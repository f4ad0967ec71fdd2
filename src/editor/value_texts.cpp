#include "editor/value_texts.h"

#include <cmath>
#include <cstdio>

namespace molvex {

namespace {

constexpr int kTextSize = 256;
constexpr long double kLargest = 1e6L;

int roundedHalfUp(float value, long double scale) {
    long double x = std::isnan(value) ? 0.0L : static_cast<long double>(value);
    if (x > kLargest) x = kLargest;
    if (x < -kLargest) x = -kLargest;
    return static_cast<int>(x * scale + 0.5L);
}

}  // namespace

void percentText(float value, char* text) {
    std::snprintf(text, kTextSize, "%d", roundedHalfUp(value, 100.0L));
}

void millisecondText(float value, char* text) {
    std::snprintf(text, kTextSize, "%d", roundedHalfUp(value, 1000.0L));
}

void panText(float value, char* text) {
    const int a = roundedHalfUp(value, 100.0L);
    if (a < 50) std::snprintf(text, kTextSize, "L%d", 50 - a);
    else if (a == 50) std::snprintf(text, kTextSize, "<C>");
    else std::snprintf(text, kTextSize, "R%d", a - 50);
}

GuiValueToText valueTextFor(ParameterIndex parameter) {
    if (parameter == ParameterIndex::Delay) return millisecondText;
    if (parameter == ParameterIndex::Pan) return panText;
    return percentText;
}

}  // namespace molvex
