// The plug-in of an LV2 bundle found through lilv, the loader real hosts
// use, and instances of it whose every port is connected to buffers held
// here. Which port is which comes from the bundle's description (audio in
// and out in port order, the atom input for MIDI, control inputs in port
// order, control outputs beside them), so nothing here knows a port number.
#pragma once

#include <lilv/lilv.h>

#include <cstdint>
#include <string>
#include <vector>

#include "effect/parameter_index.h"
#include "lv2_test_host.h"

namespace lv2test {

// The ports of the plug-in by the role a host gives them.
struct PortLayout {
    std::vector<std::uint32_t> audioInputs, audioOutputs, controlInputs, controlOutputs;
    std::int64_t midiInput = -1;
    std::vector<std::string> controlSymbols;  // of the control inputs, in their order
    std::vector<float> defaults;              // of the control inputs, as the bundle says
};

class World {
public:
    // The bundle at `bundle` alone (default: the one this build made) and
    // its first plug-in.
    explicit World(const std::string& bundle = MOLVEX_LV2_BUNDLE);
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    LilvWorld* world = nullptr;
    const LilvPlugin* plugin = nullptr;  // null when the bundle holds none
    UridMap urids;
    PortLayout ports;
    LilvNode* uri(const char* text) { return lilv_new_uri(world, text); }

private:
    void readPorts();
};

class Instance {
public:
    // Instantiated, every port connected, control inputs at the bundle's
    // defaults, and activated; ok() says whether it worked.
    Instance(World& world, double rate, std::uint32_t maxFrames = 4096);
    ~Instance();
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    bool ok() const { return instance != nullptr; }
    // Empties the MIDI sequence; events added after go into the next run.
    void clearMidi() { midiIn.clear(); }
    void addMidi(std::int64_t frame, std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
        midiIn.appendMidi(frame, status, data1, data2);
    }
    // Runs `frames` of inL/inR into outL/outR from `offset`, then empties
    // the MIDI sequence.
    void run(std::uint32_t frames, std::uint32_t offset = 0);
    // The port value a state or preset gives for a symbol, written into
    // `controls`; and read back from there when a state is saved.
    static void setPortValue(const char* symbol, void* self, const void* value, std::uint32_t size,
                             std::uint32_t type);
    static const void* getPortValue(const char* symbol, void* self, std::uint32_t* size,
                                    std::uint32_t* type);

    World& world;
    LilvInstance* instance = nullptr;
    // By control input and output, in their order (ParameterIndex order).
    float controls[molvex::kParameterCount] = {};
    float reports[molvex::kParameterCount] = {};
    std::vector<float> inL, inR, outL, outR;
    LV2_Atom_Sequence* midi() { return midiIn.get(); }

private:
    void connectAudio(std::uint32_t offset);
    int controlIndex(const char* symbol) const;

    AtomSequence midiIn;
};

// The plug-in's port index of a symbol; -1 when there is none.
int portIndex(World& world, const char* symbol);

}  // namespace lv2test
