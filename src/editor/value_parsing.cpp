#include "editor/value_parsing.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "effect/parameter_table.h"

namespace molvex {

namespace {

const char* skipSpaces(const char* p) {
    while (*p && std::isspace(static_cast<unsigned char>(*p))) ++p;
    return p;
}

// How many characters of `text` spell `word`, any case; 0 when it does not
// start with it.
std::size_t startsWithWord(const char* text, const char* word) {
    std::size_t i = 0;
    for (; word[i]; ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(word[i])))
            return 0;
    }
    return i;
}

bool equalsIgnoringCase(const char* a, const char* b) {
    const std::size_t n = startsWithWord(a, b);
    return n > 0 && a[n] == 0;
}

// A finite number followed by nothing but spaces and, if given, `unit`.
bool numberWithUnit(const char* text, const char* unit, double& number) {
    const char* start = skipSpaces(text);
    // strtod would also read "inf", "nan" and hexadecimal; the display
    // only ever shows plain decimals.
    if (!*start || !(std::isdigit(static_cast<unsigned char>(*start)) || *start == '-' ||
                     *start == '+' || *start == '.'))
        return false;
    char* end = nullptr;
    number = std::strtod(start, &end);
    if (end == start || !std::isfinite(number)) return false;
    if (std::strchr(start, 'x') || std::strchr(start, 'X')) return false;
    const char* rest = skipSpaces(end);
    if (*rest && unit) {
        const std::size_t length = startsWithWord(rest, unit);
        if (length == 0) return false;
        rest = skipSpaces(rest + length);
    }
    return *rest == 0;
}

float normalized(double displayed, double fullScale) {
    return static_cast<float>(std::clamp(displayed / fullScale, 0.0, 1.0));
}

bool panFromText(const char* text, float& value) {
    const char* p = skipSpaces(text);
    char trimmed[16] = {};
    std::size_t n = 0;
    for (const char* q = p; *q && n < sizeof trimmed - 1; ++q) trimmed[n++] = *q;
    while (n > 0 && std::isspace(static_cast<unsigned char>(trimmed[n - 1]))) trimmed[--n] = 0;
    if (equalsIgnoringCase(trimmed, "<C>") || equalsIgnoringCase(trimmed, "C")) {
        value = 0.5f;
        return true;
    }
    const char side = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
    if (side != 'L' && side != 'R') return false;
    double amount = 0;
    if (!numberWithUnit(p + 1, nullptr, amount) || amount < 0) return false;
    // "L25" is 25 steps left of the centre.
    const double steps = side == 'L' ? kPanCentreStep - amount : kPanCentreStep + amount;
    value = normalized(steps, kPanSteps);
    return true;
}

}  // namespace

bool valueFromText(ParameterIndex parameter, const char* text, float& value) {
    if (!text) return false;
    const PanelUnit unit = parameterRow(parameter).panelUnit;
    if (unit == PanelUnit::pan) return panFromText(text, value);
    double number = 0;
    if (!numberWithUnit(text, panelUnitWord(unit), number)) return false;
    value = normalized(number, panelFullScale(unit));
    return true;
}

}  // namespace molvex
