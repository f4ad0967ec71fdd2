#include "formats/lv2/port_map.h"

#include <algorithm>
#include <cmath>

namespace molvex::lv2 {

namespace {
// The pan text is L50 .. <C> .. R50: value x 100 - 50.
constexpr float kPanHalfRange = 50.0f;
constexpr double kCutoffSpan = kCutoffReferenceRate * 0.25;
constexpr double kLowestCutoff = 20.0;
}  // namespace

const ParameterPort kParameterPorts[kParameterCount] = {
    {"input_level", PortUnit::decibels, kSilenceDecibels, 0.0f},
    {"delay", PortUnit::milliseconds, 0.0f, 1000.0f},
    {"feedback", PortUnit::percent, 0.0f, 100.0f},
    {"filter_type", PortUnit::filterType, 0.0f, kFilterTypeCount - 1.0f},
    {"cutoff", PortUnit::hertz, static_cast<float>(kLowestCutoff),
     static_cast<float>(kLowestCutoff + kCutoffSpan)},
    {"resonance", PortUnit::percent, 0.0f, 100.0f},
    {"pan", PortUnit::pan, -kPanHalfRange, kPanHalfRange},
    {"dry_level", PortUnit::decibels, kSilenceDecibels, 0.0f},
    {"wet_level", PortUnit::decibels, kSilenceDecibels, 0.0f},
};

const char* const kFilterTypeNames[kFilterTypeCount] = {"Low-pass", "High-pass", "Band-pass"};

float toParameter(ParameterIndex parameter, float portValue) {
    const ParameterPort& port = kParameterPorts[toIndex(parameter)];
    if (std::isnan(portValue)) return portValue;
    const double v = std::clamp(portValue, port.minimum, port.maximum);
    switch (port.unit) {
    case PortUnit::decibels: return v <= kSilenceDecibels ? 0.0f : std::pow(10.0, v / 20.0);
    case PortUnit::milliseconds: return static_cast<float>(v / 1000.0);
    case PortUnit::percent: return static_cast<float>(v / 100.0);
    case PortUnit::filterType: return static_cast<float>(std::round(v) / (kFilterTypeCount - 1));
    case PortUnit::hertz: return static_cast<float>(std::sqrt((v - kLowestCutoff) / kCutoffSpan));
    case PortUnit::pan: return static_cast<float>((v + kPanHalfRange) / (2.0 * kPanHalfRange));
    }
    return 0.0f;
}

float toPort(ParameterIndex parameter, float parameterValue) {
    const ParameterPort& port = kParameterPorts[toIndex(parameter)];
    const double v = parameterValue;
    switch (port.unit) {
    case PortUnit::decibels:
        return v > 0.0 ? std::max(static_cast<float>(20.0 * std::log10(v)), kSilenceDecibels)
                       : kSilenceDecibels;
    case PortUnit::milliseconds: return static_cast<float>(v * 1000.0);
    case PortUnit::percent: return static_cast<float>(v * 100.0);
    case PortUnit::filterType: return static_cast<float>(filterTypeFor(parameterValue));
    case PortUnit::hertz: return static_cast<float>(kLowestCutoff + v * v * kCutoffSpan);
    case PortUnit::pan: return static_cast<float>(v * 2.0 * kPanHalfRange - kPanHalfRange);
    }
    return 0.0f;
}

bool controlInputParameter(std::uint32_t port, ParameterIndex& parameter) {
    if (port < kPortFirstControl || port >= kPortFirstReport) return false;
    parameter = static_cast<ParameterIndex>(port - kPortFirstControl);
    return true;
}

bool controlOutputParameter(std::uint32_t port, ParameterIndex& parameter) {
    if (port < kPortFirstReport || port >= kPortCount) return false;
    parameter = static_cast<ParameterIndex>(port - kPortFirstReport);
    return true;
}

}  // namespace molvex::lv2
