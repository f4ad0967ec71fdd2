#include "effect/parameter_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace molvex {

namespace {
constexpr float kPanHalfRange = static_cast<float>(kPanSteps - kPanCentreStep);
constexpr float kTopCutoff =
    static_cast<float>(kLowestCutoffHertz + kCutoffReferenceRate * kCutoffSpanOfRate);
constexpr float kLastChoice = kFilterChoiceCount - 1.0f;
}  // namespace

const ParameterRow kParameterTable[kParameterCount] = {
    {ParameterIndex::InputLevel, "input_level", "Input Level", "Input Level", " db ", 1.0f,
     PlainUnit::decibels, kSilenceDecibels, 0.0f, PanelUnit::percent},
    {ParameterIndex::Delay, "delay", "Delay", " Delay ", "ms", 0.5f, PlainUnit::milliseconds, 0.0f,
     1000.0f, PanelUnit::milliseconds},
    {ParameterIndex::Feedback, "feedback", "Feedback", "Feedback", "%", 0.0f, PlainUnit::percent,
     0.0f, 100.0f, PanelUnit::percent},
    {ParameterIndex::Type, "filter_type", "Type", " Type ", "", 0.0f, PlainUnit::filterType, 0.0f,
     kLastChoice, PanelUnit::percent},
    {ParameterIndex::Cutoff, "cutoff", "Cutoff", " Cutoff ", "", 1.0f, PlainUnit::hertz,
     static_cast<float>(kLowestCutoffHertz), kTopCutoff, PanelUnit::percent},
    {ParameterIndex::Resonance, "resonance", "Resonance", "Resonance", "", 0.0f, PlainUnit::percent,
     0.0f, 100.0f, PanelUnit::percent},
    {ParameterIndex::Pan, "pan", "Pan", " Pan ", "", 0.5f, PlainUnit::pan, -kPanHalfRange,
     kPanHalfRange, PanelUnit::pan},
    {ParameterIndex::DryLevel, "dry_level", "Dry Level", "Dry Level", " db ", 0.0f,
     PlainUnit::decibels, kSilenceDecibels, 0.0f, PanelUnit::percent},
    {ParameterIndex::WetLevel, "wet_level", "Wet Level", "Wet Level", " db ", 0.8f,
     PlainUnit::decibels, kSilenceDecibels, 0.0f, PanelUnit::percent},
};

const FilterChoice kFilterChoices[kFilterChoiceCount] = {
    {FilterType::LowPass, 0.0f, "LowPass", "Low-pass", "LP"},
    {FilterType::HighPass, 0.5f, "HighPass", "High-pass", "HP"},
    {FilterType::BandPass, 1.0f, "BandPass", "Band-pass", "BP"},
};

double cutoffValue(double hertz, double rate) {
    return std::sqrt((hertz - kLowestCutoffHertz) / (rate * kCutoffSpanOfRate));
}

void writePanStep(int step, char* text) {
    if (step < kPanCentreStep) std::snprintf(text, 16, "L%d", kPanCentreStep - step);
    else if (step > kPanCentreStep) std::snprintf(text, 16, "R%d", step - kPanCentreStep);
    else std::snprintf(text, 16, "<C>");
}

float plainFromNormalized(ParameterIndex parameter, float value) {
    const double v = value;
    switch (parameterRow(parameter).unit) {
    case PlainUnit::decibels:
        return v > 0.0 ? std::max(static_cast<float>(20.0 * std::log10(v)), kSilenceDecibels)
                       : kSilenceDecibels;
    case PlainUnit::milliseconds: return static_cast<float>(v * 1000.0);
    case PlainUnit::percent: return static_cast<float>(v * 100.0);
    case PlainUnit::filterType: return static_cast<float>(filterTypeFor(value));
    case PlainUnit::hertz: return static_cast<float>(cutoffHertz(v, kCutoffReferenceRate));
    case PlainUnit::pan: return static_cast<float>(v * kPanSteps - kPanCentreStep);
    }
    return 0.0f;
}

float normalizedFromPlain(ParameterIndex parameter, float plain) {
    const ParameterRow& row = parameterRow(parameter);
    if (std::isnan(plain)) return plain;
    const double v = std::clamp(plain, row.minimum, row.maximum);
    switch (row.unit) {
    case PlainUnit::decibels: return v <= kSilenceDecibels ? 0.0f : std::pow(10.0, v / 20.0);
    case PlainUnit::milliseconds: return static_cast<float>(v / 1000.0);
    case PlainUnit::percent: return static_cast<float>(v / 100.0);
    case PlainUnit::filterType: return kFilterChoices[static_cast<int>(std::round(v))].value;
    case PlainUnit::hertz: return static_cast<float>(cutoffValue(v, kCutoffReferenceRate));
    case PlainUnit::pan: return static_cast<float>((v + kPanCentreStep) / kPanSteps);
    }
    return 0.0f;
}

double panelFullScale(PanelUnit unit) { return unit == PanelUnit::milliseconds ? 1000.0 : 100.0; }

const char* panelUnitWord(PanelUnit unit) {
    switch (unit) {
    case PanelUnit::percent: return "%";
    case PanelUnit::milliseconds: return "ms";
    case PanelUnit::pan: return nullptr;
    }
    return nullptr;
}

}  // namespace molvex
