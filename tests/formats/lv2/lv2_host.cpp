#include "lv2_host.h"

#include <lv2/atom/util.h>
#include <lv2/midi/midi.h>

#include <cstring>

#include "effect/parameter_table.h"
#include "formats/lv2/lv2_uris.h"
#include "formats/lv2/port_map.h"

namespace lv2test {

using namespace molvex;

UridMap::UridMap() {
    mapData.handle = this;
    mapData.map = [](LV2_URID_Map_Handle h, const char* uri) {
        return static_cast<UridMap*>(h)->map(uri);
    };
    unmapData.handle = this;
    unmapData.unmap = [](LV2_URID_Unmap_Handle h, LV2_URID urid) {
        return static_cast<UridMap*>(h)->unmap(urid);
    };
    mapFeatureData = {LV2_URID__map, &mapData};
    unmapFeatureData = {LV2_URID__unmap, &unmapData};
    featureList[0] = &mapFeatureData;
    featureList[1] = &unmapFeatureData;
    featureList[2] = nullptr;
}

LV2_URID UridMap::map(const char* uri) {
    for (std::size_t i = 0; i < uris.size(); ++i)
        if (uris[i] == uri) return static_cast<LV2_URID>(i + 1);
    uris.emplace_back(uri);
    return static_cast<LV2_URID>(uris.size());
}

const char* UridMap::unmap(LV2_URID urid) const {
    return urid >= 1 && urid <= uris.size() ? uris[urid - 1].c_str() : nullptr;
}

World::World() : world(lilv_world_new()) {
    LilvNode* bundle = lilv_new_file_uri(world, nullptr, MOLVEX_LV2_BUNDLE "/");
    lilv_world_load_bundle(world, bundle);
    lilv_node_free(bundle);
    LilvNode* pluginUri = uri(lv2::kPluginUri);
    plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), pluginUri);
    lilv_node_free(pluginUri);
}

World::~World() { lilv_world_free(world); }

Instance::Instance(World& world, double rate, std::uint32_t maxFrames)
    : world(world), inL(maxFrames), inR(maxFrames), outL(maxFrames), outR(maxFrames) {
    if (!world.plugin) return;
    instance = lilv_plugin_instantiate(world.plugin, rate, world.urids.features());
    if (!instance) return;
    for (std::uint32_t i = 0; i < kParameterCount; ++i) {
        controls[i] = plainFromNormalized(static_cast<ParameterIndex>(i), 0.5f);
        lilv_instance_connect_port(instance, lv2::kPortFirstControl + i, &controls[i]);
        lilv_instance_connect_port(instance, lv2::kPortFirstReport + i, &reports[i]);
    }
    lilv_instance_connect_port(instance, lv2::kPortMidi, midiBuffer.data());
    connectAudio(0);
    clearMidi();
    lilv_instance_activate(instance);
}

Instance::~Instance() {
    if (!instance) return;
    lilv_instance_deactivate(instance);
    lilv_instance_free(instance);
}

void Instance::connectAudio(std::uint32_t offset) {
    lilv_instance_connect_port(instance, lv2::kPortInputLeft, inL.data() + offset);
    lilv_instance_connect_port(instance, lv2::kPortInputRight, inR.data() + offset);
    lilv_instance_connect_port(instance, lv2::kPortOutputLeft, outL.data() + offset);
    lilv_instance_connect_port(instance, lv2::kPortOutputRight, outR.data() + offset);
}

void Instance::clearMidi() {
    LV2_Atom_Sequence* s = midi();
    s->atom.type = world.urids.map(LV2_ATOM__Sequence);
    s->atom.size = sizeof(LV2_Atom_Sequence_Body);
    s->body.unit = 0;
    s->body.pad = 0;
}

void Instance::addMidi(std::int64_t frame, std::uint8_t status, std::uint8_t data1,
                       std::uint8_t data2) {
    LV2_Atom_Sequence* s = midi();
    char* at = reinterpret_cast<char*>(midiBuffer.data()) + sizeof(LV2_Atom) +
               lv2_atom_pad_size(s->atom.size);
    LV2_Atom_Event event{};
    event.time.frames = frame;
    event.body.type = world.urids.map(LV2_MIDI__MidiEvent);
    event.body.size = 3;
    const std::uint8_t bytes[3] = {status, data1, data2};
    std::memcpy(at, &event, sizeof event);
    std::memcpy(at + sizeof event, bytes, sizeof bytes);
    s->atom.size = lv2_atom_pad_size(s->atom.size) + sizeof(LV2_Atom_Event) + 3;
}

void Instance::run(std::uint32_t frames, std::uint32_t offset) {
    connectAudio(offset);
    lilv_instance_run(instance, frames);
    clearMidi();
}

void Instance::setPortValue(const char* symbol, void* self, const void* value, std::uint32_t size,
                            std::uint32_t) {
    auto* me = static_cast<Instance*>(self);
    for (std::uint32_t i = 0; i < kParameterCount; ++i)
        if (std::strcmp(symbol, kParameterTable[i].symbol) == 0 && size == sizeof(float))
            std::memcpy(&me->controls[i], value, sizeof(float));
}

const void* Instance::getPortValue(const char* symbol, void* self, std::uint32_t* size,
                                   std::uint32_t* type) {
    auto* me = static_cast<Instance*>(self);
    for (std::uint32_t i = 0; i < kParameterCount; ++i)
        if (std::strcmp(symbol, kParameterTable[i].symbol) == 0) {
            *size = sizeof(float);
            *type = me->world.urids.map(LV2_ATOM__Float);
            return &me->controls[i];
        }
    *size = 0;
    return nullptr;
}

int portIndex(World& world, const char* symbol) {
    LilvNode* node = lilv_new_string(world.world, symbol);
    const LilvPort* port = lilv_plugin_get_port_by_symbol(world.plugin, node);
    lilv_node_free(node);
    return port ? static_cast<int>(lilv_port_get_index(world.plugin, port)) : -1;
}

}  // namespace lv2test
