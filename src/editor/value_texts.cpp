#include "editor/value_texts.h"

#include <cmath>
#include <cstdio>

#include "effect/parameter_table.h"

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
    std::snprintf(text, kTextSize, "%d", roundedHalfUp(value, panelFullScale(PanelUnit::percent)));
}

void millisecondText(float value, char* text) {
    std::snprintf(text, kTextSize, "%d",
                  roundedHalfUp(value, panelFullScale(PanelUnit::milliseconds)));
}

void panText(float value, char* text) { writePanStep(roundedHalfUp(value, kPanSteps), text); }

GuiValueToText valueTextFor(ParameterIndex parameter) {
    switch (parameterRow(parameter).panelUnit) {
    case PanelUnit::milliseconds: return millisecondText;
    case PanelUnit::pan: return panText;
    case PanelUnit::percent: return percentText;
    }
    return percentText;
}

}  // namespace molvex
