// The parameter table: everything any consumer needs to know about each of
// the nine parameters, written once. The effect answers the host's name,
// label and display requests from it, the panel draws and reads its texts
// by it, and every format's description and value conversions come from it.
//
// Three ways of writing one value:
// | form       | what it is                               | who uses it            |
// |------------|------------------------------------------|------------------------|
// | normalized | 0..1, what the effect stores and plays   | effect, VST 2, panel   |
// | plain      | the unit a musician reads (column unit)  | LV2 ports, CLAP values |
// | panel      | the panel's display and typed entry      | value_texts, parsing   |
//
// Plain units, and the host's display text of the same value (8 characters,
// digits truncated):
// | unit         | plain from normalized v          | host display            |
// |--------------|----------------------------------|-------------------------|
// | decibels     | 20 log10 v, -70 and below silence| decibels of v, "-oo" at 0|
// | milliseconds | v x 1000                         | v x 1000                |
// | percent      | v x 100                          | v x 100                 |
// | filterType   | 0, 1, 2 (kFilterChoices' order)  | the choice's hostText   |
// | hertz        | cutoffHertz(v, 48 kHz)           | v x rate / 4            |
// | pan          | v x 100 - 50 (-50 left, 50 right)| L50 .. <C> .. R50       |
// The cutoff's host display keeps the linear reading hosts have always
// shown; the plain value is the frequency the filter really plays, read at
// kCutoffReferenceRate so a stored value means the same setting at every
// rate.
//
// Everything here is constant: any thread may read it.
#pragma once

#include "effect/parameter_index.h"

namespace molvex {

enum class PlainUnit { decibels, milliseconds, percent, filterType, hertz, pan };

// What the panel's value display shows and its typed entry reads.
enum class PanelUnit {
    percent,       // 0..100
    milliseconds,  // 0..1000
    pan,           // L50 .. <C> .. R50
};

struct ParameterRow {
    ParameterIndex parameter;
    const char* symbol;       // LV2 port symbol, CLAP's module-free name
    const char* displayName;  // the name without the host padding
    const char* hostName;     // as getParameterName answers, padding kept
    const char* hostLabel;    // as getParameterLabel answers, padding kept
    float defaultValue;       // normalized; every program starts with it
    PlainUnit unit;
    float minimum;  // plain range
    float maximum;
    PanelUnit panelUnit;
};

// One row per ParameterIndex, in its order.
extern const ParameterRow kParameterTable[kParameterCount];

inline const ParameterRow& parameterRow(ParameterIndex parameter) {
    return kParameterTable[toIndex(parameter)];
}

// The filter type's choices, in the order of their plain values 0, 1, 2.
struct FilterChoice {
    FilterType type;
    float value;            // the normalized value a click or a port sends
    const char* hostText;   // getParameterDisplay
    const char* name;       // a format's choice label (LV2 scale point)
    const char* panelWord;  // the word the panel's switch lights
};
inline constexpr int kFilterChoiceCount = 3;
extern const FilterChoice kFilterChoices[kFilterChoiceCount];

inline const FilterChoice& filterChoice(FilterType type) {
    return kFilterChoices[static_cast<int>(type)];
}

// Levels at or below this many decibels are silence (a gain of 0).
inline constexpr float kSilenceDecibels = -70.0f;

// The cutoff law: the corner frequency of a normalized value v at `rate` is
// kLowestCutoffHertz + v^2 x rate x kCutoffSpanOfRate hertz.
inline constexpr double kLowestCutoffHertz = 20.0;
inline constexpr double kCutoffSpanOfRate = 0.25;
// The rate plain cutoff values are read at.
inline constexpr double kCutoffReferenceRate = 48000.0;
inline double cutoffHertz(double v, double rate) {
    return kLowestCutoffHertz + v * v * (rate * kCutoffSpanOfRate);
}
// The same frequency as a fraction of the rate, as the filter computes it.
inline double cutoffCyclesPerSample(double v, double rate) {
    return kLowestCutoffHertz / rate + v * v * kCutoffSpanOfRate;
}
// The normalized value whose corner frequency is `hertz` at `rate`; hertz
// below the lowest give NaN.
double cutoffValue(double hertz, double rate);

// The pan steps: a normalized value covers kPanSteps steps, the centre is
// step kPanCentreStep; steps below it read Ln, above it Rn.
inline constexpr int kPanSteps = 100;
inline constexpr int kPanCentreStep = 50;
// Writes "L<n>", "<C>" or "R<n>" for `step` into text (at least 16 bytes).
void writePanStep(int step, char* text);

// The plain value of a normalized one (see the table above).
float plainFromNormalized(ParameterIndex parameter, float value);
// The normalized value of a plain one: clamped to the plain range first, so
// a host's out-of-range value stays a value the effect was made for. NaN
// gives NaN, which callers ignore.
float normalizedFromPlain(ParameterIndex parameter, float plain);

// The panel's full scale: the displayed number of a normalized 1.
double panelFullScale(PanelUnit unit);
// The unit word the panel's typed entry accepts after the number; null for
// none.
const char* panelUnitWord(PanelUnit unit);

}  // namespace molvex
