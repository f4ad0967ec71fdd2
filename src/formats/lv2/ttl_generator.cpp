// Writes the bundle's description from the effect's own parameter table
// (names, defaults, units, ranges and choices) and the factory presets.
//
//   molvex_lv2_ttl BUNDLE-DIR DSP-FILE [UI-FILE] VERSION
// (no UI-FILE: the bundle has no panel).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "effect/parameter_table.h"
#include "formats/common/factory_presets.h"
#include "formats/lv2/lv2_uris.h"
#include "formats/lv2/port_map.h"

namespace {

using namespace molvex;
using namespace molvex::lv2;

// The plug-in's description alone needs the port properties.
const char* const kPortPropsPrefix = "@prefix pprops: <http://lv2plug.in/ns/ext/port-props#> .\n";

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

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    std::string s = text;
    // A Turtle decimal needs a point, or it reads as an integer.
    if (s.find_first_of(".eE") == std::string::npos && s.find("nan") == std::string::npos)
        s += ".0";
    return s;
}

const char* unitUri(PlainUnit unit) {
    switch (unit) {
    case PlainUnit::decibels: return "units:db";
    case PlainUnit::milliseconds: return "units:ms";
    case PlainUnit::percent: return "units:pc";
    case PlainUnit::hertz: return "units:hz";
    case PlainUnit::filterType:
    case PlainUnit::pan: return nullptr;
    }
    return nullptr;
}

void writeControlPort(std::ostream& out, const ParameterRow& port, bool output) {
    const int index = toIndex(port.parameter);
    out << "  [\n    a lv2:" << (output ? "OutputPort" : "InputPort") << " , lv2:ControlPort ;\n"
        << "    lv2:index " << (output ? kPortFirstReport : kPortFirstControl) + index << " ;\n"
        << "    lv2:symbol \"" << port.symbol << (output ? "_out" : "") << "\" ;\n"
        << "    lv2:name \"" << port.displayName << (output ? " (now)" : "") << "\" ;\n"
        << "    lv2:default " << number(plainFromNormalized(port.parameter, port.defaultValue))
        << " ;\n"
        << "    lv2:minimum " << number(port.minimum) << " ;\n"
        << "    lv2:maximum " << number(port.maximum);
    if (const char* unit = unitUri(port.unit)) out << " ;\n    units:unit " << unit;
    // The outputs report values to the panel; a host's generic controls
    // would show them as nine meters.
    if (output) out << " ;\n    lv2:portProperty pprops:notOnGUI";
    if (port.unit == PlainUnit::filterType) {
        out << " ;\n    lv2:portProperty lv2:integer , lv2:enumeration";
        for (int t = 0; t < kFilterChoiceCount; ++t)
            out << " ;\n    lv2:scalePoint [ rdfs:label \"" << kFilterChoices[t].name
                << "\" ; rdf:value " << number(t) << " ]";
    }
    if (port.unit == PlainUnit::pan)
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
    std::ostringstream out;
    out << kPortPropsPrefix << kPrefixes << "<" << kPluginUri << ">\n"
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
        for (const ParameterRow& port : kParameterTable) {
            out << " ,\n";
            writeControlPort(out, port, output != 0);
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
        for (const ParameterRow& port : kParameterTable)
            out << " ;\n  ui:portNotification [ ui:plugin <" << kPluginUri << "> ; lv2:symbol \""
                << port.symbol << "_out\" ]";
        out << " .\n";
    }
    return out.str();
}

std::string presetDescription(const FactoryPreset& preset) {
    std::ostringstream out;
    out << kPrefixes << "<" << kPresetUriPrefix << preset.symbol << ">\n"
        << "  a pset:Preset ;\n  lv2:appliesTo <" << kPluginUri << "> ;\n"
        << "  rdfs:label \"" << preset.label << "\" ;\n  lv2:port";
    for (int i = 0; i < kParameterCount; ++i)
        out << (i ? " ," : "") << "\n    [ lv2:symbol \"" << kParameterTable[i].symbol
            << "\" ; pset:value " << number(preset.plainValues[i]) << " ]";
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
