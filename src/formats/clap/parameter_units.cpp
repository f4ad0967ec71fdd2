#include "formats/clap/parameter_units.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "formats/lv2/port_map.h"

namespace molvex::clap {

namespace {

const char* const kNames[kParameterCount] = {"Input Level", "Delay",     "Feedback",
                                             "Filter Type", "Cutoff",    "Resonance",
                                             "Pan",         "Dry Level", "Wet Level"};

const lv2::ParameterPort& port(ParameterIndex parameter) {
    return lv2::kParameterPorts[toIndex(parameter)];
}

const char* unitText(lv2::PortUnit unit) {
    switch (unit) {
    case lv2::PortUnit::decibels: return " dB";
    case lv2::PortUnit::milliseconds: return " ms";
    case lv2::PortUnit::percent: return " %";
    case lv2::PortUnit::hertz: return " Hz";
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
    for (int i = 0; i < lv2::kFilterTypeCount; ++i)
        if (startsWithNoCase(text, lv2::kFilterTypeNames[i])) {
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
    const lv2::ParameterPort& p = port(parameter);
    return {kNames[toIndex(parameter)], p.minimum, p.maximum, p.unit == lv2::PortUnit::filterType};
}

float toEffectValue(ParameterIndex parameter, double plain) {
    return lv2::toParameter(parameter, static_cast<float>(plain));
}

double toPlain(ParameterIndex parameter, float effectValue) {
    return lv2::toPort(parameter, effectValue);
}

bool formatPlain(ParameterIndex parameter, double plain, char* text, std::uint32_t size) {
    if (!text || size == 0) return false;
    const lv2::ParameterPort& p = port(parameter);
    const double v =
        std::isnan(plain) ? p.minimum : std::clamp<double>(plain, p.minimum, p.maximum);
    int written = 0;
    switch (p.unit) {
    case lv2::PortUnit::filterType:
        written = std::snprintf(text, size, "%s",
                                lv2::kFilterTypeNames[static_cast<int>(std::lround(v))]);
        break;
    case lv2::PortUnit::pan: {
        const long steps = std::lround(v);
        if (steps == 0) written = std::snprintf(text, size, "<C>");
        else written = std::snprintf(text, size, "%c%ld", steps < 0 ? 'L' : 'R', std::labs(steps));
        break;
    }
    case lv2::PortUnit::hertz: written = std::snprintf(text, size, "%.0f Hz", v); break;
    default: written = std::snprintf(text, size, "%.1f%s", v, unitText(p.unit)); break;
    }
    return written >= 0 && static_cast<std::uint32_t>(written) < size;
}

bool parsePlain(ParameterIndex parameter, const char* text, double& plain) {
    if (!text) return false;
    while (*text == ' ') ++text;
    const lv2::ParameterPort& p = port(parameter);
    bool ok = false;
    if (p.unit == lv2::PortUnit::filterType && parseFilterType(text, plain)) ok = true;
    else if (p.unit == lv2::PortUnit::pan) ok = parsePan(text, plain);
    else {
        char* end = nullptr;
        plain = std::strtod(text, &end);
        ok = end != text && !std::isnan(plain);
    }
    if (!ok) return false;
    plain = std::clamp<double>(plain, p.minimum, p.maximum);
    if (p.unit == lv2::PortUnit::filterType) plain = std::round(plain);
    return true;
}

}  // namespace molvex::clap
