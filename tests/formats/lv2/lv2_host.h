// A small LV2 host on lilv, the loader real hosts use: a world that holds
// the built bundle alone, a URID map, and instances whose every port is
// connected to buffers held here, with an atom sequence for MIDI.
#pragma once

#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

#include <cstdint>
#include <string>
#include <vector>

#include "effect/parameter_index.h"

namespace lv2test {

class UridMap {
public:
    UridMap();
    LV2_URID map(const char* uri);
    const char* unmap(LV2_URID urid) const;
    LV2_URID_Map* mapFeature() { return &mapData; }
    LV2_URID_Unmap* unmapFeature() { return &unmapData; }
    // urid:map and urid:unmap, null-terminated.
    const LV2_Feature* const* features() const { return featureList; }

private:
    std::vector<std::string> uris;
    LV2_URID_Map mapData;
    LV2_URID_Unmap unmapData;
    LV2_Feature mapFeatureData;
    LV2_Feature unmapFeatureData;
    const LV2_Feature* featureList[3];
};

class World {
public:
    World();
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    LilvWorld* world = nullptr;
    const LilvPlugin* plugin = nullptr;  // null when the bundle has no Molvex
    UridMap urids;
    LilvNode* uri(const char* text) { return lilv_new_uri(world, text); }
};

class Instance {
public:
    Instance(World& world, double rate, std::uint32_t maxFrames = 4096);
    ~Instance();
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    bool ok() const { return instance != nullptr; }
    // Empties the MIDI sequence; events added after go into the next run.
    void clearMidi();
    void addMidi(std::int64_t frame, std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    // Runs `frames` of inL/inR into outL/outR from `offset`, then empties
    // the MIDI sequence.
    void run(std::uint32_t frames, std::uint32_t offset = 0);
    // The port value a state or preset gives for a symbol, written into
    // `controls`.
    static void setPortValue(const char* symbol, void* self, const void* value, std::uint32_t size,
                             std::uint32_t type);
    static const void* getPortValue(const char* symbol, void* self, std::uint32_t* size,
                                    std::uint32_t* type);

    World& world;
    LilvInstance* instance = nullptr;
    float controls[molvex::kParameterCount] = {};
    float reports[molvex::kParameterCount] = {};
    std::vector<float> inL, inR, outL, outR;
    // 8-byte aligned, as atoms must be.
    std::vector<std::uint64_t> midiBuffer = std::vector<std::uint64_t>(1024);
    LV2_Atom_Sequence* midi() { return reinterpret_cast<LV2_Atom_Sequence*>(midiBuffer.data()); }

private:
    void connectAudio(std::uint32_t offset);
};

// The plug-in's port index of a symbol; -1 when there is none.
int portIndex(World& world, const char* symbol);

}  // namespace lv2test
