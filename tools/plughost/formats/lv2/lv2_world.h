// An LV2 plug-in found through lilv, before any instance exists: the world
// that holds its description and the ports read from it.
//
// The argument is a bundle (a folder ending in .lv2 or holding manifest.ttl:
// only that bundle is loaded, and its first plug-in taken) or a plug-in URI
// (every installed bundle is loaded, as `lv2ls` does). Failures throw
// HostError with one line.
#pragma once

#include <lilv/lilv.h>

#include <string>
#include <vector>

#include "formats/lv2/urid_map.h"

enum class Lv2PortKind { Audio, Control, Atom, Cv, Other };

struct Lv2Port {
    unsigned index = 0;
    std::string symbol;
    std::string name;
    Lv2PortKind kind = Lv2PortKind::Other;
    bool input = false;
    bool midi = false;      // an atom input that takes midi:MidiEvent
    bool optional = false;  // lv2:connectionOptional
    float minimum = 0.0f, maximum = 1.0f, defaultValue = 0.0f;
    bool logarithmic = false;  // pprops:logarithmic
    bool stepped = false;      // lv2:integer, lv2:toggled or lv2:enumeration

    // Port value of a 0..1 value and back, across the port's range.
    float fromNormalised(float value) const;
    float toNormalised(float portValue) const;
};

class Lv2World {
public:
    explicit Lv2World(const std::string& argument);
    ~Lv2World();
    Lv2World(const Lv2World&) = delete;
    Lv2World& operator=(const Lv2World&) = delete;

    const std::string& argument() const { return given; }
    const LilvPlugin* plugin() const { return found; }
    LilvWorld* world() const { return lilvWorld; }
    const std::vector<Lv2Port>& ports() const { return portList; }
    std::string uri() const;
    std::string name() const;
    std::string author() const;
    std::string bundlePath() const;
    // Features the plug-in requires that plughost does not provide.
    std::vector<std::string> missingFeatures() const;
    bool hasExtension(const char* uri) const;
    // The plug-in's UI types (their class URIs), empty when it has none.
    std::vector<std::string> uiTypes() const;
    // Control input ports: the plug-in's parameters, in port order.
    const std::vector<const Lv2Port*>& parameters() const { return controls; }

    UridMap& urids() const { return uridMap; }

private:
    void findBundlePlugin(const std::string& folder);
    void findUriPlugin(const std::string& uri);
    void readPorts();

    std::string given;
    LilvWorld* lilvWorld = nullptr;
    const LilvPlugin* found = nullptr;
    std::vector<Lv2Port> portList;
    std::vector<const Lv2Port*> controls;
    mutable UridMap uridMap;
};
