// plughost info for a CLAP plug-in: the descriptor, the extensions it
// offers, its ports and parameters with their texts, latency and tail.
#include <clap/ext/audio-ports.h>
#include <clap/ext/note-ports.h>

#include <cstdio>
#include <string>

#include "formats/clap/clap_plugin.h"
#include "host/host_context.h"
#include "output/json_writer.h"

namespace {

const char* const kExtensions[] = {"clap.audio-ports", "clap.note-ports",   "clap.params",
                                   "clap.state",       "clap.latency",      "clap.tail",
                                   "clap.gui",         "clap.timer-support"};

std::string features(const clap_plugin_descriptor_t& d) {
    std::string out;
    for (const char* const* f = d.features; f && *f; ++f)
        out += (out.empty() ? "" : " ") + std::string(*f);
    return out.empty() ? "none" : out;
}

std::string offered(const ClapHostedPlugin& p) {
    std::string out;
    for (const char* id : kExtensions)
        if (p.plugin()->get_extension(p.plugin(), id))
            out += (out.empty() ? "" : " ") + std::string(id);
    return out.empty() ? "none" : out;
}

std::string text(const ClapHostedPlugin& p, int index, double value) {
    char buffer[256] = {};
    if (!p.params() ||
        !p.params()->value_to_text(p.plugin(), p.info(index).id, value, buffer, sizeof buffer))
        return "?";
    return buffer;
}

void printText(const ClapHostedPlugin& p) {
    const clap_plugin_descriptor_t& d = p.getLibrary().descriptor();
    std::printf("plug-in          %s\n", p.getLibrary().path().c_str());
    std::printf("format           CLAP %u.%u.%u\n", d.clap_version.major, d.clap_version.minor,
                d.clap_version.revision);
    std::printf("id               %s\n", d.id);
    std::printf("name             \"%s\"\n", d.name ? d.name : "");
    std::printf("vendor           \"%s\"\n", d.vendor ? d.vendor : "");
    std::printf("version          %s\n", d.version ? d.version : "");
    std::printf("features         %s\n", features(d).c_str());
    std::printf("scan             %.1f ms\n", p.getLibrary().scanMilliseconds());
    std::printf("extensions       %s\n", offered(p).c_str());
    std::printf("inputs/outputs   %d / %d\n", p.numInputs(), p.numOutputs());
    std::printf("midi input       %s\n", p.noteInput() >= 0 ? "yes" : "no");
    std::printf("latency          %d\n", p.latency());
    std::printf("tail             %ld\n", p.tail());
    std::printf("parameters       %d\n", p.numParams());
    std::printf("  id  name  value  text  range  default\n");
    for (int i = 0; i < p.numParams(); ++i) {
        const clap_param_info_t& info = p.info(i);
        std::printf("  %3u  %-24s %10g  %-12s %g .. %g  %g%s%s\n", info.id,
                    ("\"" + std::string(info.name) + "\"").c_str(), p.plainValue(i),
                    text(p, i, p.plainValue(i)).c_str(), info.min_value, info.max_value,
                    info.default_value, info.flags & CLAP_PARAM_IS_STEPPED ? " stepped" : "",
                    info.flags & CLAP_PARAM_IS_AUTOMATABLE ? " automatable" : "");
    }
}

void printJson(const ClapHostedPlugin& p) {
    const clap_plugin_descriptor_t& d = p.getLibrary().descriptor();
    JsonWriter j;
    j.beginObject();
    j.string("plugin", p.getLibrary().path());
    j.string("format", "CLAP");
    j.string("id", d.id);
    j.string("name", d.name ? d.name : "");
    j.string("vendor", d.vendor ? d.vendor : "");
    j.string("version", d.version ? d.version : "");
    j.string("features", features(d));
    j.string("extensions", offered(p));
    j.integer("inputs", p.numInputs());
    j.integer("outputs", p.numOutputs());
    j.boolean("midiInput", p.noteInput() >= 0);
    j.integer("latency", p.latency());
    j.integer("tail", p.tail());
    j.beginArray("parameters");
    for (int i = 0; i < p.numParams(); ++i) {
        const clap_param_info_t& info = p.info(i);
        j.beginObject();
        j.integer("id", info.id);
        j.string("name", info.name);
        j.number("value", p.plainValue(i));
        j.string("text", text(p, i, p.plainValue(i)));
        j.number("minimum", info.min_value);
        j.number("maximum", info.max_value);
        j.number("default", info.default_value);
        j.boolean("stepped", (info.flags & CLAP_PARAM_IS_STEPPED) != 0);
        j.endObject();
    }
    j.endArray();
    j.endObject();
    std::printf("%s\n", j.text().c_str());
}

}  // namespace

void ClapHostedPlugin::printInfo(bool json) const {
    if (json) printJson(*this);
    else printText(*this);
}
