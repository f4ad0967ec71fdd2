#include "formats/clap/parameter_units.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "effect/parameter_table.h"

namespace molvex::clap {

namespace {

const ParameterRow& port(ParameterIndex parameter) { return parameterRow(parameter); }

const char* unitText(PlainUnit unit) {
    switch (unit) {
    case PlainUnit::decibels: return " dB";
    case PlainUnit::milliseconds: return " ms";
    case PlainUnit::percent: return " %";
    case PlainUnit::hertz: return " Hz";
    default: return "";
    }
}

bool startsWithNoCase(const char* text, const char* word) {
    for (; *word; ++text, ++word)
        if (std::tolower(static_cast<unsigned char>(*text)) !=
            std::tolower(static_cast<unsigned char>(*word)))
            return false;
    return true;
}

bool parseFilterType(const char* text, double& plain) {
    for (int i = 0; i < kFilterChoiceCount; ++i)
        if (startsWithNoCase(text, kFilterChoices[i].name)) {
            plain = i;
            return true;
        }
    return false;
}

// "L25" is -25, "R25" is 25, "<C>" or "C" is 0; a bare number is itself.
bool parsePan(const char* text, double& plain) {
    if (startsWithNoCase(text, "<C>") || startsWithNoCase(text, "C")) {
        plain = 0.0;
        return true;
    }
    const bool left = *text == 'L' || *text == 'l';
    const bool right = *text == 'R' || *text == 'r';
    const char* number = text + (left || right ? 1 : 0);
    char* end = nullptr;
    const double value = std::strtod(number, &end);
    if (end == number || !std::isfinite(value)) return false;
    plain = left ? -value : value;
    return true;
}

}  // namespace

bool parameterOfId(std::uint32_t id, ParameterIndex& parameter) {
    if (id >= kParameterIdCount) return false;
    parameter = static_cast<ParameterIndex>(id);
    return true;
}

ParameterInfo parameterInfo(ParameterIndex parameter) {
    const ParameterRow& p = port(parameter);
    return {p.displayName, p.minimum, p.maximum, p.unit == PlainUnit::filterType};
}

float toEffectValue(ParameterIndex parameter, double plain) {
    return normalizedFromPlain(parameter, static_cast<float>(plain));
}

double toPlain(ParameterIndex parameter, float effectValue) {
    return plainFromNormalized(parameter, effectValue);
}

bool formatPlain(ParameterIndex parameter, double plain, char* text, std::uint32_t size) {
    if (!text || size == 0) return false;
    const ParameterRow& p = port(parameter);
    const double v =
        std::isnan(plain) ? p.minimum : std::clamp<double>(plain, p.minimum, p.maximum);
    int written = 0;
    switch (p.unit) {
    case PlainUnit::filterType:
        written =
            std::snprintf(text, size, "%s", kFilterChoices[static_cast<int>(std::lround(v))].name);
        break;
    case PlainUnit::pan: {
        const long steps = std::lround(v);
        if (steps == 0) written = std::snprintf(text, size, "<C>");
        else written = std::snprintf(text, size, "%c%ld", steps < 0 ? 'L' : 'R', std::labs(steps));
        break;
    }
    case PlainUnit::hertz: written = std::snprintf(text, size, "%.0f Hz", v); break;
    default: written = std::snprintf(text, size, "%.1f%s", v, unitText(p.unit)); break;
    }
    return written >= 0 && static_cast<std::uint32_t>(written) < size;
}

bool parsePlain(ParameterIndex parameter, const char* text, double& plain) {
    if (!text) return false;
    while (*text == ' ') ++text;
    const ParameterRow& p = port(parameter);
    bool ok = false;
    if (p.unit == PlainUnit::filterType && parseFilterType(text, plain)) ok = true;
    else if (p.unit == PlainUnit::pan) ok = parsePan(text, plain);
    else {
        char* end = nullptr;
        plain = std::strtod(text, &end);
        ok = end != text && !std::isnan(plain);
    }
    if (!ok) return false;
    plain = std::clamp<double>(plain, p.minimum, p.maximum);
    if (p.unit == PlainUnit::filterType) plain = std::round(plain);
    return true;
}

}  // namespace molvex::clap
