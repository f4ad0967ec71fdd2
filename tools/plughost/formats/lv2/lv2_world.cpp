#include "formats/lv2/lv2_world.h"

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/core/lv2.h>
#include <lv2/midi/midi.h>
#include <lv2/options/options.h>
#include <lv2/port-props/port-props.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "error.h"

namespace {

// Features every instance gets (lv2_plugin.cpp), and those that ask nothing
// of a host.
const char* const kProvidedFeatures[] = {LV2_URID__map,           LV2_URID__unmap,
                                         LV2_OPTIONS__options,    LV2_BUF_SIZE__boundedBlockLength,
                                         LV2_CORE__hardRTCapable, LV2_CORE__inPlaceBroken,
                                         LV2_CORE__isLive};

// Owns a node made for one query.
class Node {
public:
    Node(LilvWorld* world, const char* uri) : node(lilv_new_uri(world, uri)) {}
    ~Node() { lilv_node_free(node); }
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    const LilvNode* get() const { return node; }

private:
    LilvNode* node;
};

std::string takeString(LilvNode* node) {
    std::string out = node && lilv_node_is_string(node) ? lilv_node_as_string(node) : "";
    lilv_node_free(node);
    return out;
}

}  // namespace

float Lv2Port::fromNormalised(float value) const {
    double v;
    if (logarithmic && minimum > 0.0f && maximum > minimum) {
        v = minimum * std::pow(static_cast<double>(maximum) / minimum, value);
    } else {
        v = minimum + static_cast<double>(value) * (maximum - minimum);
    }
    return static_cast<float>(stepped ? std::round(v) : v);
}

float Lv2Port::toNormalised(float portValue) const {
    if (!(maximum > minimum)) return 0.0f;
    if (logarithmic && minimum > 0.0f && portValue > 0.0f)
        return static_cast<float>(std::log(static_cast<double>(portValue) / minimum) /
                                  std::log(static_cast<double>(maximum) / minimum));
    return static_cast<float>((static_cast<double>(portValue) - minimum) / (maximum - minimum));
}

Lv2World::Lv2World(const std::string& argument) : given(argument), lilvWorld(lilv_world_new()) {
    if (!lilvWorld) throw HostError(argument + ": lilv could not start");
    std::error_code ec;
    if (std::filesystem::is_directory(argument, ec)) {
        findBundlePlugin(argument);
    } else if (argument.find(':') != std::string::npos && !std::filesystem::exists(argument, ec) &&
               std::filesystem::path(argument).extension() != ".lv2") {
        findUriPlugin(argument);
    } else {
        lilv_world_free(lilvWorld);
        lilvWorld = nullptr;
        throw HostError(argument + ": no such LV2 bundle");
    }
    readPorts();
}

Lv2World::~Lv2World() { lilv_world_free(lilvWorld); }

void Lv2World::findBundlePlugin(const std::string& folder) {
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(folder, ec);
    if (!std::filesystem::exists(absolute / "manifest.ttl", ec)) {
        lilv_world_free(lilvWorld);
        lilvWorld = nullptr;
        throw HostError(folder + ": not an LV2 bundle (no manifest.ttl)");
    }
    lilv_world_load_specifications(lilvWorld);
    std::string path = absolute.string();
    if (path.back() != '/') path += '/';
    LilvNode* bundle = lilv_new_file_uri(lilvWorld, nullptr, path.c_str());
    lilv_world_load_bundle(lilvWorld, bundle);
    const LilvPlugins* all = lilv_world_get_all_plugins(lilvWorld);
    LILV_FOREACH(plugins, i, all) {
        const LilvPlugin* p = lilv_plugins_get(all, i);
        if (lilv_node_equals(lilv_plugin_get_bundle_uri(p), bundle)) {
            found = p;
            break;
        }
    }
    lilv_node_free(bundle);
    if (!found) {
        lilv_world_free(lilvWorld);
        lilvWorld = nullptr;
        throw HostError(folder + ": the bundle describes no plug-in");
    }
}

void Lv2World::findUriPlugin(const std::string& uri) {
    lilv_world_load_all(lilvWorld);
    {
        const Node wanted(lilvWorld, uri.c_str());  // freed while its world lives
        found = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(lilvWorld), wanted.get());
    }
    if (!found) {
        lilv_world_free(lilvWorld);
        lilvWorld = nullptr;
        throw HostError(uri + ": no installed LV2 plug-in has this URI (see lv2ls)");
    }
}

