// The parameter table against what sounds and what is shown: its
// conversions come back, its cutoff hertz are the filter's, and the panel
// reads every text the host shows.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "editor/value_parsing.h"
#include "effect/filter_delay_effect.h"
#include "effect/parameter_table.h"

namespace {

using namespace molvex;

constexpr double kTwoPi = 6.283185307179586;

// Plain values across each range: the ends, the middle, and a few between.
float plainAt(const ParameterRow& row, int step, int steps) {
    const float plain = row.minimum + (row.maximum - row.minimum) * step / steps;
    return row.unit == PlainUnit::filterType ? std::round(plain) : plain;
}

TEST(ParameterTable, PlainValuesComeBackThroughTheNormalizedValue) {
    for (const ParameterRow& row : kParameterTable) {
        for (int step = 0; step <= 20; ++step) {
            const float plain = plainAt(row, step, 20);
            const float back =
                plainFromNormalized(row.parameter, normalizedFromPlain(row.parameter, plain));
            EXPECT_NEAR(back, plain, 1e-4 * std::max(1.0f, std::fabs(plain))) << row.symbol;
        }
        EXPECT_EQ(normalizedFromPlain(row.parameter, row.maximum + 1000.0f),
                  normalizedFromPlain(row.parameter, row.maximum))
            << row.symbol;
        EXPECT_EQ(normalizedFromPlain(row.parameter, row.minimum - 1000.0f),
                  normalizedFromPlain(row.parameter, row.minimum))
            << row.symbol;
    }
}

// A host's slider may stop between the filter type's choices: the nearest
// choice plays.
TEST(ParameterTable, PlainFilterTypesBetweenChoicesTakeTheNearest) {
    const float cases[][2] = {{0.4f, 0.0f}, {0.6f, 0.5f}, {1.4f, 0.5f}, {1.6f, 1.0f}};
    for (const auto& c : cases)
        EXPECT_EQ(normalizedFromPlain(ParameterIndex::Type, c[0]), c[1]) << c[0];
}

TEST(ParameterTable, CutoffHertzAreTheFrequencyTheFilterPlays) {
    for (const float rate : {22050.0f, 44100.0f, 48000.0f, 96000.0f, 192000.0f}) {
        FilterDelayEffect effect(nullptr);
        effect.setSampleRate(rate);
        for (const float v : {0.0f, 0.1f, 0.37f, 0.5f, 0.8f, 1.0f}) {
            effect.setParameter(ParameterIndex::Cutoff, v);
            effect.processReplacing(nullptr, nullptr, 0);
            const double played = effect.getFilter().getOmega() * rate / kTwoPi;
            EXPECT_NEAR(played, cutoffHertz(v, rate), 1e-9 * played) << rate << " " << v;
            if (rate == static_cast<float>(kCutoffReferenceRate)) {
                EXPECT_NEAR(plainFromNormalized(ParameterIndex::Cutoff, v), played, 1e-3 * played);
            }
        }
    }
}

// The host's display text and label, as a host lays them side by side.
std::string hostText(FilterDelayEffect& effect, const ParameterRow& row) {
    char display[16] = {}, label[16] = {};
    effect.getParameterDisplay(toIndex(row.parameter), display);
    effect.getParameterLabel(toIndex(row.parameter), label);
    return std::string(display) + " " + label;
}

// Where the panel and the host count in the same unit, the panel reads the
// host's text back, within the host's truncation to whole steps.
bool panelReadsHostUnit(const ParameterRow& row) {
    switch (row.unit) {
    case PlainUnit::milliseconds: return row.panelUnit == PanelUnit::milliseconds;
    case PlainUnit::percent: return row.panelUnit == PanelUnit::percent;
    case PlainUnit::pan: return row.panelUnit == PanelUnit::pan;
    default: return false;
    }
}

TEST(ParameterTable, PanelReadsEveryHostTextInItsUnit) {
    FilterDelayEffect effect(nullptr);
    int read = 0;
    for (const ParameterRow& row : kParameterTable) {
        char name[32] = {};
        effect.getParameterName(toIndex(row.parameter), name);
        EXPECT_EQ(std::string(name).find(row.displayName) != std::string::npos, true) << name;
        if (!panelReadsHostUnit(row)) continue;
        ++read;
        const double step = 1.0 / panelFullScale(row.panelUnit);
        for (int i = 0; i <= 40; ++i) {
            const float v = i / 40.0f;
            effect.setParameter(row.parameter, v);
            const std::string text = hostText(effect, row);
            float parsed = -1.0f;
            ASSERT_TRUE(valueFromText(row.parameter, text.c_str(), parsed)) << text;
            EXPECT_NEAR(parsed, v, step * 1.001) << row.symbol << " " << text;
        }
    }
    EXPECT_EQ(read, 4);
    for (const FilterChoice& choice : kFilterChoices) {
        effect.setParameter(ParameterIndex::Type, choice.value);
        EXPECT_EQ(hostText(effect, parameterRow(ParameterIndex::Type)),
                  std::string(choice.hostText) + " ");
        EXPECT_EQ(filterTypeFor(choice.value), choice.type);
    }
}

}  // namespace
