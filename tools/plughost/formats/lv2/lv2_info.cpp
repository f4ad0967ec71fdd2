// plughost info for an LV2 plug-in: its description as lilv reads it, and
// each parameter's value once instantiated.
#include <cstdio>

#include "formats/lv2/lv2_plugin.h"
#include "host/host_context.h"
#include "output/json_writer.h"

namespace {

const char* kindName(const Lv2Port& p) {
    switch (p.kind) {
    case Lv2PortKind::Audio: return "audio";
    case Lv2PortKind::Control: return "control";
    case Lv2PortKind::Atom: return p.midi ? "atom (MIDI)" : "atom";
    case Lv2PortKind::Cv: return "cv";
    case Lv2PortKind::Other: return "other";
    }
    return "?";
}

std::string listed(const std::vector<std::string>& words) {
    std::string out;
    for (const auto& w : words) out += (out.empty() ? "" : " ") + w;
    return out.empty() ? "none" : out;
}

void printText(const Lv2Plugin& plugin) {
    const Lv2World& w = plugin.description();
    std::printf("plug-in          %s\n", plugin.description().argument().c_str());
    std::printf("format           LV2\n");
    std::printf("uri              %s\n", w.uri().c_str());
    std::printf("name             \"%s\"\n", w.name().c_str());
    std::printf("author           \"%s\"\n", w.author().c_str());
    std::printf("bundle           %s\n", w.bundlePath().c_str());
    std::printf("inputs/outputs   %d / %d\n", plugin.numInputs(), plugin.numOutputs());
    std::printf("midi input       %s\n", plugin.hasMidiInput() ? "yes" : "no");
    std::printf("state            %s\n",
                w.hasExtension("http://lv2plug.in/ns/ext/state#interface") ? "yes" : "no");
    std::printf("ui               %s\n", listed(w.uiTypes()).c_str());
    std::printf("ports            %zu\n", w.ports().size());
    for (const auto& p : w.ports()) {
        std::printf("  %3u  %-7s %-12s %-24s \"%s\"\n", p.index, p.input ? "input" : "output",
                    kindName(p), p.symbol.c_str(), p.name.c_str());
    }
    std::printf("parameters       %d\n", plugin.numParams());
    std::printf("  index  name  value (0..1)  port value  range\n");
    for (int i = 0; i < plugin.numParams(); ++i) {
        const Lv2Port& p = plugin.port(i);
        std::printf("  %3d  %-24s %8.4f  %10g  %g .. %g%s\n", i, ("\"" + p.name + "\"").c_str(),
                    static_cast<double>(plugin.getParameter(i)),
                    static_cast<double>(plugin.portValue(i)), static_cast<double>(p.minimum),
                    static_cast<double>(p.maximum), p.logarithmic ? " (logarithmic)" : "");
    }
}

// One control input as an object of the "parameters" array.
void writeParameter(JsonWriter& j, const Lv2Plugin& plugin, int i) {
    const Lv2Port& p = plugin.port(i);
    j.beginObject();
    j.integer("index", i);
    j.integer("port", p.index);
    j.string("symbol", p.symbol);
    j.string("name", p.name);
    j.number("value", plugin.getParameter(i));
    j.number("portValue", plugin.portValue(i));
    j.number("minimum", p.minimum);
    j.number("maximum", p.maximum);
    j.endObject();
}

void printJson(const Lv2Plugin& plugin) {
    const Lv2World& w = plugin.description();
    JsonWriter j;
    j.beginObject();
    j.string("plugin", plugin.description().argument());
    j.string("format", "LV2");
    j.string("uri", w.uri());
    j.string("name", w.name());
    j.string("author", w.author());
    j.string("bundle", w.bundlePath());
    j.integer("numInputs", plugin.numInputs());
    j.integer("numOutputs", plugin.numOutputs());
    j.integer("numParams", plugin.numParams());
    j.integer("midiInput", plugin.hasMidiInput() ? 1 : 0);
    j.beginArray("parameters");
    for (int i = 0; i < plugin.numParams(); ++i) writeParameter(j, plugin, i);
    j.endArray();
    j.endObject();
    std::fputs(j.text().c_str(), stdout);
}

}  // namespace

void Lv2Plugin::printInfo(bool json) const { (json ? printJson : printText)(*this); }
