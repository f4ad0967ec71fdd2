// Writes the bundle's description from the effect's own parameter table:
// names and defaults come from a FilterDelayEffect made here, units and
// ranges from port_map, presets from factory_presets.
//
//   molvex_lv2_ttl BUNDLE-DIR DSP-FILE [UI-FILE] VERSION
// (no UI-FILE: the bundle has no panel).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "effect/filter_delay_effect.h"
#include "formats/lv2/factory_presets.h"
#include "formats/lv2/lv2_uris.h"
#include "formats/lv2/port_map.h"

namespace {

using namespace molvex;
using namespace molvex::lv2;

const char* const kPrefixes =
    "@prefix atom: <http://lv2plug.in/ns/ext/atom#> .\n"
    "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
    "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
    "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix midi: <http://lv2plug.in/ns/ext/midi#> .\n"
    "@prefix opts: <http://lv2plug.in/ns/ext/options#> .\n"
    "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
    "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
    "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
    "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n"
    "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
    "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n\n";

// The effect pads some names with spaces for its own host texts.
std::string trimmed(const char* text) {
    std::string s = text;
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    std::string s = text;
    // A Turtle decimal needs a point, or it reads as an integer.
    if (s.find_first_of(".eE") == std::string::npos && s.find("nan") == std::string::npos)
        s += ".0";
    return s;
}

const char* unitUri(PortUnit unit) {
    switch (unit) {
    case PortUnit::decibels: return "units:db";
    case PortUnit::milliseconds: return "units:ms";
    case PortUnit::percent: return "units:pc";
    case PortUnit::hertz: return "units:hz";
    case PortUnit::filterType:
    case PortUnit::pan: return nullptr;
    }
    return nullptr;
}

void writeControlPort(std::ostream& out, FilterDelayEffect& effect, VstInt32 index, bool output) {
    const ParameterPort& port = kParameterPorts[index];
    const auto parameter = static_cast<ParameterIndex>(index);
    char name[64] = {};
    effect.getParameterName(index, name);
    out << "  [\n    a lv2:" << (output ? "OutputPort" : "InputPort") << " , lv2:ControlPort ;\n"
        << "    lv2:index " << (output ? kPortFirstReport : kPortFirstControl) + index << " ;\n"
        << "    lv2:symbol \"" << port.symbol << (output ? "_out" : "") << "\" ;\n"
        << "    lv2:name \"" << trimmed(name) << (output ? " (now)" : "") << "\" ;\n"
        << "    lv2:default " << number(toPort(parameter, effect.getParameter(index))) << " ;\n"
        << "    lv2:minimum " << number(port.minimum) << " ;\n"
        << "    lv2:maximum " << number(port.maximum);
    if (const char* unit = unitUri(port.unit)) out << " ;\n    units:unit " << unit;
    if (port.unit == PortUnit::filterType) {
        out << " ;\n    lv2:portProperty lv2:integer , lv2:enumeration";
        for (int t = 0; t < kFilterTypeCount; ++t)
            out << " ;\n    lv2:scalePoint [ rdfs:label \"" << kFilterTypeNames[t]
                << "\" ; rdf:value " << number(t) << " ]";
    }
    if (port.unit == PortUnit::pan)
        out << " ;\n    lv2:scalePoint [ rdfs:label \"Left\" ; rdf:value " << number(port.minimum)
            << " ] , [ rdfs:label \"Centre\" ; rdf:value 0.0 ] , [ rdfs:label \"Right\" ; "
               "rdf:value "
            << number(port.maximum) << " ]";
    out << "\n  ]";
}

void writeAudioPort(std::ostream& out, std::uint32_t index, const char* symbol, const char* name,
                    bool output) {
    out << "  [\n    a lv2:AudioPort , lv2:" << (output ? "OutputPort" : "InputPort") << " ;\n"
        << "    lv2:index " << index << " ;\n    lv2:symbol \"" << symbol << "\" ;\n"
        << "    lv2:name \"" << name << "\"\n  ]";
}

std::string pluginDescription(bool withUi, int minor, int micro) {
    FilterDelayEffect effect(nullptr);
    std::ostringstream out;
    out << kPrefixes << "<" << kPluginUri << ">\n"
        << "  a lv2:Plugin , lv2:DelayPlugin , doap:Project ;\n"
        << "  doap:name \"Molvex\" ;\n"
        << "  doap:maintainer [ foaf:name \"Molvex\" ] ;\n"
        << "  rdfs:comment \"A stereo filtered-feedback delay: MIDI control changes 0 to 8 move "
           "the nine parameters at their frame.\" ;\n"
        << "  lv2:minorVersion " << minor << " ;\n  lv2:microVersion " << micro << " ;\n"
        << "  lv2:optionalFeature lv2:hardRTCapable , urid:map ;\n"
        << "  lv2:extensionData state:interface ;\n";
    if (withUi) out << "  ui:ui <" << kUiUri << "> ;\n";
    out << "  lv2:port\n";
    writeAudioPort(out, kPortInputLeft, "in_l", "Left in", false);
    out << " ,\n";
    writeAudioPort(out, kPortInputRight, "in_r", "Right in", false);
    out << " ,\n";
    writeAudioPort(out, kPortOutputLeft, "out_l", "Left out", true);
    out << " ,\n";
    writeAudioPort(out, kPortOutputRight, "out_r", "Right out", true);
    out << " ,\n  [\n    a atom:AtomPort , lv2:InputPort ;\n"
        << "    atom:bufferType atom:Sequence ;\n    atom:supports midi:MidiEvent ;\n"
        << "    lv2:designation lv2:control ;\n    lv2:portProperty lv2:connectionOptional ;\n"
        << "    lv2:index " << kPortMidi << " ;\n    lv2:symbol \"midi_in\" ;\n"
        << "    lv2:name \"MIDI in\"\n  ]";
    for (int output = 0; output < 2; ++output)
        for (VstInt32 i = 0; i < kParameterCount; ++i) {
            out << " ,\n";
            writeControlPort(out, effect, i, output != 0);
        }
    out << " .\n";
    if (withUi) {
        out << "\n<" << kUiUri << ">\n  a ui:X11UI ;\n"
            << "  lv2:requiredFeature ui:parent , ui:idleInterface ;\n"
            // noUserResize: the panel has one size per zoom, so hosts size
            // their window to it and shrink it again on zooming out.
            << "  lv2:optionalFeature ui:resize , ui:noUserResize , ui:touch , opts:options , "
               "urid:map ;\n"
            << "  lv2:extensionData ui:idleInterface ;\n"
            << "  opts:supportedOption ui:scaleFactor";
        for (VstInt32 i = 0; i < kParameterCount; ++i)
            out << " ;\n  ui:portNotification [ ui:plugin <" << kPluginUri << "> ; lv2:symbol \""
                << kParameterPorts[i].symbol << "_out\" ]";
        out << " .\n";
    }
    return out.str();
}

std::string presetDescription(const FactoryPreset& preset) {
    std::ostringstream out;
    out << kPrefixes << "<" << kPresetUriPrefix << preset.symbol << ">\n"
        << "  a pset:Preset ;\n  lv2:appliesTo <" << kPluginUri << "> ;\n"
        << "  rdfs:label \"" << preset.label << "\" ;\n  lv2:port";
    for (VstInt32 i = 0; i < kParameterCount; ++i)
        out << (i ? " ," : "") << "\n    [ lv2:symbol \"" << kParameterPorts[i].symbol
            << "\" ; pset:value " << number(preset.portValues[i]) << " ]";
    out << " .\n";
    return out.str();
}

std::string manifest(const char* dspFile, const char* uiFile) {
    std::ostringstream out;
    out << kPrefixes << "<" << kPluginUri << ">\n  a lv2:Plugin ;\n"
        << "  lv2:binary <" << dspFile << "> ;\n  rdfs:seeAlso <molvex.ttl> .\n";
    if (uiFile)
        out << "\n<" << kUiUri << ">\n  a ui:X11UI ;\n  lv2:binary <" << uiFile << "> ;\n"
            << "  rdfs:seeAlso <molvex.ttl> .\n";
    for (const FactoryPreset& preset : kFactoryPresets)
        out << "\n<" << kPresetUriPrefix << preset.symbol << ">\n  a pset:Preset ;\n"
            << "  lv2:appliesTo <" << kPluginUri << "> ;\n"
            << "  rdfs:seeAlso <preset-" << preset.symbol << ".ttl> .\n";
    return out.str();
}

bool writeFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    file.close();
    if (file) return true;
    std::fprintf(stderr, "molvex_lv2_ttl: cannot write %s\n", path.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: molvex_lv2_ttl BUNDLE-DIR DSP-FILE [UI-FILE] VERSION\n");
        return 2;
    }
    const std::string dir = argv[1];
    const char* uiFile = argc == 5 ? argv[3] : nullptr;
    int major = 0, minor = 0, micro = 0;
    std::sscanf(argv[argc - 1], "%d.%d.%d", &major, &minor, &micro);
    bool ok = writeFile(dir + "/manifest.ttl", manifest(argv[2], uiFile)) &&
              writeFile(dir + "/molvex.ttl", pluginDescription(uiFile != nullptr, minor, micro));
    for (const FactoryPreset& preset : kFactoryPresets)
        ok = ok && writeFile(dir + "/preset-" + preset.symbol + ".ttl", presetDescription(preset));
    return ok ? 0 : 1;
}