void Lv2World::readPorts() {
    Node audio(lilvWorld, LV2_CORE__AudioPort), control(lilvWorld, LV2_CORE__ControlPort),
        atom(lilvWorld, LV2_ATOM__AtomPort), cv(lilvWorld, LV2_CORE__CVPort),
        input(lilvWorld, LV2_CORE__InputPort), midiEvent(lilvWorld, LV2_MIDI__MidiEvent),
        optional(lilvWorld, LV2_CORE__connectionOptional),
        logarithmic(lilvWorld, LV2_PORT_PROPS__logarithmic), integer(lilvWorld, LV2_CORE__integer),
        toggled(lilvWorld, LV2_CORE__toggled), enumeration(lilvWorld, LV2_CORE__enumeration);
    const uint32_t count = lilv_plugin_get_num_ports(found);
    std::vector<float> minimum(count), maximum(count), defaults(count);
    lilv_plugin_get_port_ranges_float(found, minimum.data(), maximum.data(), defaults.data());
    portList.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        const LilvPort* port = lilv_plugin_get_port_by_index(found, i);
        Lv2Port& p = portList[i];
        p.index = i;
        p.symbol = lilv_node_as_string(lilv_port_get_symbol(found, port));
        p.name = takeString(lilv_port_get_name(found, port));
        p.input = lilv_port_is_a(found, port, input.get());
        p.kind = lilv_port_is_a(found, port, audio.get())     ? Lv2PortKind::Audio
                 : lilv_port_is_a(found, port, control.get()) ? Lv2PortKind::Control
                 : lilv_port_is_a(found, port, atom.get())    ? Lv2PortKind::Atom
                 : lilv_port_is_a(found, port, cv.get())      ? Lv2PortKind::Cv
                                                              : Lv2PortKind::Other;
        p.midi = p.kind == Lv2PortKind::Atom && p.input &&
                 lilv_port_supports_event(found, port, midiEvent.get());
        p.optional = lilv_port_has_property(found, port, optional.get());
        p.logarithmic = lilv_port_has_property(found, port, logarithmic.get());
        p.stepped = lilv_port_has_property(found, port, integer.get()) ||
                    lilv_port_has_property(found, port, toggled.get()) ||
                    lilv_port_has_property(found, port, enumeration.get());
        // A port without a range is read as 0..1, as hosts commonly do.
        p.minimum = std::isnan(minimum[i]) ? 0.0f : minimum[i];
        p.maximum = std::isnan(maximum[i]) ? std::max(1.0f, p.minimum) : maximum[i];
        p.defaultValue =
            std::isnan(defaults[i]) ? p.minimum : std::clamp(defaults[i], p.minimum, p.maximum);
    }
    for (const auto& p : portList) {
        if (p.kind == Lv2PortKind::Control && p.input) controls.push_back(&p);
    }
}

std::string Lv2World::uri() const { return lilv_node_as_uri(lilv_plugin_get_uri(found)); }

std::string Lv2World::name() const { return takeString(lilv_plugin_get_name(found)); }

std::string Lv2World::author() const { return takeString(lilv_plugin_get_author_name(found)); }

std::string Lv2World::bundlePath() const {
    char* path = lilv_file_uri_parse(lilv_node_as_uri(lilv_plugin_get_bundle_uri(found)), nullptr);
    std::string out = path ? path : "";
    lilv_free(path);
    return out;
}

std::vector<std::string> Lv2World::missingFeatures() const {
    std::vector<std::string> missing;
    LilvNodes* required = lilv_plugin_get_required_features(found);
    LILV_FOREACH(nodes, i, required) {
        const std::string feature = lilv_node_as_uri(lilv_nodes_get(required, i));
        if (std::find(std::begin(kProvidedFeatures), std::end(kProvidedFeatures), feature) ==
            std::end(kProvidedFeatures))
            missing.push_back(feature);
    }
    lilv_nodes_free(required);
    return missing;
}

bool Lv2World::hasExtension(const char* uri) const {
    Node extension(lilvWorld, uri);
    return lilv_plugin_has_extension_data(found, extension.get());
}

std::vector<std::string> Lv2World::uiTypes() const {
    std::vector<std::string> types;
    LilvUIs* uis = lilv_plugin_get_uis(found);
    LILV_FOREACH(uis, i, uis) {
        const LilvNodes* classes = lilv_ui_get_classes(lilv_uis_get(uis, i));
        LILV_FOREACH(nodes, j, classes)
        types.emplace_back(lilv_node_as_uri(lilv_nodes_get(classes, j)));
    }
    lilv_uis_free(uis);
    return types;
}
